// The job summary window: its menu, the final-orientation toggle and the saved report.
#include <gtest/gtest.h>

#include "logscan/summary_window.h"
#include "summary_index_test.h"
#include "support/test_app.h"

namespace {

using testing_support::ReadFile;
using testing_support::TestApp;

std::string Fixture(const std::string& name) { return TestApp::data("summary/" + name); }

TEST(SummaryWindow, MenuAndOrientationToggle) {
    TestApp t;
    auto& f = t.app.form4;
    EXPECT_EQ(f.Caption(), "Frequencies and Other Reports");
    ASSERT_NE(f.Menu.Find("Save Report"), nullptr);
    ASSERT_NE(f.Menu.Find("Exit"), nullptr);
    // Before any scan the IR/Raman item only says what is missing.
    EXPECT_FALSE(t.app.Dispatch([&f] { f.Menu.Find("Show IR/Raman Spectra")->Click(); }));
    EXPECT_EQ(t.platform.MessageTexts().back(), "No log has been scanned: open a log with frequencies first.");
    EXPECT_FALSE(t.app.form19.Visible());

    EXPECT_FALSE(f.StringGrid2.Visible());
    int freqHeight = f.StringGrid1.Height();
    ASSERT_TRUE(f.Menu.Find("Show Final Orientation")->Click());
    EXPECT_TRUE(f.StringGrid2.Visible());
    EXPECT_EQ(f.ShowFinalOrientation1.Caption(), "Hide Final Orientation");
    // The structure takes the bottom 420 pixels; the grids above give way.
    EXPECT_EQ(f.StringGrid2.Height(), 420);
    EXPECT_EQ(f.StringGrid2.Top() + 420, f.ScrollBox1.ClientHeight());
    EXPECT_EQ(f.StringGrid1.Height(), freqHeight - 420);
    ASSERT_TRUE(f.Menu.Find("Hide Final Orientation")->Click());
    EXPECT_FALSE(f.StringGrid2.Visible());
    EXPECT_EQ(f.ShowFinalOrientation1.Caption(), "Show Final Orientation");
    EXPECT_EQ(f.StringGrid1.Height(), freqHeight);
}

TEST(SummaryWindow, ExitHidesAndMainMenuShowsIt) {
    TestApp t;
    auto* item = t.app.form1.Menu.Find("Frequencies, Energies. etc. (Opt) ");
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->Click());
    EXPECT_TRUE(t.app.form4.Visible());
    ASSERT_TRUE(t.app.form4.Menu.Find("Exit")->Click());
    EXPECT_FALSE(t.app.form4.Visible());
    EXPECT_TRUE(t.app.form1.Visible());  // the main window stays
}

TEST(SummaryWindow, SaveReportWritesSummaryAndStructure) {
    TestApp t;
    ASSERT_TRUE(summary_test::Summarise(t.app, Fixture("ch3_doublet.log")));
    auto out = (t.dir / "report.txt").string();
    t.platform.AnswerSave(out);
    ASSERT_TRUE(t.app.form4.Menu.Find("Save Report")->Click());
    ASSERT_EQ(t.platform.saveRequests.size(), 1u);
    EXPECT_EQ(t.platform.saveRequests[0].fileName, TestApp::data("summary/ch3_doublet_report.txt"));

    const std::string dashes(80, '-');
    std::string expected =
        "\tCreaded on 2026/12/09 12:00:00 ## No Opt Keyword in this Job ##\r\n"
        "\t\r\n"
        "\t#p UB3LYP/6-31G(d) Pop=Full\r\n"
        "\t\r\n"
        "\tTitle: Methyl radical\r\n"
        "\t\r\n"
        "\tCharge/Multiplicity: Charge =  0 Multiplicity = 2 (Unrestricted)\r\n"
        "\t\r\n"
        "\t\r\n\t\r\n"
        "\tStandard Orientation:\r\n"
        "\t" + dashes + "\r\n"
        "\tAtom Label\tX in angstrom\tY in angstrom\tZ in angstrom\tMulliken Charge\tSpin Density\r\n"
        "\t" + dashes + "\r\n"
        "\tC1\t0.000000\t0.000000\t0.000000\t-0.521314\t1.221583\r\n"
        "\tH2\t0.000000\t1.079523\t0.000000\t0.173771\t-0.073861\r\n"
        "\tH3\t0.934894\t-0.539761\t0.000000\t0.173772\t-0.073861\r\n"
        "\tH4\t-0.934894\t-0.539761\t0.000000\t0.173771\t-0.073861\r\n"
        "\t" + dashes + "\r\n"
        "\t\r\n\t\r\n"
        "\t SCF Done:  E(UB3LYP) =  -39.838286112     A.U. after   14 cycles\r\n"
        "\t            NFock= 14  Conv=0.44D-08     -V/T= 2.0091\r\n"
        "\t <Sx>= 0.0000 <Sy>= 0.0000 <Sz>= 0.5000 <S**2>= 0.7539 S= 0.5013\r\n"
        "\t <L.S>= 0.000000000000E+00\r\n"
        "\t KE= 3.962714418512D+01 PE=-1.032287415201D+02 EE= 1.652189637104D+01\r\n"
        "\t Annihilation of the first spin contaminant:\r\n"
        "\t S**2 before annihilation     0.7539,   after     0.7500\r\n"
        "\t\r\n"
        "\tDipole moment (Debye):X=  0.0000  Y=  0.0000  Z=  0.0000  Tot=  0.0000\r\n"
        "\t\r\n\t\r\n";
    EXPECT_EQ(ReadFile(out), expected);
}

TEST(SummaryWindow, ClosedShellReportHasFiveColumnsAndTheRestAfterTheStructure) {
    TestApp t;
    ASSERT_TRUE(summary_test::Summarise(t.app, Fixture("h2co_opt_freq.log")));
    auto out = (t.dir / "r.txt").string();
    t.platform.AnswerSave(out);
    t.app.form4.SaveReport1Click();
    std::string text = ReadFile(out);
    EXPECT_NE(text.find("\tAtom Label\tX in angstrom\tY in angstrom\tZ in angstrom\tMulliken Charge\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("Spin Density"), std::string::npos);
    // Rows 9 and later (the second job's route onwards) follow the structure.
    size_t structure = text.find("\tC1\t0.000000\t0.000000\t-0.528611\t0.131900\r\n");
    size_t secondRoute = text.find("\t#p B3LYP/6-31G(d) Freq Geom=AllCheck Guess=Read\r\n");
    ASSERT_NE(structure, std::string::npos);
    ASSERT_NE(secondRoute, std::string::npos);
    EXPECT_LT(structure, secondRoute);
    EXPECT_NE(text.find("\t Sum of electronic and thermal Free Energies=         -114.494018\r\n\t\r\n\t\r\n"),
              std::string::npos);
    // The frequency table is not part of the report.
    EXPECT_EQ(text.find("150.8816"), text.rfind("150.8816"));
}

TEST(SummaryWindow, SaveReportCancelledOrNothingLoaded) {
    TestApp t;
    t.app.form4.SaveReport1Click();  // no log yet: no dialog at all
    EXPECT_TRUE(t.platform.saveRequests.empty());

    ASSERT_TRUE(summary_test::Summarise(t.app, Fixture("ch3_doublet.log")));
    t.app.form4.SaveReport1Click();  // cancelled
    EXPECT_EQ(t.platform.saveRequests.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(TestApp::data("summary/ch3_doublet_report.txt")));
}

TEST(SummaryWindow, ReportIntoAMissingFolderFailsWithoutLeavingAFile) {
    TestApp t;
    ASSERT_TRUE(summary_test::Summarise(t.app, Fixture("ch3_doublet.log")));
    auto out = (t.dir / "no_such_folder" / "r.txt").string();
    t.platform.AnswerSave(out);
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form4.SaveReport1Click(); }));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(SummaryWindow, ProposedNameReplacesTheExtension) {
    EXPECT_EQ(mavrolin::ProposedReportName("/data/run1.log"), "/data/run1_report.txt");
    EXPECT_EQ(mavrolin::ProposedReportName("/data/run1.out"), "/data/run1_report.txt");
}

}  // namespace

#include <gtest/gtest.h>

#include "geometry/scan_points.h"
#include "support/test_app.h"

using testing_support::TestApp;

namespace {

std::string StepLine(int step, int point, int of = 3) {
    char buf[128];
    std::snprintf(buf, sizeof buf, " Step number %3d out of a maximum of  20 on scan point %5d out of %5d", step,
                  point, of);
    return buf;
}

std::string ScfLine(const std::string& e) {
    return " SCF Done:  E(RB3LYP) =  " + e + "     A.U. after    9 cycles";
}

}  // namespace

TEST(ScanReader, EnergyIsTheLastScfBeforeEachPointsLastStep) {
    TestApp t;
    auto& log = t.app.log;
    log.pick_energy_check = true;
    t.platform.AnswerOpen(TestApp::data("geometry/water_scan_relaxed.log"));
    ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.OpenLogOutFileSCAN1Click(); }));
    // Multi-step point, two single-step points, and a point cut off in its third step:
    // each takes the energy of the geometry of its last step line.
    ASSERT_EQ(log.ndone, 4);
    EXPECT_DOUBLE_EQ(log.scfengy[1], -76.4091250017);
    EXPECT_DOUBLE_EQ(log.scfengy[2], -76.4083117702);
    EXPECT_DOUBLE_EQ(log.scfengy[3], -76.4069950185);
    EXPECT_DOUBLE_EQ(log.scfengy[4], -76.4050338820);
    EXPECT_EQ(log.scfdone_pos[4], 68);
    EXPECT_EQ(log.scfengy[0], 0);
    EXPECT_EQ(log.nline, 76);
    EXPECT_FALSE(log.pick_energy_check);
    EXPECT_EQ(log.FileDum, TestApp::data("geometry/water_scan_relaxed.log"));

    auto& g = t.app.form1.StringGrid1;
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cell(0, 0), "Scan Point");
    EXPECT_EQ(g.Cell(1, 0), "E (Hartree)");
    EXPECT_EQ(g.Cell(2, 0), "");
    EXPECT_EQ(g.Cell(0, 2), "2");
    EXPECT_EQ(g.Cell(1, 1), "-76.4091250017");
    EXPECT_EQ(g.Cell(1, 4), "-76.405033882");
    EXPECT_EQ(g.Cell(2, 1), "");  // the energy-file writer relies on this empty cell
    EXPECT_TRUE(t.platform.messages.empty());
}

TEST(ScanReader, PointNumbersCountFromOneWhateverTheFilePrints) {
    TestApp t;
    // A restarted scan printing points 5, 6 and 8: three points, listed 1, 2, 3.
    std::string text = ScfLine("-1.5") + "\n" + StepLine(1, 5) + "\n" + ScfLine("-1.6") + "\n" + StepLine(1, 6) +
                       "\n" + ScfLine("-1.7") + "\n" + StepLine(1, 8) + "\n" + ScfLine("-1.8") + "\n" +
                       StepLine(2, 8) + "\n";
    t.platform.AnswerOpen(t.write("restart.log", text));
    t.app.form1.OpenLogOutFileSCAN1Click();
    ASSERT_EQ(t.app.log.ndone, 3);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 3), "3");
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(1, 3), "-1.8");
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(1, 1), "-1.5");
}

TEST(ScanReader, PlainOptimisationStepLinesAreFormatErrors) {
    TestApp t;
    std::string text = ScfLine("-2.25") + "\n Step number   1 out of a maximum of  20\n" + ScfLine("-2.5") + "\n" +
                       StepLine(1, 1) + "\n Step number   2 out of a maximum of  20\n";
    t.platform.AnswerOpen(t.write("mixed.log", text));
    t.app.form1.OpenLogOutFileSCAN1Click();
    auto texts = t.platform.MessageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "There is something wrong with the format!!");
    EXPECT_TRUE(t.platform.messages[1].centred);
    ASSERT_EQ(t.app.log.ndone, 1);
    EXPECT_DOUBLE_EQ(t.app.log.scfengy[1], -2.5);
}

TEST(ScanReader, NoStepLinesListsNothing) {
    TestApp t;
    t.app.log.ndone = 7;
    t.app.form1.StringGrid1.SetCell(1, 1, "old");
    t.platform.AnswerOpen(t.write("sp.log", ScfLine("-3.0") + "\n Normal termination\n"));
    t.app.form1.OpenLogOutFileSCAN1Click();
    EXPECT_EQ(t.app.log.ndone, 0);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(1, 1), "");
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 0), "Scan Point");
}

TEST(ScanReader, StepLineBeforeAnyEnergyEndsTheListing) {
    TestApp t;
    std::string text = StepLine(1, 1) + "\n" + ScfLine("-1.0") + "\n" + StepLine(1, 2) + "\n";
    t.platform.AnswerOpen(t.write("noenergy.log", text));
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.OpenLogOutFileSCAN1Click(); }));
    EXPECT_EQ(t.app.log.ndone, 0);
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_NE(t.platform.messages[0].text.find("scan point 1"), std::string::npos);
}

TEST(ScanReader, NonNumericPointOrEnergyIsAConversionError) {
    TestApp t;
    std::string bad = ScfLine("-1.0") + "\n Step number   1 out of a maximum of  20 on scan point  x out of 3\n";
    t.platform.AnswerOpen(t.write("badpoint.log", bad));
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.OpenLogOutFileSCAN1Click(); }));
    t.platform.AnswerOpen(t.write("badenergy.log", ScfLine("-1.0x") + "\n" + StepLine(1, 1) + "\n"));
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.OpenLogOutFileSCAN1Click(); }));
    EXPECT_TRUE(t.platform.messages.back().error);
}

TEST(ScanReader, CancelChangesNothing) {
    TestApp t;
    t.app.log.ndone = 2;
    t.app.log.FileDum = "before.log";
    t.app.form1.OpenLogOutFileSCAN1Click();
    EXPECT_EQ(t.app.log.ndone, 2);
    EXPECT_EQ(t.app.log.FileDum, "before.log");
}

// A point whose optimisation ran out of steps keeps its energy, flagged in the energy
// file's last column and named in a warning; the converged points are written as before.
TEST(ScanReader, StoppedPointIsFlaggedInTheEnergyFile) {
    TestApp t;
    std::string text = testing_support::ReadFile(TestApp::data("geometry/water_scan_relaxed.log"));
    const std::string completed = " Optimization completed.\r\n";
    const auto second = text.find(completed, text.find(completed) + 1);  // after point 2's only step
    text.replace(second, completed.size(), " Optimization stopped.\r\n    -- Number of steps exceeded,  NStep=   1\r\n");
    std::string out, err;
    const auto energy = (t.dir / "scan.energy").string();
    ASSERT_EQ(testing_support::RunCli({"scan", t.write("stopped.log", text), "-o", energy}, out, err), 0) << err;
    EXPECT_NE(err.find("scan point(s) 2 "), std::string::npos) << err;
    const std::string written = testing_support::ReadFile(energy);
    EXPECT_NE(written.find("2     -76.4083117702          unconverged\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("1     -76.4091250017          \r\n"), std::string::npos) << written;
}

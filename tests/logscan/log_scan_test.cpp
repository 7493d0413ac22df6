// The keyword index and the analysis report grid built by "Open Log/Out File (Opt,Freq)".
#include <gtest/gtest.h>

#include "core/text_file.h"
#include "logscan/log_scan.h"
#include "scan_test_support.h"

namespace {

using namespace scan_test;
using testing_support::TestApp;

TEST(LogScan, ChainedOptimisationAndFrequencyJobs) {
    TestApp t;
    const auto path = Fixture("water_opt_freq.log");
    ASSERT_TRUE(Open(t, path));
    const auto& log = t.app.log;
    const auto lines = Lines(path);

    // Three route lines of the first job, one of the second, at their own line numbers.
    auto route = RowsWithKeyword(t.app, "Gaussian job commands");
    ASSERT_EQ(route.size(), 4u);
    const int hash1 = static_cast<int>(Find(lines, "#p")) + 1;
    EXPECT_EQ(route[0].line, std::to_string(hash1));
    EXPECT_EQ(route[1].line, std::to_string(hash1 + 1));
    EXPECT_EQ(route[2].line, std::to_string(hash1 + 2));
    EXPECT_EQ(route[1].contents, "Opt=CalcAll Freq");
    EXPECT_EQ(log.njob, 4);
    EXPECT_EQ(log.job_pos[3], hash1 + 2);
    EXPECT_TRUE(log.opt_chk);  // the keyword sits on the second route line

    // Only the first job's energies are recorded; the second job's row is not numbered.
    EXPECT_EQ(log.ndone, 3);
    EXPECT_DOUBLE_EQ(log.scfengy[1], -75.312345671);
    EXPECT_DOUBLE_EQ(log.scfengy[3], -75.313467893);
    auto scf = RowsWithKeyword(t.app, "SCF Done");
    ASSERT_EQ(scf.size(), 4u);
    EXPECT_EQ(scf[0].keyword, "SCF Done: #1");
    EXPECT_EQ(scf[2].keyword, "SCF Done: #3");
    EXPECT_EQ(scf[3].keyword, "SCF Done:");
    EXPECT_EQ(scf[0].contents, "E(RB3LYP) =  -75.312345671     A.U. after    9 cycles");
    EXPECT_EQ(log.scfdone_pos[2], std::stoi(scf[1].line));
    EXPECT_TRUE(log.pick_energy_check);
    const auto& g = t.app.form3.StringGrid1;
    EXPECT_EQ(g.Cell(0, 0), "Remark");
    EXPECT_EQ(g.Cell(4, 0), "Message");

    // Frequencies of the optimisation job itself are excluded, the second job's recorded.
    auto freq = RowsWithKeyword(t.app, "Frequencies");
    ASSERT_EQ(freq.size(), 2u);
    EXPECT_EQ(freq[0].remark, "Excluded");
    EXPECT_EQ(freq[1].remark, "");
    EXPECT_EQ(freq[1].contents, "1713.0345              3727.4512              3849.6178");
    EXPECT_EQ(log.nfreq, 1);
    EXPECT_EQ(log.freq_pos[1], std::stoi(freq[1].line));
    auto zpe = RowsWithKeyword(t.app, "Zero-point correction");
    ASSERT_EQ(zpe.size(), 2u);
    EXPECT_EQ(zpe[0].remark, "Excluded");
    EXPECT_EQ(log.nzero, 1);

    EXPECT_EQ(log.nterm, 2);
    EXPECT_EQ(log.nterm_pos[1], LineNumbers(path, "Normal termination")[0]);
    EXPECT_EQ(log.nchgmlt, 2);
    auto title = RowsWithKeyword(t.app, "Title Section");
    ASSERT_EQ(title.size(), 2u);
    EXPECT_EQ(title[0].contents, "Water optimisation then frequencies");
    EXPECT_EQ(RowsWithKeyword(t.app, "Charge + Multiplicity")[0].contents, "Charge =  0 Multiplicity = 1");

    // Orientations: std_pos is 0-based, nstd one less than the number of headers.
    auto std = LineNumbers(path, "Standard orientation:");
    ASSERT_EQ(std.size(), 5u);
    EXPECT_EQ(log.nstd, 4);
    EXPECT_EQ(log.std_pos[0], std[0]);
    EXPECT_EQ(log.std_pos[4], std[4]);
    EXPECT_EQ(log.nforce, 4);
    EXPECT_EQ(log.force_pos[1], LineNumbers(path, "Maximum Force")[0]);
    EXPECT_EQ(log.nbasis, 7);
    EXPECT_EQ(log.nbsuse, 7);
    EXPECT_EQ(log.nmllkn, 3);
    EXPECT_EQ(log.ndipol, 3);
    EXPECT_EQ(RowsWithKeyword(t.app, "Dipole moment")[0].contents, "1.7231 Debye");
    EXPECT_EQ(log.nalphaocc, 3);
    EXPECT_FALSE(log.annihilation_check);

    // Element 0 of every position array carries no data.
    for (const auto* v : {&log.scfdone_pos, &log.force_pos, &log.freq_pos, &log.nterm_pos, &log.chgmlt_pos,
                          &log.job_pos, &log.mllkn_pos, &log.dipol_pos})
        EXPECT_EQ((*v)[0], 0);
    EXPECT_EQ(log.scfengy[0], 0.0);

    EXPECT_EQ(t.platform.MessageTexts().back(), "2 normal termination flag(s) found!");
}

TEST(LogScan, OpenShellDoublet) {
    TestApp t;
    const auto path = Fixture("oh_doublet.log");
    ASSERT_TRUE(Open(t, path));
    const auto& log = t.app.log;
    EXPECT_TRUE(log.annihilation_check);
    EXPECT_EQ(log.ndone, 2);
    EXPECT_EQ(log.nmllkn, 2);  // "Mulliken charges and spin densities:" is exactly 36 characters
    EXPECT_EQ(log.nbetaocc, 2);
    EXPECT_EQ(log.nbetavrt, 2);
    auto beta = RowsWithKeyword(t.app, "Beta  occ. eigenvalues");
    ASSERT_EQ(beta.size(), 2u);
    EXPECT_EQ(beta[0].contents, " -20.39876  -1.15432  -0.52345  -0.45678");  // 10-character fields
    auto alpha = RowsWithKeyword(t.app, "Alpha virt. eigenvalues");
    ASSERT_FALSE(alpha.empty());
    EXPECT_EQ(alpha[0].contents, "   0.51234   0.67891");
}

TEST(LogScan, InputOrientationsStandInWhenThereIsNoStandardOne) {
    TestApp t;
    const auto path = Fixture("water_input_orientation.log");
    ASSERT_TRUE(Open(t, path));
    auto input = LineNumbers(path, "Input orientation:");
    ASSERT_EQ(input.size(), 3u);
    EXPECT_EQ(t.app.log.nstd, 2);
    EXPECT_EQ(t.app.log.std_pos[0], input[0]);
    EXPECT_EQ(t.app.log.std_pos[2], input[2]);
    EXPECT_EQ(RowsWithKeyword(t.app, "Input orientation:").size(), 3u);
}

TEST(LogScan, SinglePointWithBothOrientationsIndexesOnlyStandardOnes) {
    TestApp t;
    const auto path = Fixture("water_sp.log");
    ASSERT_TRUE(Open(t, path));
    EXPECT_FALSE(t.app.log.opt_chk);
    EXPECT_EQ(t.app.log.ndone, 1);
    EXPECT_EQ(t.app.log.nstd, 0);
    EXPECT_EQ(t.app.log.std_pos[0], LineNumbers(path, "Standard orientation:")[0]);
    EXPECT_TRUE(RowsWithKeyword(t.app, "Input orientation:").empty());
}

TEST(LogScan, UnconvergedScfIsListedButNotRecorded) {
    TestApp t;
    const auto path = Fixture("water_unconverged.log");
    ASSERT_TRUE(Open(t, path));
    auto scf = RowsWithKeyword(t.app, "SCF Done");
    ASSERT_EQ(scf.size(), 3u);
    EXPECT_EQ(scf[0].remark, "N/A");
    EXPECT_EQ(scf[0].message, "Convergence criterion not met");
    EXPECT_EQ(scf[0].keyword, "SCF Done:");
    EXPECT_EQ(scf[1].keyword, "SCF Done: #1");
    EXPECT_EQ(t.app.log.ndone, 2);
    EXPECT_DOUBLE_EQ(t.app.log.scfengy[1], -74.960123456);
}

TEST(LogScan, KeywordTestsAreExactWhereTheyMustBe) {
    TestApp t;
    auto path = Variant(t, "water_opt_freq.log", "edited.log", [](std::vector<std::string>& l) {
        l[Find(l, "Mulliken charges:")] = " Mulliken charges: (extra)";  // longer than 17
        l.insert(l.begin() + 50, " excited State   1:      Singlet-A1     7.0000 eV  177.12 nm  f=0.1000");
        l.insert(l.begin() + 51, " Excited State   1:      Singlet-A1     7.0000 eV  177.12 nm  f=0.1000  <S**2>=0.000");
        // An energy that is a whole number to three decimals is not an energy.
        l[Find(l, "SCF Done:", 2)] = " SCF Done:  E(RB3LYP) =  -75.000000000     A.U. after    9 cycles";
    });
    ASSERT_TRUE(Open(t, path));
    EXPECT_EQ(t.app.log.nmllkn, 2);
    EXPECT_EQ(t.app.log.nexstt, 1);
    EXPECT_EQ(t.app.log.exstt_pos[1], 52);
    EXPECT_EQ(t.app.log.tddft_file, path);
    auto ex = RowsWithKeyword(t.app, "Excited State");
    ASSERT_EQ(ex.size(), 1u);
    EXPECT_EQ(ex[0].keyword, "Excited State   1:");
    EXPECT_EQ(ex[0].contents, "Singlet-A1     7.0000 eV  177.12 nm  f=0.1000  <S**2>=0.000");
    EXPECT_EQ(t.app.log.ndone, 2);
    EXPECT_DOUBLE_EQ(t.app.log.scfengy[2], -75.313467893);
}

TEST(LogScan, RouteWithoutDashLineWithinFiveLinesRecordsNothing) {
    TestApp t;
    auto path = Variant(t, "water_sp.log", "noroute.log", [](std::vector<std::string>& l) {
        size_t hash = Find(l, "#p");
        l[hash + 1] = " Pop=Full";
        for (size_t k = hash + 2; k <= hash + 5; ++k) l[k] = " some text";
    });
    ASSERT_TRUE(Open(t, path));
    EXPECT_EQ(t.app.log.njob, 0);
    EXPECT_TRUE(RowsWithKeyword(t.app, "Gaussian job commands").empty());
}

TEST(LogScan, OptimisationWithoutOptKeywordKeepsFirstJobFrequencies) {
    TestApp t;
    auto path = Variant(t, "water_opt_freq.log", "noopt.log", [](std::vector<std::string>& l) {
        l[Find(l, "Opt=CalcAll Freq")] = " CalcAll Freq";
    });
    ASSERT_TRUE(Open(t, path));
    EXPECT_FALSE(t.app.log.opt_chk);
    EXPECT_EQ(t.app.log.nfreq, 2);
    EXPECT_EQ(RowsWithKeyword(t.app, "Frequencies")[0].remark, "");
}

// n lines, the first Gaussian's banner so that the file is taken for a Gaussian output.
std::string NumberedLines(int n) {
    std::string s = " Entering Gaussian System, Link 0=g16\n";
    for (int i = 2; i <= n; ++i) s += " line " + std::to_string(i) + "\n";
    return s;
}

TEST(LogScan, FewerThan200LinesAreRefusedBeforeAnythingIsReset) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_opt_freq.log")));
    const auto loaded = t.app.log;
    t.app.form1.StringGrid2.SetVisible(true);
    EXPECT_FALSE(Open(t, t.write("short.log", NumberedLines(199))));
    EXPECT_EQ(t.platform.MessageTexts().back(),
              "This LOG file seems too short to make analysis! Please check the content directly by your self!!!");
    EXPECT_EQ(t.app.log.nline, loaded.nline);
    EXPECT_FALSE(t.app.form1.StringGrid2.Visible());
    EXPECT_GT(t.app.form3.StringGrid1.RowCount(), 1);
    EXPECT_EQ(t.app.log.FileDum, loaded.FileDum);
    // Keywords among the lines of a refused file change no count of the loaded log.
    std::string energies = NumberedLines(100);
    for (int i = 0; i < 50; ++i) energies += " SCF Done:  E(RB3LYP) =  -75.3123456     A.U. after   9 cycles\n";
    EXPECT_FALSE(Open(t, t.write("short_energies.log", energies)));
    EXPECT_EQ(t.app.log.ndone, loaded.ndone);

    TestApp u;
    EXPECT_TRUE(Open(u, u.write("just.log", NumberedLines(200))));
    // The lines end without Gaussian's termination line: the only message says so.
    ASSERT_EQ(u.platform.messages.size(), 1u);
    EXPECT_TRUE(u.platform.messages[0].warning);
    EXPECT_TRUE(u.platform.messages[0].text.starts_with("The job did not finish"));
    // Without any SCF-done line the report header row stays empty.
    EXPECT_EQ(u.app.form3.StringGrid1.Cell(0, 0), "");
    EXPECT_EQ(u.app.form3.StringGrid1.RowCount(), 1);
}

TEST(LogScan, CancelOnlyHidesTheCoordinateGrids) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_sp.log")));
    t.app.form1.StringGrid3.SetVisible(true);
    const int rows = t.app.form3.StringGrid1.RowCount();
    t.platform.AnswerOpen(std::nullopt);
    t.app.form1.OpenLOG1Click();
    EXPECT_FALSE(t.app.form1.StringGrid3.Visible());
    EXPECT_EQ(t.app.form3.StringGrid1.RowCount(), rows);
    EXPECT_EQ(t.app.log.ndone, 1);
}

TEST(LogScan, ASecondScanStartsFromCleanGrids) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_opt_freq.log")));
    t.app.form4.StringGrid1.SetRowCount(9);
    t.app.form4.StringGrid1.SetCell(0, 5, "old");
    ASSERT_TRUE(Open(t, Fixture("water_sp.log")));
    EXPECT_EQ(t.app.log.ndone, 1);
    EXPECT_EQ(t.app.log.nterm, 1);
    EXPECT_TRUE(RowsWithKeyword(t.app, "Frequencies").empty());
    EXPECT_EQ(t.app.form1.StringGrid1.RowCount(), 2);
    EXPECT_EQ(t.app.form1.StringGrid1.ColCount(), 5);  // no convergence columns left over
    EXPECT_EQ(t.app.form4.StringGrid1.Cell(0, 5), "");
    EXPECT_EQ(t.app.log.dirinfo, std::filesystem::path(Fixture("water_sp.log")).parent_path().string());
}

TEST(LogScan, NonNumericEnergyStopsTheScanKeepingRowsWritten) {
    TestApp t;
    auto path = Variant(t, "water_opt_freq.log", "bad.log", [](std::vector<std::string>& l) {
        l[Find(l, "SCF Done:", 2)] = " SCF Done:  E(RB3LYP) =  -75.31x456782     A.U. after    9 cycles";
    });
    EXPECT_FALSE(Open(t, path));
    ASSERT_FALSE(t.platform.messages.empty());
    EXPECT_TRUE(t.platform.messages.back().error);
    EXPECT_NE(t.platform.messages.back().text.find("-75.31x456782"), std::string::npos);
    EXPECT_EQ(t.app.log.ndone, 1);
    EXPECT_EQ(RowsWithKeyword(t.app, "SCF Done").size(), 2u);
}

TEST(LogScan, ScfDoneLineWithoutEnergyIsAClearError) {
    TestApp t;
    auto path = Variant(t, "water_sp.log", "noenergy.log", [](std::vector<std::string>& l) {
        l[Find(l, "SCF Done:")] = " SCF Done:  E(RHF) =";
    });
    EXPECT_FALSE(Open(t, path));
    EXPECT_NE(t.platform.messages.back().text.find("holds no energy value"), std::string::npos);
}

}  // namespace

namespace {

TEST(LogScanMenu, ItemsOpenScanShowAndSave) {
    using namespace scan_test;
    testing_support::TestApp t;
    auto& f1 = t.app.form1;
    for (auto* item : {&f1.OpenLOG1, &f1.AlanlysisReport1, &f1.Save1, &f1.SaveSCFEnergies1})
        EXPECT_TRUE(item->Enabled()) << item->Caption();
    t.platform.AnswerOpen(Fixture("water_sp.log"));
    ASSERT_TRUE(f1.OpenLOG1.Click());
    EXPECT_EQ(t.app.log.ndone, 1);
    EXPECT_EQ(t.platform.openRequests.back().title, "Open Log/Out File (Opt,Freq)");
    ASSERT_TRUE(f1.AlanlysisReport1.Click());
    EXPECT_TRUE(t.app.form3.Visible());
    EXPECT_EQ(t.app.form3.StringGrid1.ColWidth(3), 493);
}

}  // namespace

// The job summary phases on logs we wrote in Gaussian's layout, indexed by a small
// stand-in for the keyword scan.
#include <gtest/gtest.h>

#include <fstream>

#include "core/errors.h"
#include "summary_index_test.h"
#include "support/test_app.h"

namespace {

using summary_test::Summarise;
using testing_support::ReadFile;
using testing_support::TestApp;

std::string Fixture(const std::string& name) { return TestApp::data("summary/" + name); }

std::vector<std::string> SummaryLines(const mavrolin::Application& app) {
    std::vector<std::string> lines;
    const auto& g = app.form4.StringGrid3;
    for (int r = 0; r < g.RowCount(); ++r) lines.push_back(g.Cell(1, r));
    return lines;
}

std::vector<std::string> Column(const ui::StringGrid& g, int col) {
    std::vector<std::string> v;
    for (int r = 0; r < g.RowCount(); ++r) v.push_back(g.Cell(col, r));
    return v;
}

// Lines of a fixture, with one replaced or the file cut, written into the test folder.
std::string Variant(const TestApp& t, const std::string& fixture, const std::string& name,
                    const std::function<void(std::vector<std::string>&)>& edit) {
    std::vector<std::string> lines;
    std::ifstream in(Fixture(fixture));
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    edit(lines);
    std::string text;
    for (auto& l : lines) text += l + "\n";
    return t.write(name, text);
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& start, int occurrence = 1) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].starts_with(start) && --occurrence == 0) return i;
    ADD_FAILURE() << "no line starting with " << start;
    return 0;
}

TEST(JobSummary, ClosedShellOptimisationThenFrequencies) {
    TestApp t;
    ASSERT_TRUE(Summarise(t.app, Fixture("h2co_opt_freq.log")));
    auto s = SummaryLines(t.app);
    ASSERT_EQ(s.size(), 43u);
    EXPECT_EQ(s[0], "");
    EXPECT_EQ(s[1], "Creaded on 2026/12/09 12:00:00");  // an optimisation: no warning
    EXPECT_EQ(s[3], "#p B3LYP/6-31G(d) Opt");
    EXPECT_EQ(s[5], "Title: Formaldehyde optimisation and frequencies");
    EXPECT_EQ(s[7], "Charge/Multiplicity: Charge =  0 Multiplicity = 1");
    EXPECT_EQ(s[9], "#p B3LYP/6-31G(d) Freq Geom=AllCheck Guess=Read");
    // The last energy of the optimisation and the one line after it, as printed.
    EXPECT_EQ(s[14], "");
    EXPECT_EQ(s[15], " SCF Done:  E(RB3LYP) =  -114.500167723     A.U. after    8 cycles");
    EXPECT_EQ(s[16], "            NFock=  8  Conv=0.38D-08     -V/T= 2.0091");
    EXPECT_EQ(s[17], "");
    // The final convergence table with its heading and the line after it.
    EXPECT_EQ(s[18], "         Item               Value     Threshold  Converged?");
    EXPECT_EQ(s[19], " Maximum Force            0.000041     0.000450     YES");
    EXPECT_EQ(s[23], " Predicted change in Energy=-9.412235D-09");
    EXPECT_EQ(s[24], " Optimization completed.");
    EXPECT_EQ(s[26], "Dipole moment (Debye):X=  0.0000  Y=  0.0000  Z=  -2.1760  Tot=  2.1760");
    EXPECT_EQ(s[28], "                      1                      2                      3");
    EXPECT_EQ(s[30], " Frequencies --   1191.2087              1253.8764              1535.4322");
    EXPECT_EQ(s[33], " IR Inten    --      5.4321                11.2345                 9.8765");
    EXPECT_EQ(s[35], " Zero-point correction=                           0.026712 (Hartree/Particle)");
    EXPECT_EQ(s[42], " Sum of electronic and thermal Free Energies=         -114.494018");

    EXPECT_EQ(t.app.log.charge, 0);
    EXPECT_EQ(t.app.log.multpl, 1);
    // Final structure (the frequency job's orientation) with that job's charges.
    const auto& st = t.app.form4.StringGrid2;
    ASSERT_EQ(st.ColCount(), 5);
    ASSERT_EQ(st.RowCount(), 5);
    EXPECT_EQ(Column(st, 0), (std::vector<std::string>{"Atom Label", "C1", "O2", "H3", "H4"}));
    EXPECT_EQ(st.Cell(2, 3), "0.936241");
    EXPECT_EQ(st.Cell(3, 4), "-1.102930");
    EXPECT_EQ(Column(st, 4), (std::vector<std::string>{"Mulliken Charge", "0.131900", "-0.436740", "0.152420",
                                                       "0.152420"}));
    // One row per mode, one column per property line, headed by the log's labels.
    const auto& fq = t.app.form4.StringGrid1;
    EXPECT_EQ(t.app.log.npfreq, 6);
    EXPECT_EQ(t.app.log.freq_item, 4);
    ASSERT_EQ(fq.ColCount(), 4);
    ASSERT_EQ(fq.RowCount(), 7);
    EXPECT_EQ(Column(fq, 0), (std::vector<std::string>{"Frequencies", "1191.2087", "1253.8764", "1535.4322",
                                                       "1822.1193", "2857.3348", "2917.4426"}));
    EXPECT_EQ(fq.Cell(1, 0), "Red. masses");
    EXPECT_EQ(fq.Cell(2, 0), "Frc consts");
    EXPECT_EQ(fq.Cell(3, 0), "IR Inten");
    EXPECT_EQ(fq.Cell(3, 6), "150.8816");
    EXPECT_TRUE(t.platform.messages.empty());
}

TEST(JobSummary, OpenShellDoubletSinglePoint) {
    TestApp t;
    ASSERT_TRUE(Summarise(t.app, Fixture("ch3_doublet.log")));
    auto s = SummaryLines(t.app);
    EXPECT_EQ(s[1], "Creaded on 2026/12/09 12:00:00 ## No Opt Keyword in this Job ##");
    EXPECT_EQ(s[7], "Charge/Multiplicity: Charge =  0 Multiplicity = 2 (Unrestricted)");
    // Six lines after the energy: spin expectation values and the annihilation lines.
    ASSERT_GE(s.size(), 16u);
    EXPECT_EQ(s[9], " SCF Done:  E(UB3LYP) =  -39.838286112     A.U. after   14 cycles");
    EXPECT_EQ(s[11], " <Sx>= 0.0000 <Sy>= 0.0000 <Sz>= 0.5000 <S**2>= 0.7539 S= 0.5013");
    EXPECT_EQ(s[15], " S**2 before annihilation     0.7539,   after     0.7500");
    EXPECT_EQ(s[16], "");
    EXPECT_EQ(t.app.log.multpl, 2);

    const auto& st = t.app.form4.StringGrid2;
    ASSERT_EQ(st.ColCount(), 6);
    EXPECT_EQ(st.Cell(5, 0), "Spin Density");
    EXPECT_EQ(Column(st, 0), (std::vector<std::string>{"Atom Label", "C1", "H2", "H3", "H4"}));
    EXPECT_EQ(st.Cell(1, 3), "0.934894");
    EXPECT_EQ(Column(st, 4), (std::vector<std::string>{"Mulliken Charge", "-0.521314", "0.173771", "0.173772",
                                                       "0.173771"}));
    EXPECT_EQ(Column(st, 5), (std::vector<std::string>{"Spin Density", "1.221583", "-0.073861", "-0.073861",
                                                       "-0.073861"}));
    // No frequencies: the table keeps its one empty data row.
    EXPECT_EQ(t.app.form4.StringGrid1.RowCount(), 2);
}

// A log printed with high-precision modes lists every mode twice; the table has each once.
TEST(JobSummary, HighPrecisionModesAreNotCountedTwice) {
    TestApp t;
    ASSERT_TRUE(Summarise(t.app, Fixture("h2co_hpmodes.log")));
    ASSERT_EQ(t.app.log.nfreq, 4);  // two high-precision and two standard blocks
    const auto& fq = t.app.form4.StringGrid1;
    EXPECT_EQ(t.app.log.npfreq, 6);
    EXPECT_EQ(t.app.log.freq_item, 4);
    ASSERT_EQ(fq.RowCount(), 7);
    EXPECT_EQ(Column(fq, 0), (std::vector<std::string>{"Frequencies", "1191.2087", "1253.8764", "1535.4322",
                                                       "1822.1193", "2857.3348", "2917.4426"}));
    EXPECT_EQ(fq.Cell(1, 0), "Red. masses");
    auto s = SummaryLines(t.app);
    // The first frequency lines in the summary are those of the standard listing.
    EXPECT_NE(std::find(s.begin(), s.end(), " Frequencies --   1191.2087              1253.8764              1535.4322"),
              s.end());
    // A job without optimisation: structure from its only orientation, then the first
    // convergence table after the frequencies, then the thermochemistry.
    EXPECT_EQ(t.app.form4.StringGrid2.Cell(0, 2), "O2");
    EXPECT_NE(std::find(s.begin(), s.end(), " Maximum Force            0.000012     0.000450     YES"), s.end());
    EXPECT_EQ(s.back(), " Sum of electronic and thermal Free Energies=         -114.494018");
}

// Only the standard blocks exist in their layout when high precision is all there is.
TEST(JobSummary, HighPrecisionListingAloneStillGivesTheTable) {
    TestApp t;
    auto path = Variant(t, "h2co_hpmodes.log", "hp_only.log", [](auto& lines) {
        size_t from = IndexOf(lines, " Harmonic frequencies", 2);
        size_t to = IndexOf(lines, " - Thermochemistry -") - 1;
        lines.erase(lines.begin() + static_cast<long>(from), lines.begin() + static_cast<long>(to));
    });
    ASSERT_TRUE(Summarise(t.app, path));
    const auto& fq = t.app.form4.StringGrid1;
    EXPECT_EQ(t.app.log.npfreq, 6);
    ASSERT_EQ(fq.RowCount(), 7);
    EXPECT_EQ(fq.Cell(0, 0), "Frequencies");
    EXPECT_EQ(fq.Cell(1, 0), "Reduced masses");
    EXPECT_EQ(fq.Cell(0, 6), "2917.4426");
    EXPECT_EQ(fq.Cell(3, 5), "66.2297");
}

TEST(JobSummary, LogCutInsideAFrequencyBlockKeepsWhatWasRead) {
    TestApp t;
    EXPECT_FALSE(Summarise(t.app, Fixture("h2co_cut_in_freq.log")));
    EXPECT_EQ(t.platform.MessageTexts(), std::vector<std::string>{"Error on extracting frequency data!"});
    EXPECT_TRUE(t.platform.messages[0].centred);
    const auto& fq = t.app.form4.StringGrid1;
    ASSERT_EQ(fq.RowCount(), 7);
    EXPECT_EQ(fq.Cell(0, 3), "1535.4322");
    EXPECT_EQ(fq.Cell(0, 4), "1822.1193");  // the cut block's lines that exist
    EXPECT_EQ(fq.Cell(1, 4), "7.7418");
    EXPECT_EQ(fq.Cell(1, 6), "1.1155");
    EXPECT_EQ(fq.Cell(2, 4), "");  // cut before the force constants
    // Everything before the cut is in the summary and the structure.
    EXPECT_EQ(t.app.form4.StringGrid2.Cell(4, 2), "-0.436740");
}

TEST(JobSummary, LogCutInsideTheFirstFrequencyBlock) {
    TestApp t;
    auto path = Variant(t, "h2co_opt_freq.log", "cut1.log", [](auto& lines) {
        lines.resize(IndexOf(lines, " Frequencies --") + 1);
    });
    EXPECT_FALSE(Summarise(t.app, path));
    // The summary misses the lines after the frequency line, the table its block length.
    EXPECT_EQ(t.platform.MessageTexts(),
              (std::vector<std::string>{"Abnormal ending of the file! Check your log file!!",
                                        "Error on extracting frequency data!"}));
    EXPECT_EQ(t.app.form4.StringGrid1.RowCount(), 4);
    EXPECT_EQ(t.app.form4.StringGrid1.Cell(0, 1), "");
}

TEST(JobSummary, LogCutInsideTheMullikenTable) {
    TestApp t;
    auto path = Variant(t, "h2co_opt_freq.log", "cut2.log", [](auto& lines) {
        lines.resize(IndexOf(lines, " Mulliken charges:", 3) + 4);  // header, column line, two atoms
    });
    EXPECT_FALSE(Summarise(t.app, path));
    EXPECT_EQ(t.platform.MessageTexts(),
              std::vector<std::string>{"Abnormal ending of the file! Check your log file!!"});
    const auto& st = t.app.form4.StringGrid2;
    EXPECT_EQ(Column(st, 4), (std::vector<std::string>{"Mulliken Charge", "0.131900", "-0.436740", "", ""}));
    EXPECT_EQ(st.Cell(0, 4), "H4");
}

TEST(JobSummary, LogCutInsideTheFinalOrientation) {
    TestApp t;
    auto path = Variant(t, "h2co_opt_freq.log", "cut3.log", [](auto& lines) {
        lines.resize(IndexOf(lines, "                         Standard orientation:", 5) + 6);
    });
    EXPECT_FALSE(Summarise(t.app, path));
    EXPECT_EQ(t.platform.MessageTexts(),
              std::vector<std::string>{"Abnormal ending of the file! Check your log file!!"});
    const auto& st = t.app.form4.StringGrid2;
    EXPECT_EQ(st.RowCount(), 2);
    EXPECT_EQ(st.Cell(0, 1), "C1");
    // The lines before the cut made it into the summary.
    EXPECT_EQ(SummaryLines(t.app)[19], " Maximum Force            0.000041     0.000450     YES");
}

TEST(JobSummary, LogCutRightAfterTheChargeLine) {
    TestApp t;
    auto path = Variant(t, "ch3_doublet.log", "cut4.log", [](auto& lines) {
        lines.resize(IndexOf(lines, " Charge =") + 1);
    });
    summary_test::Index(t.app, path);
    t.app.log.nstd = 0;  // as if the file had been longer when it was indexed
    t.app.log.std_pos = {400, 0, 0};
    t.app.log.nline = 500;
    EXPECT_FALSE(t.app.Dispatch([&] { summary_test::RunPhases(t.app); }));
    EXPECT_EQ(t.platform.MessageTexts(),
              std::vector<std::string>{"Abnormal ending of the file! Check your log file!!"});
    EXPECT_EQ(t.app.log.multpl, 2);
}

TEST(JobSummary, ChargeLineBeyondTheEndReportsExtractionError) {
    TestApp t;
    summary_test::Index(t.app, Fixture("ch3_doublet.log"));
    t.app.log.chgmlt_pos[1] = 5000;
    EXPECT_FALSE(t.app.Dispatch([&] { mavrolin::JobSummaryDetailsPhase(t.app); }));
    EXPECT_EQ(t.platform.MessageTexts(), std::vector<std::string>{"Error on extracting the data!"});
}

// The same log with CR LF line ends, a very long line of invalid bytes and NULs, and
// lines of blanks and tabs gives the same summary.
TEST(JobSummary, LineEndsLongLinesAndInvalidBytesDoNotMatter) {
    TestApp plain;
    ASSERT_TRUE(Summarise(plain.app, Fixture("h2co_opt_freq.log")));

    TestApp t;
    std::string junk(200000, '\xff');
    for (size_t i = 0; i < junk.size(); i += 7) junk[i] = static_cast<char>(i % 256);
    std::string noisy;
    std::ifstream in(Fixture("h2co_opt_freq.log"));
    int n = 0;
    for (std::string l; std::getline(in, l);) {
        noisy += l + "\r\n";
        if (++n == 40) noisy += junk + "\r\n";  // inside the first job, before any table we copy
    }
    auto path = t.write("noisy.log", noisy);
    ASSERT_TRUE(Summarise(t.app, path));
    auto a = SummaryLines(plain.app), b = SummaryLines(t.app);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 2; i < a.size(); ++i) EXPECT_EQ(a[i], b[i]) << "row " << i;
    for (int c = 0; c < 5; ++c) EXPECT_EQ(Column(plain.app.form4.StringGrid2, c), Column(t.app.form4.StringGrid2, c));
    for (int c = 0; c < 4; ++c) EXPECT_EQ(Column(plain.app.form4.StringGrid1, c), Column(t.app.form4.StringGrid1, c));
}

TEST(JobSummary, GhostAndUnknownAtomicNumbersAreLabelledBq) {
    TestApp t;
    auto path = Variant(t, "ch3_doublet.log", "ghost.log", [](auto& lines) {
        size_t first = IndexOf(lines, "                         Standard orientation:") + 5;
        lines[first + 1].replace(7, 11, "          0");    // a ghost centre
        lines[first + 2].replace(7, 11, "        119");    // beyond the table
        lines[first + 3].replace(7, 11, "         -1");
    });
    ASSERT_TRUE(Summarise(t.app, path));
    EXPECT_EQ(Column(t.app.form4.StringGrid2, 0), (std::vector<std::string>{"Atom Label", "C1", "Bq2", "Bq3", "Bq4"}));
    EXPECT_EQ(t.app.form4.StringGrid2.Cell(1, 3), "0.934894");
}

// Without an orientation table there is no atom to hang a charge on.
TEST(JobSummary, NoChargesWithoutAStructure) {
    TestApp t;
    auto path = Variant(t, "ch3_doublet.log", "noorient.log", [](auto& lines) {
        lines[IndexOf(lines, "                         Standard orientation:")] = " Orientation left out";
    });
    ASSERT_TRUE(Summarise(t.app, path));
    const auto& st = t.app.form4.StringGrid2;
    EXPECT_EQ(st.RowCount(), 2);
    EXPECT_EQ(st.Cell(4, 1), "");
    EXPECT_EQ(st.Cell(5, 1), "");
}

TEST(JobSummary, OddChargeLineIsReportedAndClosedShellLayoutKept) {
    TestApp t;
    ASSERT_TRUE(Summarise(t.app, Fixture("ch3_doublet.log")));
    ASSERT_EQ(t.app.log.multpl, 2);
    // A second log whose charge line does not have its six tokens must not inherit the
    // doublet layout of the first.
    auto path = Variant(t, "ch3_doublet.log", "odd.log", [](auto& lines) {
        lines[IndexOf(lines, " Charge =")] = " Charge =  0 Multiplicity = 2 in supermolecule";
    });
    ASSERT_TRUE(Summarise(t.app, path));
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_EQ(t.platform.messages[0].text,
              "Something is wrong! The code read for charge & multiplicity was --> Charge =  0 Multiplicity = 2 in "
              "supermolecule");
    EXPECT_FALSE(t.platform.messages[0].centred);
    EXPECT_EQ(t.app.log.multpl, 1);
    EXPECT_EQ(t.app.form4.StringGrid2.ColCount(), 5);
}

// "Multiplicity =10" has no blank after "=": both numbers are still read, without a message.
TEST(JobSummary, HighMultiplicityWithoutABlankIsRead) {
    TestApp t;
    auto path = Variant(t, "ch3_doublet.log", "high.log", [](auto& lines) {
        lines[IndexOf(lines, " Charge =")] = " Charge = -3 Multiplicity =10";
    });
    ASSERT_TRUE(Summarise(t.app, path));
    EXPECT_TRUE(t.platform.messages.empty()) << t.platform.messages[0].text;
    EXPECT_EQ(t.app.log.charge, -3);
    EXPECT_EQ(t.app.log.multpl, 10);
}

TEST(JobSummary, NonIntegerChargeStopsWithConversionError) {
    TestApp t;
    auto path = Variant(t, "ch3_doublet.log", "bad.log", [](auto& lines) {
        lines[IndexOf(lines, " Charge =")] = " Charge =  x Multiplicity = 2";
    });
    EXPECT_FALSE(Summarise(t.app, path));
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_TRUE(t.platform.messages[0].error);
    auto path2 = Variant(t, "ch3_doublet.log", "big.log", [](auto& lines) {
        lines[IndexOf(lines, " Charge =")] = " Charge =  70000 Multiplicity = 2";
    });
    EXPECT_FALSE(Summarise(t.app, path2));
}

// Header phase on its own: route continuation lines join, and it needs a report to read.
TEST(JobSummaryHeader, JoinsRouteContinuationLinesAndNeedsReportRows) {
    TestApp t;
    auto& report = t.app.form3.StringGrid1;
    report.SetColCount(5);
    report.SetRowCount(1);
    t.app.log.opt_chk = true;
    summary_test::AddRow(t.app, 12, "Gaussian job commands", "#p B3LYP/6-31G(d) Opt=(Tight,");
    mavrolin::JobSummaryHeaderPhase(t.app);
    EXPECT_EQ(t.app.form4.StringGrid3.RowCount(), 2);  // two rows or fewer: nothing to summarise
    EXPECT_EQ(t.app.form4.StringGrid3.Cell(1, 1), "");

    summary_test::AddRow(t.app, 13, "Gaussian job commands", "CalcFC) Freq");
    summary_test::AddRow(t.app, 20, "Title Section", "Title line");
    summary_test::AddRow(t.app, 99, "Gaussian job commands", "#p B3LYP/6-31G(d) Freq");
    mavrolin::JobSummaryHeaderPhase(t.app);
    auto s = SummaryLines(t.app);
    EXPECT_EQ(s, (std::vector<std::string>{"", "Creaded on 2026/12/09 12:00:00", "",
                                           "#p B3LYP/6-31G(d) Opt=(Tight,CalcFC) Freq", "", "Title: Title line", "",
                                           "#p B3LYP/6-31G(d) Freq"}));
}

TEST(JobSummary, ExcludedFrequencyLinesOfTheOptimisationAreLeftOut) {
    TestApp t;
    summary_test::Index(t.app, Fixture("h2co_opt_freq.log"));
    // A frequency line of the optimisation job, marked by the scan and not recorded.
    summary_test::AddRow(t.app, 100, "Frequencies", "1.0 2.0 3.0", core::HitRemark::Excluded);
    ASSERT_TRUE(t.app.Dispatch([&] { summary_test::RunPhases(t.app); }));
    EXPECT_EQ(t.app.log.npfreq, 6);
    EXPECT_EQ(t.app.form4.StringGrid1.RowCount(), 7);
}

}  // namespace

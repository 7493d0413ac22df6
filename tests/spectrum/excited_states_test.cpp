// Reading the excited states: state lines, ESI rows, blocks, trailers, HOMO, and the scan
// phase that fills the spectrum window.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "spectrum/excited_states.h"
#include "spectrum_test_support.h"

using namespace mavrolin::spectrum;
using spectrum_test::HasMessage;
using spectrum_test::Scan;
using testing_support::TestApp;

TEST(StateLine, ValuesAreFoundByTheirUnits) {
    struct Case {
        const char* line;
        int number;
        double nm, f;
    };
    const Case cases[] = {
        {"Excited State   1:      Singlet-BU     5.3351 eV  232.39 nm  f=0.1707  <S**2>=0.000", 1, 232.39, 0.1707},
        {"Excited State   1:   ?Spin  -B3G    0.5254 eV 2359.86 nm  f=0.0000  <S**2>=0.750", 1, 2359.86, 0.0},
        {"Excited State  12:      Triplet-?Sym    8.6955 eV  142.58 nm  f=0.0000", 12, 142.58, 0.0},
    };
    for (const auto& c : cases) {
        auto s = ParseStateLine(c.line);
        EXPECT_EQ(s.number, c.number) << c.line;
        EXPECT_EQ(s.nm, c.nm) << c.line;
        EXPECT_EQ(s.f, c.f) << c.line;
    }
    EXPECT_THROW(ParseStateLine("Excited State   1:   Singlet-A  5.0 eV  x nm  f=0.1"), core::ConversionError);
    EXPECT_THROW(ParseStateLine("Excited State   1:   Singlet-A  5.0 eV  248.0 nm"), core::ConversionError);
}

TEST(StateLine, DerivedWavenumberAndEnergyAreRoundedToSixDecimals) {
    EXPECT_DOUBLE_EQ(WavenumberOf(300.0), 33333.333333);
    EXPECT_DOUBLE_EQ(EnergyOfWavenumber(WavenumberOf(300.0)), 4.132811);
}

TEST(StateLine, BlocksStartWhereTheNumberingStartsAgain) {
    const int numbers[] = {1, 2, 3, 1, 2, 3, 1, 2};
    auto starts = BlockStarts(numbers);
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[1], 3u);
    EXPECT_EQ(starts[2], 6u);
}

TEST(ExcitedStatePhase, ClosedShellFillsArraysGridsAndLabels) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_closed.log"));
    auto& log = t.app.log;
    auto& f9 = t.app.form9;
    ASSERT_EQ(log.nexstt, 4);
    EXPECT_TRUE(t.app.form1.SpectraTDDFTResults1.Enabled());
    EXPECT_TRUE(HasMessage(t, "No. of Excited States = 4"));
    EXPECT_TRUE(HasMessage(t, "HOMO is #5"));
    EXPECT_EQ(t.app.form11.HOMOPos.Text(), "5");
    EXPECT_EQ(log.nm[4], 199.9);
    EXPECT_EQ(log.f[1], 0.05);
    // Compact list.
    EXPECT_EQ(f9.StringGrid1.RowCount(), 5);
    EXPECT_EQ(f9.StringGrid1.Cell(0, 2), "S0 --> S2");
    EXPECT_EQ(f9.StringGrid1.Cell(1, 2), "247.97");
    // ESI grid: the summary lines after state 1 make no rows; each state's header row is empty.
    EXPECT_EQ(log.nci_coeff[1], 3);
    EXPECT_EQ(log.nci_coeff[2], 2);
    EXPECT_EQ(log.nci_coeff[4], 2);
    EXPECT_EQ(log.exctd_pos[1], 0);
    EXPECT_EQ(log.exctd_pos[2], 5);
    EXPECT_EQ(f9.StringGrid2.RowCount(), 15);
    const int r = log.exctd_pos[2];
    EXPECT_EQ(f9.StringGrid2.Cell(0, r + 1), "5");
    EXPECT_EQ(f9.StringGrid2.Cell(1, r + 1), "->");
    EXPECT_EQ(f9.StringGrid2.Cell(2, r + 1), "6");
    EXPECT_EQ(f9.StringGrid2.Cell(3, r + 1), "0.70312");
    // The glued reverse arrow is split back into arrow and orbital.
    EXPECT_EQ(f9.StringGrid2.Cell(1, r + 2), "<-");
    EXPECT_EQ(f9.StringGrid2.Cell(2, r + 2), "7");
    EXPECT_EQ(f9.StringGrid2.Cell(3, r + 2), "0.10000");
    // ESI formatting ran: labels and the worked shares.
    EXPECT_EQ(f9.StringGrid2.Cell(5, r + 1), "MO5 -> MO6");
    EXPECT_EQ(f9.StringGrid2.Cell(6, r + 1), "98.017%");
    EXPECT_EQ(f9.StringGrid2.Cell(6, r + 2), "1.983%");
}

TEST(ExcitedStatePhase, UnrestrictedLabelsWithABlankAreRead) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_open.log"));
    auto& log = t.app.log;
    ASSERT_EQ(log.nexstt, 2);
    EXPECT_EQ(log.nm[1], 2359.86);
    EXPECT_EQ(log.f[1], 0.0);
    EXPECT_EQ(log.f[2], 0.041);
    auto& g = t.app.form9.StringGrid2;
    EXPECT_EQ(g.Cell(0, 1), "5A");
    EXPECT_EQ(g.Cell(2, 1), "6A");
    EXPECT_EQ(g.Cell(5, 1), "MO5A -> MO6A");
    EXPECT_EQ(t.app.form11.HOMOPos.Text(), "5");  // the letter is dropped for the HOMO
}

TEST(ExcitedStatePhase, ShortTrailerEndsTheLastStatesContributions) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_cisd.log"));
    auto& log = t.app.log;
    ASSERT_EQ(log.nexstt, 2);
    EXPECT_EQ(log.nci_coeff[2], 2);
    EXPECT_EQ(t.app.form9.StringGrid2.RowCount(), log.exctd_pos[2] + 3);
    EXPECT_EQ(t.app.form9.StringGrid2.Cell(6, log.exctd_pos[2] + 2), "12.887%");
    EXPECT_FALSE(t.platform.messages.empty());
    for (const auto& m : t.platform.messages) EXPECT_FALSE(m.error) << m.text;
}

TEST(ExcitedStatePhase, OnlyTheLastBlockIsImported) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_opt_blocks.log"));
    auto& log = t.app.log;
    ASSERT_EQ(log.nexstt, 3);
    EXPECT_NEAR(log.en_ev[1], 4.33, 0.001);
    EXPECT_TRUE(HasMessage(t, "3 blocks of excited states"));
    EXPECT_EQ(log.nci_coeff[1], 1);
    EXPECT_EQ(t.app.form9.StringGrid2.Cell(3, log.exctd_pos[1] + 1), "0.70300");
    EXPECT_FALSE(HasMessage(t, "Encountered an error"));
}

TEST(ExcitedStatePhase, AmplitudeLinesAndNonIntegerOrbitalsAreReported) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_eom.log"));
    auto& log = t.app.log;
    ASSERT_EQ(log.nexstt, 2);
    EXPECT_EQ(log.nci_coeff[1], 0);  // 34-character amplitude lines
    EXPECT_EQ(log.nci_coeff[2], 1);
    EXPECT_TRUE(HasMessage(t, "1 of 2 excited states have no contributions read"));
    EXPECT_TRUE(HasMessage(t, "HOMO is #0"));  // "3Ag" is no orbital number
}

TEST(ExcitedStatePhase, AScanWithoutStatesHidesAndForgetsTheSpectrum) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_closed.log"));
    t.app.form1.SpectraTDDFTResults1Click();
    ASSERT_TRUE(t.app.form9.Visible());
    ASSERT_TRUE(t.app.form9.Frame().valid);
    t.platform.AnswerOpen(TestApp::data("logscan/water_sp.log"));
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); }));
    EXPECT_FALSE(t.app.form9.Visible());
    EXPECT_FALSE(t.app.form9.Frame().valid);
    EXPECT_FALSE(t.app.form1.SpectraTDDFTResults1.Enabled());
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form9.SaveCalculatedSpectrum1Click(); }));
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form9.DrawSpecClick(); }));
}

TEST(ExcitedStatePhase, ContributionCountsDoNotWrapAtAByte) {
    std::string section = " Excited State   1:      Singlet-A1     5.0000 eV  247.97 nm  f=0.1000  <S**2>=0.000\n";
    for (int k = 0; k < 300; ++k) section += "       5 ->  6         0.01000\n";
    section += " SavETr:  write IOETrn=   770\n";
    TestApp t;
    auto path = t.write("many.log", section);
    const StateHeader headers[] = {{1, section.substr(1, section.find('\n') - 1)}};
    auto im = ReadExcitedStates(path, headers);
    ASSERT_EQ(im.nci_coeff.size(), 1u);
    EXPECT_EQ(im.nci_coeff[0], 300);
}

// A log cut inside a state line: the complete states are kept, with a warning naming it.
TEST(ExcitedStatePhase, ALogCutInsideAStateLineKeepsTheCompleteStates) {
    TestApp t;
    const std::string text = testing_support::ReadFile(spectrum_test::Fixture("td_closed.log"));
    const std::string cut = t.write("cut.log", text.substr(0, text.find(" Excited State   4:") + 40));
    std::string out, err;
    EXPECT_EQ(testing_support::RunCli({"spectrum", cut, "-o", (t.dir / "s.txt").string()}, out, err), 0) << err;
    EXPECT_NE(err.find("line 227"), std::string::npos) << err;
    t.platform.AnswerOpen(cut);
    t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); });
    EXPECT_EQ(t.app.log.nexstt, 3);
    EXPECT_TRUE(t.app.form1.SpectraTDDFTResults1.Enabled());
}

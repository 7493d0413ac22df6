// The ESI report: labels, shares, the table's selection and layout, the limits check, and
// the saved spectrum's rounding scale.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "spectrum/esi_report.h"
#include "spectrum/saved_spectrum.h"
#include "spectrum_test_support.h"

using namespace mavrolin::spectrum;
using spectrum_test::HasMessage;
using spectrum_test::Scan;
using testing_support::ReadFile;
using testing_support::TestApp;

TEST(EsiReport, SharesOfTheSummedSquares) {
    EXPECT_EQ(EsiShares({"0.70312", "0.10000"}), (std::vector<std::string>{"98.017%", "1.983%"}));
    EXPECT_EQ(EsiShares({"0.0", "0.00000"}), (std::vector<std::string>{"0%", "0%"}));
    EXPECT_EQ(EsiShares({"-0.5"}), (std::vector<std::string>{"100%"}));
    EXPECT_THROW(EsiShares({"x"}), core::ConversionError);
}

TEST(EsiReport, LabelsInTheThreeStyles) {
    struct Case {
        int style;
        const char *from, *to, *label;
    };
    const Case cases[] = {{1, "77", "78", "MO77 -> MO78"},   {2, "77", "78", "77 -> 78"},
                          {3, "77", "78", "#77 -> #78"},     {1, "77A", "78A", "MO77A -> MO78A"},
                          {2, "77B", "78B", "77B -> 78B"},   {3, "77A", "78A", "#77A -> #78A"},
                          {4, "77", "78", ""}};
    for (const auto& c : cases) EXPECT_EQ(EsiLabel(c.style, c.from, c.to), c.label) << c.style << c.from;
}

TEST(EsiReport, TableSelectsStatesAndComponentsByStrictLimits) {
    EsiReportInput in;
    in.states = {{1, 36295.4, 275.52, 0.05, {{"L1", "0.68000", "90%"}, {"L2", "-0.35000", "10%"}, {"L3", "-0.2", "0%"}}},
                 {2, 50000, 199.9, 0.3, {{"L4", "0.7", "100%"}}},
                 {3, 40000, 250, 0.005, {{"L5", "0.7", "100%"}}},
                 {4, 41000, 243.9, 0.02, {{"L6", "0.1", "100%"}}}};
    in.summary = {"summary line"};
    in.structure = {{"h"}, {"C1", "0.1", "0.2", "0.3", "-0.1", "0.0"}, {"H2", "1", "2", "3", "0.1", "0.0"}};
    in.structureCols = 6;
    auto lines = EsiReportLines(in);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 9);
    EXPECT_EQ(lines[2], "Excited State\tE (cm-1)\tl (nm)\tf^a ( > 0.01)\tMajor Transition\t|CI coef| ( > 0.2)");
    EXPECT_EQ(lines[4], "1\t36295\t275.52\t0.05\tL1\t0.68000 (90%)");
    EXPECT_EQ(lines[5], "\t\t\t\tL2\t-0.35000 (10%)");
    EXPECT_EQ(lines[6], "4\t41000\t243.9\t0.02\t");  // no component above the limit
    EXPECT_EQ(lines[7], std::string(114, '-'));
    EXPECT_EQ(lines[8], "a^Oscilator strength.");
    EXPECT_EQ(lines[11], "summary line");
    EXPECT_EQ(lines[16], "Table S**. Atomic coordinates used to carry out the TD-DFT calculation.");
    EXPECT_EQ(lines[18], "Atom\tX\tY\tZ\tMulliken Charge\tSpin Density");
    EXPECT_EQ(lines[20], "C1\t0.1\t0.2\t0.3\t-0.1\t0.0");
    EXPECT_EQ(lines.size(), 25u);

    in.structure.resize(2);  // two rows or fewer: no coordinates table
    EXPECT_EQ(EsiReportLines(in).size(), 14u);
    in.limits.ci = "big";
    EXPECT_EQ(BadEsiLimit(in.limits), "Threshold  for abs(CI coefficients)");
}

TEST(EsiReport, SavedFromTheWindowInTheChosenStyle) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_open.log"));
    auto& opts = t.app.form11;
    opts.style.SetValue(3);
    EXPECT_EQ(opts.description.Text(), "#77A -> #78A");
    opts.Show();
    const auto out = (t.dir.path() / "open.esi.txt").string();
    t.platform.AnswerSave(out);
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form11.SaveFile1Click(); }));
    EXPECT_EQ(t.platform.saveRequests.back().fileName, t.app.log.tddft_file + ".esi.txt");
    EXPECT_FALSE(opts.Visible());
    const auto text = ReadFile(out);
    EXPECT_NE(text.find("2\t25003\t399.95\t0.041\t#5A -> #7A\t0.91000 (90.197%)\r\n\t\t\t\t#5B -> #6B\t0.30000 (9.803%)\r\n"),
              std::string::npos)
        << text;
}

TEST(EsiReport, ALimitThatIsNotANumberLeavesTheOldFileAlone) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_closed.log"));
    const auto out = t.write("kept.esi.txt", "a good report\r\n");
    t.app.form11.nm_limit.SetText("2OO");
    t.platform.AnswerSave(out);
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form9.SaveESI1Click(); }));
    EXPECT_TRUE(HasMessage(t, "\"Lower Limit for Wavelength (nm)\" is not a number"));
    EXPECT_EQ(ReadFile(out), "a good report\r\n");
}

TEST(SavedSpectrum, RoundingScaleForAnyPositiveMaximum) {
    EXPECT_EQ(RoundingScale(0.525), 1000000000);
    EXPECT_EQ(RoundingScale(5), 100000000);
    EXPECT_EQ(RoundingScale(0.001), 1000000000000);  // beyond 32 bits
    EXPECT_EQ(RoundingScale(1e-30), 1000000000000000000);  // capped
    EXPECT_EQ(RoundingScale(0), 0);
    EXPECT_EQ(RoundingScale(-1), 0);
    const double curve[] = {0.123456789, 0.0};
    SavedSpectrumInput in{"job.log", "0.2", 2, "nm", 300, 400, 0.0, curve, {}};
    auto lines = SavedSpectrumLines(in);
    EXPECT_EQ(lines[11], "Wavelength (nm)\tAbsorption Intensity");
    EXPECT_EQ(lines[12], "    300.00\t    0.12345679");  // unrounded before formatting
    EXPECT_EQ(lines[13], "    400.00\t    0.00000000");
}

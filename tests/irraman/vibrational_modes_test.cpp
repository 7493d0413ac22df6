#include "irraman/vibrational_modes.h"

#include "irraman/band_curve.h"

#include <gtest/gtest.h>

#include "support/test_app.h"

using namespace mavrolin::irraman;
using testing_support::TestApp;

namespace {

std::vector<double> Frequencies(const std::vector<VibMode>& m) {
    std::vector<double> v;
    for (const auto& x : m) v.push_back(x.frequency);
    return v;
}

}  // namespace

// The second frequency job's set, with its Raman activities, replaces the first.
TEST(VibrationalModes, LastSetWithRamanActivities) {
    const VibModes m = ReadVibrationalModes(TestApp::data("irraman/h2co_two_freq_raman.log"));
    EXPECT_EQ(m.sets, 2);
    EXPECT_TRUE(m.hasRaman);
    EXPECT_FALSE(m.highPrecision);
    ASSERT_EQ(m.modes.size(), 6u);
    EXPECT_EQ(Frequencies(m.modes), (std::vector<double>{1180, 1250, 1530, 1810, 2850, 2910}));
    EXPECT_EQ(m.modes[4].number, 5);
    EXPECT_EQ(m.modes[4].symmetry, "A1");
    EXPECT_EQ(m.modes[4].ir, 66);
    EXPECT_EQ(m.modes[4].raman, 100.5);
    EXPECT_EQ(m.modes[1].raman, 3.25);
    EXPECT_TRUE(m.imaginary.empty());
    EXPECT_TRUE(m.overflowed.empty());
}

TEST(VibrationalModes, IrOnlyLogsStandardAndHighPrecision) {
    for (const auto& file : {"summary/h2co_opt_freq.log", "summary/h2co_hpmodes.log"}) {
        const VibModes m = ReadVibrationalModes(TestApp::data(file));
        EXPECT_FALSE(m.hasRaman) << file;
        EXPECT_FALSE(m.highPrecision) << file;  // the standard listing is read when present
        ASSERT_EQ(m.modes.size(), 6u) << file;
        EXPECT_EQ(m.modes[3].frequency, 1822.1193);
        EXPECT_EQ(m.modes[3].ir, 137.1102);
        EXPECT_EQ(m.modes[5].symmetry, "B2");
    }
    // A set printed only in the high-precision layout is read from it; a field that
    // overflowed into its neighbour ("5.4321**********") is split and that mode left out
    // of the IR spectrum.
    const std::string hp =
        " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering\n"
        "                           1         2         3\n"
        "                          B1        B2        A1\n"
        "       Frequencies ---  1191.2087 1253.8764 1535.4322\n"
        "    Reduced masses ---     1.3654    1.3421    1.1123\n"
        "    IR Intensities ---     5.4321**********    9.8765\n"
        " Coord Atom Element:\n";
    const VibModes m = ParseVibrationalModes(hp);
    EXPECT_TRUE(m.highPrecision);
    EXPECT_EQ(Frequencies(m.modes), (std::vector<double>{1191.2087, 1253.8764, 1535.4322}));
    EXPECT_EQ(m.modes[2].ir, 9.8765);
    EXPECT_EQ(ModesLeftOut(m, false), std::vector<int>{2});
}

TEST(VibrationalModes, ImaginaryAndOverflowedModesAreSetAside) {
    const VibModes m = ReadVibrationalModes(TestApp::data("irraman/h2co_imaginary.log"));
    ASSERT_EQ(m.imaginary.size(), 1u);
    EXPECT_EQ(m.imaginary[0].number, 1);
    EXPECT_EQ(m.imaginary[0].frequency, -412.3456);
    EXPECT_EQ(ModesLeftOut(m, false), std::vector<int>{3});
    EXPECT_EQ(Frequencies(m.modes), (std::vector<double>{1253.8764, 1535.4322, 1822.1193, 2857.3348, 2917.4426}));
    // A value line with a value missing cannot be attributed: the whole block is left out.
    const VibModes cut = ParseVibrationalModes(
        "                      1                      2\n"
        "                      A                      A\n"
        " Frequencies --    100.0000               200.0000\n"
        " IR Inten    --      1.0000\n"
        "  Atom  AN      X      Y      Z        X      Y      Z\n");
    EXPECT_EQ(ModesLeftOut(cut, false), (std::vector<int>{1, 2}));
    // A log cut inside a block, before its intensities: those modes are left out, the
    // complete block before them is kept.
    const VibModes end = ParseVibrationalModes(
        "                      1\n                      A\n Frequencies --    100.0000\n"
        " IR Inten    --      1.0000\n  Atom  AN      X      Y      Z\n"
        "                      2\n                      A\n Frequencies --    200.0000\n Red. masses --      1.0000");
    EXPECT_EQ(Frequencies(end.modes), std::vector<double>{100});
    EXPECT_EQ(end.overflowed, std::vector<int>{2});
}

// An overflowed Raman activity takes the mode out of the Raman spectrum only; an
// overflowed frequency out of both.
TEST(VibrationalModes, UnreadableValueLeavesOnlyItsSpectrum) {
    const VibModes m = ParseVibrationalModes(
        "                      1                      2                      3\n"
        "                     A1                     A1                     B2\n"
        " Frequencies --   1713.0345              3727.4512             **********\n"
        " IR Inten    --     75.1234                 1.8765                18.2345\n"
        " Raman Activ --***********************************************************\n"
        "  Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z\n");
    EXPECT_TRUE(m.hasRaman);
    EXPECT_EQ(Frequencies(m.modes), (std::vector<double>{1713.0345, 3727.4512}));
    EXPECT_EQ(ModesLeftOut(m, false), std::vector<int>{3});
    EXPECT_EQ(ModesLeftOut(m, true), (std::vector<int>{1, 2, 3}));
    IrCurve ir = ComputeIrCurve(m, CurveRequest{});
    ASSERT_TRUE(ir.Ok()) << ir.error;
    EXPECT_EQ(ir.stickModes, (std::vector<int>{1, 2}));
    CurveRequest raman;
    raman.raman = true;
    EXPECT_FALSE(ComputeIrCurve(m, raman).Ok());
}

TEST(VibrationalModes, LogWithoutFrequenciesIsEmpty) {
    EXPECT_TRUE(ReadVibrationalModes(TestApp::data("logscan/water_sp.log")).Empty());
    EXPECT_TRUE(ParseVibrationalModes(" Low frequencies ---   -7.1044   -0.0012\n").Empty());
}

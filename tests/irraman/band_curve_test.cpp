#include "irraman/band_curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace mavrolin::irraman;

namespace {

double Trapezoid(const std::vector<double>& x, const std::vector<double>& y) {
    double a = 0;
    for (size_t i = 1; i < x.size(); ++i) a += (x[i] - x[i - 1]) * (y[i] + y[i - 1]) / 2;
    return a;
}

VibModes OneMode(double frequency, double ir) {
    VibModes m;
    m.modes.push_back({1, frequency, ir, 0, "A1"});
    return m;
}

}  // namespace

// One band of area 50 and FWHM 10 at 1000 cm-1: its peak has the height of a unit-area band
// of that shape times 50, it falls to half at +-5 cm-1, and its area is 50.
TEST(BandCurve, OneModeBothShapesPeakHalfWidthAndArea) {
    struct Case {
        BandShape shape;
        double peak;  // per unit area
    };
    const double sigma = 10 / (2 * std::sqrt(2 * std::log(2.0)));
    for (const Case& c : {Case{BandShape::Lorentzian, 2 / (std::numbers::pi * 10)},
                          Case{BandShape::Gaussian, 1 / (sigma * std::sqrt(2 * std::numbers::pi))}}) {
        const Stick s{1000, 50};
        const auto grid = EvenGrid(-9000, 11000, 400001);  // step 0.05 cm-1, 1000 widths each side
        const auto y = BandCurve(c.shape, 10, std::span(&s, 1), grid);
        const auto top = std::max_element(y.begin(), y.end());
        EXPECT_NEAR(grid[static_cast<size_t>(top - y.begin())], 1000, 1e-9);
        EXPECT_NEAR(*top, 50 * c.peak, 1e-9);
        const auto half = BandCurve(c.shape, 10, std::span(&s, 1), std::vector<double>{995, 1005});
        EXPECT_NEAR(half[0], *top / 2, 1e-9);
        EXPECT_NEAR(half[1], *top / 2, 1e-9);
        // The Lorentzian tails beyond +-10000 cm-1 hold 2/pi * 5/10000 of the area.
        EXPECT_NEAR(Trapezoid(grid, y), 50, 50 * 4e-4) << (c.shape == BandShape::Gaussian ? "gauss" : "lorentz");
    }
}

TEST(BandCurve, ScaleFactorMovesThePeakAndSticks) {
    for (double scale : {1.0, 0.96, 1.05}) {
        CurveRequest rq;
        rq.scale = scale;
        rq.autoPoints = false;
        rq.points = 40001;
        rq.autoRange = false;
        rq.xmin = 0, rq.xmax = 4000;
        const IrCurve c = ComputeIrCurve(OneMode(1500, 20), rq);
        ASSERT_TRUE(c.Ok()) << c.error;
        const size_t top = static_cast<size_t>(std::max_element(c.y.begin(), c.y.end()) - c.y.begin());
        EXPECT_NEAR(c.x[top], 1500 * scale, 0.1);
        EXPECT_DOUBLE_EQ(c.sticks[0].x, 1500 * scale);
    }
}

TEST(BandCurve, AutomaticRangeAndPointsAndRefusals) {
    CurveRequest rq;
    IrCurve c = ComputeIrCurve(OneMode(1234, 10), rq);
    ASSERT_TRUE(c.Ok());
    EXPECT_EQ(c.xmin, 1100);  // whole hundreds, five widths to spare
    EXPECT_EQ(c.xmax, 1300);
    EXPECT_EQ(static_cast<int>(c.x.size()), AutoPoints(1100, 1300, 10));
    EXPECT_EQ(c.x.size(), 201u);  // ten points per width, at least 200

    struct Bad {
        double fwhm, scale, xmin, xmax;
        int points;
    };
    for (const Bad& b : {Bad{0, 1, 0, 100, 10}, Bad{10, -1, 0, 100, 10}, Bad{10, 1, 100, 100, 10},
                         Bad{10, 1, 500, 100, 10}, Bad{10, 1, 0, 100, 1}}) {
        CurveRequest r;
        r.fwhm = b.fwhm, r.scale = b.scale;
        r.autoRange = false, r.xmin = b.xmin, r.xmax = b.xmax;
        r.autoPoints = false, r.points = b.points;
        EXPECT_FALSE(ComputeIrCurve(OneMode(50, 1), r).Ok());
    }
    EXPECT_FALSE(ComputeIrCurve(VibModes{}, CurveRequest{}).Ok());
}

// I = (v0 - v)^4 S / (v (1 - exp(-h c v / k T))), normalised so the largest I is the largest S.
TEST(BandCurve, RamanIntensitiesFollowTheFormula) {
    const std::vector<double> v{500, 3000, 0, 20000}, s{10, 40, 5, 5};
    const auto in = RamanIntensities(v, s, 532, 298.15);
    const double v0 = 1e7 / 532, c2 = 6.62607015e-34 * 2.99792458e10 / (1.380649e-23 * 298.15);
    auto raw = [&](double f, double a) { return std::pow(v0 - f, 4) * a / (f * (1 - std::exp(-c2 * f))); };
    EXPECT_NEAR(in[0] / in[1], raw(500, 10) / raw(3000, 40), 1e-9);
    EXPECT_NEAR(std::max(in[0], in[1]), 40, 1e-9);
    EXPECT_EQ(in[2], 0);  // no frequency
    EXPECT_EQ(in[3], 0);  // beyond the excitation
    // A hotter sample raises the low-frequency band relative to the high one.
    const auto hot = RamanIntensities(v, s, 532, 600);
    EXPECT_GT(hot[0] / hot[1], in[0] / in[1]);
}

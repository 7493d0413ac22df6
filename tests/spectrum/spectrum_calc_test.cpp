// The spectrum computation as a pure function: ranges, curve, written-back bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/errors.h"
#include "spectrum/spectrum_calc.h"

using namespace mavrolin::spectrum;

namespace {

struct States {
    std::vector<double> en_ev, nm, f;
    Transitions View() const { return {en_ev, nm, f}; }
};

States Make(std::vector<double> ev, std::vector<double> f) {
    States s{ev, {}, f};
    for (double e : ev) s.nm.push_back(kHcEvNm / e);
    return s;
}

}  // namespace

TEST(SpectrumCalc, OneBrightStateGivesTheWorkedExample) {
    auto st = Make({3.0}, {0.5});
    CurveSettings cs;
    auto c = ComputeSpectrum(st.View(), cs);
    ASSERT_TRUE(c.Ok()) << c.message;
    EXPECT_DOUBLE_EQ(c.pkh_100, 0.6069708517540586);
    EXPECT_DOUBLE_EQ(c.dxmin, 2.393029148245941);
    EXPECT_DOUBLE_EQ(c.dxmax, 3.606970851754059);
    EXPECT_EQ(c.evMin, "2.4");
    EXPECT_EQ(c.evMax, "3.6");
    EXPECT_EQ(c.nmMin, "344.4");
    EXPECT_EQ(c.nmMax, "516.6");
    EXPECT_EQ(c.kayserMax, "Maximum Wavenumber (cm-1) = 29035.93");
    EXPECT_EQ(c.kayserMin, "Minimum Wavenumber (cm-1)= 19357.29");
    ASSERT_EQ(c.y.size(), 300u);
    EXPECT_NEAR(*std::max_element(c.y.begin(), c.y.end()), 0.499974, 5e-7);
    EXPECT_NEAR(c.y.front(), 0.005, 1e-12);
    EXPECT_NEAR(c.y.back(), 0.005, 1e-12);
    EXPECT_EQ(c.dymin, 0.0);
    EXPECT_NEAR(c.dymax, 0.524973, 5e-7);
    EXPECT_NEAR(c.scaling, 1.9947114, 1e-6);
}

TEST(SpectrumCalc, WavelengthAxisTakesTheRoundedConversionOfTheRoundedEnergies) {
    auto st = Make({3.0}, {0.5});
    CurveSettings cs;
    cs.unit = kUnitNm;
    auto c = ComputeSpectrum(st.View(), cs);
    ASSERT_TRUE(c.Ok());
    EXPECT_DOUBLE_EQ(c.dxmin, 344.4);
    EXPECT_DOUBLE_EQ(c.dxmax, 516.6);
    // The band stays Gaussian in energy: its peak sample sits near 413.3 nm (3.0 eV).
    auto peak = std::max_element(c.y.begin(), c.y.end()) - c.y.begin();
    EXPECT_NEAR(GridX(static_cast<int>(peak), c.dxmin, c.dxmax, 300), kHcEvNm / 3.0, 0.6);
}

TEST(SpectrumCalc, LowerBoundSkipsDarkAndLowStates) {
    struct Case {
        const char* name;
        std::vector<double> ev, f;
        double expectedMin;  // energy of the state that sets the bound
        double expectedMaxState;
    };
    const double w = 0.6069708517540586;
    const Case cases[] = {
        {"first state dark", {2.0, 3.0, 4.0}, {0.0, 0.2, 0.1}, 3.0, 4.0},
        {"bright state below the band width", {0.5, 3.0}, {0.4, 0.1}, 3.0, 3.0},
        {"dark last state still sets the upper bound", {2.0, 5.0}, {0.3, 0.0}, 2.0, 5.0},
    };
    for (const auto& k : cases) {
        auto st = Make(k.ev, k.f);
        auto c = ComputeSpectrum(st.View(), CurveSettings{});
        ASSERT_TRUE(c.Ok()) << k.name;
        EXPECT_DOUBLE_EQ(c.dxmin, k.expectedMin - w) << k.name;
        EXPECT_DOUBLE_EQ(c.dxmax, k.expectedMaxState + w) << k.name;
    }
}

TEST(SpectrumCalc, AllStatesDarkIsRefusedWithoutReadingPastTheStates) {
    auto st = Make({2.0, 3.0}, {0.0, 0.0});
    auto c = ComputeSpectrum(st.View(), CurveSettings{});
    EXPECT_EQ(c.status, SpectrumCurve::Status::NoBrightState);
    EXPECT_NE(c.message.find("Error termination!!"), std::string::npos);
    EXPECT_TRUE(c.y.empty());
}

TEST(SpectrumCalc, LowerBoundRoundingToZeroShowsPointOne) {
    // sigma 0.01 eV: W = 0.0303; a state at 0.07 eV gives dxmin 0.0397, shown as "0.1".
    auto st = Make({0.07, 3.0}, {0.1, 0.1});
    CurveSettings cs;
    cs.sigmaValue = 10;
    auto c = ComputeSpectrum(st.View(), cs);
    ASSERT_TRUE(c.Ok());
    EXPECT_EQ(c.evMin, "0.1");
    EXPECT_EQ(c.nmMax, "12398.4");
}

TEST(SpectrumCalc, UpperBoundRoundingToZeroKeepsThePreviousBound) {
    // A last state below the first: the upper bound 0.0403 eV rounds to 0.
    auto st = Make({0.04, 0.01}, {0.1, 0.1});
    CurveSettings cs;
    cs.sigmaValue = 10;
    cs.evMax = "7.5";
    auto c = ComputeSpectrum(st.View(), cs);
    EXPECT_EQ(c.refusedBound, "0");
    EXPECT_EQ(c.evMax, "7.5");
    EXPECT_EQ(c.nmMin, "165.3");
}

TEST(SpectrumCalc, ManualRangesAndEmptyRangesAreRefused) {
    auto st = Make({3.0}, {0.5});
    CurveSettings cs;
    cs.xAuto = false;
    cs.unit = kUnitCm;  // unit 3 still takes the eV bounds
    cs.evMin = "2";
    cs.evMax = "4";
    auto c = ComputeSpectrum(st.View(), cs);
    ASSERT_TRUE(c.Ok());
    EXPECT_EQ(c.dxmin, 2.0);
    EXPECT_EQ(c.dxmax, 4.0);
    EXPECT_FALSE(c.boundsWritten);

    cs.evMin = "4";  // equal bounds would divide by zero in the mapping
    EXPECT_EQ(ComputeSpectrum(st.View(), cs).status, SpectrumCurve::Status::BadRange);
    cs.evMin = "abc";
    EXPECT_THROW(ComputeSpectrum(st.View(), cs), core::ConversionError);

    cs.evMin = "2";
    cs.yAuto = false;
    cs.dispYmin = "0.3";
    cs.dispYmax = "0.3";
    EXPECT_EQ(ComputeSpectrum(st.View(), cs).status, SpectrumCurve::Status::BadRange);
    cs.unit = 4;
    EXPECT_EQ(ComputeSpectrum(st.View(), cs).status, SpectrumCurve::Status::NoUnit);
}

TEST(SpectrumCalc, CurveIsTheSumOfEveryBandOnBothAxes) {
    // Bands far apart and close together, narrow and wide: every sample equals the plain sum
    // of all bands to the last few digits, although far tails are not evaluated.
    auto st = Make({2.0, 2.05, 3.1, 5.5, 7.9}, {0.3, 0.1, 0.0, 0.7, 0.02});
    for (int unit : {kUnitEv, kUnitNm}) {
        for (int sigmaValue : {10, 200, 3000}) {
            CurveSettings cs;
            cs.unit = unit;
            cs.sigmaValue = sigmaValue;
            cs.points = 1001;
            cs.xAuto = false;
            cs.evMin = "1.5", cs.evMax = "9";
            cs.nmMin = "140", cs.nmMax = "800";
            auto c = ComputeSpectrum(st.View(), cs);
            ASSERT_TRUE(c.Ok());
            for (int i = 0; i < cs.points; i += 7) {
                double x = GridX(i, c.dxmin, c.dxmax, cs.points), e = unit == kUnitNm ? NmToEv(x) : x, sum = 0;
                for (size_t j = 0; j < st.en_ev.size(); ++j) sum += Gaus(st.en_ev[j], e, c.sigma) * st.f[j];
                EXPECT_NEAR(c.y[static_cast<size_t>(i)], sum, 1e-15) << unit << " " << sigmaValue << " " << i;
            }
        }
    }
}

TEST(SpectrumCalc, DisplayedConversions) {
    EXPECT_DOUBLE_EQ(EvToNmTenths(12), 103.3);
    EXPECT_DOUBLE_EQ(EvToCmHundredths(12), 96786.43);
    EXPECT_DOUBLE_EQ(NmToEvMillionths(10), 123.984329);
    EXPECT_DOUBLE_EQ(NmToCmTenths(10), 1000000);
}

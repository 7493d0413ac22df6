// The UV-vis figure: molar absorptivity from oscillator strengths, and what the figure plots.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "spectrum/spectrum_figure.h"

namespace {

using namespace mavrolin::spectrum;

TEST(UvFigure, OneStateOfUnitStrengthPeaksAtTheTextbookAbsorptivityAndIntegratesToF) {
    const std::vector<double> ev{4.0}, nm{1239.84 / 4.0}, f{1.0};
    const Transitions one{ev, nm, f};
    const double peak = MolarAbsorptivity(one, 0.2, 4.0 * kCmPerEvBand);
    EXPECT_NEAR(peak, 57260, 57260 * 1e-3);
    // f = 4.319e-9 ∫ε dν̃ over the band.
    double area = 0;
    for (double nu = 20000; nu < 44000; nu += 1) area += MolarAbsorptivity(one, 0.2, nu);
    EXPECT_NEAR(area * kAbsorptivityPerStrength, 1.0, 1e-6);
    // Half the strength, half the absorptivity; a second state far away adds nothing here.
    const std::vector<double> ev2{4.0, 8.0}, nm2{310, 155}, f2{0.5, 2.0};
    EXPECT_NEAR(MolarAbsorptivity({ev2, nm2, f2}, 0.2, 4.0 * kCmPerEvBand), peak / 2, peak * 1e-6);
}

TEST(UvFigure, WavelengthAxisCurveSticksAndComponents) {
    const std::vector<double> ev{3.0, 4.5}, nm{413.28, 275.52}, f{0.3, 0.8};
    UvFigureOptions o;
    o.components = true;
    const auto fig = UvFigure({ev, nm, f}, o);
    ASSERT_EQ(fig.panels.size(), 1u);
    const auto& p = fig.panels[0];
    // Two grey state bands, the total, the sticks on the right axis at the states' wavelengths.
    ASSERT_EQ(p.series.size(), 4u);
    const auto& total = p.series[2];
    const auto& sticks = p.series[3];
    EXPECT_TRUE(sticks.rightAxis);
    EXPECT_EQ(sticks.kind, ui::fig::SeriesKind::Sticks);
    EXPECT_NEAR(sticks.x[0], 1e7 / (3.0 * kCmPerEvBand), 1e-9);
    EXPECT_EQ(sticks.y, f);
    EXPECT_LT(p.x.min, sticks.x[1]);
    EXPECT_GT(p.x.max, sticks.x[0]);
    EXPECT_TRUE(std::is_sorted(total.x.begin(), total.x.end()));
    for (size_t i = 0; i < total.x.size(); i += 97)
        EXPECT_NEAR(total.y[i], p.series[0].y[i] + p.series[1].y[i], 1e-9 * (1 + total.y[i]));
    EXPECT_EQ(fig.csvX, "wavelength / nm");
}

}  // namespace

// The PDOS computation from coefficient tables and sets, its refusals and its files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/errors.h"
#include "core/number_text.h"
#include "pdos/pdos_calc.h"
#include "pdos_test_support.h"

using namespace mavrolin::pdos;
using pdos_test::Fixture;
using pdos_test::Lines;
using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

struct Mo {
    double ev;
    bool occupied;
    std::vector<double> coef;  // one per AO
};

CoefficientGrid Grid(const std::vector<Mo>& mos, const char* spin) {
    const int nbasis = static_cast<int>(mos[0].coef.size());
    CoefficientGrid g(nbasis, static_cast<int>(mos.size()));
    for (int c = 1; c <= g.nmo(); ++c) {
        const Mo& mo = mos[static_cast<size_t>(c) - 1];
        g.SetCell(c, 0,
                  std::to_string(c) + "_" + spin + (mo.occupied ? "o  " : "v  ") + core::FloatText(mo.ev / kHartreeToEv));
        for (int r = 1; r <= nbasis; ++r) g.SetCell(c, r, core::FloatText(mo.coef[static_cast<size_t>(r) - 1]));
    }
    for (int r = 1; r <= nbasis; ++r) g.SetCell(0, r, "L" + std::to_string(r));
    g.FormSums(kLogSumLabel);
    return g;
}

CoefficientTables Tables(const std::vector<Mo>& alpha, const std::vector<Mo>& beta = {}) {
    CoefficientTables t;
    t.file = "/data/water.log";
    t.nbasis = static_cast<int>(alpha[0].coef.size());
    t.nbsuse = t.nalpha = static_cast<int>(alpha.size());
    t.alpha = Grid(alpha, "a");
    if (!beta.empty()) {
        t.nbeta = static_cast<int>(beta.size());
        t.beta = Grid(beta, "b");
    }
    return t;
}

std::vector<UsedSet> Sets(std::vector<std::vector<int>> aos) {
    std::vector<UsedSet> out;
    for (size_t k = 0; k < aos.size(); ++k) out.push_back({static_cast<int>(k), aos[k]});
    return out;
}

std::string Refusal(const std::function<void()>& f) {
    try {
        f();
    } catch (const core::InputError& e) {
        return e.what();
    }
    return "(no refusal)";
}

const double kPeak = 1 / std::sqrt(2 * std::numbers::pi);

}  // namespace

// One occupied MO at -10 eV, a set holding all AOs, sigma 0.02 eV, grid from -30 eV with
// 3000 intervals: the grid ends at -9.86 eV and the density nearly reaches 1/sqrt(2 pi).
TEST(PdosCalc, OneLevelAtMinusTenEv) {
    auto t = Tables({{-10, true, {0.6, 0.8}}, {2, false, {0.8, -0.6}}});
    auto levels = ReadLevels(t, Sets({{1, 2}, {1}}));
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].occupied, 1);
    EXPECT_NEAR(levels[0].energies[0], -10, 1e-9);
    const auto range = DataRange(levels, 0.02);
    EXPECT_NEAR(range.dxmax, -9.86, 1e-9);
    EXPECT_NEAR(range.dxmin, -10.14, 1e-9);

    auto curves = ComputeDensities(levels, {0.02, -30, range.dxmax, 3000, true});
    EXPECT_EQ(curves.contributions, 3);
    EXPECT_NEAR(curves.Energy(1) - curves.Energy(0), 20.14 / 3000, 1e-12);
    const auto& all = curves.dens[0][0];
    const double peak = *std::max_element(all.begin(), all.end());
    EXPECT_GT(peak, 0.98 * kPeak);
    EXPECT_LE(peak, kPeak);
    const auto nearest = static_cast<size_t>(std::lround((-10 + 30) / (20.14 / 3000)));
    EXPECT_EQ(all[nearest], peak);
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_NEAR(all[i], curves.dens[0][2][i], 1e-12);        // all AOs: the total density
        EXPECT_NEAR(curves.dens[0][1][i], 0.36 * all[i], 1e-12);  // AO 1 holds 0.36 of the MO
    }
}

TEST(PdosCalc, OnlyOccupiedLevelsNearTheRangeTakePart) {
    auto t = Tables({{-50, true, {1.0}}, {-20, true, {1.0}}, {-12, true, {1.0}}, {-5, false, {1.0}}});
    auto levels = ReadLevels(t, Sets({{1}}));
    // -50 eV lies more than 6 sigma below -30 eV; the virtual MO at -5 eV never counts.
    auto curves = ComputeDensities(levels, {0.02, -30, -11.86, 1000, false});
    EXPECT_EQ(curves.contributions, 2);
    EXPECT_LT(curves.dens[0][0][0], 1e-300);
    int calls = 0;
    ComputeDensities(levels, {0.02, -30, -11.86, 1000, true}, [&](int done, int total) {
        ++calls;
        EXPECT_EQ(total, 4);
        EXPECT_EQ(done, calls);
    });
    EXPECT_EQ(calls, 4);
}

TEST(PdosCalc, RefusalsNameTheirCause) {
    auto t = Tables({{-10, true, {0.6, 0.8}}});
    auto levels = ReadLevels(t, Sets({{1}}));
    struct Case {
        const char* name;
        std::function<void()> run;
        const char* message;
    } cases[] = {
        {"no set", [&] { ReadLevels(t, {}); }, "Double clicking at the MO Coefficients Table is needed!"},
        {"AO beyond the tables", [&] { ReadLevels(t, Sets({{1}, {3}})); }, "PDOS-2 holds AO 3, but the coefficient tables of water.log have 2 AOs"},
        {"equal range", [&] { ComputeDensities(levels, {0.02, -5, -5, 100, false}); }, "must lie below"},
        {"minimum above the data", [&] { ComputeDensities(levels, {0.02, -9, -9.86, 100, false}); }, "must lie below"},
    };
    for (const auto& c : cases) {
        std::string m = Refusal(c.run);
        EXPECT_NE(m.find(c.message), std::string::npos) << c.name << ": " << m;
    }
}

// The older listing starts at orbital 4: a range that needs orbital 3 is refused by name,
// one above it is computed; the default listing has every occupied orbital.
TEST(PdosCalc, OrbitalsWithoutCoefficientsAreRefusedOnlyWhenNeeded) {
    auto old = pdos_test::Load(Fixture("oldstyle.log")).tables;
    auto levels = ReadLevels(old, Sets({{1, 2}}));
    EXPECT_EQ(levels[0].occupied, 5);
    const auto range = DataRange(levels, 0.02);
    std::string m = Refusal([&] { ComputeDensities(levels, {0.02, -30, range.dxmax, 500, false}); });
    EXPECT_NE(m.find("orbitals 3,"), std::string::npos) << m;
    EXPECT_NE(m.find("Pop=Full"), std::string::npos) << m;
    EXPECT_NO_THROW(ComputeDensities(levels, {0.02, -17, range.dxmax, 500, false}));

    auto regular = pdos_test::Load(Fixture("regular.log")).tables;
    auto all = ReadLevels(regular, Sets({{1, 2}}));
    EXPECT_NO_THROW(ComputeDensities(all, {0.02, -600, DataRange(all, 0.02).dxmax, 500, false}));
}

TEST(PdosCalc, DensityRangeClosedOpenAndEmpty) {
    auto closed = Tables({{-10, true, {1.0}}});
    auto c = ComputeDensities(ReadLevels(closed, Sets({{1}})), {0.02, -11, -9.86, 400, false});
    auto r = DensityRangeOf(c);
    EXPECT_FALSE(r.zero);
    EXPECT_NEAR(r.gymin, r.dymin - 0.015 * (r.dymax - r.dymin), 1e-15);
    EXPECT_NEAR(r.gymax, r.dymax + 0.015 * (r.dymax - r.dymin), 1e-15);

    auto open = Tables({{-10, true, {1.0}}}, {{-9.5, true, {1.0}}});
    auto o = ComputeDensities(ReadLevels(open, Sets({{1}})), {0.02, -11, -9.36, 400, false});
    ASSERT_EQ(o.dens.size(), 2u);
    EXPECT_GT(*std::max_element(o.dens[1][0].begin(), o.dens[1][0].end()), 0.39);
    EXPECT_EQ(DensityRangeOf(o).gymin, 0.0);

    auto none = ComputeDensities(ReadLevels(closed, Sets({{1}})), {0.02, -5, -4, 10, false});
    auto z = DensityRangeOf(none);
    EXPECT_TRUE(z.zero);
    EXPECT_EQ(z.dymax, 1.0);
}

// The numbers kept beside the text follow every change of a cell: coefficients replaced
// (as a checkpoint import does) change the weights, a header the occupation and energy;
// a blank cell is missing, other text no number.
TEST(PdosCalc, NumbersFollowTheCellsTheyWereReadFrom) {
    auto t = Tables({{-10, true, {0.6, 0.8}}});
    auto& g = t.alpha;
    EXPECT_EQ(g.Value(1, 1), 0.6);
    EXPECT_TRUE(std::isnan(g.Value(0, 1)) && std::isnan(g.Value(1, 0)) && std::isnan(g.Value(2, 1)));
    EXPECT_NEAR(ReadLevels(t, Sets({{1}}))[0].weights[0][0], 0.36, 1e-12);
    g.SetCell(1, 1, "0.8");
    g.SetCell(1, 2, "0.6");
    g.FormSums(kLogSumLabel);
    EXPECT_NEAR(ReadLevels(t, Sets({{1}}))[0].weights[0][0], 0.64, 1e-12);

    EXPECT_TRUE(g.HeaderNameEndsWith(1, "ao"));
    g.SetCell(1, 0, "1_av  -0.25");
    EXPECT_FALSE(g.HeaderNameEndsWith(1, "ao"));
    EXPECT_EQ(g.HeaderEnergy(1), -0.25);
    g.SetCell(1, 0, "1_ao");
    EXPECT_TRUE(std::isnan(g.HeaderEnergy(1)));

    g.SetCell(1, 2, "  ");
    EXPECT_TRUE(g.FormSums(kLogSumLabel).empty());
    g.SetCell(1, 2, "0.6x");
    EXPECT_EQ(g.FormSums(kLogSumLabel), std::vector<int>{1});
    EXPECT_TRUE(std::isnan(g.Value(1, g.SumRow())));
}

// Rounding keeps twelve significant digits relative to dymax at any size.
TEST(PdosCalc, ProjectedDensityRoundingIsRelativeToTheMaximum) {
    for (double dymax : {1e-9, 1e-6, 0.4, 1.0, 1e8}) {
        const double p = 0.123456789012345 * dymax;
        EXPECT_NEAR(RoundRelative(p, dymax), p, 1e-12 * dymax) << dymax;
        EXPECT_NE(RoundRelative(p, dymax), 0.0) << dymax;
    }
    EXPECT_EQ(RoundRelative(0.123456789012345, 1.0), 0.123456789012);
}

TEST(PdosCalc, DiagnosticAndSavedFiles) {
    TestApp t;
    // A small set (coefficient 1e-4 of one MO) beside a large one; open shell.
    auto tables = Tables({{-27.2114, true, {1e-4, 1.0}}, {1, false, {1.0, 0.0}}},
                         {{-27.2114, true, {1.0, 0.0}}, {1, false, {0.0, 1.0}}});
    PdosSetList sets{{"1 L1"}, {"2 L2"}};
    auto used = SetsInUse(sets);
    auto levels = ReadLevels(tables, used);
    const auto range = DataRange(levels, 0.02);
    auto curves = ComputeDensities(levels, {0.02, -28, range.dxmax, 4, false});
    const auto dens = DensityRangeOf(curves);

    WriteMoEnergyFile(t.dir / "moenergy.txt", levels, range, -28, range.dxmax);
    auto mo = Lines(ReadFile(t.dir / "moenergy.txt"));
    EXPECT_EQ(mo[0], "1\t-2.72114000000000E+0001\t-2.72114000000000E+0001");
    EXPECT_EQ(mo[2], "moenergy_min = \t-2.72114000000000E+0001\tgraphics_min = -2.80000000000000E+0001");

    WriteProjectedDensity(t.dir / "projected_density.txt", curves, dens);
    auto pd = Lines(ReadFile(t.dir / "projected_density.txt"));
    ASSERT_EQ(pd.size(), 1 + 2 * (2 + 5 + 1) + 4u);
    EXPECT_EQ(pd[0], std::string(48, '-'));
    EXPECT_EQ(pd[1], "saving computed data for npdos #1 starts!");
    // Set 1 at the grid point nearest the level: a small density, kept; beta negated.
    auto fields = [](const std::string& line) {
        std::vector<std::string> f;
        size_t at = 0;
        for (size_t tab; (tab = line.find('\t', at)) != std::string::npos; at = tab + 1) f.push_back(line.substr(at, tab - at));
        f.push_back(line.substr(at));
        return f;
    };
    bool smallSeen = false, betaNegated = false;
    for (int i = 3; i <= 7; ++i) {
        auto f = fields(pd[static_cast<size_t>(i)]);
        ASSERT_EQ(f.size(), 4u);
        EXPECT_EQ(f[2].size(), 23u);
        const double alpha = core::ParseDouble(f[2]);
        EXPECT_NEAR(alpha, curves.dens[0][0][static_cast<size_t>(i) - 3], 1e-12 * dens.dymax);
        if (alpha > 0 && alpha < 1e-6) smallSeen = true;
        if (f[3][0] == '-') betaNegated = true;
        EXPECT_NE(f[3], "-0.00000000000000E+0000");
    }
    EXPECT_TRUE(smallSeen);
    EXPECT_TRUE(betaNegated);
    for (int i = 11; i <= 15; ++i)  // set 2 has no beta density: zero, without a minus sign
        EXPECT_EQ(fields(pd[static_cast<size_t>(i)])[3], " 0.00000000000000E+0000");
    EXPECT_EQ(pd[pd.size() - 1].substr(0, 16), "density_max = \t ");

    WriteComputedTemp(t.dir / "computed_temp.txt", curves);
    auto ct = Lines(ReadFile(t.dir / "computed_temp.txt"));
    EXPECT_EQ(ct.size(), 2u * 2u * 5u);
    EXPECT_TRUE(ct[0].starts_with("kk =\t0\tjj =\t1\tii =\t0\ty_min =\t")) << ct[0];
    EXPECT_TRUE(ct[10].starts_with("kk =\t1\tjj =\t1\tii =\t0\t")) << ct[10];

    WritePdosData(t.dir / "run_PDOS.txt", tables.file, curves, sets, used);
    auto saved = Lines(ReadFile(t.dir / "run_PDOS.txt"));
    EXPECT_EQ(saved[1], " Projected Density of States generated from /data/water.log");
    EXPECT_EQ(fields(saved[5]).size(), 4u);
    EXPECT_EQ(saved[saved.size() - 2], "Contributions in PDOS #1 :  AO1 1 L1:");
    EXPECT_EQ(saved.back(), "Contributions in PDOS #2 :  AO1 2 L2:");
}

TEST(PdosCalc, DisplayRangeChecksInOrder) {
    struct Case {
        const char* min;
        const char* max;
        const char* dens;
        const char* message;
        bool restoreMin, restoreMax, restoreDensity;
    } cases[] = {
        {"-20", "-5", "0.5", "", false, false, false},
        {"abc", "x", "y", "Typing error in the minimum eV setting! Try again!!", true, false, false},
        {"-20", "", "0.5", "Typing error in the maximum eV setting! Try again!!", false, true, false},
        {"-20", "-5", "big", "Typing error in the maximum density setting! Try again!!", false, false, true},
        {"-5", "-20", "0.5", "The mimimum should be lower than the maximum!! Try again!!", true, true, false},
        {"-7", "-7", "0.5", "The mimimum should be lower than the maximum!! Try again!!", true, true, false},
        {"0", "5", "0.5", "Out of range!! Try again!!!", true, true, false},
        {"-60", "-50", "0.5", "Out of range!! Try again!!!", true, true, false},
        {"-20", "-5", "0", "The maximum density should be positive!! Try again!!", false, false, true},
    };
    for (const auto& c : cases) {
        auto r = CheckDisplayRange(c.min, c.max, c.dens, -30.0, -9.86);
        EXPECT_EQ(r.message, c.message) << c.min << " " << c.max << " " << c.dens;
        EXPECT_EQ(r.restoreMin, c.restoreMin) << c.message;
        EXPECT_EQ(r.restoreMax, c.restoreMax) << c.message;
        EXPECT_EQ(r.restoreDensity, c.restoreDensity) << c.message;
    }
    auto ok = CheckDisplayRange("-20", "-5", "0.5", -30.0, -9.86);
    EXPECT_EQ(ok.gxmin, -20);
    EXPECT_EQ(ok.gxmax, -5);
    EXPECT_EQ(ok.gymax, 0.5);
}

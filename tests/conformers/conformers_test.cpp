// Spectra of several conformers weighted by their populations: weights, the weighted sum,
// the command line's branch for several logs and the desktop's dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "conformers/spectrum_kinds.h"
#include "conformers/weighted_curve.h"
#include "conformers/weights.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "spectrum/spectrum_calc.h"
#include "support/test_app.h"

namespace {

using namespace mavrolin::conformers;
using namespace testing_support;

const std::string kClosed = TestApp::data("spectrum/td_closed.log"), kOpen = TestApp::data("spectrum/td_open.log");
const std::string kGauche = TestApp::data("thermo/h2o2_gauche.log"), kTrans = TestApp::data("thermo/h2o2_trans.log");

// The "# weight W NAME" lines and the x, y lines of the text output.
struct CurveFile {
    std::vector<double> weights, x, y;
};
CurveFile ReadCurve(const std::string& text) {
    CurveFile c;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string a, b;
        if (line.starts_with("# weight ")) {
            f >> a >> a >> b;
            c.weights.push_back(std::stod(b));
        } else if (!line.starts_with("#") && f >> a >> b) {
            c.x.push_back(std::stod(a)), c.y.push_back(std::stod(b));
        }
    }
    return c;
}

TEST(Weights, ParsedScaledAndReadFromTheThermoTable) {
    EXPECT_EQ(ParseWeights("1, 3"), (std::vector<double>{1, 3}));
    EXPECT_THROW(ParseWeights("0.5,x"), core::InputError);
    EXPECT_THROW(ParseWeights("0.5,-1"), core::InputError);
    const auto scaled = Normalise({1, 3});
    EXPECT_EQ(scaled.w, (std::vector<double>{0.25, 0.75}));
    EXPECT_FALSE(scaled.warning.empty());
    EXPECT_TRUE(Normalise({0.4, 0.6}).warning.empty());
    EXPECT_THROW(Normalise({0, 0}), core::InputError);

    // The file column may be quoted; the column is found by its header.
    const std::string csv = "file,formula,boltzmann,termination\n\"a,1.log\",H2O2,0.2500,normal\nb.log,H2O2,0.7500,normal\n";
    EXPECT_EQ(BoltzmannColumn(csv, 2), (std::vector<double>{0.25, 0.75}));
    EXPECT_THROW(BoltzmannColumn(csv, 3), core::InputError);
    EXPECT_THROW(BoltzmannColumn("file,G\na.log,1\n", 1), core::InputError);
    try {
        BoltzmannColumn("file,boltzmann\nsp.log,\n", 1);
        FAIL();
    } catch (const core::InputError& e) {
        EXPECT_NE(std::string(e.what()).find("sp.log"), std::string::npos);
    }
}

TEST(WeightedCurve, IsTheWeightedSumOfTheSingleCurves) {
    for (const auto& kind : {UvVisKind(mavrolin::spectrum::kUnitNm, 0.2), UvVisKind(mavrolin::spectrum::kUnitEv, 0.3)}) {
        std::vector<Conformer> c{kind.load(kClosed), kind.load(kOpen)};
        c[0].weight = 0.3, c[1].weight = 0.7;
        const auto grid = Grid(Union(c), 400);
        const auto w = Combine(c, grid);
        const auto y0 = c[0].curve(grid), y1 = c[1].curve(grid);
        double top = 0;
        for (double v : w.total) top = std::max(top, v);
        ASSERT_GT(top, 1000);  // ε of real bands, L mol-1 cm-1
        for (size_t k = 0; k < grid.size(); ++k) EXPECT_NEAR(w.total[k], 0.3 * y0[k] + 0.7 * y1[k], 1e-12 * top);
        EXPECT_LE(Union(c).lo, c[1].range.lo);
        EXPECT_GE(Union(c).hi, c[0].range.hi);
    }
    // Two logs of one name from different folders are told apart by their folders.
    TestApp t;
    const auto kind = UvVisKind(mavrolin::spectrum::kUnitNm, 0.2);
    const auto named = LoadConformers(kind, {kClosed, t.write("td_closed.log", ReadFile(kClosed))}, {0.5, 0.5});
    EXPECT_EQ(named[0].name, "spectrum/td_closed.log");
    EXPECT_NE(named[1].name, named[0].name);
}

TEST(WeightedBatch, WritesTheWeightedCurveWithAWarningWhenWeightsAreScaled) {
    TestApp t;
    const std::string txt = (t.dir / "w.txt").string(), csv = (t.dir / "w.csv").string();
    std::string out, err;
    ASSERT_EQ(RunCli({"spectrum", kClosed, kOpen, "--weights", "1,3", "--points", "200", "-o", txt, "--csv", csv}, out, err), 0) << err;
    EXPECT_NE(err.find("warning"), std::string::npos);
    const auto file = ReadCurve(ReadFile(txt));
    ASSERT_EQ(file.x.size(), 200u);
    EXPECT_EQ(file.weights, (std::vector<double>{0.25, 0.75}));
    const auto kind = UvVisKind(mavrolin::spectrum::kUnitNm, 0.2);
    const auto y0 = kind.load(kClosed).curve(file.x), y1 = kind.load(kOpen).curve(file.x);
    for (size_t k = 0; k < file.x.size(); ++k) EXPECT_NEAR(file.y[k], 0.25 * y0[k] + 0.75 * y1[k], 1e-9 * (1 + file.y[k]));
    // The table: x, the weighted curve, then each conformer's own curve.
    const std::string table = ReadFile(csv);
    const std::string header = table.substr(0, table.find('\n'));
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), 3);
    EXPECT_NE(header.find("td_open.log"), std::string::npos);
}

TEST(WeightedBatch, RefusesWhatCannotBeWeightedAndNamesTheLog) {
    TestApp t;
    const std::string txt = (t.dir / "w.txt").string();
    std::string out, err;
    // A log without excited states: named, status 1, nothing written.
    EXPECT_EQ(RunCli({"spectrum", kClosed, kGauche, "--weights", "1,1", "-o", txt}, out, err), 1);
    EXPECT_NE(err.find("h2o2_gauche.log"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(txt));
    // No thermochemistry for --boltzmann: named.
    err.clear();
    EXPECT_EQ(RunCli({"ir", kGauche, kOpen, "--boltzmann", "-o", txt}, out, err), 1);
    EXPECT_NE(err.find("td_open.log"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(txt));
    // Bad arguments: no weighting, a weight too few, two weightings.
    EXPECT_EQ(RunCli({"spectrum", kClosed, kOpen, "-o", txt}, out, err), 2);
    EXPECT_EQ(RunCli({"spectrum", kClosed, kOpen, "--weights", "1", "-o", txt}, out, err), 2);
    EXPECT_EQ(RunCli({"ir", kGauche, kTrans, "--weights", "1,1", "--boltzmann", "-o", txt}, out, err), 2);
    EXPECT_FALSE(std::filesystem::exists(txt));
}

TEST(WeightedBatch, WeightsFromTheThermoTableMatchTheLogsOwnPopulations) {
    TestApp t;
    const std::string table = (t.dir / "t.csv").string(), a = (t.dir / "a.txt").string(), b = (t.dir / "b.txt").string();
    std::string out, err;
    ASSERT_EQ(RunCli({"thermo", kGauche, kTrans, "-o", table}, out, err), 0) << err;
    ASSERT_EQ(RunCli({"ir", kGauche, kTrans, "--weights-from", table, "-o", a}, out, err), 0) << err;
    ASSERT_EQ(RunCli({"ir", kGauche, kTrans, "--boltzmann", "-o", b}, out, err), 0) << err;
    const auto fromTable = ReadCurve(ReadFile(a)), own = ReadCurve(ReadFile(b));
    ASSERT_EQ(fromTable.weights.size(), 2u);
    for (size_t i = 0; i < 2; ++i) EXPECT_NEAR(fromTable.weights[i], own.weights[i], 1e-4);
    EXPECT_GT(std::min(own.weights[0], own.weights[1]), 0.0);
    EXPECT_EQ(fromTable.x, own.x);
}

TEST(WeightedWindow, SelectedThermoRowsGiveTheWeightedFigure) {
    TestApp t;
    t.app.rethrowInternalErrors = true;
    auto& thermo = t.app.thermo;
    thermo.AddFiles({kGauche, kTrans});
    thermo.Table.SetSelection({1, 1, 1, 2});
    // IR of the frequency logs themselves, default width.
    t.platform.AnswerValues(std::vector<std::string>{"ir", "", "no", kGauche, kTrans});
    ASSERT_TRUE(t.app.Dispatch([&] { thermo.WeightedSpectrum1.Click(); }));
    auto& w = t.app.weighted;
    EXPECT_TRUE(w.Visible());
    ASSERT_EQ(w.Curve().weights.size(), 2u);
    EXPECT_NEAR(w.Curve().weights[0], thermo.Rows()[0].population, 1e-12);
    EXPECT_FALSE(w.PaintBox1.Canvas().OpsOf(ui::DrawOp::Polyline).empty());
    // A TD log chosen for one row that has none is named and nothing changes.
    t.platform.AnswerValues(std::vector<std::string>{"UV-vis", "0.3", "no", kClosed, kTrans});
    EXPECT_FALSE(t.app.Dispatch([&] { thermo.WeightedSpectrum1.Click(); }));
    EXPECT_NE(t.platform.messages.back().text.find("h2o2_trans.log"), std::string::npos);
    EXPECT_EQ(w.Curve().weights.size(), 2u);
}

}  // namespace

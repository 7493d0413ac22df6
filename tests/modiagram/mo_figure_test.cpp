// The MO level figure: frontier labels, energy window and labels that never overlap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "modiagram/mo_figure.h"
#include "support/test_app.h"
#include "ui/figure.h"

namespace {

using namespace mavrolin::modiagram;

// A column: occupied energies then virtual ones, in hartree, as the table holds them.
std::vector<std::string> Column(const std::string& header, const std::string& o, const std::string& v,
                                const std::vector<double>& occ, const std::vector<double>& virt) {
    std::vector<std::string> c{header};
    for (double e : occ) c.push_back(o + " " + std::to_string(e));
    for (double e : virt) c.push_back(v + " " + std::to_string(e));
    return c;
}

TEST(MoFigure, CrowdedFrontierLabelsAreMovedApartAndTheWindowFollowsTheFrontier) {
    // Near-degenerate frontier levels in every column, and an open-shell set beside them.
    MoTableData t;
    std::vector<double> occ, virt;
    for (int i = 0; i < 12; ++i) occ.push_back(-1.0 + 0.02 * i), virt.push_back(-0.778 + 0.002 * i);
    t.columns = {Column("Alpha", "ao", "av", occ, virt), Column("Alpha", "ao", "av", occ, virt),
                 Column("Beta", "bo", "bv", occ, virt)};
    t.rows = static_cast<int>(t.columns[0].size());
    const auto fig = MoFigure(t, {"", "/a/one.log", "/a/two.log"}, {});
    const auto& p = fig.panels[0];
    EXPECT_EQ(p.columns[0].text, "one \u03B1");
    EXPECT_EQ(p.columns[2].text, "two \u03B2");
    // Five below the HOMO (the sixth from the top) up to five above the LUMO.
    const double ev = 27.2114;
    EXPECT_LT(p.y.min, occ[6] * ev);
    EXPECT_GT(p.y.min, occ[5] * ev);
    EXPECT_GT(p.y.max, virt[5] * ev);
    EXPECT_LT(p.y.max, virt[11] * ev);
    EXPECT_EQ(std::count_if(p.notes.begin(), p.notes.end(), [](auto& n) { return n.text.starts_with("gap 0.05 eV"); }), 3);

    ui::RecordingCanvas cv;
    ui::fig::Render(cv, fig, {});
    ASSERT_GE(cv.OpsOf(ui::DrawOp::TextAt).size(), 9u + 3u);
    EXPECT_EQ(testing_support::FigureTextFault(cv), "");
    // Moved labels are joined to their levels.
    EXPECT_GE(cv.OpsOf(ui::DrawOp::Polyline).size(), 3u * 9 + 3);
}

TEST(MoFigure, DegenerateLevelsAreDrawnSideBySideWithinTheirColumn) {
    // A triply degenerate HOMO, a LUMO pair 0.0001 hartree apart (closer than a line at this
    // scale), and a level 0.1 hartree away; the second column is a copy.
    const std::vector<double> occ{-0.5, -0.3, -0.3, -0.3}, virt{0.1, 0.1001, 0.2};
    MoTableData t;
    t.columns = {Column("Alpha", "ao", "av", occ, virt), Column("Alpha", "ao", "av", occ, virt)};
    t.rows = static_cast<int>(t.columns[0].size());
    ui::RecordingCanvas cv;
    ui::fig::Render(cv, MoFigure(t, {"", "a.log", "b.log"}, {}), {});
    EXPECT_EQ(testing_support::FigureTextFault(cv), "");
    // Level lines (1 pt and more; frame, ticks and leaders are thinner) by page height,
    // top down: 0.2 (one per column), the LUMO pair, the HOMO triple, -0.5.
    std::map<double, std::vector<ui::DrawOp>> rows;
    for (const auto& op : cv.OpsOf(ui::DrawOp::Polyline))
        if (op.pen.width >= 10 && op.pen.style == ui::psSolid) rows[std::round(op.points[0].y / 5) * 5].push_back(op);
    std::vector<size_t> counts;
    for (auto& [y, ops] : rows) counts.push_back(ops.size());
    ASSERT_EQ(counts, (std::vector<size_t>{2, 4, 6, 2}));
    const double column = rows.rbegin()->second[0].points[1].x - rows.rbegin()->second[0].points[0].x;
    auto& homo = std::next(rows.begin(), 2)->second;
    std::sort(homo.begin(), homo.end(), [](auto& a, auto& b) { return a.points[0].x < b.points[0].x; });
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(homo[k].pen.width, 16);  // the frontier set bold, in a third of the column each
        EXPECT_LT(homo[k].points[1].x - homo[k].points[0].x, column / 3);
        EXPECT_TRUE(k == 0 || homo[k].points[0].x > homo[k - 1].points[1].x);  // apart
    }
    EXPECT_NEAR(homo[2].points[1].x - homo[0].points[0].x, column, 1);
}

}  // namespace

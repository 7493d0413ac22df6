// The MO level figure: frontier labels, energy window and labels that never overlap.
#include <gtest/gtest.h>

#include <algorithm>

#include "modiagram/mo_figure.h"
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
    const auto texts = cv.OpsOf(ui::DrawOp::TextAt);
    ASSERT_GE(texts.size(), 9u + 3u);
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const auto &a = texts[i], &b = texts[j];
            EXPECT_FALSE(a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2) << a.text << " / " << b.text;
        }
    // Moved labels are joined to their levels.
    EXPECT_GE(cv.OpsOf(ui::DrawOp::Polyline).size(), 3u * 9 + 3);
}

}  // namespace

// The profile figure at the journal's single-column size: the legend of the criteria leaves
// both panels a usable height, and every text stays on the page without covering another.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "optprofile/profile_figure.h"
#include "ui/figure.h"

namespace {

TEST(ProfileFigure, LegendLeavesBothPanelsRoomAtTheDefaultSize) {
    core::LoadedLog log;
    log.ndone = log.nforce2 = 9;
    log.scfengy.push_back(0), log.maxfrce.push_back(0), log.rmsfrce.push_back(0);
    log.maxdisp.push_back(0), log.rmsdisp.push_back(0);
    for (int i = 1; i <= 9; ++i) {
        const double d = std::pow(10.0, -0.5 * i);
        log.scfengy.push_back(-232.2 - 0.01 * (1 - d));
        log.maxfrce.push_back(0.3 * d), log.rmsfrce.push_back(0.1 * d);
        log.maxdisp.push_back(2 * d), log.rmsdisp.push_back(0.6 * d);
    }
    log.maxf_thres = 4.5e-4, log.rmsf_thres = 3e-4, log.maxd_thres = 1.8e-3, log.rmsd_thres = 1.2e-3;

    // Font size and the least height of a panel, cm.
    for (auto [fontPt, least] : {std::pair{8, 1.4}, {10, 1.1}}) {
        ui::fig::Style style;
        style.fontPt = fontPt;
        ui::RecordingCanvas cv;
        ui::fig::Render(cv, mavrolin::optprofile::ProfileFigure(log), style);
        // The two frames (closed five-point outlines).
        int frames = 0;
        for (const auto& op : cv.OpsOf(ui::DrawOp::Polyline))
            if (op.points.size() == 5) {
                ++frames;
                EXPECT_GT(op.y2 - op.y1, least / 2.54 * 720) << fontPt << " pt";
            }
        EXPECT_EQ(frames, 2);
        const auto texts = cv.OpsOf(ui::DrawOp::TextAt);
        for (size_t i = 0; i < texts.size(); ++i) {
            const auto& a = texts[i];
            EXPECT_TRUE(a.x1 >= 0 && a.y1 >= 0 && a.x2 <= cv.Width() && a.y2 <= cv.Height()) << a.text;
            for (size_t j = i + 1; j < texts.size(); ++j) {
                const auto& b = texts[j];
                EXPECT_FALSE(a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2) << a.text << " / " << b.text;
            }
        }
    }
}

}  // namespace

// The profile figure at the journal's single-column size: the legend of the criteria leaves
// both panels a usable height, and every text stays on the page without covering another.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "optprofile/profile_figure.h"
#include "support/test_app.h"

TEST(ProfileFigure, LegendLeavesBothPanelsRoomAtTheDefaultSize) {
    core::LoadedLog log;
    log.ndone = log.nforce2 = 9;
    for (auto* v : {&log.scfengy, &log.maxfrce, &log.rmsfrce, &log.maxdisp, &log.rmsdisp}) v->push_back(0);
    for (int i = 1; i <= 9; ++i) {
        const double d = std::pow(10.0, -0.5 * i);
        log.scfengy.push_back(-232.2 - 0.01 * (1 - d));
        log.maxfrce.push_back(0.3 * d), log.rmsfrce.push_back(0.1 * d), log.maxdisp.push_back(2 * d), log.rmsdisp.push_back(0.6 * d);
    }
    log.maxf_thres = 4.5e-4, log.rmsf_thres = 3e-4, log.maxd_thres = 1.8e-3, log.rmsd_thres = 1.2e-3;
    // Font size and the least height of a panel, cm.
    for (auto [fontPt, least] : {std::pair{8, 1.4}, {10, 1.1}}) {
        ui::fig::Style style;
        style.fontPt = fontPt;
        ui::RecordingCanvas cv;
        ui::fig::Render(cv, mavrolin::optprofile::ProfileFigure(log), style);
        int frames = 0;  // closed five-point outlines
        for (const auto& op : cv.OpsOf(ui::DrawOp::Polyline)) {
            frames += op.points.size() == 5;
            EXPECT_TRUE(op.points.size() != 5 || op.y2 - op.y1 > least / 2.54 * 720) << fontPt << " pt";
        }
        EXPECT_EQ(frames, 2);
        EXPECT_EQ(testing_support::FigureTextFault(cv), "") << fontPt << " pt";
    }
}

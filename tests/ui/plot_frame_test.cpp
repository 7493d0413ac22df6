#include "ui/plot_frame.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "ui/recording_canvas.h"

using namespace ui;

namespace {

Axis MakeAxis(double gmin, double gmax, int origin, double length, bool decreasing) {
    Axis a;
    a.dmin = gmin;
    a.dmax = gmax;
    a.gmin = gmin;
    a.gmax = gmax;
    if (decreasing)
        a.Decreasing(origin, length);
    else
        a.Increasing(origin, length);
    return a;
}

// A 200 × 100 panel over data 0 … 10 (x) and 0 … 5 (y), margins of one unit all round.
PlotFrame Panel() {
    PlotFrame p;
    p.Place(200, 100);
    p.x.dmin = 0;
    p.x.dmax = 10;
    p.x.Pad(1, 1);
    p.y.dmin = 0;
    p.y.dmax = 5;
    p.y.Pad(1, 1);
    p.x.Increasing(0, 200);
    p.y.Decreasing(100, 100);
    return p;
}

std::array<int, 4> Box(const DrawOp& op) { return {op.x1, op.y1, op.x2, op.y2}; }

}  // namespace

TEST(PlotFrame, MappingRoundsTheScaledDistanceHalvesToEven) {
    const struct {
        const char* what;
        Axis axis;
        double value;
        int pixel;
    } cases[] = {
        // Over 0 … 4 in 10 pixels a unit is 2.5 pixels.
        {"half down to even", MakeAxis(0, 4, 0, 10, false), 1, 2},
        {"half up to even", MakeAxis(0, 4, 0, 10, false), 3, 8},
        {"decreasing: origin minus the rounded distance", MakeAxis(0, 4, 101, 10, true), 1, 99},
        {"half-size panel from the middle", MakeAxis(0, 4, 500, 1000 / 2.0, false), 1, 625},
        {"energy margin keeps gxmargin pixels", MakeAxis(-10, 0, 20, 200 - 2 * 20, false), -10, 20},
        {"the far end", MakeAxis(-10, 0, 20, 200 - 2 * 20, false), 0, 180},
        {"below the range", MakeAxis(0, 4, 0, 10, false), -4, -10},
        {"not a number sits at the origin", MakeAxis(0, 4, 7, 10, false), std::nan(""), 7},
        {"a zero plotted span sits at the origin", MakeAxis(3, 3, 50, 10, true), 3, 50},
        {"far outside is clamped", MakeAxis(0, 1e-300, 0, 10, false), 1, 10000000},
    };
    for (const auto& c : cases) EXPECT_EQ(c.axis.Pixel(c.value), c.pixel) << c.what;

    // Rounding once after the origin differs from rounding the distance: 101 − 2.5.
    const Axis a = MakeAxis(0, 4, 101, 10, true);
    EXPECT_EQ(a.Position(1), 98.5);
    EXPECT_EQ(RoundPixel(a.Position(1)), 98);
    EXPECT_EQ(RoundPixel(std::numeric_limits<double>::infinity()), 0);
}

TEST(PlotFrame, InverseMappingMatchesTheFormsCountedFromEitherEnd) {
    // A reversed energy axis (higher values to the left) and a direct one over 977 pixels.
    const double gmin = 1.7320508, gmax = 6.02;
    const Axis reversed = MakeAxis(gmin, gmax, 977, 977, true);
    const Axis direct = MakeAxis(gmin, gmax, 0, 977, false);
    for (int px : {0, 1, 333, 488, 976, 977}) {
        EXPECT_EQ(reversed.ValueAt(px), gmax - px * (gmax - gmin) / 977) << px;
        EXPECT_EQ(direct.ValueAt(px), gmin + px * (gmax - gmin) / 977) << px;
    }
    // Forth and back lands within half a pixel's worth of data.
    for (const Axis& a : {reversed, direct, MakeAxis(-3, 2, 300, 150.5, true)})
        for (double v : {-2.5, 0.0, 1.75, 4.2}) EXPECT_NEAR(a.ValueAt(a.Pixel(v)), v, (a.gmax - a.gmin) / a.length / 2 + 1e-12);
    // An axis never placed (no redraw yet) answers its lower end instead of dividing by zero.
    Axis unplaced;
    unplaced.gmin = 2;
    unplaced.gmax = 9;
    EXPECT_EQ(unplaced.ValueAt(40), 2);
}

TEST(PlotFrame, MarginsExtentsAndZeroSpans) {
    Extent e;
    for (double v : {-101.0, std::nan(""), -104.0, -100.0}) e.Take(v);
    EXPECT_EQ(e.count, 3);
    Axis a;
    a.SetData(e);
    EXPECT_EQ(a.dmin, -104);
    EXPECT_EQ(a.dmax, -100);
    a.SetMargins(0.025, 0.04);
    EXPECT_DOUBLE_EQ(a.gmin, -104 - 0.025 * 4);
    EXPECT_DOUBLE_EQ(a.gmax, -100 + 0.04 * 4);
    a.Pad(2, 0.5);
    EXPECT_EQ(a.gmin, -106);
    EXPECT_EQ(a.gmax, -99.5);

    // Values beyond a hundred million are extremes like any other.
    Extent big;
    for (double v : {3e8, 5e8}) big.Take(v);
    EXPECT_EQ(big.min, 3e8);
    EXPECT_EQ(big.max, 5e8);

    // A single value, or nothing at all, is widened by a unit span so the mapping stays finite.
    Extent one;
    one.Take(-76);
    a.SetData(one);
    a.SetMargins(0.025, 0.025);
    EXPECT_DOUBLE_EQ(a.gmin, -76.025);
    EXPECT_DOUBLE_EQ(a.gmax, -75.975);
    a.Decreasing(600, 300);
    EXPECT_EQ(a.Pixel(-76), 450);
    a.SetData(Extent{});
    EXPECT_EQ(a.dmin, 0);
    EXPECT_EQ(a.dmax, 0);
    EXPECT_EQ(a.Span(), 1);
}

TEST(PlotFrame, LogarithmicAxisPutsValuesWithoutALogarithmOnTheLowerEdge) {
    Axis a = MakeAxis(-4.5, -0.5, 100, 100, true);
    a.scale = Scale::Log10;
    a.dmin = -4;
    EXPECT_DOUBLE_EQ(a.Coord(1e-3), -3);
    for (double none : {0.0, -1e-3, std::numeric_limits<double>::infinity()}) {
        EXPECT_TRUE(std::isnan(a.Coord(none))) << none;
        EXPECT_EQ(a.Plotted(none), -4) << none;
        EXPECT_EQ(a.PixelOfValue(none), a.Pixel(-4)) << none;
    }
    EXPECT_EQ(a.PixelOfValue(1e-2), a.Pixel(-2));
    EXPECT_EQ(a.PixelOfValue(1e-2), 100 - 62);  // Round(100 · 2.5 / 4) = 62 (62.5 to even)

    Extent e;
    for (double v : {1e-2, 0.0, 1e-4}) e.Take(a.Coord(v));
    EXPECT_EQ(e.count, 2);
    EXPECT_DOUBLE_EQ(e.min, -4);
    EXPECT_DOUBLE_EQ(e.max, -2);
    // A linear axis keeps its values as they are.
    EXPECT_EQ(Axis{}.Coord(-5), -5);
}

TEST(PlotFrame, EraseFrameAndLinesOnTheCanvas) {
    const PlotFrame p = Panel();
    RecordingCanvas cv;
    cv.Pen.style = psDot;
    p.Erase(cv, 0x123456);
    cv.Pen.color = kBlue;
    p.DrawDataFrame(cv);
    p.DrawDataFrame(cv, 2);
    p.HLine(cv, 2.5);
    p.VLine(cv, 4);

    const auto& ops = cv.Ops();
    ASSERT_EQ(ops.size(), 1u + 4 + 4 + 1 + 1);
    // The plotted extent is the whole box.
    EXPECT_EQ(ops[0].kind, DrawOp::Rect);
    EXPECT_EQ(Box(ops[0]), (std::array<int, 4>{0, 100, 200, 0}));
    EXPECT_EQ(ops[0].pen.color, kWhite);
    EXPECT_EQ(ops[0].pen.style, psSolid);
    EXPECT_EQ(ops[0].brush, (BrushSpec{0x123456, BrushStyle::Solid}));
    // Data corners: x 0 → 17 (16.67), 10 → 183 (183.33); y 0 → 100 − 14 = 86, 5 → 100 − 86 = 14.
    const std::array<std::array<int, 4>, 4> frame = {{{17, 86, 17, 14}, {17, 14, 183, 14}, {183, 14, 183, 86}, {183, 86, 17, 86}}};
    const std::array<std::array<int, 4>, 4> outset = {{{15, 88, 15, 12}, {15, 12, 185, 12}, {185, 12, 185, 88}, {185, 88, 15, 88}}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Box(ops[1 + i]), frame[i]) << i;
        EXPECT_EQ(Box(ops[5 + i]), outset[i]) << i;
        EXPECT_EQ(ops[1 + i].pen.color, kBlue);
    }
    EXPECT_EQ(Box(ops[9]), (std::array<int, 4>{17, p.fy(2.5), 183, p.fy(2.5)}));
    EXPECT_EQ(Box(ops[10]), (std::array<int, 4>{p.fx(4), 86, p.fx(4), 14}));

    // The usual placement fills the box; a fill covers the plotted extent without an outline.
    PlotFrame full = Panel();
    full.x.Decreasing(3, 4);
    full.PlaceFull(300, 150);
    EXPECT_EQ(full.gwidth, 300);
    EXPECT_EQ(full.gheight, 150);
    EXPECT_EQ(full.At(-1, -1), (Point{0, 150}));
    EXPECT_EQ(full.At(11, 6), (Point{300, 0}));
    RecordingCanvas fc;
    full.Fill(fc, kWhite);
    ASSERT_EQ(fc.Ops().size(), 1u);
    EXPECT_EQ(fc.Ops()[0].kind, DrawOp::Fill);
    EXPECT_EQ(Box(fc.Ops()[0]), (std::array<int, 4>{0, 150, 300, 0}));

    // On a reversed axis the minimum lies right, and the outset still grows outward.
    PlotFrame r = Panel();
    r.x.Decreasing(200, 200);
    RecordingCanvas rc;
    r.DrawDataFrame(rc, 1);
    EXPECT_EQ(Box(rc.Ops()[0]), (std::array<int, 4>{184, 87, 184, 13}));
    EXPECT_EQ(Box(rc.Ops()[1]), (std::array<int, 4>{184, 13, 16, 13}));
}

TEST(PlotFrame, LabelsAndLegendsArePlacedFromTheDataCorners) {
    const PlotFrame p = Panel();
    EXPECT_EQ(p.CornerPoint(Corner::XminYmin), (Point{17, 86}));
    EXPECT_EQ(p.CornerPoint(Corner::XminYmax), (Point{17, 14}));
    EXPECT_EQ(p.CornerPoint(Corner::XmaxYmax), (Point{183, 14}));
    EXPECT_EQ(p.CornerPoint(Corner::XmaxYmin), (Point{183, 86}));

    RecordingCanvas cv;
    cv.Font.size = 9;
    const int w = cv.TextWidth("-1.25");  // odd widths show the truncating half
    ASSERT_EQ(w % 2, 1);
    p.LabelAt(cv, Corner::XminYmax, 20, 5, "-1.25");
    p.LabelAt(cv, Corner::XmaxYmin, 0, 3, "-1.25", HAlign::Center);
    p.LabelAt(cv, Corner::XminYmin, -10, -2, "-1.25", HAlign::Right);
    const LegendEntry legend[] = {{"MaxForce", 10, kBlue}, {"RmsForce", 90, kRed}};
    DrawLegend(cv, {40, 60}, legend);

    const auto texts = cv.Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ((Point{texts[0].x1, texts[0].y1}), (Point{37, 19}));
    EXPECT_EQ((Point{texts[1].x1, texts[1].y1}), (Point{183 - w / 2, 89}));
    EXPECT_EQ((Point{texts[2].x1, texts[2].y1}), (Point{7 - w, 84}));
    EXPECT_EQ((Point{texts[3].x1, texts[3].y1}), (Point{50, 60}));
    EXPECT_EQ(texts[3].font.color, kBlue);
    EXPECT_EQ((Point{texts[4].x1, texts[4].y1}), (Point{130, 60}));
    EXPECT_EQ(texts[4].font.color, kRed);
    EXPECT_EQ(cv.Font.color, kRed);
}

TEST(PlotFrame, RoundedText) {
    const struct {
        double scaled, scale;
        const char* text;
    } cases[] = {
        {-1234.567849 * 10000, 10000, "-1234.5678"},
        {-76.0 * 10000, 10000, "-76"},
        {12.5, 100, "0.12"},  // halves to even
        {13.5, 100, "0.14"},
        {2.5 * 8065.54, 1, "20164"},
        {1e30, 1, "1E30"},  // beyond the integer range, still the value itself
    };
    for (const auto& c : cases) EXPECT_EQ(RoundedText(c.scaled, c.scale), c.text) << c.scaled;
}

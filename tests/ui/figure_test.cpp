#include <gtest/gtest.h>

#include <algorithm>

#include "ui/figure.h"

namespace {

using namespace ui::fig;

TEST(FigureTicks, RoundStepsWithAtLeastFourLabelsAndNoSpuriousDigits) {
    struct Case {
        double lo, hi, step;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {0.00123, 0.0456, 0.01, {"0.01", "0.02", "0.03", "0.04"}},
        {-306, 133, 100, {"\u2212300", "\u2212200", "\u2212100", "0", "100"}},
        {0, 1, 0.2, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {200, 800, 200, {"200", "400", "600", "800"}},
        {15000, 62000, 10000, {"20000", "30000", "40000", "50000", "60000"}},
        {2.5, 2.51, 0.002, {"2.500", "2.502", "2.504", "2.506", "2.508", "2.510"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lo);
        const Ticks t = LinearTicks(c.lo, c.hi);
        EXPECT_DOUBLE_EQ(t.step, c.step);
        EXPECT_EQ(t.labels, c.labels);
        ASSERT_EQ(t.major.size(), t.labels.size());
        // Minor ticks lie inside the range, between the majors, at a fraction of the step.
        ASSERT_FALSE(t.minor.empty());
        for (double m : t.minor) {
            EXPECT_GE(m, c.lo - 1e-12);
            EXPECT_LE(m, c.hi + 1e-12);
            EXPECT_FALSE(std::any_of(t.major.begin(), t.major.end(), [&](double v) { return std::abs(v - m) < c.step * 1e-6; }));
        }
    }
}

TEST(FigureTicks, LogAxisLabelsDecadesWithSuperscripts) {
    const Ticks t = LogTicks(3e-6, 0.02);
    EXPECT_EQ(t.labels, (std::vector<std::string>{"10\u207B\u2075", "10\u207B\u2074", "10\u207B\u00B3", "10\u207B\u00B2"}));
    EXPECT_EQ(t.minor.size(), 8u * 3 + 7 + 1);  // 3..9e-6, 2..9 in three decades, 2e-2
}

TEST(FigureSize, ParsedInCentimetresAndPixelsFollowTheResolution) {
    double w = 0, h = 0;
    EXPECT_TRUE(ParseFigureSize("17.8x9", w, h));
    EXPECT_DOUBLE_EQ(w, 17.8);
    for (const char* bad : {"8.5", "0x6", "8.5x", "x6", "200x6", "a x b"}) EXPECT_FALSE(ParseFigureSize(bad, w, h)) << bad;
    Style s;  // 8.5 cm x 6 cm at 600 dpi
    EXPECT_EQ(s.PixelWidth(), 2008);
    EXPECT_EQ(s.PixelHeight(), 1417);
}

// One figure with two panels serves the drawing and table checks.
Figure TwoPanels() {
    Figure f;
    f.title = "Title";
    f.sharedX = true;
    f.csvX = "x";
    Panel a, b;
    a.y.title = Quantity("E", "eV");
    a.series.push_back({"first", {1, 2, 3}, {1, 4, 2}, 0, 1, ui::psSolid, SeriesKind::Line, false, "a / u"});
    a.series.push_back({"second", {1, 2, 3}, {2, 1, 3}, 255, 1, ui::psSolid, SeriesKind::Line, false, "b, 2"});
    a.series.push_back({"", {1.5}, {3}, 0, 1, ui::psSolid, SeriesKind::Sticks, true, "f"});
    a.hasY2 = true;
    b.x.title = "Step";
    b.y.scale = AxisScale::Log;
    b.series.push_back({"force", {1, 2, 3}, {1e-2, 1e-3, 1e-5}, 0, 1, ui::psSolid, SeriesKind::Line, false, ""});
    b.markers.push_back({false, 4.5e-4, 0, 0.5, ui::psDash, "threshold"});
    f.panels = {a, b};
    return f;
}

TEST(FigureRender, AxesTitlesLegendAndTicksAreTextsInsideThePage) {
    ui::RecordingCanvas cv;
    Style style;
    Render(cv, TwoPanels(), style);
    EXPECT_DOUBLE_EQ(cv.UnitsPerInch(), kUnitsPerInch);
    EXPECT_NEAR(cv.Width(), 8.5 / 2.54 * 720, 1);
    std::vector<std::string> texts;
    for (const auto& op : cv.OpsOf(ui::DrawOp::TextAt)) {
        texts.push_back(op.text);
        EXPECT_GE(op.x1, 0) << op.text;
        EXPECT_LE(op.x2, cv.Width()) << op.text;
        EXPECT_GE(op.y1, 0) << op.text;
        EXPECT_LE(op.y2, cv.Height()) << op.text;
        if (op.text != "Title") {
            EXPECT_EQ(op.font.size, 80);
        }
    }
    auto has = [&](const std::string& t) { return std::count(texts.begin(), texts.end(), t); };
    // Named series only in the legend; the shared x axis titled once, under the last panel.
    EXPECT_EQ(has("first") + has("second") + has("force"), 3);
    EXPECT_EQ(has("Step"), 1);
    EXPECT_EQ(has("\x01" "E\x01 / eV"), 1);
    EXPECT_EQ(has("Title"), 1);
    EXPECT_EQ(has("threshold"), 1);
    EXPECT_EQ(has("10\u207B\u00B3"), 1);
    // Each curve is one polyline with all its points.
    const auto lines = cv.OpsOf(ui::DrawOp::Polyline);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const ui::DrawOp& op) { return op.points.size() == 3; }));
}

TEST(FigureCsv, OneRowPerXValueOneColumnPerCurve) {
    EXPECT_EQ(CsvText(TwoPanels()),
              "x,a / u,\"b, 2\",f\r\n"
              "1,1,2,\r\n"
              "1.5,,,3\r\n"
              "2,4,1,\r\n"
              "3,2,3,\r\n");
    EXPECT_EQ(CsvNumber(57259.5), "57259.5");
    EXPECT_EQ(CsvNumber(-1e-7), "-1e-07");
}

}  // namespace

TEST(FigureRender, MarkerLabelAtThePanelsTopStaysOnThePage) {
    // A vertical density plot whose range ends at the HOMO, as the PDOS figure draws it.
    for (bool horizontal : {true, false}) {
        Figure f;
        Panel p;
        p.horizontal = horizontal;
        p.x.min = -30, p.x.max = -4;
        p.series.push_back({"total", {-30, -10, -4}, {0, 2, 1}, 0, 1, ui::psSolid, SeriesKind::Line, false, ""});
        p.markers.push_back({horizontal, -4, 0, 0.75, ui::psDash, "HOMO"});
        f.panels = {p};
        ui::RecordingCanvas cv;
        Render(cv, f, {});
        int labels = 0;
        for (const auto& op : cv.OpsOf(ui::DrawOp::TextAt)) {
            EXPECT_TRUE(op.x1 >= 0 && op.y1 >= 0 && op.x2 <= cv.Width() && op.y2 <= cv.Height()) << op.text;
            labels += op.text == "HOMO";
        }
        EXPECT_EQ(labels, 1);  // the label is drawn, not left out
    }
}

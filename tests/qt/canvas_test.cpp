// The QPainter canvas keeps the drawing rules of the model, checked on rendered pixels.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontDatabase>
#include <climits>

#include "qt_support.h"
#include "ui/qt/qt_canvas.h"
#include "ui/qt/text.h"

using mavrolin::qt::QtCanvas;
using mavrolin::qt::ToQColor;

namespace {

const QColor kBg = ToQColor(QtCanvas::kBackground);

bool On(const QImage& img, int x, int y, QColor c = Qt::black) { return img.pixelColor(x, y) == c; }

// Lengths of alternating on/off runs along row y from x0 (inclusive) to x1 (exclusive).
std::vector<int> Runs(const QImage& img, int y, int x0, int x1) {
    std::vector<int> runs;
    bool cur = On(img, x0, y);
    int len = 0;
    for (int x = x0; x < x1; ++x) {
        bool on = On(img, x, y);
        if (on == cur) {
            ++len;
        } else {
            runs.push_back(len);
            cur = on, len = 1;
        }
    }
    runs.push_back(len);
    return runs;
}

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        qt_testing::QtApp();
        canvas.SetSize(240, 120);
    }
    QtCanvas canvas;
};

TEST_F(CanvasTest, FivePenStylesHaveTheirPixelPatterns) {
    // Each style drawn over 96 pixels: solid is one run; the others repeat their pattern.
    const std::vector<std::vector<int>> expected = {
        {96},
        {18, 6, 18, 6, 18, 6, 18, 6},
        {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3},
        {9, 6, 3, 6, 9, 6, 3, 6, 9, 6, 3, 6, 9, 6, 3, 6},
        {9, 3, 3, 3, 3, 3, 9, 3, 3, 3, 3, 3, 9, 3, 3, 3, 3, 3, 9, 3, 3, 3, 3, 3}};
    for (int style = 0; style <= 4; ++style) {
        canvas.Pen = {ui::kBlack, 1, style};
        int y = 10 + style * 10;
        canvas.MoveTo(0, y);
        canvas.LineTo(96, y);
    }
    const QImage& img = canvas.Image();
    for (int style = 0; style <= 4; ++style) {
        int y = 10 + style * 10;
        EXPECT_EQ(Runs(img, y, 0, 96), expected[style]) << "style " << style;
        EXPECT_FALSE(On(img, 96, y)) << "end pixel of style " << style;
    }
}

TEST_F(CanvasTest, LinesLeaveOutTheirEndPixelInEveryDirection) {
    canvas.MoveTo(20, 20);
    canvas.LineTo(30, 30);  // diagonal
    canvas.MoveTo(50, 40);
    canvas.LineTo(50, 20);  // upwards
    canvas.MoveTo(80, 20);
    canvas.LineTo(70, 20);  // leftwards
    const QImage& img = canvas.Image();
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(On(img, 20 + i, 20 + i)) << i;
    EXPECT_FALSE(On(img, 30, 30));
    EXPECT_TRUE(On(img, 50, 40));
    EXPECT_TRUE(On(img, 50, 21));
    EXPECT_FALSE(On(img, 50, 20));
    EXPECT_TRUE(On(img, 80, 20));
    EXPECT_FALSE(On(img, 70, 20));
    EXPECT_EQ(canvas.PenX(), 70);
}

TEST_F(CanvasTest, ConnectedLinesCarryTheDashPatternOn) {
    canvas.Pen = {ui::kBlack, 1, ui::psDot};
    canvas.MoveTo(0, 10);
    canvas.LineTo(4, 10);
    canvas.LineTo(40, 10);
    canvas.MoveTo(0, 20);
    canvas.LineTo(40, 20);
    const QImage& img = canvas.Image();
    EXPECT_EQ(Runs(img, 10, 0, 40), Runs(img, 20, 0, 40));
}

TEST_F(CanvasTest, ColoursAreBlueGreenRed) {
    canvas.Pen = {0x0000FF, 1, ui::psSolid};
    canvas.MoveTo(0, 5);
    canvas.LineTo(10, 5);
    canvas.Pen.color = 0xFF0000;
    canvas.MoveTo(0, 6);
    canvas.LineTo(10, 6);
    const QImage& img = canvas.Image();
    EXPECT_EQ(img.pixelColor(3, 5), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(3, 6), QColor(0, 0, 255));
}

TEST_F(CanvasTest, RectangleAndFillKeepToTheirBox) {
    canvas.Brush = {0x00FF00, ui::BrushStyle::Solid};
    canvas.Rectangle(10, 10, 20, 16);
    canvas.FillRect(30, 10, 35, 12);
    const QImage& img = canvas.Image();
    QColor green(0, 255, 0);
    EXPECT_TRUE(On(img, 10, 10));
    EXPECT_TRUE(On(img, 19, 10));
    EXPECT_TRUE(On(img, 19, 15));
    EXPECT_TRUE(On(img, 10, 15));
    EXPECT_EQ(img.pixelColor(15, 12), green);
    EXPECT_EQ(img.pixelColor(20, 10), kBg);
    EXPECT_EQ(img.pixelColor(10, 16), kBg);
    EXPECT_EQ(img.pixelColor(34, 11), green);
    EXPECT_EQ(img.pixelColor(35, 11), kBg);
    EXPECT_EQ(img.pixelColor(34, 12), kBg);

    // A clear brush leaves the inside alone; FillRect with it draws nothing.
    canvas.Brush.style = ui::BrushStyle::Clear;
    canvas.Rectangle(50, 10, 60, 20);
    canvas.FillRect(70, 10, 80, 20);
    const QImage& img2 = canvas.Image();
    EXPECT_TRUE(On(img2, 50, 10));
    EXPECT_EQ(img2.pixelColor(55, 15), kBg);
    EXPECT_EQ(img2.pixelColor(75, 15), kBg);
}

TEST_F(CanvasTest, EllipseStaysInsideItsBoundingBox) {
    canvas.Brush = {0x0000FF, ui::BrushStyle::Solid};
    canvas.Ellipse(100, 20, 140, 50);
    const QImage& img = canvas.Image();
    EXPECT_EQ(img.pixelColor(120, 35), QColor(255, 0, 0));  // filled centre
    EXPECT_EQ(img.pixelColor(100, 20), kBg);               // corners of the box stay
    for (int y = 15; y < 55; ++y) EXPECT_EQ(img.pixelColor(140, y), kBg) << y;
    for (int x = 95; x < 145; ++x) EXPECT_EQ(img.pixelColor(x, 50), kBg) << x;
}

TEST_F(CanvasTest, TextIsOpaqueOnTheBrushAndMeasuredFromTheFont) {
    canvas.Font.color = 0xFF0000;
    canvas.Brush = {ui::kWhite, ui::BrushStyle::Solid};
    int w = canvas.TextWidth("Hg"), h = canvas.TextHeight("Hg");
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 5);
    EXPECT_GT(canvas.TextWidth("WWWW"), canvas.TextWidth("iiii"));
    canvas.TextOut(20, 60, "Hg");
    const QImage& img = canvas.Image();
    EXPECT_EQ(img.pixelColor(20, 60), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(20 + w - 1, 60 + h - 1), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(20 + w, 60), kBg);
    bool blue = false;
    for (int y = 60; y < 60 + h; ++y)
        for (int x = 20; x < 20 + w; ++x) blue |= img.pixelColor(x, y) == QColor(0, 0, 255);
    EXPECT_TRUE(blue);

    // With a clear brush only the glyphs are drawn.
    canvas.Brush.style = ui::BrushStyle::Clear;
    canvas.TextOut(120, 60, "Hg");
    EXPECT_EQ(canvas.Image().pixelColor(120, 60), kBg);
}

TEST_F(CanvasTest, TahomaResolvesToAMetricCompatibleFont) {
    QFontInfo info(QtCanvas::ToQFont(ui::FontSpec{}));
    EXPECT_EQ(info.pixelSize(), 11);  // 8 points at 96 dots per inch
    if (!QFontDatabase::hasFamily("Tahoma")) GTEST_SKIP() << "no Tahoma stand-in installed";
    EXPECT_EQ(info.family(), QString("Tahoma"));
}

TEST_F(CanvasTest, ResizingKeepsWhatWasDrawn) {
    canvas.MoveTo(0, 0);
    canvas.LineTo(5, 0);
    canvas.SetSize(400, 300);
    const QImage& img = canvas.Image();
    EXPECT_EQ(img.size(), QSize(400, 300));
    EXPECT_TRUE(On(img, 4, 0));
    EXPECT_EQ(img.pixelColor(399, 299), kBg);
    canvas.SetSize(0, 0);
    EXPECT_TRUE(canvas.Image().isNull());
    canvas.LineTo(10, 10);  // drawing on an empty box is harmless
}

TEST_F(CanvasTest, FarAwayCoordinatesAreClippedQuickly) {
    QElapsedTimer t;
    t.start();
    canvas.MoveTo(INT_MIN, INT_MIN);
    canvas.LineTo(INT_MAX, INT_MAX);
    canvas.Pen.style = ui::psDash;
    canvas.MoveTo(-2000000000, 50);
    canvas.LineTo(2000000000, 50);
    canvas.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    canvas.Ellipse(-1000000000, -1000000000, 1000000000, 1000000000);
    canvas.Image();
    EXPECT_LT(t.elapsed(), 2000);
}

}  // namespace

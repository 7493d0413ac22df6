// The picture of a spectrum on the recording canvas: bar colours, widths and directions.
#include <gtest/gtest.h>

#include <vector>

#include "spectrum/spectrum_plot.h"
#include "ui/recording_canvas.h"

using namespace mavrolin::spectrum;

namespace {

struct Drawn {
    std::vector<double> en_ev, nm, f;
    SpectrumCurve curve;
    SpectrumFrame frame;
    ui::RecordingCanvas canvas;
};

void Draw(Drawn& d, const PlotStyle& style, CurveSettings cs = {}) {
    for (double e : d.en_ev) d.nm.push_back(kHcEvNm / e);
    cs.unit = style.unit;
    Transitions t{d.en_ev, d.nm, d.f};
    d.curve = ComputeSpectrum(t, cs);
    ASSERT_TRUE(d.curve.Ok()) << d.curve.message;
    d.frame = DrawSpectrum(d.canvas, 977, 744, style, d.curve, t);
}

PlotStyle NumberedColours() {
    PlotStyle st;
    for (int n = 1; n <= 20; ++n) st.colors[static_cast<size_t>(n - 1)] = static_cast<ui::Color>(1000 + n);
    st.gauss = false;
    return st;
}

// Bar lines: vertical lines that start on the zero line.
std::vector<ui::DrawOp> Bars(const Drawn& d) {
    std::vector<ui::DrawOp> bars;
    for (const auto& op : d.canvas.Lines())
        if (op.x1 == op.x2 && op.y1 == d.frame.Y(0) && op.pen.color > 1000 && op.pen.color <= 1020) bars.push_back(op);
    return bars;
}

}  // namespace

TEST(SpectrumPlot, TwentyFiveTransitionsCycleThroughTheTwentyColours) {
    Drawn d;
    for (int j = 1; j <= 25; ++j) {
        d.en_ev.push_back(2.0 + 0.1 * j);
        d.f.push_back(0.1);
    }
    Draw(d, NumberedColours());
    auto bars = Bars(d);
    ASSERT_EQ(bars.size(), 25u);
    const int expected[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 1, 2, 3, 4, 5, 6};
    for (int j = 0; j < 25; ++j) EXPECT_EQ(bars[static_cast<size_t>(j)].pen.color, 1000u + expected[j]) << "state " << j + 1;
}

TEST(SpectrumPlot, WideBarIsCentredAndHigherEnergiesLieToTheLeft) {
    for (int unit : {kUnitEv, kUnitNm}) {
        Drawn d;
        d.en_ev = {2.5, 3.0};
        d.f = {0.2, 0.2};
        auto st = NumberedColours();
        st.unit = unit;
        st.lineWidthBar = 3;
        Draw(d, st);
        auto bars = Bars(d);
        ASSERT_EQ(bars.size(), 6u);
        // Three one-pixel lines at p, p+1, p+2, p one pixel left of the state's own column.
        const int own = d.frame.X(unit == kUnitNm ? d.nm[1] : 3.0);
        EXPECT_EQ(bars[3].x1, own - 1);
        EXPECT_EQ(bars[4].x1, own);
        EXPECT_EQ(bars[5].x1, own + 1);
        // 3.0 eV (413 nm) lies left of 2.5 eV (496 nm) on both axes: energies grow to the
        // left, wavelengths to the right.
        EXPECT_LT(bars[3].x1, bars[0].x1);
        if (unit == kUnitNm) {
            EXPECT_GT(d.frame.X(500), d.frame.X(400));
        } else {
            EXPECT_LT(d.frame.X(3.5), d.frame.X(3.0));
        }
        EXPECT_EQ(bars[0].y2, d.frame.Y(0.9 * 0.2));
    }
}

TEST(SpectrumPlot, MonochromeLabelsThresholdAndFrame) {
    Drawn d;
    d.en_ev = {3.0, 3.5};
    d.f = {0.5, 0.0005};
    auto st = NumberedColours();
    st.monochrome = true;
    st.transitions = true;
    st.gauss = true;
    Draw(d, st);
    int labels = 0;
    for (const auto& op : d.canvas.Texts())
        if (op.text.starts_with("f=")) {
            ++labels;
            EXPECT_EQ(op.font.color, ui::kBlue);
            EXPECT_EQ(op.text, "f=0.5");
        }
    EXPECT_EQ(labels, 1);  // 0.0005 is under the threshold of 0.001
    for (const auto& op : d.canvas.Lines()) EXPECT_TRUE(op.pen.color == ui::kBlack || op.pen.color == ui::kWhite);
    // Frame of width 2: the outer rectangle's left edge is two pixels out from the data end.
    const int left = d.frame.X(d.curve.dxmax);
    bool outer = false;
    for (const auto& op : d.canvas.Lines()) outer |= op.x1 == left - 2 && op.x2 == left - 2;
    EXPECT_TRUE(outer);
}

TEST(SpectrumPlot, BoldFrameFontMovesTheLeftLabelsFurtherOut) {
    auto leftLabelX = [](const std::string& style) {
        Drawn d;
        d.en_ev = {3.0};
        d.f = {0.5};
        auto st = NumberedColours();
        st.fontStyle = style;
        Draw(d, st);
        for (const auto& op : d.canvas.Texts())
            if (op.text == "0.52") return op.x1;
        return -1;
    };
    EXPECT_EQ(leftLabelX("Italic") - leftLabelX("Bold+Italic"), 5);
}

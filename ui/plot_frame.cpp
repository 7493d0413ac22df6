#include "ui/plot_frame.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/number_text.h"

namespace ui {

int RoundPixel(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(core::RoundHalfEven(std::clamp(v, -1e7, 1e7)));
}

std::string RoundedText(double scaled, double scale) {
    // nearbyint rounds halves to even like Round, and stays defined beyond the integer range.
    return core::FloatText(std::nearbyint(scaled) / scale);
}

// ---------------------------------------------------------------- Extent

void Extent::Take(double v) {
    if (std::isnan(v)) return;
    min = count == 0 ? v : std::min(min, v);
    max = count == 0 ? v : std::max(max, v);
    ++count;
}

// ---------------------------------------------------------------- Axis

double Axis::Coord(double value) const {
    if (scale == Scale::Linear) return value;
    return value > 0 && std::isfinite(value) ? std::log10(value) : std::numeric_limits<double>::quiet_NaN();
}

void Axis::SetData(const Extent& e) {
    dmin = e.count > 0 ? e.min : 0;
    dmax = e.count > 0 ? e.max : 0;
}

double Axis::Span() const {
    double s = dmax - dmin;
    return s > 0 && std::isfinite(s) ? s : 1.0;
}

void Axis::SetMargins(double below, double above) {
    const double s = Span();
    Pad(below * s, above * s);
}

void Axis::Pad(double below, double above) {
    gmin = dmin - below;
    gmax = dmax + above;
}

void Axis::Increasing(int originPixel, double pixelLength) {
    origin = originPixel;
    length = pixelLength;
    decreasing = false;
}

void Axis::Decreasing(int originPixel, double pixelLength) {
    origin = originPixel;
    length = pixelLength;
    decreasing = true;
}

int Axis::Pixel(double c) const {
    const int d = RoundPixel(length * (c - gmin) / (gmax - gmin));
    return decreasing ? origin - d : origin + d;
}

double Axis::Position(double c) const {
    const double d = length * (c - gmin) / (gmax - gmin);
    return decreasing ? origin - d : origin + d;
}

double Axis::Plotted(double value) const {
    const double c = Coord(value);
    return std::isnan(c) ? dmin : c;
}

double Axis::ValueAt(double px) const {
    if (length == 0) return gmin;
    // Written from the end the pixel is counted from, so that a full-size axis gives
    // gmin + px·span/length or gmax − px·span/length exactly.
    if (decreasing) return gmax - (px - (origin - length)) * (gmax - gmin) / length;
    return gmin + (px - origin) * (gmax - gmin) / length;
}

void Axis::CopyTo(double& dmin_, double& dmax_, double& gmin_, double& gmax_) const {
    dmin_ = dmin;
    dmax_ = dmax;
    gmin_ = gmin;
    gmax_ = gmax;
}

// ---------------------------------------------------------------- PlotFrame

void PlotFrame::PlaceFull(int width, int height) {
    Place(width, height);
    x.Increasing(0, width);
    y.Decreasing(height, height);
}

Point PlotFrame::CornerPoint(Corner c) const {
    switch (c) {
        case Corner::XminYmin: return At(x.dmin, y.dmin);
        case Corner::XminYmax: return At(x.dmin, y.dmax);
        case Corner::XmaxYmax: return At(x.dmax, y.dmax);
        case Corner::XmaxYmin: return At(x.dmax, y.dmin);
    }
    return {};
}

void PlotFrame::Erase(Canvas& cv, Color background) const {
    cv.Pen.color = kWhite;
    cv.Pen.style = psSolid;
    cv.Brush = {background, BrushStyle::Solid};
    cv.Rectangle(fx(x.gmin), fy(y.gmin), fx(x.gmax), fy(y.gmax));
}

void PlotFrame::Fill(Canvas& cv, Color color) const {
    cv.Brush = {color, BrushStyle::Solid};
    cv.FillRect(fx(x.gmin), fy(y.gmin), fx(x.gmax), fy(y.gmax));
}

namespace {

// Moves the pixel p of one data end away from the pixel of the other end.
int Outward(int p, int other, int by) { return p <= other ? p - by : p + by; }

}  // namespace

void PlotFrame::DrawDataFrame(Canvas& cv, int outset) const {
    const int x0 = fx(x.dmin), x1 = fx(x.dmax), y0 = fy(y.dmin), y1 = fy(y.dmax);
    const int left = Outward(x0, x1, outset), right = Outward(x1, x0, outset);
    const int low = Outward(y0, y1, outset), high = Outward(y1, y0, outset);
    cv.MoveTo(left, low);
    cv.LineTo(left, high);
    cv.LineTo(right, high);
    cv.LineTo(right, low);
    cv.LineTo(left, low);
}

void PlotFrame::HLine(Canvas& cv, double cy) const {
    const int py = fy(cy);
    cv.MoveTo(fx(x.dmin), py);
    cv.LineTo(fx(x.dmax), py);
}

void PlotFrame::VLine(Canvas& cv, double cx) const {
    const int px = fx(cx);
    cv.MoveTo(px, fy(y.dmin));
    cv.LineTo(px, fy(y.dmax));
}

void PlotFrame::LabelAt(Canvas& cv, Corner c, int dx, int dy, const std::string& text, HAlign align) const {
    const Point p = CornerPoint(c);
    PlaceText(cv, p.x + dx, p.y + dy, text, align);
}

void ClearPlotPage(Canvas& cv, int width, int height) {
    cv.Font = FontSpec{};
    cv.Font.size = 10;
    cv.Brush = {kWhite, BrushStyle::Solid};
    cv.Pen = {kWhite, 1, psSolid};
    cv.FillRect(0, 0, width, height);
}

void PlaceText(Canvas& cv, int x, int y, const std::string& text, HAlign align) {
    switch (align) {
        case HAlign::Left: break;
        case HAlign::Center: x -= cv.TextWidth(text) / 2; break;
        case HAlign::Right: x -= cv.TextWidth(text); break;
    }
    cv.TextOut(x, y, text);
}

void DrawLegend(Canvas& cv, Point at, std::span<const LegendEntry> entries) {
    for (const auto& e : entries) {
        cv.Font.color = e.color;
        cv.TextOut(at.x + e.dx, at.y, e.text);
    }
}

}  // namespace ui

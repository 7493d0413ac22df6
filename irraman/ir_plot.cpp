#include "irraman/ir_plot.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace mavrolin::irraman {

namespace {

constexpr ui::Color kGrey = 0xA0A0A0;
constexpr ui::Color kStickBlue = 0xC05000;  // 0x00BBGGRR: a dark blue

// A tick step of 1, 2 or 5 times a power of ten giving about six ticks over the span.
double TickStep(double span) {
    const double raw = span / 6, p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * p) return m * p;
    return 10 * p;
}

std::string Short(double v) {
    const double a = std::fabs(v);
    const double scale = a >= 100 ? 1 : a >= 1 ? 100 : a >= 0.01 ? 10000 : 1e8;
    return ui::RoundedText(v * scale, scale);
}

}  // namespace

double StickFactor(const IrCurve& curve) {
    double top = 0;
    for (const auto& s : curve.sticks) top = std::max(top, std::fabs(s.height));
    const double m = CurveMax(curve.y);
    return top > 0 && m > 0 ? m / top : 1;
}

IrFrame DrawIrSpectrum(ui::Canvas& cv, int width, int height, const IrPicture& pic) {
    IrFrame f;
    const IrCurve& c = *pic.curve;
    ui::ClearPlotPage(cv, width, height);

    // Text above the plot: the caption and the notes, one line each.
    const int lineH = cv.TextHeight("Xg") + 2;
    int y = 4;
    cv.Font.bold = true;
    cv.TextOut(8, y, pic.caption);
    cv.Font.bold = false;
    y += lineH;
    for (const auto& n : pic.notes) {
        cv.TextOut(8, y, n);
        y += lineH;
    }

    double ylo = 0, yhi = CurveMax(c.y);
    for (double v : pic.overlayY) yhi = std::max(yhi, v);
    if (!(yhi > 0)) yhi = 1;
    yhi *= 1.05;
    if (!pic.autoY && pic.ymin < pic.ymax) ylo = pic.ymin, yhi = pic.ymax;

    const int left = std::max(cv.TextWidth(Short(yhi)), cv.TextWidth(Short(ylo))) + 16;
    const int right = 24, top = y + 8, bottom = 2 * lineH + 12;
    auto& p = f.plot;
    p.Place(width, height);
    p.x.dmin = p.x.gmin = c.xmin;
    p.x.dmax = p.x.gmax = c.xmax;
    p.y.dmin = p.y.gmin = ylo;
    p.y.dmax = p.y.gmax = yhi;
    // Wavenumber decreases to the right: xmin sits at the right edge.
    p.x.Decreasing(width - right, std::max(width - left - right, 1));
    p.y.Decreasing(height - bottom, std::max(height - bottom - top, 1));
    f.inverted = pic.transmittance;
    f.valid = true;
    const int x0 = f.X(c.xmax), x1 = f.X(c.xmin), yTop = p.fy(yhi), yBottom = p.fy(ylo);

    auto polyline = [&](const std::vector<double>& xs, const std::vector<double>& vs) {
        bool down = false;
        for (size_t i = 0; i < xs.size(); ++i) {
            if (xs[i] < c.xmin || xs[i] > c.xmax) {
                down = false;
                continue;
            }
            const int px = f.X(xs[i]), py = std::clamp(f.Y(vs[i]), yTop, yBottom);
            if (down) cv.LineTo(px, py);
            else cv.MoveTo(px, py);
            down = true;
        }
    };
    if (!pic.overlayX.empty()) {
        cv.Pen = {kGrey, 2, ui::psSolid};
        polyline(pic.overlayX, pic.overlayY);
    }
    if (pic.sticks) {
        cv.Pen = {kStickBlue, 1, ui::psSolid};
        const double k = StickFactor(c);
        for (const auto& s : c.sticks) {
            if (s.x < c.xmin || s.x > c.xmax) continue;
            const int px = f.X(s.x);
            cv.MoveTo(px, std::clamp(f.Y(0), yTop, yBottom));
            cv.LineTo(px, std::clamp(f.Y(s.height * k), yTop, yBottom));
        }
    }
    cv.Pen = {ui::kRed, 2, ui::psSolid};
    polyline(c.x, c.y);

    // White margins over whatever reached past the data, then the frame and labels.
    cv.Pen = {ui::kWhite, 1, ui::psSolid};
    cv.FillRect(0, top - 1, x0 - 1, height);
    cv.FillRect(x1 + 2, top - 1, width, height);
    cv.Pen = {ui::kBlack, 1, ui::psSolid};
    p.DrawDataFrame(cv, 1);

    cv.Font.color = ui::kBlack;
    const double step = TickStep(c.xmax - c.xmin);
    for (double t = std::ceil(c.xmin / step) * step; t <= c.xmax + 1e-9 * step; t += step) {
        const int px = f.X(t);
        cv.MoveTo(px, yBottom + 1);
        cv.LineTo(px, yBottom + 6);
        ui::PlaceText(cv, px, yBottom + 7, Short(t), ui::HAlign::Center);
    }
    ui::PlaceText(cv, (x0 + x1) / 2, yBottom + 7 + lineH, "Wavenumber / cm-1", ui::HAlign::Center);
    const double atTop = pic.transmittance ? ylo : yhi, atBottom = pic.transmittance ? yhi : ylo;
    ui::PlaceText(cv, x0 - 6, yTop - lineH / 2, Short(atTop), ui::HAlign::Right);
    ui::PlaceText(cv, x0 - 6, yBottom - lineH / 2, Short(atBottom), ui::HAlign::Right);
    ui::PlaceText(cv, x0 + 6, yTop + 4, pic.yTitle);
    return f;
}

}  // namespace mavrolin::irraman

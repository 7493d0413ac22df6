#include "spectrum/spectrum_plot.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace mavrolin::spectrum {

namespace {

using core::FloatText;

constexpr ui::Color kOverlayGrey = 0xA0A0A0;

// Round(v*scale)/scale as text.
std::string RoundedText(double v, double scale) { return ui::RoundedText(v * scale, scale); }

// A band drawn out to 1.2 half-widths never needs more steps than cross the whole box.
int StepCount(double steps, double limit) {
    if (!std::isfinite(steps) || steps > limit) return static_cast<int>(limit);
    return steps < 0 ? 0 : static_cast<int>(std::nearbyint(steps));
}

void Fill(ui::Canvas& cv, int x1, int y1, int x2, int y2) {
    cv.FillRect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

class Painter {
public:
    Painter(ui::Canvas& cv, const PlotStyle& st, const SpectrumCurve& c, const Transitions& states,
            const ExperimentalSpectrum* overlay)
        : cv_(cv), st_(st), c_(c), states_(states), overlay_(overlay), xUnit_(st.unit == kUnitCm ? kCmPerEv : 1.0) {}

    SpectrumFrame Draw(int width, int height) {
        cv_.Font.name = st_.fontName;
        ApplyFontStyle(cv_.Font, st_.fontStyle);
        cv_.Font.size = st_.frameFontSize;
        cv_.Font.color = ui::kBlack;
        Frame(width, height);
        Background();
        Overlay();
        for (int j = 1; j <= states_.Count(); ++j) Transition(j);
        Curve();
        Margins();
        Border();
        AxisTexts();
        cv_.Font.size = 8;
        return f_;
    }

private:
    int X(double x) const { return f_.X(x); }
    int Y(double y) const { return f_.Y(y); }
    bool Nm() const { return st_.unit == kUnitNm; }

    std::string EndText(double v) const {
        if (st_.unit == kUnitCm) return RoundedText(v * xUnit_, 1);
        return Nm() ? RoundedText(v, 10) : RoundedText(v * xUnit_, 10);
    }

    // Ranges of the paint box: label margins left and right, about two label heights
    // below the data and one above.
    void Frame(int width, int height) {
        auto& p = f_.plot;
        f_.unit = st_.unit;
        f_.npoints = static_cast<int>(c_.y.size());
        p.Place(width, height);
        if (Nm())
            p.x.Increasing(0, width);
        else
            p.x.Decreasing(width, width);
        p.y.Decreasing(height, height);
        p.x.dmin = c_.dxmin, p.x.dmax = c_.dxmax, p.y.dmin = c_.dymin, p.y.dmax = c_.dymax;
        lowText_ = RoundedText(c_.dymin, 100);
        highText_ = RoundedText(c_.dymax, 100);
        ylabelWidth_ = std::max(cv_.TextWidth(lowText_), cv_.TextWidth(highText_));
        ylabelHeight_ = cv_.TextHeight(lowText_);
        const int flabelWidth = cv_.TextWidth("0.000");
        xlabelHeight_ = cv_.TextHeight(EndText(c_.dxmin));
        const double a = width - ylabelWidth_ - flabelWidth, d = c_.dxmax - c_.dxmin;
        const double h = height - 3.0 * xlabelHeight_, v = c_.dymax - c_.dymin;
        const double left = Nm() ? ylabelWidth_ : flabelWidth, right = Nm() ? flabelWidth : ylabelWidth_;
        p.x.gmin = c_.dxmin - d * 1.8 * left / a;
        p.x.gmax = d * 1.8 * right / a + c_.dxmax;
        p.y.gmin = c_.dymin - v * 2 * xlabelHeight_ / h;
        p.y.gmax = v * 1 * xlabelHeight_ / h + c_.dymax;
        f_.valid = true;
        xpdiv2_ = (p.x.gmax - p.x.gmin) / width / 2;
        bex_ = st_.fontStyle.starts_with("Bold") ? 5 : 0;
    }

    void Background() {
        cv_.Pen = {ui::kWhite, 1, ui::psSolid};
        f_.plot.Fill(cv_, ui::kWhite);
    }

    // The measured spectrum in grey, in the frame's own x (eV, or nm on the wavelength axis).
    void Overlay() {
        if (!overlay_) return;
        auto p = ExperimentalIn(*overlay_, Nm() ? kUnitNm : kUnitEv);
        double top = 0;
        for (double v : c_.y) top = std::max(top, v);
        ScaleToMaximum(p, top);
        cv_.Pen = {kOverlayGrey, 2, ui::psSolid};
        const int yTop = Y(f_.plot.y.gmax), yBottom = Y(f_.plot.y.gmin);
        bool down = false;
        for (size_t i = 0; i < p.x.size(); ++i) {
            if (p.x[i] < c_.dxmin || p.x[i] > c_.dxmax) {
                down = false;
                continue;
            }
            const int px = X(p.x[i]), py = std::clamp(Y(p.y[i]), std::min(yTop, yBottom), std::max(yTop, yBottom));
            if (down)
                cv_.LineTo(px, py);
            else
                cv_.MoveTo(px, py);
            down = true;
        }
    }

    void Transition(int j) {
        const size_t k = static_cast<size_t>(j - 1);
        const double f = states_.f[k];
        const double e = Nm() ? states_.nm[k] : states_.en_ev[k];
        cv_.Pen.color = st_.monochrome ? ui::kBlack : TransitionColor(st_, j);
        // Bar: lw one-pixel lines centred on the transition.
        cv_.Pen.width = 1;
        cv_.Pen.style = st_.lineStyleBar;
        const int lw = st_.lineWidthBar;
        const int p = X(Nm() ? e - (lw - 1) * xpdiv2_ : e + (lw - 1) * xpdiv2_);
        for (int w = 0; w < lw; ++w) {
            cv_.MoveTo(p + w, Y(0));
            cv_.LineTo(p + w, Y(st_.scaleFactor / 100.0 * f));
        }
        if (st_.gauss && c_.dxmin < e && e < c_.dxmax) Band(k, e, f);
        if (st_.transitions && f > st_.fthreshold / 10000.0) Labels(e, f);
    }

    // The transition's own band, out to 1.2 half-widths each side, with the curve's step.
    void Band(size_t k, double e, double f) {
        cv_.Pen.width = st_.lineWidthGau;
        cv_.Pen.style = st_.lineStyleGau;
        const double step = c_.xdiv, sigma = c_.sigma;
        const double limit = 4.0 * f_.npoints + (f_.plot.x.gmax - f_.plot.x.gmin) / step;
        if (!Nm()) {
            const int n = StepCount(1.2 * c_.pkh_100 / step, limit);
            for (int side : {1, -1}) {
                cv_.MoveTo(X(e), Y(Gaus(e, e, sigma) * f));
                for (int i = 1; i <= n; ++i) {
                    const double x = side > 0 ? i * (c_.dxmax - c_.dxmin) / (f_.npoints - 1) + e
                                              : e - i * (c_.dxmax - c_.dxmin) / (f_.npoints - 1);
                    cv_.LineTo(X(x), Y(Gaus(e, x, sigma) * f));
                }
            }
            return;
        }
        const double ev = states_.en_ev[k], lambda = e;
        const double nmHigh = kHcEvNm / (ev - c_.pkh_100), nmLow = kHcEvNm / (ev + c_.pkh_100);
        // A band reaching 0 eV has no upper wavelength: it runs to the edge of the box.
        const double upSteps = nmHigh > lambda ? (nmHigh - lambda) * 1.2 / step : limit;
        const int up = StepCount(upSteps, limit), down = StepCount((lambda - nmLow) * 1.2 / step, limit);
        for (int side : {1, -1}) {
            cv_.MoveTo(X(lambda), Y(Gaus(ev, NmToEv(lambda), sigma) * f));
            for (int i = 1; i <= (side > 0 ? up : down); ++i) {
                const double x = side > 0 ? i * step + lambda : lambda - i * step;
                cv_.LineTo(X(x), Y(Gaus(ev, NmToEv(x), sigma) * f));
            }
        }
    }

    void Labels(double e, double f) {
        const ui::FontSpec kept = cv_.Font;
        cv_.Font.size = st_.transitionFontSize;
        cv_.Font.color = ui::kBlue;
        ApplyFontStyle(cv_.Font, "Standard");
        std::string t1 = "f=" + FloatText(f), t2;
        if (st_.unit == kUnitEv) t2 = RoundedText(e * xUnit_, 100) + st_.unitText;
        if (st_.unit == kUnitCm) t2 = RoundedText(e * xUnit_, 1) + st_.unitText;
        if (Nm()) t2 = RoundedText(e, 10) + st_.unitText;
        const int c = X(e);
        cv_.TextOut(c - cv_.TextWidth(t1) / 2, Y(f) - 20, t1);
        cv_.TextOut(c - cv_.TextWidth(t2) / 2, Y(f) - 35, t2);
        cv_.Font.color = kept.color;
        ApplyFontStyle(cv_.Font, st_.fontStyle);
    }

    void Curve() {
        cv_.Pen = {st_.monochrome ? ui::kBlack : st_.colorSpc, st_.lineWidthSpc, st_.lineStyleSpc};
        const int n = f_.npoints;
        if (n == 0) return;
        cv_.MoveTo(X(c_.dxmin), Y(c_.y[0]));
        for (int i = 1; i < n; ++i) cv_.LineTo(X(GridX(i, c_.dxmin, c_.dxmax, n)), Y(c_.y[static_cast<size_t>(i)]));
    }

    // White side margins erase what reached into them; top and bottom stay.
    void Margins() {
        cv_.Pen = {ui::kWhite, 1, ui::psSolid};
        cv_.Brush = {ui::kWhite, ui::BrushStyle::Solid};
        const auto& x = f_.plot.x;
        const int top = Y(f_.plot.y.gmax), bottom = Y(f_.plot.y.gmin);
        if (Nm()) {
            Fill(cv_, X(x.gmin), bottom, X(c_.dxmin) - 1, top);
            Fill(cv_, X(c_.dxmax) + 1, bottom, X(x.gmax), top);
        } else {
            Fill(cv_, X(x.gmax), bottom, X(c_.dxmax) - 1, top);
            Fill(cv_, X(c_.dxmin) + 1, bottom, X(x.gmin), top);
        }
    }

    int Left() const { return Nm() ? X(c_.dxmin) : X(c_.dxmax); }
    int Right() const { return Nm() ? X(c_.dxmax) : X(c_.dxmin); }

    // The frame grows outward with its width, one pixel outside the data.
    void Border() {
        cv_.Pen = {st_.monochrome ? ui::kBlack : st_.colorFrm, 1, st_.lineStyleFrm};
        for (int w = 0; w < st_.lineWidthFrm; ++w) f_.plot.DrawDataFrame(cv_, 1 + w);
    }

    void Centred(int x, int y, const std::string& text) { ui::PlaceText(cv_, x, y, text, ui::HAlign::Center); }

    void AxisTexts() {
        cv_.Font.size = st_.frameFontSize;
        cv_.Font.color = ui::kBlack;
        const int labelTop = Y(c_.dymin) + xlabelHeight_ / 2;
        Centred(X(c_.dxmax), labelTop, EndText(c_.dxmax));
        Centred(X(c_.dxmin), labelTop, EndText(c_.dxmin));
        const int l = Left(), r = Right();
        const int lowY = Y(c_.dymin) - (ylabelHeight_ * 2) / 3, highY = Y(c_.dymax) - ylabelHeight_ / 2;
        cv_.TextOut(l - cv_.TextWidth(lowText_) - bex_ - 10, lowY, lowText_);
        cv_.TextOut(l - cv_.TextWidth(highText_) - bex_ - 10, highY, highText_);
        cv_.TextOut(r + 10, lowY, RoundedText(c_.dymin * 100 / st_.scaleFactor, 10000));
        cv_.TextOut(r + 10, highY, RoundedText(c_.dymax * 100 / st_.scaleFactor, 10000));
        cv_.TextOut(r + 20, Y((c_.dymax + c_.dymin) / 2) - ylabelHeight_ / 2, "f");
        Centred(X((c_.dxmax + c_.dxmin) / 2), labelTop, (Nm() ? "Wavelength / " : "Transition Energy / ") + st_.unitText);
    }

    ui::Canvas& cv_;
    const PlotStyle& st_;
    const SpectrumCurve& c_;
    const Transitions& states_;
    const ExperimentalSpectrum* overlay_;
    const double xUnit_;
    SpectrumFrame f_;
    std::string lowText_, highText_;
    int ylabelWidth_ = 0, ylabelHeight_ = 0, xlabelHeight_ = 0, bex_ = 0;
    double xpdiv2_ = 0;
};

}  // namespace

void ApplyFontStyle(ui::FontSpec& font, const std::string& style) {
    font.bold = style == "Bold+Italic" || style == "Bold";
    font.italic = style == "Bold+Italic" || style == "Italic";
    font.strikeout = style == "StrikeOut";
    font.underline = style == "Underline";
}

ui::Color TransitionColor(const PlotStyle& style, int j) { return style.colors[static_cast<size_t>(j % 20)]; }

SpectrumFrame DrawSpectrum(ui::Canvas& canvas, int width, int height, const PlotStyle& style,
                           const SpectrumCurve& curve, const Transitions& states,
                           const ExperimentalSpectrum* overlay) {
    return Painter(canvas, style, curve, states, overlay).Draw(width, height);
}

}  // namespace mavrolin::spectrum

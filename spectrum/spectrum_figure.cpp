#include "spectrum/spectrum_figure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/number_text.h"

namespace mavrolin::spectrum {

namespace {

// Wavenumber (cm⁻¹) of a position on the horizontal axis, and back.
double ToKayser(int unit, double x) {
    if (unit == kUnitNm) return 1e7 / x;
    if (unit == kUnitEv) return x * kCmPerEvBand;
    return x;
}
double FromKayser(int unit, double nu) {
    if (unit == kUnitNm) return 1e7 / nu;
    if (unit == kUnitEv) return nu / kCmPerEvBand;
    return nu;
}

}  // namespace

double StateAbsorptivity(const Transitions& states, int i, double sigmaEv, double nu) {
    const double s = sigmaEv * kCmPerEvBand;
    const double c = states.en_ev[static_cast<size_t>(i)] * kCmPerEvBand;
    return states.f[static_cast<size_t>(i)] / kAbsorptivityPerStrength * std::exp(-(nu - c) * (nu - c) / (2 * s * s)) /
           (std::sqrt(2 * std::numbers::pi) * s);
}

double KayserOf(int unit, double x) { return ToKayser(unit, x); }

void AutomaticRange(const Transitions& states, double sigmaEv, int unit, double& lo, double& hi) {
    double emin = 1e300, emax = 0;
    for (int i = 0; i < states.Count(); ++i) {
        const double e = states.en_ev[static_cast<size_t>(i)];
        if (e > 0) emin = std::min(emin, e), emax = std::max(emax, e);
    }
    if (emax <= 0) emin = 1, emax = 6;
    const double a = std::max(emin - 4 * sigmaEv, emin / 2), b = emax + 4 * sigmaEv;
    const double xa = FromKayser(unit, a * kCmPerEvBand), xb = FromKayser(unit, b * kCmPerEvBand);
    lo = std::min(xa, xb), hi = std::max(xa, xb);
}

double MolarAbsorptivity(const Transitions& states, double sigmaEv, double nu) {
    double e = 0;
    for (int i = 0; i < states.Count(); ++i)
        if (states.en_ev[static_cast<size_t>(i)] > 0) e += StateAbsorptivity(states, i, sigmaEv, nu);
    return e;
}

ui::fig::Figure UvFigure(const Transitions& states, const UvFigureOptions& o, const ExperimentalSpectrum* measured) {
    using namespace ui::fig;
    Figure fig;
    fig.title = o.title;
    Panel p;
    const int unit = o.unit;
    double lo = o.lo, hi = o.hi;
    if (!(lo < hi)) AutomaticRange(states, o.sigmaEv, unit, lo, hi);
    p.x.min = lo, p.x.max = hi;
    p.x.title = unit == kUnitNm ? Quantity("\u03BB", "nm") : unit == kUnitEv ? Quantity("E", "eV") : Quantity("\u03BD\u0303", "cm\u207B\u00B9");
    fig.csvX = unit == kUnitNm ? "wavelength / nm" : unit == kUnitEv ? "energy / eV" : "wavenumber / cm-1";
    p.y.title = Quantity("\u03B5", "L mol\u207B\u00B9 cm\u207B\u00B9");

    const int n = std::max(o.points, 2);
    Series total;
    total.name = "Calculated (\u03C3 = " + core::FloatText(o.sigmaEv) + " eV)";
    total.column = "epsilon / L mol-1 cm-1";
    total.widthPt = 1;
    for (int i = 0; i < n; ++i) {
        const double x = lo + (hi - lo) * i / (n - 1);
        total.x.push_back(x);
        total.y.push_back(MolarAbsorptivity(states, o.sigmaEv, ToKayser(unit, x)));
    }
    if (o.components)
        for (int s = 0; s < states.Count(); ++s) {
            if (states.en_ev[static_cast<size_t>(s)] <= 0) continue;
            Series c;
            c.x = total.x;
            for (double x : c.x) c.y.push_back(StateAbsorptivity(states, s, o.sigmaEv, ToKayser(unit, x)));
            c.color = 0x999999;
            c.widthPt = 0.4;
            c.column = "state " + std::to_string(s + 1) + " epsilon / L mol-1 cm-1";
            p.series.push_back(std::move(c));
        }
    const double top = *std::max_element(total.y.begin(), total.y.end());
    p.y.min = 0, p.y.max = top > 0 ? top * 1.08 : 1;
    p.series.push_back(total);

    bool measuredOnRight = false;
    if (measured && !measured->Empty()) {
        OverlayPoints pts = ExperimentalIn(*measured, unit);
        if (o.normalise) ScaleToMaximum(pts, top);
        Series m;
        m.name = "Experimental" + (measured->name.empty() ? std::string() : " (" + measured->name + ")");
        m.column = o.normalise ? "experimental (scaled to epsilon max)" : "experimental";
        m.x = std::move(pts.x), m.y = std::move(pts.y);
        m.color = PaletteColor(2);
        m.widthPt = 0.8;
        measuredOnRight = !o.normalise;
        m.rightAxis = measuredOnRight;
        p.series.push_back(std::move(m));
    }
    if (measuredOnRight) {
        // The right axis belongs to the measured intensities; the sticks would need a third.
        p.hasY2 = true;
        p.y2.title = "Experimental intensity";
    } else if (o.sticks) {
        Series f;
        f.name = "Oscillator strength";
        f.column = "f";
        f.kind = SeriesKind::Sticks;
        f.rightAxis = true;
        f.color = PaletteColor(1);
        f.widthPt = 0.75;
        for (int i = 0; i < states.Count(); ++i) {
            const double e = states.en_ev[static_cast<size_t>(i)];
            if (e <= 0) continue;
            f.x.push_back(FromKayser(unit, e * kCmPerEvBand));
            f.y.push_back(states.f[static_cast<size_t>(i)]);
        }
        p.hasY2 = true;
        p.y2.title = Quantity("f");
        const double fmax = f.y.empty() ? 0 : *std::max_element(f.y.begin(), f.y.end());
        p.y2.min = 0, p.y2.max = fmax > 0 ? fmax * 1.08 : 1;
        p.series.push_back(std::move(f));
    }
    fig.panels.push_back(std::move(p));
    return fig;
}

}  // namespace mavrolin::spectrum

#include "spectrum/ecd_figure.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace mavrolin::spectrum {

ui::fig::Figure EcdFigure(const RotatoryStrengths& rs, const EcdFigureOptions& o, const ExperimentalSpectrum* measured) {
    using namespace ui::fig;
    Figure fig;
    fig.title = o.title;
    Panel p;
    const int unit = o.ecd.unit;
    const double sign = o.mirror ? -1 : 1;
    Series total;
    total.x = EcdGrid(rs, o.ecd, o.lo, o.hi, o.points);
    total.y = EcdCurve(rs, o.ecd, total.x);
    for (double& v : total.y) v *= sign;
    p.x.min = total.x.front(), p.x.max = total.x.back();
    p.x.title = unit == kUnitNm ? Quantity("\u03BB", "nm") : Quantity("E", "eV");
    fig.csvX = unit == kUnitNm ? "wavelength / nm" : "energy / eV";
    p.y.title = Quantity("\u0394\u03B5", "L mol\u207B\u00B9 cm\u207B\u00B9");
    total.name = std::string(o.mirror ? "Calculated, mirror image" : "Calculated") + " (" + FormName(o.ecd.form) +
                 ", \u03C3 = " + core::FloatText(o.ecd.sigmaEv) + " eV" +
                 (o.ecd.shiftEv != 0 ? ", shift " + core::FloatText(o.ecd.shiftEv) + " eV" : std::string()) + ")";
    total.column = "delta epsilon / L mol-1 cm-1";
    const double top = LargestMagnitude(total.y);

    // Left range: the curve, the measured points and the sticks scaled to the curve, so
    // that both vertical axes meet zero at the same height.
    double lo = std::min(0.0, *std::min_element(total.y.begin(), total.y.end()));
    double hi = std::max(0.0, *std::max_element(total.y.begin(), total.y.end()));
    p.series.push_back(std::move(total));
    if (measured && !measured->Empty()) {
        OverlayPoints pts = ExperimentalIn(*measured, unit);
        if (o.normalise) ScaleToLargestMagnitude(pts, top);
        Series m;
        m.name = "Experimental" + (measured->name.empty() ? std::string() : " (" + measured->name + ")");
        m.column = o.normalise ? "experimental (scaled to |delta epsilon| max)" : "experimental";
        m.x = std::move(pts.x), m.y = std::move(pts.y);
        m.color = PaletteColor(2);
        m.widthPt = 0.8;
        for (size_t i = 0; i < m.x.size(); ++i)
            if (m.x[i] >= p.x.min && m.x[i] <= p.x.max) lo = std::min(lo, m.y[i]), hi = std::max(hi, m.y[i]);
        p.series.push_back(std::move(m));
    }
    const auto strengths = rs.Of(o.ecd.form);
    double rmax = 0;
    for (double r : strengths) rmax = std::max(rmax, std::fabs(r));
    const double perR = rmax > 0 ? (top > 0 ? top : std::max(hi, -lo) > 0 ? std::max(hi, -lo) : 1) / rmax : 0;
    if (o.sticks && rmax > 0) {
        Series r;
        r.name = "Rotatory strength";
        r.column = "R / 1e-40 erg esu cm G-1";
        r.kind = SeriesKind::Sticks;
        r.rightAxis = true;
        r.color = PaletteColor(1);
        r.widthPt = 0.75;
        for (int i = 0; i < rs.Count(); ++i) {
            const double e = rs.ev[static_cast<size_t>(i)] + o.ecd.shiftEv;
            if (!(e > 0)) continue;
            r.x.push_back(EcdPosition(unit, e));
            r.y.push_back(sign * strengths[static_cast<size_t>(i)]);
            lo = std::min(lo, r.y.back() * perR), hi = std::max(hi, r.y.back() * perR);
        }
        p.hasY2 = true;
        p.y2.title = Quantity("R", "10\u207B\u2074\u2070 erg esu cm G\u207B\u00B9");
        p.series.push_back(std::move(r));
    }
    if (!(hi > lo)) lo = -1, hi = 1;
    const double pad = 0.08 * (hi - lo);
    p.y.min = lo < 0 ? lo - pad : 0, p.y.max = hi > 0 ? hi + pad : 0;
    if (p.hasY2) p.y2.min = p.y.min / perR, p.y2.max = p.y.max / perR;
    Marker zero;
    zero.value = 0;
    zero.style = ui::psSolid;
    zero.widthPt = 0.5;
    zero.color = 0x808080;
    p.markers.push_back(zero);
    fig.panels.push_back(std::move(p));
    return fig;
}

}  // namespace mavrolin::spectrum

#include "conformers/weighted_figure.h"

#include <algorithm>

#include "core/number_text.h"

namespace mavrolin::conformers {

ui::fig::Figure WeightedFigure(const WeightedCurve& c, const SpectrumKind& kind, const WeightedFigureOptions& o,
                               const spectrum::ExperimentalSpectrum* measured) {
    using namespace ui::fig;
    Figure fig;
    fig.title = o.title;
    fig.csvX = kind.csvX;
    Panel p;
    p.x = kind.x, p.y = kind.y;
    if (!c.x.empty()) p.x.min = c.x.front(), p.x.max = c.x.back();

    const auto weight = [&](size_t i) { return core::FloatText(static_cast<double>(core::RoundHalfEven(c.weights[i] * 1000)) / 1000); };
    double lo = 0, hi = 0;
    for (double v : c.total) lo = std::min(lo, v), hi = std::max(hi, v);
    for (size_t i = 0; o.components && i < c.curves.size(); ++i) {
        Series s;
        s.name = c.names[i] + " \u00D7 " + weight(i);
        s.x = c.x;
        for (double v : c.curves[i]) s.y.push_back(c.weights[i] * v);
        s.color = PaletteColor(static_cast<int>(i % 7) + 1);
        s.widthPt = 0.5;
        p.series.push_back(std::move(s));
    }
    Series total;
    total.name = "Weighted " + kind.name + " (" + std::to_string(c.curves.size()) + " conformers)";
    total.column = "weighted " + kind.csvY;
    total.x = c.x, total.y = c.total;
    total.widthPt = 1.2;
    p.series.push_back(std::move(total));
    for (size_t i = 0; i < c.curves.size(); ++i) {
        Series s;
        s.column = c.names[i] + " (weight " + core::FloatText(c.weights[i]) + ") " + kind.csvY;
        s.x = c.x, s.y = c.curves[i];
        s.drawn = false;
        p.series.push_back(std::move(s));
    }
    // Room above (and below, for signed spectra) the weighted curve.
    const double span = hi > lo ? hi - lo : 1;
    p.y.min = lo < 0 ? lo - 0.08 * span : 0, p.y.max = hi > 0 ? hi + 0.08 * span : 0.08 * span;
    if (lo < 0) p.markers.push_back({false, 0, ui::kBlack, 0.5, ui::psSolid, {}, false});

    if (measured && !measured->Empty()) {
        auto pts = spectrum::ExperimentalIn(*measured, kind.overlayUnit);
        const bool scaled = o.normalise || kind.scaleOverlay;
        if (scaled) spectrum::ScaleToMaximum(pts, hi);
        Series m;
        m.name = "Experimental" + (measured->name.empty() ? std::string() : " (" + measured->name + ")");
        m.column = scaled ? "experimental (scaled to the computed maximum)" : "experimental";
        m.x = std::move(pts.x), m.y = std::move(pts.y);
        m.color = 0x808080;
        m.widthPt = 0.8;
        m.rightAxis = !scaled;
        if (!scaled) p.hasY2 = true, p.y2.title = "Experimental intensity";
        p.series.push_back(std::move(m));
    }
    fig.panels.push_back(std::move(p));
    return fig;
}

}  // namespace mavrolin::conformers

#include "irraman/ir_figure.h"

#include <algorithm>

#include "core/number_text.h"

namespace mavrolin::irraman {

ui::fig::Figure IrFigure(const IrCurve& curve, const CurveRequest& request, const IrFigureOptions& o,
                         const spectrum::ExperimentalSpectrum* measured) {
    using namespace ui::fig;
    const bool raman = request.raman;
    // The curve integrates to each mode's intensity, so it is that unit per cm⁻¹.
    const std::string unit = raman ? "\u00C5\u2074 amu\u207B\u00B9" : "km mol\u207B\u00B9";
    Figure fig;
    fig.title = o.title;
    fig.csvX = "wavenumber / cm-1";
    Panel p;
    p.x.title = Quantity("\u03BD\u0303", "cm\u207B\u00B9");
    p.x.min = curve.xmin, p.x.max = curve.xmax;
    p.x.reversed = !raman;  // IR spectra run from high to low wavenumber
    p.y.title = "Band / " + unit + " cm";
    p.y.reversed = o.transmittance;
    const double top = CurveMax(curve.y);
    p.y.min = 0, p.y.max = top > 0 ? top * 1.08 : 1;

    Series c;
    c.name = std::string(raman ? "Raman" : "IR") + ", " +
             (request.shape == BandShape::Lorentzian ? "Lorentzian" : "Gaussian") + " FWHM " +
             core::FloatText(request.fwhm) + " cm\u207B\u00B9, scale " + core::FloatText(request.scale);
    c.column = raman ? "Raman band / A^4 amu-1 cm" : "IR band / km mol-1 cm";
    c.x = curve.x, c.y = curve.y;
    c.color = PaletteColor(raman ? 2 : 1);
    c.widthPt = 1;

    if (measured && !measured->Empty()) {
        auto pts = spectrum::ExperimentalIn(*measured, spectrum::kUnitCm);
        spectrum::ScaleToMaximum(pts, top);
        Series m;
        m.name = "Experimental" + (measured->name.empty() ? std::string() : " (" + measured->name + ")");
        m.column = "experimental (scaled to the computed maximum)";
        m.x = std::move(pts.x), m.y = std::move(pts.y);
        m.color = 0x808080;
        m.widthPt = 0.8;
        p.series.push_back(std::move(m));
    }
    p.series.push_back(std::move(c));
    if (o.sticks && !curve.sticks.empty()) {
        Series s;
        s.name = raman ? "Raman activity" : "IR intensity";
        s.column = raman ? "Raman activity / A^4 amu-1" : "IR intensity / km mol-1";
        s.kind = SeriesKind::Sticks;
        s.rightAxis = true;
        s.color = 0x000000;
        s.widthPt = 0.5;
        double hmax = 0;
        for (const auto& st : curve.sticks) {
            s.x.push_back(st.x), s.y.push_back(st.height);
            hmax = std::max(hmax, st.height);
        }
        p.hasY2 = true;
        p.y2.title = std::string(raman ? "Raman activity" : "IR intensity") + " / " + unit;
        p.y2.min = 0, p.y2.max = hmax > 0 ? hmax * 1.08 : 1;
        p.y2.reversed = o.transmittance;
        p.series.push_back(std::move(s));
    }
    fig.panels.push_back(std::move(p));
    return fig;
}

}  // namespace mavrolin::irraman

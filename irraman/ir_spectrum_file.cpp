#include "irraman/ir_spectrum_file.h"

#include <charconv>

namespace mavrolin::irraman {

std::string ShapeName(BandShape shape) { return shape == BandShape::Lorentzian ? "Lorentzian" : "Gaussian"; }

std::string IntensityUnit(const CurveRequest& r) {
    if (!r.raman) return "km/mol per cm-1";
    return r.ramanIntensities ? "relative Raman intensity per cm-1" : "A^4/amu per cm-1";
}

// std::to_chars ignores the locale, which a desktop session may have set to a decimal comma.
std::string NumberText(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10);
    return std::string(buf, r.ptr);
}

std::vector<std::string> IrSpectrumLines(const IrSpectrumHeader& h, const IrCurve& c) {
    const CurveRequest& r = *h.request;
    std::vector<std::string> lines;
    lines.push_back(std::string("# ") + (r.raman ? "Raman" : "IR") + " spectrum computed by Mavrolin");
    lines.push_back("# log: " + h.log);
    lines.push_back("# shape: " + ShapeName(r.shape));
    lines.push_back("# FWHM: " + NumberText(r.fwhm) + " cm-1");
    lines.push_back("# scale factor: " + NumberText(r.scale));
    if (r.raman && r.ramanIntensities)
        lines.push_back("# Raman intensities: excitation " + NumberText(r.laserNm) + " nm, " + NumberText(r.kelvin) + " K");
    lines.push_back("# unit: " + h.unit);
    lines.push_back("# wavenumber / cm-1\tintensity / " + h.unit);
    for (size_t i = 0; i < c.x.size(); ++i) lines.push_back(NumberText(c.x[i]) + "\t" + NumberText(c.y[i]));
    return lines;
}

}  // namespace mavrolin::irraman

#include "spectrum/saved_spectrum.h"

#include <cmath>

#include "core/number_text.h"
#include "spectrum/spectrum_calc.h"

namespace mavrolin::spectrum {

namespace {

std::string HeaderOf(int unit, const std::string& unitText) {
    switch (unit) {
        case kUnitEv: return "Transition Energy (" + unitText + ")\tAbsorption Intensity";
        case kUnitNm: return "Wavelength (" + unitText + ")\tAbsorption Intensity";
        case kUnitCm: return "Wavenumber (" + unitText + ")\tAbsorption Intensity";
        default: return {};
    }
}

std::string PositionText(int unit, double x) {
    switch (unit) {
        case kUnitNm: return core::FixedText(x, 10, 2);
        case kUnitCm: return core::FixedText(x * kCharge / kPlanck / kLight, 10, 1);
        default: return core::FixedText(x, 10, 4);
    }
}

}  // namespace

std::int64_t RoundingScale(double dymax) {
    if (!(dymax > 0)) return 0;
    double v = dymax;
    std::int64_t scl = 1;
    for (int k = 0; k < 18; ++k) {
        v *= 10;
        scl *= 10;
        if (v > 1e8) break;
    }
    return scl;
}

std::vector<std::string> SavedSpectrumLines(const SavedSpectrumInput& in) {
    std::vector<std::string> out = {"File Name: " + in.logFile,
                                    "",
                                    "Sigma value used to calculate: " + in.sigmaText,
                                    "",
                                    "Function multiplied to each oscillator strength (f) follow:",
                                    "",
                                    "     scaling := 1/sqrt(2*pi)/sigma",
                                    "     value := (x-y)*(x-y)/2/sigma/sigma",
                                    "     gaus := 1/(sqrt(2*pi))/sigma*exp(-value)/scaling",
                                    "",
                                    std::string(55, '-')};
    if (in.unit >= kUnitEv && in.unit <= kUnitCm) {
        out.push_back(HeaderOf(in.unit, in.unitText));
        const int n = static_cast<int>(in.curve.size());
        const std::int64_t scl = RoundingScale(in.dymax);
        const double s = static_cast<double>(scl);
        for (int i = 0; i < n; ++i) {
            double y = in.curve[static_cast<size_t>(i)];
            if (scl > 0) y = std::nearbyint(s * y) / s;
            const double x = n > 1 ? GridX(i, in.dxmin, in.dxmax, n) : in.dxmin;
            out.push_back(PositionText(in.unit, x) + "\t" + core::FixedText(y, 14, 8));
        }
    }
    out.push_back(std::string(55, '-'));
    out.push_back("");
    out.insert(out.end(), in.summary.begin(), in.summary.end());
    out.insert(out.end(), {"", "", ""});
    return out;
}

}  // namespace mavrolin::spectrum

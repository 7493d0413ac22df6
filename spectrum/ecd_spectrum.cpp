#include "spectrum/ecd_spectrum.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/errors.h"
#include "core/number_text.h"

namespace mavrolin::spectrum {

double EcdEnergy(int unit, double x) { return unit == kUnitNm ? kHcEvNm / x : x; }
double EcdPosition(int unit, double ev) { return unit == kUnitNm ? kHcEvNm / ev : ev; }

double EcdBand(const RotatoryStrengths& rs, int i, const EcdOptions& o, double ev) {
    const auto k = static_cast<size_t>(i);
    const double e = rs.ev[k] + o.shiftEv;
    if (!(e > 0)) return 0;
    const double r = rs.Of(o.form)[k] * kPrintedRotatoryUnit;
    const double d = (ev - e) / o.sigmaEv;
    return e * r / (kEcdDenominator * std::sqrt(std::numbers::pi) * o.sigmaEv) * std::exp(-d * d);
}

double EcdValue(const RotatoryStrengths& rs, const EcdOptions& o, double ev) {
    double sum = 0;
    for (int i = 0; i < rs.Count(); ++i) sum += EcdBand(rs, i, o, ev);
    return sum;
}

std::vector<double> EcdCurve(const RotatoryStrengths& rs, const EcdOptions& o, const std::vector<double>& gridX) {
    if (!rs.Has(o.form))
        throw core::InputError("The log holds no rotatory strengths (" + FormName(o.form) + " form).");
    if (!(o.sigmaEv > 0) || !std::isfinite(o.sigmaEv) || !std::isfinite(o.shiftEv))
        throw core::InputError("The band width must be a positive number of eV and the shift a number.");
    std::vector<double> y;
    y.reserve(gridX.size());
    for (double x : gridX) y.push_back(x > 0 || o.unit == kUnitEv ? EcdValue(rs, o, EcdEnergy(o.unit, x)) : 0);
    return y;
}

std::vector<double> EcdGrid(const RotatoryStrengths& rs, const EcdOptions& o, double lo, double hi, int points) {
    if (!(lo < hi)) {
        double emin = 1e300, emax = 0;
        for (double e : rs.ev)
            if (e + o.shiftEv > 0) emin = std::min(emin, e + o.shiftEv), emax = std::max(emax, e + o.shiftEv);
        if (emax <= 0) emin = 1, emax = 6;
        const double a = std::max(emin - 4 * o.sigmaEv, emin / 2), b = emax + 4 * o.sigmaEv;
        const double xa = EcdPosition(o.unit, a), xb = EcdPosition(o.unit, b);
        lo = std::min(xa, xb), hi = std::max(xa, xb);
    }
    const int n = std::max(points, 2);
    std::vector<double> x(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) x[static_cast<size_t>(i)] = GridX(i, lo, hi, n);
    return x;
}

std::string FormName(RotatoryForm form) { return form == RotatoryForm::Length ? "length" : "velocity"; }

std::vector<std::string> EcdTextLines(const std::string& log, const EcdOptions& o, bool mirror,
                                      const std::vector<double>& x, const std::vector<double>& y) {
    using core::FloatText;
    std::vector<std::string> lines = {
        "# ECD spectrum of " + log,
        "# rotatory strengths: " + FormName(o.form) + " form",
        "# sigma (half-width at 1/e): " + FloatText(o.sigmaEv) + " eV",
        "# shift: " + FloatText(o.shiftEv) + " eV"};
    if (mirror) lines.push_back("# mirror image: every sign turned (the other enantiomer)");
    lines.push_back(std::string(o.unit == kUnitNm ? "# wavelength / nm" : "# energy / eV") + "\tdelta epsilon / L mol-1 cm-1");
    for (size_t i = 0; i < x.size() && i < y.size(); ++i) lines.push_back(FloatText(x[i]) + "\t" + FloatText(y[i]));
    return lines;
}

double LargestMagnitude(const std::vector<double>& v) {
    double m = 0;
    for (double a : v)
        if (std::isfinite(a)) m = std::max(m, std::fabs(a));
    return m;
}

void ScaleToLargestMagnitude(OverlayPoints& p, double target) {
    const double m = LargestMagnitude(p.y);
    if (!(m > 0) || !std::isfinite(target)) return;
    for (auto& v : p.y) v *= target / m;
}

}  // namespace mavrolin::spectrum

#include "spectrum/spectrum_calc.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/number_text.h"

namespace mavrolin::spectrum {

namespace {

using core::FloatText;
using core::ParseDouble;
using core::RoundHalfEven;

double Rounded(double v) { return static_cast<double>(RoundHalfEven(v)); }

// Beyond 9 sigma a band is below 3e-18 of its own peak: far under the last digit of any
// sample it could join and of the 8-decimal saved values, so it is not evaluated there.
constexpr double kCutoffSigmas = 9.0;

SpectrumCurve Refused(SpectrumCurve c, SpectrumCurve::Status s, std::string message) {
    c.status = s;
    c.message = std::move(message);
    c.y.clear();
    return c;
}

// The lowest-energy bright state whose band lies wholly above 0 eV sets the lower bound.
// False (with the last candidate in dxmin) when there is none.
bool AutoLowerBound(const Transitions& st, double w, double& dxmin) {
    for (int j = 0; j < st.Count(); ++j) {
        dxmin = st.en_ev[static_cast<size_t>(j)] - w;
        if (dxmin > 0 && st.f[static_cast<size_t>(j)] > 0) return true;
    }
    return false;
}

// Writes the automatic bounds back as the settings window shows them; the wavelength range
// of unit 2 is the rounded conversion of the rounded energies.
void WriteBack(SpectrumCurve& c, const CurveSettings& s) {
    c.boundsWritten = true;
    c.evMin = TenthText(c.dxmin);
    if (ParseDouble(c.evMin) == 0) c.evMin = "0.1";
    c.evMax = TenthText(c.dxmax);
    if (ParseDouble(c.evMax) <= 0) {
        c.refusedBound = c.evMax;
        c.evMax = s.evMax;  // an upper bound of 0 eV has no wavelength: keep the previous one
    }
    double evMax = ParseDouble(c.evMax), evMin = ParseDouble(c.evMin);
    if (evMax <= 0) return;  // the previous text was no better; the caller refuses the range
    c.nmMin = FloatText(EvToNmTenths(evMax));
    c.kayserMax = "Maximum Wavenumber (cm-1) = " + FloatText(EvToCmHundredths(evMax));
    c.nmMax = FloatText(EvToNmTenths(evMin));
    c.kayserMin = "Minimum Wavenumber (cm-1)= " + FloatText(EvToCmHundredths(evMin));
}

// Samples the summed bands. `energy` holds the energy (eV) of every grid point, in
// increasing or (on the wavelength axis) decreasing order; each band is evaluated only on
// the points within the cut-off of its centre, so the cost follows the bands' widths.
void SumBands(const Transitions& st, const std::vector<double>& energy, double sigma, std::vector<double>& y) {
    const double cut = kCutoffSigmas * sigma, inv = 1 / (2 * sigma * sigma);
    const bool rising = energy.size() < 2 || energy.front() <= energy.back();
    y.assign(energy.size(), 0.0);
    for (int j = 0; j < st.Count(); ++j) {
        const double e = st.en_ev[static_cast<size_t>(j)], fj = st.f[static_cast<size_t>(j)];
        auto from = energy.begin(), to = energy.end();
        if (rising) {
            from = std::lower_bound(energy.begin(), energy.end(), e - cut);
            to = std::upper_bound(from, energy.end(), e + cut);
        } else {
            from = std::lower_bound(energy.begin(), energy.end(), e + cut, std::greater<>());
            to = std::upper_bound(from, energy.end(), e - cut, std::greater<>());
        }
        for (auto it = from; it != to; ++it) {
            const double d = *it - e;
            y[static_cast<size_t>(it - energy.begin())] += std::exp(-(d * d) * inv) * fj;
        }
    }
}

}  // namespace

double Scaling(double sigma) { return 1 / std::sqrt(2 * M_PI) / sigma; }

double Gaus(double x, double y, double sigma) {
    const double value = (x - y) * (x - y) / 2 / sigma / sigma;
    return std::exp(-value);  // the normalisation 1/(sqrt(2 pi) sigma) cancels
}

double EvToNmTenths(double ev) { return Rounded(12398.432888228671 / ev) / 10; }
double EvToCmHundredths(double ev) { return Rounded(ev * 100 * kCharge / kPlanck / kLight) / 100; }
double NmToEvMillionths(double nm) { return Rounded(1239843288.8228671 / nm) / 1000000; }
double NmToCmTenths(double nm) { return Rounded(1e8 / nm) / 10; }
double NmToEv(double nm) { return kHcJnm / nm / kCharge; }
std::string TenthText(double v) { return FloatText(Rounded(v * 10) / 10); }

SpectrumCurve ComputeSpectrum(const Transitions& st, const CurveSettings& s) {
    SpectrumCurve c;
    c.sigma = s.sigmaValue / 1000.0;
    c.pkh_100 = kHalfWidthFactor * c.sigma;
    c.scaling = Scaling(c.sigma);
    if (s.unit < kUnitEv || s.unit > kUnitCm) return Refused(c, SpectrumCurve::Status::NoUnit, {});
    if (st.Count() == 0)
        return Refused(c, SpectrumCurve::Status::NoBrightState, "No excited states are loaded: there is no spectrum to draw.");
    if (s.sigmaValue <= 0 || s.points < 2)
        return Refused(c, SpectrumCurve::Status::BadRange, "The band width and the number of points must be positive.");

    if (s.xAuto) {
        if (!AutoLowerBound(st, c.pkh_100, c.dxmin))
            return Refused(c, SpectrumCurve::Status::NoBrightState,
                           "Error termination!! No excited state has a non-zero oscillator strength with its band "
                           "above 0 eV, so there is no spectrum to draw.");
        c.dxmax = c.pkh_100 + st.en_ev[static_cast<size_t>(st.Count() - 1)];
        WriteBack(c, s);
        if (s.unit == kUnitNm) {
            if (c.nmMin.empty()) return Refused(c, SpectrumCurve::Status::BadRange, "The upper energy bound must be above 0 eV.");
            c.dxmin = ParseDouble(c.nmMin);
            c.dxmax = ParseDouble(c.nmMax);
        }
    } else if (s.unit == kUnitNm) {
        c.dxmin = ParseDouble(s.nmMin);
        c.dxmax = ParseDouble(s.nmMax);
    } else {
        c.dxmin = ParseDouble(s.evMin);
        c.dxmax = ParseDouble(s.evMax);
    }
    if (!(c.dxmin > 0 && c.dxmax > c.dxmin && std::isfinite(c.dxmax)))
        return Refused(c, SpectrumCurve::Status::BadRange,
                       "The horizontal range " + FloatText(c.dxmin) + " to " + FloatText(c.dxmax) +
                           " is empty or not above 0: there is no spectrum to draw.");

    // The curve: always a Gaussian in energy, also on the wavelength axis.
    std::vector<double> energy(static_cast<size_t>(s.points));
    for (int i = 0; i < s.points; ++i) {
        const double x = GridX(i, c.dxmin, c.dxmax, s.points);
        energy[static_cast<size_t>(i)] = s.unit == kUnitNm ? NmToEv(x) : x;
    }
    SumBands(st, energy, c.sigma, c.y);
    c.xdiv = (c.dxmax - c.dxmin) / (s.points - 1);

    c.dymin = 1e10;
    c.dymax = -1e10;
    for (double v : c.y) {
        if (c.dymin > v) c.dymin = v;
        if (v > c.dymax) c.dymax = v;
    }
    if (s.yAuto) {
        if (c.dymin > 0) c.dymin = 0;
        c.dymax = c.dymax * 1.05;
    } else {
        c.dymin = ParseDouble(s.dispYmin);
        c.dymax = ParseDouble(s.dispYmax);
    }
    if (!(c.dymax > c.dymin))
        return Refused(c, SpectrumCurve::Status::BadRange,
                       "The vertical range " + FloatText(c.dymin) + " to " + FloatText(c.dymax) +
                           " is empty: there is no spectrum to draw.");
    return c;
}

}  // namespace mavrolin::spectrum

#include "irraman/band_curve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mavrolin::irraman {

namespace {

constexpr double kPlanck = 6.62607015e-34;    // J s
constexpr double kLight = 2.99792458e10;      // cm/s
constexpr double kBoltzmann = 1.380649e-23;   // J/K
// A Gaussian band is summed within this many standard deviations of its centre (beyond,
// it is below 1e-18 of its peak); a Lorentzian band is summed everywhere (its tails matter).
constexpr double kGaussReach = 9.5;

double GaussSigma(double fwhm) { return fwhm / (2.0 * std::sqrt(2.0 * std::numbers::ln2)); }

}  // namespace

double BandValue(BandShape shape, double fwhm, double x0, double x) {
    const double d = x - x0;
    if (shape == BandShape::Lorentzian) {
        const double g = fwhm / 2;
        return g / (std::numbers::pi * (d * d + g * g));
    }
    const double s = GaussSigma(fwhm);
    return std::exp(-d * d / (2 * s * s)) / (s * std::sqrt(2 * std::numbers::pi));
}

std::vector<double> BandCurve(BandShape shape, double fwhm, std::span<const Stick> sticks,
                              std::span<const double> grid) {
    std::vector<double> y(grid.size(), 0.0);
    if (grid.empty() || !(fwhm > 0)) return y;
    if (shape == BandShape::Lorentzian) {
        const double g = fwhm / 2, g2 = g * g;
        for (const auto& s : sticks) {
            const double a = s.height * g / std::numbers::pi;
            for (size_t i = 0; i < grid.size(); ++i) {
                const double d = grid[i] - s.x;
                y[i] += a / (d * d + g2);
            }
        }
        return y;
    }
    // Gaussian: only the grid points within reach of each centre (the grid is sorted).
    const double sigma = GaussSigma(fwhm), inv = 1 / (2 * sigma * sigma);
    const double norm = 1 / (sigma * std::sqrt(2 * std::numbers::pi)), reach = kGaussReach * sigma;
    for (const auto& s : sticks) {
        auto lo = std::lower_bound(grid.begin(), grid.end(), s.x - reach);
        auto hi = std::upper_bound(lo, grid.end(), s.x + reach);
        const double a = s.height * norm;
        for (auto it = lo; it != hi; ++it) {
            const double d = *it - s.x;
            y[static_cast<size_t>(it - grid.begin())] += a * std::exp(-d * d * inv);
        }
    }
    return y;
}

std::vector<double> EvenGrid(double lo, double hi, int n) {
    std::vector<double> x(static_cast<size_t>(std::max(n, 2)));
    const double step = (hi - lo) / static_cast<double>(x.size() - 1);
    for (size_t i = 0; i < x.size(); ++i) x[i] = lo + static_cast<double>(i) * step;
    x.back() = hi;
    return x;
}

std::vector<double> RamanIntensities(std::span<const double> frequencies, std::span<const double> activities,
                                     double laserNm, double kelvin) {
    std::vector<double> out(frequencies.size(), 0.0);
    const double v0 = 1e7 / laserNm, c2 = kPlanck * kLight / (kBoltzmann * kelvin);
    double maxActivity = 0, maxRaw = 0;
    for (size_t i = 0; i < frequencies.size() && i < activities.size(); ++i) {
        const double v = frequencies[i];
        maxActivity = std::max(maxActivity, activities[i]);
        if (!(v > 0) || !(v < v0)) continue;
        // -expm1(-x) = 1 - exp(-x), accurate for low frequencies at high temperature.
        out[i] = std::pow(v0 - v, 4) * activities[i] / (v * -std::expm1(-c2 * v));
        maxRaw = std::max(maxRaw, out[i]);
    }
    if (maxRaw > 0)
        for (auto& v : out) v *= maxActivity / maxRaw;
    return out;
}

int AutoPoints(double xmin, double xmax, double fwhm) {
    const double n = std::ceil((xmax - xmin) / (fwhm / 10)) + 1;
    if (!std::isfinite(n)) return 200;
    return static_cast<int>(std::clamp(n, 200.0, 20000.0));
}

double CurveMax(std::span<const double> y) {
    double m = 0;
    for (double v : y) m = std::max(m, v);
    return m;
}

IrCurve ComputeIrCurve(const VibModes& modes, const CurveRequest& rq) {
    IrCurve c;
    if (!(rq.fwhm > 0) || !std::isfinite(rq.fwhm)) {
        c.error = "The width (FWHM) must be a number above 0 cm-1.";
        return c;
    }
    if (!(rq.scale > 0) || !std::isfinite(rq.scale)) {
        c.error = "The scale factor must be a number above 0.";
        return c;
    }
    std::vector<double> freq, value;
    std::vector<int> numbers;
    for (const auto& m : modes.modes) {
        if (!(rq.raman ? m.ramanRead : m.irRead)) continue;  // its value could not be read
        freq.push_back(m.frequency);
        value.push_back(rq.raman ? m.raman : m.ir);
        numbers.push_back(m.number);
    }
    if (rq.raman && rq.ramanIntensities) {
        if (!(rq.laserNm > 0) || !(rq.kelvin > 0)) {
            c.error = "The excitation wavelength and the temperature must be above 0.";
            return c;
        }
        value = RamanIntensities(freq, value, rq.laserNm, rq.kelvin);
    }
    for (size_t i = 0; i < freq.size(); ++i) {
        c.sticks.push_back({freq[i] * rq.scale, value[i]});
        c.stickModes.push_back(numbers[i]);
    }
    if (c.sticks.empty()) {
        c.error = "No real vibrational mode with readable values: there is no spectrum to draw.";
        return c;
    }
    if (rq.autoRange) {
        // Whole hundreds of cm-1 around every centre with five widths to spare, from 0 up.
        double lo = c.sticks.front().x, hi = lo;
        for (const auto& s : c.sticks) lo = std::min(lo, s.x), hi = std::max(hi, s.x);
        c.xmin = std::max(0.0, std::floor((lo - 5 * rq.fwhm) / 100) * 100);
        c.xmax = std::ceil((hi + 5 * rq.fwhm) / 100) * 100;
    } else {
        c.xmin = rq.xmin;
        c.xmax = rq.xmax;
    }
    if (!(c.xmin < c.xmax) || !std::isfinite(c.xmin) || !std::isfinite(c.xmax)) {
        c.error = "The wavenumber range is empty: the lower bound must be below the upper bound.";
        return c;
    }
    const int n = rq.autoPoints ? AutoPoints(c.xmin, c.xmax, rq.fwhm) : rq.points;
    if (n < 2 || n > 1'000'000) {
        c.error = "The number of points must be from 2 to 1000000.";
        return c;
    }
    c.x = EvenGrid(c.xmin, c.xmax, n);
    c.y = BandCurve(rq.shape, rq.fwhm, c.sticks, c.x);
    return c;
}

}  // namespace mavrolin::irraman

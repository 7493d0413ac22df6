#pragma once
// The simulated IR or Raman curve: every real mode a band of the chosen shape and full
// width at half maximum, centred at scale x frequency, whose area is the mode's intensity
// (km/mol, or A^4/amu for Raman activities). The curve is therefore in intensity units per
// cm-1, and the area under a peak reads back the integrated intensity.
// Pure functions of value inputs, so they run without any window.
#include <span>
#include <string>
#include <vector>

#include "irraman/vibrational_modes.h"

namespace mavrolin::irraman {

enum class BandShape { Lorentzian, Gaussian };

struct Stick {
    double x = 0;       // band centre, cm-1 (already scaled)
    double height = 0;  // band area
};

// Value at x of a band of unit area centred at x0 with full width at half maximum fwhm.
double BandValue(BandShape shape, double fwhm, double x0, double x);

// The sum of the bands of `sticks` at every x of `grid`.
std::vector<double> BandCurve(BandShape shape, double fwhm, std::span<const Stick> sticks,
                              std::span<const double> grid);

// n evenly spaced values from lo to hi inclusive (n >= 2).
std::vector<double> EvenGrid(double lo, double hi, int n);

// Raman activity S (A^4/amu) to scattering intensity for excitation at `laserNm` and
// temperature `kelvin`:  I = (v0 - v)^4 S / (v (1 - exp(-h c v / k T))), v0 = 1e7/laserNm,
// all in cm-1. The intensities of a set are then normalised so that their largest equals the
// largest activity, keeping the curve in the activities' range. Modes at or below 0 cm-1, or
// above the excitation, get 0.
std::vector<double> RamanIntensities(std::span<const double> frequencies, std::span<const double> activities,
                                     double laserNm, double kelvin);

// What a redraw asks for.
struct CurveRequest {
    bool raman = false;             // Raman activities instead of IR intensities
    bool ramanIntensities = false;  // convert activities to intensities
    double laserNm = 532, kelvin = 298.15;
    BandShape shape = BandShape::Lorentzian;
    double fwhm = 10;  // cm-1
    double scale = 1.0;
    bool autoRange = true;
    double xmin = 0, xmax = 4000;  // manual range, cm-1
    bool autoPoints = true;
    int points = 2000;  // manual number of points
};

struct IrCurve {
    std::vector<Stick> sticks;      // one per real mode, in the modes' order
    std::vector<int> stickModes;    // printed number of the mode of each stick
    std::vector<double> x, y;       // the sampled curve, x increasing
    double xmin = 0, xmax = 0;
    std::string error;              // why nothing can be drawn ("" when drawable)
    bool Ok() const { return error.empty(); }
};

// Number of points of the automatic grid: about ten per width, 200 to 20000.
int AutoPoints(double xmin, double xmax, double fwhm);

// Sticks, range and sampled curve of a set of modes.
IrCurve ComputeIrCurve(const VibModes& modes, const CurveRequest& request);

// The largest value of a curve (0 when empty).
double CurveMax(std::span<const double> y);

}  // namespace mavrolin::irraman

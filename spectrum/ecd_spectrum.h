#pragma once
// The electronic circular dichroism spectrum of one log: a Gaussian band per excited state,
// centred at its energy (plus a shift), of area proportional to E·R:
//
//   Δε(E) = Σᵢ Eᵢ Rᵢ / (2.296×10⁻³⁹ √π σ) · exp(−((E − Eᵢ)/σ)²)
//
// E, Eᵢ and σ (the half-width at 1/e) in eV, Rᵢ in erg esu cm / Gauss (the printed number
// × 10⁻⁴⁰), Δε in L mol⁻¹ cm⁻¹ (Stephens and Harada, Chirality 2010, 22, 229). A band
// integrates over E to Eᵢ Rᵢ / 2.296×10⁻³⁹. Pure functions of the strengths and a value
// of options, so several logs can be computed on one grid and summed.
#include <string>
#include <utility>
#include <vector>

#include "spectrum/experimental_spectrum.h"
#include "spectrum/rotatory_strengths.h"
#include "spectrum/spectrum_calc.h"

namespace mavrolin::spectrum {

inline constexpr double kEcdDenominator = 2.296e-39;  // erg esu cm / Gauss per L mol⁻¹ cm⁻¹ eV
inline constexpr double kPrintedRotatoryUnit = 1e-40;  // erg esu cm / Gauss of a printed 1

struct EcdOptions {
    RotatoryForm form = RotatoryForm::Velocity;
    double sigmaEv = 0.3;  // half-width at 1/e
    double shiftEv = 0;    // added to every state's energy
    int unit = kUnitNm;    // of the grid: kUnitNm or kUnitEv
};

// Energy in eV of a grid value in `unit`, and back (nm and eV are reciprocal).
double EcdEnergy(int unit, double x);
double EcdPosition(int unit, double ev);

// Δε at energy `ev` of state i alone (0-based), and of every state; states whose shifted
// energy is not positive give nothing.
double EcdBand(const RotatoryStrengths& rs, int i, const EcdOptions& o, double ev);
double EcdValue(const RotatoryStrengths& rs, const EcdOptions& o, double ev);

// One log's Δε at every point of `gridX` (values in o.unit). Throws core::InputError when
// the log has no strengths of the chosen form or σ is not positive.
std::vector<double> EcdCurve(const RotatoryStrengths& rs, const EcdOptions& o, const std::vector<double>& gridX);

// `points` even steps from lo to hi; lo == hi: around the shifted states, four widths beyond
// the outermost (never below half the lowest energy, so a wavelength stays finite).
std::vector<double> EcdGrid(const RotatoryStrengths& rs, const EcdOptions& o, double lo, double hi, int points);

// The saved spectrum: "#" lines naming the log, the form, σ and the shift, the column
// header, then one "x<TAB>Δε" line per point; `mirror` notes that every sign was turned.
std::vector<std::string> EcdTextLines(const std::string& log, const EcdOptions& o, bool mirror,
                                      const std::vector<double>& x, const std::vector<double>& y);

// "velocity" or "length".
std::string FormName(RotatoryForm form);

// A measured CD spectrum (Δε or mdeg) scaled so that its largest magnitude equals
// `target`, its signs kept (a file of zeros stays as it is).
void ScaleToLargestMagnitude(OverlayPoints& p, double target);
// Largest |v| of the values.
double LargestMagnitude(const std::vector<double>& v);

}  // namespace mavrolin::spectrum

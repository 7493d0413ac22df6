#pragma once
// The UV-vis figure: the states' total band in molar absorptivity, their oscillator
// strengths as sticks on a right axis, optionally each state's band in thin grey and a
// measured spectrum laid over it.
#include <optional>

#include "spectrum/experimental_spectrum.h"
#include "spectrum/spectrum_calc.h"
#include "ui/figure.h"

namespace mavrolin::spectrum {

// f = 4.319e-9 ∫ε dν̃ (ε in L mol⁻¹ cm⁻¹, ν̃ in cm⁻¹).
inline constexpr double kAbsorptivityPerStrength = 4.319e-9;
inline constexpr double kCmPerEvBand = 8065.544;

// ε at wavenumber `nu` (cm⁻¹) of the states' Gaussian bands of width sigma (eV), each
// integrating to its oscillator strength:
//   ε(ν̃) = Σ fᵢ / 4.319e-9 · exp(−(ν̃ − ν̃ᵢ)² / (2σ̃²)) / (√(2π) σ̃),  σ̃ = σ · 8065.544 cm⁻¹.
double MolarAbsorptivity(const Transitions& states, double sigmaEv, double nu);
// The band of state i alone.
double StateAbsorptivity(const Transitions& states, int i, double sigmaEv, double nu);

// Wavenumber (cm⁻¹) of a position x on an axis in `unit` (kUnitNm, kUnitEv or kUnitCm).
double KayserOf(int unit, double x);
// The range in `unit` a figure of the states shows by default: four widths beyond the
// outermost bands (never below half the lowest energy, so a wavelength axis stays finite).
void AutomaticRange(const Transitions& states, double sigmaEv, int unit, double& lo, double& hi);

struct UvFigureOptions {
    int unit = kUnitNm;          // horizontal unit: kUnitNm, kUnitEv or kUnitCm
    double sigmaEv = 0.2;
    double lo = 0, hi = 0;       // range in the unit; equal: around the states
    int points = 1000;
    bool components = false;     // each state's band in thin grey
    bool sticks = true;          // oscillator strengths on a right axis
    bool normalise = false;      // the measured spectrum scaled to the calculated maximum
    std::string title;
};

ui::fig::Figure UvFigure(const Transitions& states, const UvFigureOptions& o,
                         const ExperimentalSpectrum* measured = nullptr);

}  // namespace mavrolin::spectrum

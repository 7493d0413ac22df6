#pragma once
// The ECD figure: Δε of the states' Gaussian bands against wavelength or energy, the
// rotatory strengths as signed sticks on a right axis, a zero line, optionally a measured
// CD spectrum laid over it and the mirror image (the other enantiomer).
#include "spectrum/ecd_spectrum.h"
#include "ui/figure.h"

namespace mavrolin::spectrum {

struct EcdFigureOptions {
    EcdOptions ecd;
    double lo = 0, hi = 0;   // range in the unit; equal: around the states
    int points = 1000;
    bool mirror = false;     // the other enantiomer: every sign turned
    bool sticks = true;      // rotatory strengths on a right axis
    bool normalise = true;   // the measured spectrum scaled to the calculated largest |Δε|
    std::string title;
};

ui::fig::Figure EcdFigure(const RotatoryStrengths& rs, const EcdFigureOptions& o,
                          const ExperimentalSpectrum* measured = nullptr);

}  // namespace mavrolin::spectrum

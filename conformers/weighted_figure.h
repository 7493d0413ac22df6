#pragma once
// The figure of a weighted spectrum: the weighted curve, optionally each conformer's share
// (w_i y_i, thin, named with its weight in the legend) and a measured spectrum laid over it.
// Its data (CSV) always holds, besides the weighted curve, each conformer's own curve.
#include <string>

#include "conformers/spectrum_kinds.h"
#include "conformers/weighted_curve.h"
#include "spectrum/experimental_spectrum.h"
#include "ui/figure.h"

namespace mavrolin::conformers {

struct WeightedFigureOptions {
    bool components = false;
    bool normalise = false;  // the measured spectrum scaled to the computed maximum
    std::string title;
};

ui::fig::Figure WeightedFigure(const WeightedCurve& c, const SpectrumKind& kind, const WeightedFigureOptions& o,
                               const spectrum::ExperimentalSpectrum* measured = nullptr);

}  // namespace mavrolin::conformers

#pragma once
// The optimisation profile as a figure: the SCF energy of every step relative to the lowest,
// in kcal/mol, above the four convergence criteria on a logarithmic axis with their
// thresholds as dashed lines in the same colours; step numbers on the shared axis.
#include <string>

#include "core/loaded_log.h"
#include "ui/figure.h"

namespace mavrolin::optprofile {

inline constexpr double kKcalPerHartree = 627.5095;

// Nothing to draw (no SCF energies) gives a figure without panels.
ui::fig::Figure ProfileFigure(const core::LoadedLog& log, const std::string& title = {});

}  // namespace mavrolin::optprofile

#pragma once
// What the spectrum-like windows (UV-vis, ECD, IR/Raman) ask of the user: a measured
// spectrum to lay over the computed one, and numbers typed into edit boxes.
#include <optional>
#include <string>

#include "spectrum/experimental_spectrum.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

// "Overlay Experimental Spectrum…": asks for the file (in the remembered folder) and reads it,
// x in `windowUnit` unless its header names one; nothing when the dialog is cancelled. A file
// that cannot be read raises the reader's error.
std::optional<spectrum::ExperimentalSpectrum> AskExperimentalSpectrum(Application& app, int windowUnit);

// The number in an edit box; core::ConversionError naming `what` when it holds none.
double EditNumber(const ui::Edit& box, const std::string& what);

}  // namespace mavrolin

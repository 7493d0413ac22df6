#include "spectrum/window_inputs.h"

#include <cmath>

#include "app/application.h"
#include "core/errors.h"
#include "core/number_text.h"

namespace mavrolin {

std::optional<spectrum::ExperimentalSpectrum> AskExperimentalSpectrum(Application& app, int windowUnit) {
    const auto& log = app.log;
    auto chosen = app.platform.OpenFileDialog({"Overlay Experimental Spectrum",
                                               log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo, "",
                                               "Text files (*.txt *.csv *.dat)|*.txt;*.csv;*.dat|All files (*.*)|*.*"});
    if (!chosen) return std::nullopt;
    return spectrum::ReadExperimentalSpectrum(*chosen, windowUnit);
}

double EditNumber(const ui::Edit& box, const std::string& what) {
    double v = 0;
    if (!core::TryParseDouble(box.Text(), v) || !std::isfinite(v))
        throw core::ConversionError("\"" + box.Text() + "\" is not a number (" + what + ").");
    return v;
}

}  // namespace mavrolin

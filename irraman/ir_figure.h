#pragma once
// The IR or Raman figure: the window's band curve, optionally the modes as sticks on a right
// axis with their own intensities, and a measured spectrum scaled to the computed maximum.
#include <string>

#include "irraman/band_curve.h"
#include "spectrum/experimental_spectrum.h"
#include "ui/figure.h"

namespace mavrolin::irraman {

struct IrFigureOptions {
    bool sticks = true;
    bool transmittance = false;  // the intensity axis grows downwards, as transmission spectra are shown
    std::string title;
};

ui::fig::Figure IrFigure(const IrCurve& curve, const CurveRequest& request, const IrFigureOptions& o,
                         const spectrum::ExperimentalSpectrum* measured = nullptr);

}  // namespace mavrolin::irraman

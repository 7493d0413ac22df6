#pragma once
// The text "Save Spectrum…" writes: "#" header lines naming the log, the shape, the width,
// the scale factor and the unit, then one tab-separated line of wavenumber and intensity
// per grid point, wavenumber increasing.
#include <string>
#include <vector>

#include "irraman/band_curve.h"

namespace mavrolin::irraman {

struct IrSpectrumHeader {
    std::string log;
    const CurveRequest* request = nullptr;
    std::string unit;  // of the intensity column
};

// Shape name as written and read by the batch command: "Lorentzian" / "Gaussian".
std::string ShapeName(BandShape shape);
// The unit of the curve's values for a request.
std::string IntensityUnit(const CurveRequest& request);

// A number as the file writes it: up to 10 significant digits, "." always.
std::string NumberText(double v);

std::vector<std::string> IrSpectrumLines(const IrSpectrumHeader& header, const IrCurve& curve);

}  // namespace mavrolin::irraman

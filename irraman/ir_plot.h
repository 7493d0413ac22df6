#pragma once
// The picture of an IR or Raman spectrum: caption and note above the plot, wavenumber
// decreasing to the right, the measured overlay in grey under the computed curve, sticks
// for the modes, and an absorbance-style (peaks up) or transmittance-style (peaks hanging
// from the top) display. Everything the window shows is drawn into the paint box, so a
// saved picture holds the caption and the note as well.
#include <string>
#include <vector>

#include "irraman/band_curve.h"
#include "ui/canvas.h"
#include "ui/plot_frame.h"

namespace mavrolin::irraman {

// The mapping of one drawing, kept by the window for its mouse.
struct IrFrame {
    ui::PlotFrame plot;
    bool inverted = false;  // transmittance style: values grow downward from the top
    bool valid = false;

    int X(double x) const { return plot.fx(x); }
    int Y(double v) const { return plot.fy(inverted ? plot.y.dmax + plot.y.dmin - v : v); }
    double GetX(int px) const { return plot.x.ValueAt(px); }
    double GetY(int py) const {
        const double c = plot.y.ValueAt(py);
        return inverted ? plot.y.dmax + plot.y.dmin - c : c;
    }
};

struct IrPicture {
    const IrCurve* curve = nullptr;
    std::vector<double> overlayX, overlayY;  // already in cm-1 and scaled
    bool sticks = true;
    bool transmittance = false;
    bool autoY = true;
    double ymin = 0, ymax = 1;       // manual vertical range (after a zoom)
    std::string caption;             // first line above the plot
    std::vector<std::string> notes;  // further lines (imaginary and left-out modes)
    std::string yTitle;              // unit of the vertical axis
};

// The sticks are scaled so that the largest reaches the highest point of the curve.
double StickFactor(const IrCurve& curve);

IrFrame DrawIrSpectrum(ui::Canvas& canvas, int width, int height, const IrPicture& picture);

}  // namespace mavrolin::irraman

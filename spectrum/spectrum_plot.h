#pragma once
// The picture of a computed spectrum: one bar per transition (its oscillator strength
// times the scale), optionally each transition's own band and labels, the summed curve,
// white side margins, the frame, the end values of both scales and the axis title.
#include <array>
#include <string>

#include "spectrum/experimental_spectrum.h"
#include "spectrum/spectrum_calc.h"
#include "ui/canvas.h"
#include "ui/plot_frame.h"

namespace mavrolin::spectrum {

// The frame of one spectrum drawing: the shared plot frame (x reversed in units 1 and 3,
// where energies increase to the left; y upward) and what the mouse reads back. The
// spectrum window keeps the frame of its own last redraw, so other plot windows drawing in
// between never move its mouse mapping or its saved values.
struct SpectrumFrame {
    ui::PlotFrame plot;
    int unit = 1;
    int npoints = 0;
    bool valid = false;  // a redraw has set this frame

    // Pixel column of a horizontal value (ffx in units 1 and 3, fx2 in unit 2) and pixel
    // row of a vertical value (ffy).
    int X(double x) const { return plot.fx(x); }
    int Y(double y) const { return plot.fy(y); }
    // Data values under a pixel; 0 in a unit other than 1..3.
    double GetX(int px) const { return unit >= 1 && unit <= 3 ? plot.x.ValueAt(px) : 0; }
    double GetY(int py) const { return plot.y.ValueAt(py); }
    // Pixel column of a transition (energy in eV, wavelength in nm), rounded once; 0 in
    // another unit.
    int StateColumn(double en_ev, double nm) const {
        if (unit < 1 || unit > 3) return 0;
        return ui::RoundPixel(plot.x.Position(unit == 2 ? nm : en_ev));
    }
};

// What the drawing reads from the settings window, as values.
struct PlotStyle {
    int unit = kUnitEv;
    std::string unitText = "eV";
    int lineWidthBar = 1, lineStyleBar = 0;
    int lineWidthGau = 1, lineStyleGau = 0;
    bool gauss = true;
    int lineWidthSpc = 1, lineStyleSpc = 0;
    ui::Color colorSpc = ui::kRed;
    int lineWidthFrm = 2, lineStyleFrm = 0;
    ui::Color colorFrm = ui::kBlack;
    std::array<ui::Color, 20> colors{};  // Line Color #1 .. #20
    bool monochrome = false;
    bool transitions = false;
    int fthreshold = 10;  // labels for f > fthreshold/10000
    int transitionFontSize = 8, frameFontSize = 14;
    int scaleFactor = 90;  // bars are f * scaleFactor/100 high
    std::string fontName = "Tahoma";
    std::string fontStyle = "Bold";
};

// Applies a style name ("Bold+Italic", "Bold", "Italic", "StrikeOut", "Underline",
// "Standard"; anything else is plain) to a font.
void ApplyFontStyle(ui::FontSpec& font, const std::string& style);

// The colour of transition j (1-based): Line Color #((j mod 20) + 1).
ui::Color TransitionColor(const PlotStyle& style, int j);

// Draws `curve` (computed from `states` with the same unit) on a paint box of the given
// size and returns the frame it used. A measured spectrum, when given, is drawn in grey
// under everything else, scaled to the largest value of the curve.
SpectrumFrame DrawSpectrum(ui::Canvas& canvas, int width, int height, const PlotStyle& style,
                           const SpectrumCurve& curve, const Transitions& states,
                           const ExperimentalSpectrum* overlay = nullptr);

}  // namespace mavrolin::spectrum

#pragma once
// The picture of a computed spectrum: one bar per transition (its oscillator strength
// times the scale), optionally each transition's own band and labels, the summed curve,
// white side margins, the frame, the end values of both scales and the axis title.
#include <array>
#include <string>

#include "spectrum/spectrum_calc.h"
#include "spectrum/spectrum_frame.h"
#include "ui/canvas.h"

namespace mavrolin::spectrum {

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
// size and returns the frame it used.
SpectrumFrame DrawSpectrum(ui::Canvas& canvas, int width, int height, const PlotStyle& style,
                           const SpectrumCurve& curve, const Transitions& states);

}  // namespace mavrolin::spectrum

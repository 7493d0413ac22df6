#pragma once
// The data-to-pixel mapping of one spectrum drawing: the data ranges, the plotted ranges
// with their label margins and the paint-box size. The spectrum window keeps the frame of
// its own last redraw, so other plot windows drawing in between never move its mouse
// mapping or its saved values.
namespace mavrolin::spectrum {

// Nearest pixel, halves to even; positions far outside any screen are clamped first and
// a value that is not finite gives 0.
int PixelRound(double v);

struct SpectrumFrame {
    int unit = 1;                  // 1 eV and 3 cm-1 (energies increase to the left), 2 nm
    int gwidth = 0, gheight = 0;   // paint-box size at the redraw
    int npoints = 0;
    double dxmin = 0, dxmax = 0, dymin = 0, dymax = 0;  // data ranges
    double gxmin = 0, gxmax = 0, gymin = 0, gymax = 0;  // values at the paint-box edges
    bool valid = false;            // a redraw has set this frame

    bool Reversed() const { return unit != 2; }
    // Pixel column of a horizontal value: ffx in units 1 and 3, fx2 in unit 2.
    int X(double x) const;
    // Pixel row of a vertical value (ffy).
    int Y(double y) const;
    // Data values under a pixel; 0 in a unit other than 1..3.
    double GetX(int px) const;
    double GetY(int py) const;
    // Pixel column of a transition (energy in eV, wavelength in nm); 0 in another unit.
    int StateColumn(double en_ev, double nm) const;
};

}  // namespace mavrolin::spectrum

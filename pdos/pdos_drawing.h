#pragma once
// The PDOS diagrams: the curves of the last computation, horizontal (energy to the right,
// density upward) or vertical (energy upward, density to the left). Open-shell runs draw
// the beta curves mirrored: below the centre line, or to the right of it. Each diagram
// window keeps the PdosPlot it last drew, so its ranges are its own.
#include <vector>

#include "pdos/pdos_calc.h"
#include "ui/canvas.h"
#include "ui/plot_frame.h"

namespace mavrolin::pdos {

struct PdosPlot {
    PdosCurves curves;
    std::vector<SpinLevels> levels;   // for the MO markers: energies and occupied counts
    std::vector<ui::Color> colors;    // one per curve (the total density last, black)
    double gxmin = 0, gxmax = 0, gymin = 0, gymax = 0;
    int gxmargin = 20;
    bool moNumbers = true, moEnergies = true;
    bool Empty() const { return curves.dens.empty(); }
    bool OpenShell() const { return curves.dens.size() > 1; }
};

inline constexpr ui::Color kMoMarkerColor = 0xC0DCC0;

// Both draw the whole paint box of width × height on `cv`.
void DrawHorizontal(ui::Canvas& cv, int width, int height, const PdosPlot& plot);
void DrawVertical(ui::Canvas& cv, int width, int height, const PdosPlot& plot);

// The energy label of an MO marker: the energy rounded to two decimals, then "eV".
std::string MoEnergyText(double ev);

}  // namespace mavrolin::pdos

#pragma once
// The PDOS figure: the total and each set's density in colours that colour-blind readers
// tell apart, a legend with the set names, the occupied part shaded and a dashed line at the
// HOMO; energy across the page or up it. Open-shell beta densities point the other way.
#include <string>
#include <vector>

#include "pdos/pdos_drawing.h"
#include "ui/figure.h"

namespace ui {
class MenuItem;
}

namespace mavrolin {
class Application;
class TForm15;
}

namespace mavrolin::pdos {

struct PdosFigureOptions {
    double sigmaEv = 0.02;  // the broadening: densities are divided by it to read in states per eV
    bool vertical = false;  // energy up the page
    std::string title;
};

// `names[k]` names set k (from 0); missing names read "set k+1".
ui::fig::Figure PdosFigure(const PdosPlot& plot, const std::vector<std::string>& names, const PdosFigureOptions& o);
// The figure of the PDOS window's last computation, its sets named as its legend names them.
ui::fig::Figure PdosFigureOf(const TForm15& form, bool vertical, const std::string& title = {});
// "Save Figure…" and "Save Figure Data…" of the PDOS windows: the figure of the last
// computation, energy across the page or (`vertical`) up it unless the dialog says otherwise.
void ConnectFigureItems(Application& app, ui::MenuItem& figure, ui::MenuItem& data, bool vertical);

}  // namespace mavrolin::pdos

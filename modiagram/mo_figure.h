#pragma once
// The MO level diagram as a figure: one column per set (alpha and beta side by side for an
// open-shell set) with its name under it, HOMO and LUMO named with their energies, the gap
// between them, over a window of orbitals around the frontier levels.
#include <string>
#include <vector>

#include "modiagram/mo_table.h"
#include "ui/figure.h"

namespace mavrolin::modiagram {

struct MoFigureOptions {
    int window = 5;              // orbitals shown below the HOMO and above the LUMO
    double lo = 0, hi = 0;       // energy range in eV; equal: from the window
    std::vector<std::string> labels;  // names of the sets; missing ones: their file names
    std::string title;
};

// `fileNames[k]` is the log of set k (1-based, as the table counts its "Alpha" columns).
ui::fig::Figure MoFigure(const MoTableView& table, const std::vector<std::string>& fileNames, const MoFigureOptions& o);

}  // namespace mavrolin::modiagram

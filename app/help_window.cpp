#include "app/help_window.h"

namespace mavrolin {

const char* const TForm5::kAdvice =
    "*Warning: Please always add Freq or Freq=Raman in the job command line for Opt, even if "
    "CalcAll is added. Another encouragement is to add Pop=Full always in order to make easy "
    "access to the MO coefficient tables.";

TForm5::TForm5(Application& app) : ui::Form("Form5", "Help"), Memo1(this, "Memo1"), app_(app) {
    SetBounds(0, 0, 509, 334);
    Memo1.SetAlign(ui::Align::Client);
    Memo1.SetReadOnly(true);
    Memo1.ScrollBars = true;
    Memo1.SetLines({
        "Mavrolin 2025 (February 9, 2025)",
        "",
        "Mavrolin reads the output of Gaussian 03, 09 and 16 (*.log, *.out) and turns it into",
        "what you need after a run:",
        "  - coordinate conversion: final standard orientation as a labelled Cartesian file,",
        "    PDB/ENT and space-separated coordinate import, numerical to symbolic Z-matrix;",
        "  - SCF energy and force/displacement monitoring of geometry optimisations, with a",
        "    profile of every step;",
        "  - Z-matrix extraction as constrained and non-constrained Gaussian input;",
        "  - automatic reports for supplementary material: route, charge and multiplicity,",
        "    energies, dipole moment, frequencies, thermochemistry and the final structure",
        "    with Mulliken charges;",
        "  - UV-vis spectra from TD-DFT excited states, MO level diagrams and projected",
        "    densities of states.",
        "",
        kAdvice,
        "",
        "Revision history",
        "  2025-02-09  Mavrolin 2025: log scan, reports, geometry tools, profile window.",
        "  2024-11-20  MO coefficient tables and projected densities of states.",
        "  2024-06-02  TD-DFT spectral simulation and ESI tables.",
    });
}

}  // namespace mavrolin

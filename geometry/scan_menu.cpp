// "Open Log/Out File (SCAN)": the SCF energy of every point of a relaxed scan, listed in
// the main grid and kept as the SCF energy list for the energy-file writer.
#include "geometry/scan_points.h"

#include "app/application.h"
#include "app/main_window.h"
#include "core/dir_memory.h"
#include "core/number_text.h"
#include "logscan/log_check.h"

namespace mavrolin {

namespace {
constexpr const char* kUnconvergedFlag = "unconverged";
}  // namespace

void TForm1::OpenLogOutFileSCAN1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.OpenFileDialog(
        DialogOptions("Open", "Log files (*.log;*.out)|*.log;*.out|All files (*.*)|*.*"));
    if (!chosen) return;
    core::RememberDirectory(log, *chosen, [this](int ms) { app_.Pause(ms); });

    auto listing = geometry::ReadScanPoints(*chosen);
    app_.Pause(log.sleeptime);
    // An ordinary optimisation has step lines but none in the scan layout: one message
    // that says so, not one format complaint per step.
    if (listing.points.empty() && !listing.badFormatLines.empty()) {
        app_.ShowMessageCentred("No relaxed-scan points in this log: its " + std::to_string(listing.stepLines) +
                                " \"Step number\" lines name no scan point.");
        app_.Fail();
        return;
    }
    for (size_t k = 0; k < listing.badFormatLines.size(); ++k)
        app_.ShowMessageCentred("There is something wrong with the format!!");
    // The file becomes the loaded one only now: a refused file leaves the scanned log's
    // steps and the windows drawn from them as they were.
    log.FileDum = *chosen;
    log.nline = listing.nline;
    log.jobEnd = logscan::ReadJobEnd(*chosen);

    int slack = static_cast<int>(listing.stepLines);
    core::SizeArray(log.scfengy, slack, 10);
    core::SizeArray(log.scfdone_pos, slack, 10);
    log.ndone = 0;
    log.pick_energy_check = false;

    // A point without any SCF energy before its steps cannot be listed; the listing
    // stops before it rather than showing an energy it does not have.
    int points = 0;
    std::vector<int> stopped;
    for (const auto& p : listing.points) {
        if (p.energyLine == 0) {
            app_.ShowMessageCentred("No SCF energy precedes scan point " + std::to_string(points + 1) +
                                    "; the listing ends before it.");
            app_.Fail();
            break;
        }
        ++points;
        log.scfengy[points] = core::ParseDouble(p.energyText);
        log.scfdone_pos[points] = static_cast<int>(p.energyLine);
        if (p.stopped) stopped.push_back(points);
    }

    ClearStringGrid1Click();
    if (StringGrid1.ColCount() < 4) StringGrid1.SetColCount(4);
    StringGrid1.SetRowCount(points + 1);
    StringGrid1.SetCell(0, 0, "Scan Point");
    StringGrid1.SetCell(1, 0, "E (Hartree)");
    for (int k = 1; k <= points; ++k) {
        StringGrid1.SetCell(0, k, core::IntText(k));
        StringGrid1.SetCell(1, k, core::FloatText(log.scfengy[k]));
    }
    // The last column flags the points whose optimisation stopped unconverged; it goes
    // into the energy file with the rest of the row.
    if (!stopped.empty()) {
        StringGrid1.SetCell(3, 0, "Note");
        std::string names;
        for (int k : stopped) {
            StringGrid1.SetCell(3, k, kUnconvergedFlag);
            names += (names.empty() ? "" : ", ") + core::IntText(k);
        }
        app_.ShowWarningPos("The optimisation of scan point(s) " + names +
                            " stopped before converging (\"Optimization stopped.\"): the energy listed is that "
                            "of the last step, not of an optimised geometry, and is marked \"" +
                            kUnconvergedFlag + "\".");
    }
    log.ndone = points;
    app_.LogChanged(false);
}

}  // namespace mavrolin

// "Open Log/Out File (Opt,Freq)": the phase list, the phases that choose and count the
// file and close the scan, and the handler that runs the list.
#include "logscan/log_scan.h"

#include <algorithm>
#include <array>
#include <exception>
#include <filesystem>

#include "app/application.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "logscan/job_summary.h"
#include "logscan/log_check.h"
#include "logscan/scan_progress.h"
#include "modiagram/mo_energy_phase.h"
#include "spectrum/excited_state_phase.h"

namespace mavrolin {
namespace logscan {

namespace {

constexpr const char* kLogFilter = "Gaussian output (*.log;*.out)|*.log;*.out|All files (*.*)|*.*";

// A phase that never ends the scan.
template <void (*Run)(Application&)>
bool Always(Scan& scan) {
    Run(scan.app);
    return true;
}

// The same, run only when `Holds` is true of the record.
template <void (*Run)(Application&), bool (*Holds)(const core::LoadedLog&)>
bool When(Scan& scan) {
    if (Holds(scan.app.log)) Run(scan.app);
    return true;
}

bool HasEnergies(const core::LoadedLog& log) { return log.ndone > 0; }
bool HasFrequencies(const core::LoadedLog& log) { return log.nfreq > 0; }

constexpr std::array kPhases = {
    ScanPhase{"choose the log", [](Scan& s) { return ChooseAndReset(s.app); }, OnError::EndScan},
    ScanPhase{"read the log", [](Scan& s) { return CountingPass(s.app, s.state); }, OnError::EndScan},
    ScanPhase{"count the keywords", [](Scan& s) { CountingScan(s.app, s.state); return true; }, OnError::EndScan},
    ScanPhase{"index the keywords", [](Scan& s) { IndexingScan(s.app, s.state); return true; }, OnError::EndScan},
    ScanPhase{"MO energies", Always<modiagram::MoEnergyPhase>, OnError::ReportAndGoOn},
    ScanPhase{"job summary header", Always<JobSummaryHeaderPhase>, OnError::ReportAndGoOn},
    ScanPhase{"SCF table", When<ScfTablePhase, HasEnergies>, OnError::ReportAndGoOn},
    ScanPhase{"job summary details", Always<JobSummaryDetailsPhase>, OnError::ReportAndGoOn},
    ScanPhase{"frequency table", When<FrequencyPhase, HasFrequencies>, OnError::ReportAndGoOn},
    // Always: a log without states also clears the spectrum of an earlier one.
    ScanPhase{"excited states", Always<spectrum::ExcitedStatePhase>, OnError::ReportAndGoOn},
    ScanPhase{"closing messages", Always<ClosingMessages>, OnError::EndScan},
};

// The later phases whose results each batch command uses; a command not listed here
// (and the desktop) uses them all.
struct CommandNeeds {
    std::string_view command;
    std::array<std::string_view, 4> phases;
};
constexpr std::array kCommandNeeds = {
    CommandNeeds{"index", {}},
    CommandNeeds{"scf", {"SCF table"}},
    CommandNeeds{"profile", {"SCF table"}},
    CommandNeeds{"mo", {"MO energies"}},
    CommandNeeds{"coefficients", {"MO energies"}},
    CommandNeeds{"pdos", {"MO energies"}},
    CommandNeeds{"spectrum", {"excited states"}},
    CommandNeeds{"ir", {}},
};

bool PhaseNeeded(const Application& app, std::string_view phase) {
    for (const auto& c : kCommandNeeds)
        if (c.command == app.batchCommand) return std::find(c.phases.begin(), c.phases.end(), phase) != c.phases.end();
    return true;
}

// A user error ends only this phase; a programming error goes on to the dispatch point.
void RunLaterPhase(Scan& scan, const ScanPhase& phase) {
    core::ActionOutcome outcome = core::RunAction([&] { phase.run(scan); });
    if (outcome.kind == core::ActionOutcome::Kind::Done) return;
    if (outcome.kind == core::ActionOutcome::Kind::InternalError) std::rethrow_exception(outcome.error);
    // A log that breaks off ends its last block early: that is reported, but what was
    // read before stays a result (ClosingMessages says the job did not finish). A bad
    // line in a phase whose result the command does not use is reported the same way.
    if (scan.app.log.jobEnd == core::JobEnd::Unfinished || !PhaseNeeded(scan.app, phase.name))
        return scan.app.ShowWarningPos(outcome.message);
    scan.app.platform.ErrorMessage(outcome.message);
    scan.app.Fail();
}

void RefuseShortLog(Application& app) {
    app.ShowMessagePos(
        "This LOG file seems too short to make analysis! Please check the content directly by your self!!!");
    app.Fail();
}

void ClearRows(ui::StringGrid& grid, int keep) {
    for (int r = 1; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) grid.SetCell(c, r, "");
    grid.SetRowCount(keep);
}

}  // namespace

std::span<const ScanPhase> ScanPhases() { return kPhases; }

void ClearScannedRows(Application& app) {
    app.form1.ClearStringGrid1Click();
    ClearRows(app.form3.StringGrid1, 1);
    for (auto* g : {&app.form4.StringGrid1, &app.form4.StringGrid2, &app.form4.StringGrid3}) ClearRows(*g, 2);
    app.log.keywords.Clear();
}

bool ChooseAndReset(Application& app) {
    auto& log = app.log;
    auto chosen = app.platform.OpenFileDialog(app.form1.DialogOptions("Open Log/Out File (Opt,Freq)", kLogFilter));
    if (!chosen) return false;
    // A picture, a checkpoint file or any text Gaussian did not write is refused here,
    // before anything loaded is reset.
    RequireGaussianOutput(*chosen);
    if (HasFewerLines(*chosen, kMinLogLines)) {
        RefuseShortLog(app);
        return false;
    }
    log.FileDum = *chosen;
    log.jobEnd = ReadJobEnd(log.FileDum);
    core::RememberDirectory(log, log.FileDum, [&app](int ms) { app.Pause(ms); });

    ClearScannedRows(app);
    log.annihilation_check = false;
    log.zeroinforces = 0;
    return true;
}

bool CountingPass(Application& app, ScanState& st) {
    auto& log = app.log;
    log.nline = CountLinesAndKeywords(app, st);
    app.Pause(log.sleeptime);
    if (log.nline >= kMinLogLines) return true;
    ForgetCounts(log);  // the file was cut shorter after it was chosen
    RefuseShortLog(app);
    return false;
}

void HideCoordinateGrids(Application& app) {
    if (app.form1.StringGrid2.Visible()) app.form1.StringGrid2.SetVisible(false);
    if (app.form1.StringGrid3.Visible()) app.form1.StringGrid3.SetVisible(false);
}

void ClosingMessages(Application& app) {
    auto& log = app.log;
    if (log.zeroinforces > 0)
        app.ShowMessagePos(core::IntText(log.zeroinforces) +
                           " zero value(s) found in force params! They are forced to have non-zero values "
                           "(0.000010)!");
    if (log.nterm > 0) app.ShowMessagePos(core::IntText(log.nterm) + " normal termination flag(s) found!");
    if (log.jobEnd == core::JobEnd::Unfinished) {
        app.ShowWarningPos("The job did not finish: the log ends without Gaussian's termination line (still "
                           "running, killed or cut off). What was read up to there is shown.");
        app.ClearFailure();  // what the cut ended early was reported above as warnings
    }
    HideCoordinateGrids(app);
}

}  // namespace logscan

void TForm1::OpenLOG1Click() {
    using namespace logscan;
    Scan scan{app_, {}};
    const auto phases = ScanPhases();
    ScanProgress progress(app_, static_cast<int>(phases.size()));
    bool reset = false;  // once the record is reset, the log windows follow it however the scan ends
    try {
        bool read = true;
        for (size_t i = 0; i < phases.size() && read; ++i) {
            const auto& phase = phases[i];
            if (i > 0) progress.Phase(phase.name, static_cast<int>(i));  // shown once a file is chosen
            if (phase.onError == OnError::EndScan) {
                read = phase.run(scan);
                if (!read) HideCoordinateGrids(app_);
                reset = reset || read;
                continue;
            }
            RunLaterPhase(scan, phase);
        }
        if (read) AddRecentFile(app_.log.FileDum);
    } catch (const ScanCancelled&) {
        CancelledOpen(app_);
    } catch (...) {
        if (reset) app_.LogChanged(true);
        throw;
    }
    if (reset) app_.LogChanged(true);
}

}  // namespace mavrolin

#pragma once
// The log scan behind "Open Log/Out File (Opt,Freq)". OpenLOG1Click runs the phases of
// ScanPhases() in order: choosing the file, the counting pass and scan, the indexing
// scan into the keyword index (app.log.keywords, shown by the analysis report grid), and
// the phases that read the index and re-read the file (MO energies, job summary, SCF
// table, frequencies, excited states).
#include <span>
#include <string>
#include <string_view>

#include "logscan/keyword_scan.h"

namespace core {
struct LoadedLog;
}

namespace mavrolin {

class Application;

namespace logscan {

// What the pass over the file found, from the phase that reads it to the phase that
// hands the index to the record.
struct ScanState {
    KeywordScan keywords;
};

// One scan in progress: the phases share it.
struct Scan {
    Application& app;
    ScanState state;
};

// What an error thrown by a phase does: end the handler (the dispatcher reports it), or
// show it and go on with the next phase.
enum class OnError { EndScan, ReportAndGoOn };

struct ScanPhase {
    std::string_view name;
    bool (*run)(Scan&);  // false ends the scan quietly (a cancelled dialog, a short file)
    OnError onError;
};

// The phases of OpenLOG1Click, in the order they run.
std::span<const ScanPhase> ScanPhases();

// The phases that end or shape the scan.
bool ChooseAndReset(Application& app);
// The line count, the counting scan and the indexing scan are one read of the file
// (CountLinesAndKeywords, which leaves the counts in the record); CountingScan sizes the
// position arrays from them; IndexingScan records the positions and shows the index.
bool CountingPass(Application& app, ScanState& st);
void CountingScan(Application& app, ScanState& st);
// Counts the lines of app.log.FileDum, takes its line marks, counts and indexes the keywords.
long long CountLinesAndKeywords(Application& app, ScanState& st);
// Zeroes the keyword counts: a file refused after its count, or a cancelled scan, leaves
// none behind without position arrays sized for them.
void ForgetCounts(core::LoadedLog& log);
void IndexingScan(Application& app, ScanState& st);
void ScfTablePhase(Application& app);
void ClosingMessages(Application& app);
void HideCoordinateGrids(Application& app);
// Empties the main table, the report and summary grids and the keyword index.
void ClearScannedRows(Application& app);

// The step difference of the SCF table in kcal/mol, from the energy texts of two rows.
std::string DeltaKcalText(const std::string& previous, const std::string& current);

}  // namespace logscan
}  // namespace mavrolin

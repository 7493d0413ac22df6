#pragma once
// Progress of "Open Log/Out File (Opt,Freq)" on the platform (the phase name and how much
// of the file the phase has read), and the cancel the user may ask for in between.
#include <optional>
#include <string_view>

#include "core/read_progress.h"

namespace mavrolin {

class Application;

namespace logscan {

// Thrown when the user stops a scan. Deliberately not a std::exception: no user-error
// catch inside a phase may take it for a bad line and go on.
struct ScanCancelled {};

// Lives for one scan. Phase() names the phase now running; every block a reader
// fetches meanwhile reports how far through the file it is. A report the user answered
// with Cancel throws ScanCancelled. The progress display ends with the scope.
class ScanProgress {
public:
    ScanProgress(Application& app, int steps);
    ~ScanProgress();
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;

    void Phase(std::string_view name, int step);

private:
    void Report(double fraction);
    Application& app_;
    int steps_;
    std::string_view phase_;
    int step_ = 0;
    double shown_ = 0;  // the phase's bar so far
    std::optional<core::ReadProgressScope> reads_;
};

// After a cancelled scan: the record as a failed open leaves it (the tables and the
// keyword index empty, nothing counted), with a message naming the file.
void CancelledOpen(Application& app);

}  // namespace logscan
}  // namespace mavrolin

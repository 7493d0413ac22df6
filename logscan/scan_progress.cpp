#include "logscan/scan_progress.h"

#include <algorithm>

#include "app/application.h"
#include "logscan/log_scan.h"

namespace mavrolin::logscan {

ScanProgress::ScanProgress(Application& app, int steps) : app_(app), steps_(steps) {
    reads_.emplace([this](long long done, long long total) {
        Report(total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0);
    });
}

ScanProgress::~ScanProgress() {
    reads_.reset();
    app_.platform.EndProgress();
}

void ScanProgress::Phase(std::string_view name, int step) {
    phase_ = name;
    step_ = step;
    shown_ = 0;
    Report(0);
}

void ScanProgress::Report(double fraction) {
    if (phase_.empty()) return;  // reads before the first named phase are not shown
    // A phase that reads the file twice does not move the bar back; a file that grew
    // while it was read may report more than its size at opening.
    shown_ = std::max(shown_, std::clamp(fraction, 0.0, 1.0));
    ui::ProgressReport r{phase_, step_, steps_, shown_};
    if (!app_.platform.Progress(r)) throw ScanCancelled{};
}

void CancelledOpen(Application& app) {
    auto& log = app.log;
    ClearScannedRows(app);
    // Positions half indexed are no one's to read.
    ForgetCounts(log);
    HideCoordinateGrids(app);
    app.ShowMessagePos("Scan cancelled: nothing of " + log.FileDum + " was loaded.");
}

}  // namespace mavrolin::logscan

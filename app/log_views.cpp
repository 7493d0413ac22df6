#include "app/log_views.h"

#include "app/application.h"

namespace mavrolin {

// After a scan the report and summary grids hold the new log's rows (the scan refills
// them) and the spectrum windows were redrawn or hidden by the excited-state phase; the
// others are brought in step here. The coefficient tables stay loaded when the new log
// prints none (a checkpoint import may still join them), but their window is hidden, and
// PDOS curves computed from other tables are dropped.
void RegisterLogViews(Application& app) {
    auto scanned = [&app] { return app.scannedLog; };
    app.AddLogView(app.form2, scanned, [&app] { return app.form2.Reload(); });
    app.AddLogView(app.form3, scanned, [] { return true; });
    app.AddLogView(app.form4, scanned, [] { return true; });
    app.AddLogView(app.form9, [&app] { return app.log.nexstt > 0 ? app.log.tddft_file : std::string(); },
                   [&app] { return app.log.nexstt > 0; });
    auto tablesOfScan = [&app] {
        const auto& t = app.form14.Tables;
        return !t.Empty() && t.file == app.scannedLog;
    };
    app.AddLogView(app.form14, [&app] { return app.form14.Tables.file; }, tablesOfScan);
    app.AddLogView(app.form15, [&app] { return app.form15.ComputedLog(); }, [&app, tablesOfScan] {
        if (app.form15.ComputedLog() != app.form14.Tables.file) app.form15.ForgetComputation();
        return tablesOfScan();
    });
    app.AddLogView(app.ecd, [&app] { return app.ecd.LogFile(); }, [&app] { return app.ecd.HasStrengths(); });
    app.AddLogView(app.form19, [&app] { return app.form19.LogFile(); },
                   [&app] { return !app.form19.Visible() || app.form19.Reload(app.scannedLog); });
    app.AddLogView(app.form16, [&app] { return app.form15.ComputedLog(); },
                   [&app] { return !app.form15.ComputedLog().empty(); });
}

}  // namespace mavrolin

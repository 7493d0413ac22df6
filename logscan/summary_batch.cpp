// The batch command "report": scans a log as "Open Log/Out File (Opt,Freq)" does and
// saves the job summary as "Save Report" does.
#include <ctime>
#include <memory>

#include "app/application.h"
#include "app/batch.h"
#include "logscan/summary_window.h"

namespace mavrolin {

namespace {

// The creation stamp of a report written in batch is the real local time.
std::string NowText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

}  // namespace

void RegisterReportCommand(CLI::App& cli, BatchSession& session) {
    struct Options {
        std::string log, output;
    };
    auto opts = std::make_shared<Options>();
    auto* cmd = cli.add_subcommand("report", "Job summary report of a Gaussian log (<log>_report.txt)");
    cmd->add_option("LOG", opts->log, "Gaussian log/out file")->required()->check(CLI::ExistingFile);
    cmd->add_option("-o,--output", opts->output, "Report file (default: the log name with _report.txt)");
    cmd->callback([&session, opts] {
        std::string log = BatchSession::Absolute(opts->log);
        std::string output = opts->output.empty() ? ProposedReportName(log) : BatchSession::Absolute(opts->output);
        auto& app = session.App();
        session.platform.dateTime = NowText();
        session.platform.AnswerOpen(log);
        bool scanned = session.Run([&] { app.form1.OpenLOG1Click(); });
        // A log the scan refused outright has nothing to report; one that ended early
        // still gives what was read (and the exit status says it failed).
        if (!scanned && app.form4.StringGrid3.RowCount() <= 2) return;
        if (app.log.FileDum != log) return;
        session.platform.AnswerSave(output);
        session.Run([&] { app.form4.SaveReport1Click(); });
    });
}

}  // namespace mavrolin

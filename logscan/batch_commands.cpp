// Batch commands of the log scan: they open the log as a user would and hand out the
// analysis report grid, what "Save" writes for the SCF table, or the job summary report.
#include <ctime>
#include <filesystem>
#include <string>

#include "app/application.h"
#include "app/batch.h"
#include "core/text_file.h"
#include "logscan/summary_window.h"

namespace mavrolin {

namespace {

// The analysis report grid, header row first, cells joined by tabs.
void WriteReportGrid(const ui::StringGrid& grid, const std::filesystem::path& path) {
    core::TextWriter out(path);
    for (int r = 0; r < grid.RowCount(); ++r) {
        std::string line;
        for (int c = 0; c < grid.ColCount(); ++c) {
            if (c > 0) line += '\t';
            line += grid.Cell(c, r);
        }
        out.WriteLine(line);
    }
    out.Close();
}

// Opens the log through the menu handler. False when the scan stopped on an error.
bool Scan(BatchSession& session, const std::string& log) {
    auto& app = session.App();
    return session.Open(log, [&app] { app.form1.OpenLOG1Click(); });
}

// The creation stamp of a report written in batch is the real local time.
std::string NowText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

void AddIndexCommand(CLI::App& cli, BatchSession& session) {
    AddFileCommand(cli, session,
                   {"index", "Keyword index of a Gaussian output as tab-separated text", "LOG",
                    "Gaussian output file", "output file (default: standard output)"},
                   [&session](const FileArgs& a) {
                       Scan(session, a.input);  // the grid keeps what was written even when the scan stopped
                       auto target = session.OutputOrScratch(a.output, "index.txt");
                       session.Run([&] { WriteReportGrid(session.App().form3.StringGrid1, target); });
                       session.Deliver(a.output, target);
                   });
}

void AddScfCommand(CLI::App& cli, BatchSession& session) {
    AddFileCommand(cli, session,
                   {"scf", "SCF energies and convergence table as the main window's Save writes it", "LOG",
                    "Gaussian output file", "output file (default: standard output)"},
                   [&session](const FileArgs& a) {
                       if (!Scan(session, a.input)) return;
                       auto target = session.OutputOrScratch(a.output, "scf.txt");
                       auto& app = session.App();
                       if (session.Save(target.string(), [&app] { app.form1.Save1Click(); }))
                           session.Deliver(a.output, target);
                   });
}

void AddReportCommand(CLI::App& cli, BatchSession& session) {
    auto* cmd = AddFileCommand(
        cli, session,
        {"report", "Job summary report of a Gaussian log (<log>_report.txt)", "LOG", "Gaussian log/out file",
         "Report file (default: the log name with _report.txt)"},
        [&session](const FileArgs& a) {
            std::string output = a.output.empty() ? ProposedReportName(a.input) : a.output;
            auto& app = session.App();
            session.platform.dateTime = NowText();
            bool scanned = Scan(session, a.input);
            // A log the scan refused outright has nothing to report; one that ended early
            // still gives what was read (and the exit status says it failed).
            if (!scanned && app.form4.StringGrid3.RowCount() <= 2) return;
            if (app.log.FileDum != a.input) return;
            session.Save(output, [&app] { app.form4.SaveReport1Click(); });
        });
    cmd->get_option("LOG")->check(CLI::ExistingFile);
}

}  // namespace

void RegisterLogScanCommands(CLI::App& cli, BatchSession& session) {
    AddIndexCommand(cli, session);
    AddScfCommand(cli, session);
    AddReportCommand(cli, session);
}

}  // namespace mavrolin

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

// The log broke off or held a bad value part-way: what was read is written, and the
// command succeeds with a warning after the scan's own message.
void WarnPartial(BatchSession& session, const std::string& what) {
    session.status = 0;
    session.Warn("the scan stopped early; " + what + " holds what was read up to there.");
}

void AddIndexCommand(CLI::App& cli, BatchSession& session) {
    AddFileCommand(cli, session,
                   {"index", "Keyword index of a Gaussian output as tab-separated text", "LOG",
                    "Gaussian output file", "output file (default: standard output)"},
                   [&session](const FileArgs& a) {
                       // A scan that stopped part-way leaves the rows it indexed, and they are
                       // written; a log refused outright (no row beyond the header) gives nothing.
                       bool scanned = Scan(session, a.input);
                       auto& grid = session.App().form3.StringGrid1;
                       if (!scanned && (session.App().log.FileDum != a.input || grid.RowCount() <= 1)) return;
                       auto target = session.OutputOrScratch(a.output, "index.txt");
                       if (!session.Run([&] { WriteReportGrid(grid, target); })) return;
                       session.Deliver(a.output, target);
                       if (!scanned) WarnPartial(session, "the index");
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
    AddFileCommand(
        cli, session,
        {"report", "Job summary report of a Gaussian log (<log>_report.txt)", "LOG", "Gaussian log/out file",
         "Report file (default: the log name with _report.txt)"},
        [&session](const FileArgs& a) {
            std::string output = a.output.empty() ? ProposedReportName(a.input) : a.output;
            auto& app = session.App();
            session.platform.dateTime = LocalTimeText();
            bool scanned = Scan(session, a.input);
            // A log the scan refused outright has nothing to report; one that ended early
            // still gives what was read, with a warning.
            if (!scanned && app.form4.StringGrid3.RowCount() <= 2) return;
            if (app.log.FileDum != a.input) return;
            if (session.Save(output, [&app] { app.form4.SaveReport1Click(); }) && !scanned)
                WarnPartial(session, "the report");
        });
}

}  // namespace

void RegisterLogScanCommands(CLI::App& cli, BatchSession& session) {
    AddIndexCommand(cli, session);
    AddScfCommand(cli, session);
    AddReportCommand(cli, session);
}

}  // namespace mavrolin

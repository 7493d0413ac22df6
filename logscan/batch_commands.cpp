// Batch commands of the log scan: they open the log as a user would and hand out the
// analysis report grid or what "Save" writes for the SCF table.
#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/batch.h"
#include "core/text_file.h"

namespace mavrolin {

namespace {

struct Options {
    std::string log, out;
};

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
    session.platform.AnswerOpen(log);
    return session.Run([&app] { app.form1.OpenLOG1Click(); });
}

void AddIndexCommand(CLI::App& cli, BatchSession& session) {
    auto o = std::make_shared<Options>();
    auto* cmd = cli.add_subcommand("index", "Keyword index of a Gaussian output as tab-separated text");
    cmd->add_option("LOG", o->log, "Gaussian output file")->required();
    cmd->add_option("-o,--output", o->out, "output file (default: standard output)");
    cmd->callback([o, &session] {
        std::string log = BatchSession::Absolute(o->log);
        std::string out = BatchSession::Absolute(o->out);
        Scan(session, log);  // the grid keeps what was written even when the scan stopped
        auto target = out.empty() ? session.Scratch("index.txt") : std::filesystem::path(out);
        session.Run([&] { WriteReportGrid(session.App().form3.StringGrid1, target); });
        if (out.empty()) session.CopyToStdout(target);
    });
}

void AddScfCommand(CLI::App& cli, BatchSession& session) {
    auto o = std::make_shared<Options>();
    auto* cmd = cli.add_subcommand("scf", "SCF energies and convergence table as the main window's Save writes it");
    cmd->add_option("LOG", o->log, "Gaussian output file")->required();
    cmd->add_option("-o,--output", o->out, "output file (default: standard output)");
    cmd->callback([o, &session] {
        std::string log = BatchSession::Absolute(o->log);
        std::string out = BatchSession::Absolute(o->out);
        if (!Scan(session, log)) return;
        auto target = out.empty() ? session.Scratch("scf.txt") : std::filesystem::path(out);
        auto& app = session.App();
        session.platform.AnswerSave(target.string());
        if (session.Run([&app] { app.form1.Save1Click(); }) && out.empty()) session.CopyToStdout(target);
    });
}

}  // namespace

void RegisterLogScanCommands(CLI::App& cli, BatchSession& session) {
    AddIndexCommand(cli, session);
    AddScfCommand(cli, session);
}

}  // namespace mavrolin

// Batch commands of the log scan: they open the log as a user would and hand out the
// analysis report grid, what "Save" writes for the SCF table, or the job summary report.
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/batch.h"
#include "app/json_output.h"
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

// The names of the keyword kinds in JSON documents.
const char* KindName(core::KeywordKind k) {
    switch (k) {
        case core::KeywordKind::Route: return "route";
        case core::KeywordKind::Title: return "title";
        case core::KeywordKind::ChargeMultiplicity: return "charge_multiplicity";
        case core::KeywordKind::ScfDone: return "scf_done";
        case core::KeywordKind::AlphaVirtual: return "alpha_virtual";
        case core::KeywordKind::AlphaOccupied: return "alpha_occupied";
        case core::KeywordKind::BetaVirtual: return "beta_virtual";
        case core::KeywordKind::BetaOccupied: return "beta_occupied";
        case core::KeywordKind::MaximumForce: return "maximum_force";
        case core::KeywordKind::Orientation: return "orientation";
        case core::KeywordKind::Mulliken: return "mulliken";
        case core::KeywordKind::DipoleMoment: return "dipole_moment";
        case core::KeywordKind::NormalTermination: return "normal_termination";
        case core::KeywordKind::ExcitedState: return "excited_state";
        case core::KeywordKind::Frequencies: return "frequencies";
        case core::KeywordKind::ZeroPoint: return "zero_point";
    }
    return "";
}

Json IndexJson(const core::LoadedLog& log, const std::string& file) {
    Json doc = JsonDocument("index", file);
    Json hits = Json::array();
    for (const auto& h : log.keywords)
        hits.push_back({{"line", h.line}, {"kind", KindName(h.kind)}, {"keyword", h.keyword},
                        {"contents", h.contents}, {"remark", h.remark}, {"message", h.message}});
    doc["keywords"] = std::move(hits);
    return doc;
}

// The SCF energy of every step and, for an optimisation, the convergence values of each.
Json ScfJson(const core::LoadedLog& log, const std::string& file) {
    Json doc = JsonDocument("scf", file);
    Json steps = Json::array();
    for (int i = 1; i <= log.ndone && static_cast<size_t>(i) < log.scfengy.size(); ++i)
        steps.push_back({{"step", i}, {"energy_hartree", Number(log.scfengy[static_cast<size_t>(i)])}});
    doc["scf"] = std::move(steps);
    Json conv = Json::array();
    auto at = [](const std::vector<double>& v, int i) {
        return static_cast<size_t>(i) < v.size() ? Number(v[static_cast<size_t>(i)]) : Json(nullptr);
    };
    for (int i = 1; i <= log.nforce2; ++i)
        conv.push_back({{"step", i},
                        {"max_force_hartree_per_bohr", at(log.maxfrce, i)},
                        {"rms_force_hartree_per_bohr", at(log.rmsfrce, i)},
                        {"max_displacement_bohr", at(log.maxdisp, i)},
                        {"rms_displacement_bohr", at(log.rmsdisp, i)},
                        {"predicted_change_hartree", at(log.prdcten, i)}});
    doc["convergence"] = std::move(conv);
    return doc;
}

// The job summary as the report shows it: one text line per row, and the mode table.
Json ReportJson(const TForm4& form, const std::string& file) {
    Json doc = JsonDocument("report", file);
    Json lines = Json::array();
    for (int r = 0; r < form.StringGrid3.RowCount(); ++r)
        if (!form.StringGrid3.Cell(1, r).empty()) lines.push_back(form.StringGrid3.Cell(1, r));
    doc["summary"] = std::move(lines);
    const auto& g = form.StringGrid1;
    Json rows = Json::array();
    for (int r = 1; r < g.RowCount(); ++r) {
        Json row = Json::object();
        bool any = false;
        for (int c = 0; c < g.ColCount(); ++c) {
            if (g.Cell(c, 0).empty()) continue;
            row[g.Cell(c, 0)] = g.Cell(c, r);
            any = any || !g.Cell(c, r).empty();
        }
        if (any) rows.push_back(std::move(row));
    }
    doc["modes"] = std::move(rows);
    return doc;
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
    auto json = std::make_shared<bool>(false);
    auto* cmd = AddFileCommand(cli, session,
                   {"index", "Keyword index of a Gaussian output as tab-separated text", "LOG",
                    "Gaussian output file", "output file (default: standard output)"},
                   [&session, json](const FileArgs& a) {
                       // A scan that stopped part-way leaves the rows it indexed, and they are
                       // written; a log refused outright (no row beyond the header) gives nothing.
                       bool scanned = Scan(session, a.input);
                       auto& grid = session.App().form3.StringGrid1;
                       if (!scanned && (session.App().log.FileDum != a.input || grid.RowCount() <= 1)) return;
                       if (*json) {
                           DeliverJson(session, a.output, IndexJson(session.App().log, a.input));
                           if (!scanned) WarnPartial(session, "the index");
                           return;
                       }
                       auto target = session.OutputOrScratch(a.output, "index.txt");
                       if (!session.Run([&] { WriteReportGrid(grid, target); })) return;
                       session.Deliver(a.output, target);
                       if (!scanned) WarnPartial(session, "the index");
                   });
    AddJsonFlag(cmd, *json);
}

void AddScfCommand(CLI::App& cli, BatchSession& session) {
    auto json = std::make_shared<bool>(false);
    auto* cmd = AddFileCommand(cli, session,
                   {"scf", "SCF energies and convergence table as the main window's Save writes it", "LOG",
                    "Gaussian output file", "output file (default: standard output)"},
                   [&session, json](const FileArgs& a) {
                       if (!Scan(session, a.input)) return;
                       if (*json) return DeliverJson(session, a.output, ScfJson(session.App().log, a.input));
                       auto target = session.OutputOrScratch(a.output, "scf.txt");
                       auto& app = session.App();
                       if (session.Save(target.string(), [&app] { app.form1.Save1Click(); }))
                           session.Deliver(a.output, target);
                   });
    AddJsonFlag(cmd, *json);
}

void AddReportCommand(CLI::App& cli, BatchSession& session) {
    auto json = std::make_shared<bool>(false);
    auto* cmd = AddFileCommand(
        cli, session,
        {"report", "Job summary report of a Gaussian log (<log>_report.txt)", "LOG", "Gaussian log/out file",
         "Report file (default: the log name with _report.txt)"},
        [&session, json](const FileArgs& a) {
            std::string output = a.output.empty() && !*json ? ProposedReportName(a.input) : a.output;
            auto& app = session.App();
            session.platform.dateTime = LocalTimeText();
            bool scanned = Scan(session, a.input);
            // A log the scan refused outright has nothing to report; one that ended early
            // still gives what was read, with a warning.
            if (!scanned && app.form4.StringGrid3.RowCount() <= 2) return;
            if (app.log.FileDum != a.input) return;
            if (*json) {
                DeliverJson(session, output, ReportJson(app.form4, a.input));
                if (!scanned) WarnPartial(session, "the report");
                return;
            }
            if (session.Save(output, [&app] { app.form4.SaveReport1Click(); }) && !scanned)
                WarnPartial(session, "the report");
        });
    AddJsonFlag(cmd, *json);
}

}  // namespace

void RegisterLogScanCommands(CLI::App& cli, BatchSession& session) {
    AddIndexCommand(cli, session);
    AddScfCommand(cli, session);
    AddReportCommand(cli, session);
}

}  // namespace mavrolin

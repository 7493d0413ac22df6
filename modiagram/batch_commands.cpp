// "mavrolin mo LOG...": scans each log as "Open Log/Out File (Opt,Freq)" does (each appends
// its set to the MO table), applies the diagram options a user would set in the settings
// window, computes the display range, and writes the tabbed file, the spreadsheet and the
// picture through the same menu handlers. Everything is written to the private folder
// first and delivered only when every part succeeded.
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/application.h"
#include "app/batch.h"
#include "app/figure_export.h"
#include "app/json_output.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "modiagram/mo_figure.h"
#include "modiagram/mo_layout.h"

namespace mavrolin {

namespace {

struct MoOptions {
    std::vector<std::string> logs;
    std::string settings, unit, range, table, sheet, image, size = "1200x800";
    int overlay = -1;
    FigureOptions figure;
    int window = 5;
    std::vector<std::string> labels;
    bool json = false;
};

// The MO table: one set per column ("Alpha", "Beta"), each level with its energy in hartree
// and whether it is occupied; the highest occupied and lowest unoccupied levels per set.
Json MoJson(const ui::StringGrid& grid, const std::vector<std::string>& logs) {
    Json doc = JsonDocument("mo", logs.empty() ? std::string() : logs.front());
    doc["files"] = logs;
    Json sets = Json::array();
    for (int c = 0; c < grid.ColCount(); ++c) {
        Json levels = Json::array();
        Json homo = nullptr, lumo = nullptr;
        for (int r = 1; r < grid.RowCount(); ++r) {
            // "ao  -10.25357": alpha/beta, occupied/virtual, energy in hartree.
            const std::string& cell = grid.Cell(c, r);
            double e = 0;
            if (cell.size() < 3 || !core::TryParseDouble(core::Trim(cell.substr(2)), e)) continue;
            const bool occupied = cell[1] == 'o';
            levels.push_back({{"number", r}, {"energy_hartree", Number(e)}, {"occupied", occupied}});
            if (occupied) homo = Number(e);
            else if (lumo.is_null()) lumo = Number(e);
        }
        sets.push_back({{"title", grid.Cell(c, 0)}, {"homo_hartree", homo}, {"lumo_hartree", lumo}, {"levels", std::move(levels)}});
    }
    doc["sets"] = std::move(sets);
    return doc;
}

// "MIN:MAX" in the display unit, MIN not above MAX; the two texts as given.
std::pair<std::string, std::string> ParseRange(const std::string& text) {
    auto colon = text.find(':');
    double lo = 0, hi = 0;
    if (colon == std::string::npos || !core::TryParseDouble(text.substr(0, colon), lo) ||
        !core::TryParseDouble(text.substr(colon + 1), hi) || lo > hi)
        throw CLI::ValidationError("--range", "expected MIN:MAX in the display unit, for example -20:5");
    return {core::Trim(text.substr(0, colon)), core::Trim(text.substr(colon + 1))};
}

int UnitSelector(const std::string& name) {
    const char* names[] = {"ev", "hartree", "kcal/mol", "kj/mol"};
    for (int i = 0; i < 4; ++i)
        if (core::UpperAscii(name) == core::UpperAscii(names[i])) return i + 1;
    return 1;
}

// The figure's options: its energies are in eV, so a --range in another unit is converted.
modiagram::MoFigureOptions FigureOptionsOf(const MoOptions& o) {
    modiagram::MoFigureOptions f;
    f.window = o.window;
    f.labels = o.labels;
    f.title = o.figure.title;
    if (!o.range.empty()) {
        auto [lo, hi] = ParseRange(o.range);
        double a = 0, b = 0;
        core::TryParseDouble(lo, a), core::TryParseDouble(hi, b);
        const double per = modiagram::EnergyUnitOf(o.unit.empty() ? 1 : UnitSelector(o.unit)).factor /
                           modiagram::EnergyUnitOf(1).factor;
        f.lo = a / per, f.hi = b / per;
    }
    return f;
}

// Copies a finished scratch file to where the user wants it ("-": standard output).
void DeliverFile(BatchSession& session, const std::filesystem::path& scratch, const std::string& dest) {
    if (dest == "-") return session.Deliver("", scratch);
    if (!session.MayWrite(dest)) return;
    std::error_code ec;
    std::filesystem::copy_file(scratch, dest, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) session.Fail("cannot write " + dest + ": " + ec.message());
}

// Scans every log; each must add a set to the MO table.
bool ImportAll(BatchSession& session, const std::vector<std::string>& logs) {
    auto& app = session.App();
    for (const auto& log : logs) {
        const int before = app.log.nfile;
        if (!session.Open(log, [&app] { app.form1.OpenLOG1Click(); })) return false;
        if (app.log.nfile <= before || !app.form6.StringGrid1.Cell(0, 1).starts_with("ao")) {
            session.Fail(log + ": no orbital energies were added to the MO table");
            return false;
        }
    }
    return true;
}

// The settings a user would choose before drawing; false when one cannot be applied.
bool ApplyOptions(BatchSession& session, const MoOptions& o) {
    auto& app = session.App();
    auto& s = app.form8;
    if (!o.settings.empty()) {
        if (!session.Open(BatchSession::Absolute(o.settings), [&s] { s.OpenSettings1Click(); })) return false;
    }
    if (!o.unit.empty()) s.Energy_Unit.SetValue(UnitSelector(o.unit));
    if (o.overlay >= 0) {
        s.Overlay_SW.SetValue(o.overlay);
        if (s.Overlay_SW.Value() != o.overlay) {
            session.Fail("--overlay " + std::to_string(o.overlay) + " needs an open-shell set (a \"Beta\" column)");
            return false;
        }
    }
    if (!session.Run([&app] { app.form7.DispRangeClick(); })) return false;
    if (!o.range.empty()) {
        auto [lo, hi] = ParseRange(o.range);
        s.Disp_ymin.SetText(lo);
        s.Disp_ymax.SetText(hi);
    }
    return true;
}

void RunMo(BatchSession& session, MoOptions o) {
    const PictureSize box = ParsePictureSize(o.size);
    if (!o.image.empty()) RequirePictureName(o.image, "--image");
    if (!o.range.empty()) ParseRange(o.range);  // bad arguments are refused before any work
    for (auto& log : o.logs) log = BatchSession::Absolute(log);
    // Relative output names are taken from where the command was started: the scan moves
    // the working folder to the log's.
    for (auto* out : {&o.table, &o.sheet, &o.image})
        if (*out != "-") *out = BatchSession::Absolute(*out);
    if (o.figure.Wanted()) FigureStyle(o.figure);
    if (o.table.empty() && o.sheet.empty() && o.image.empty() && !o.figure.Wanted() && !o.json) o.table = "-";
    if (!ImportAll(session, o.logs) || !ApplyOptions(session, o)) return;

    auto& app = session.App();
    struct Output {
        std::string dest;
        std::filesystem::path scratch;
    };
    std::vector<Output> outputs;
    if (!o.table.empty()) {
        outputs.push_back({o.table, session.Scratch("mo_table.txt")});
        if (!session.Save(outputs.back().scratch.string(), [&app] { app.form6.Save1Click(); })) return;
    }
    if (!o.sheet.empty()) {
        outputs.push_back({o.sheet, session.Scratch("mo_sheet.txt")});
        if (!session.Save(outputs.back().scratch.string(), [&app] { app.form7.SaveExcelSheet1Click(); })) return;
    }
    if (!o.image.empty()) {
        auto& form = app.form7;
        form.SetBounds(form.Left(), form.Top(), box.width + form.FrameWidth(), box.height + form.FrameHeight());
        outputs.push_back({o.image, session.Scratch("mo_picture" + std::filesystem::path(o.image).extension().string())});
        if (!session.Save(outputs.back().scratch.string(), [&form] { form.SavePicture1Click(); })) return;
    }
    for (const auto& out : outputs)
        DeliverFile(session, out.scratch, out.dest == "-" ? out.dest : BatchSession::Absolute(out.dest));
    if (o.figure.Wanted() && session.status == 0)
        WriteFigureFiles(session, modiagram::MoFigure(app.form6.Table(), app.log.FileMem, FigureOptionsOf(o)), o.figure);
    if (o.json) DeliverJson(session, "", MoJson(app.form6.StringGrid1, o.logs));
}

}  // namespace

void RegisterMoCommands(CLI::App& cli, BatchSession& session) {
    auto o = std::make_shared<MoOptions>();
    auto* cmd = cli.add_subcommand("mo", "MO energies of one or more logs: tabbed table, spreadsheet and level diagram");
    cmd->add_option("LOG", o->logs, "Gaussian outputs, each adding its set of orbital energies")->required();
    cmd->add_option("--settings", o->settings, "diagram settings file (moview_graphics.inf layout)");
    cmd->add_option("--unit", o->unit, "energy unit of the diagram and spreadsheet (default ev)")
        ->check(CLI::IsMember({"ev", "hartree", "kcal/mol", "kJ/mol"}, CLI::ignore_case));
    cmd->add_option("--overlay", o->overlay, "0 beta sets beside alpha, 1 over them, 2 over them shifted")
        ->check(CLI::Range(0, 2));
    cmd->add_option("--range", o->range, "energy range MIN:MAX in the display unit (default: every level)");
    cmd->add_option("--table", o->table, "tabbed file of the MO table ('-': standard output)");
    cmd->add_option("--sheet", o->sheet, "spreadsheet of the diagram (tab-separated)");
    AddJsonFlag(cmd, o->json)->description("write the MO levels of every set as one JSON document to standard output");
    cmd->add_option("--image", o->image, "picture of the diagram; .png, .svg or .pdf");
    cmd->add_option("--size", o->size, "paint-box size of the picture in pixels, WxH (default 1200x800)");
    AddFigureOptions(cmd, o->figure);
    cmd->add_option("--window", o->window, "figure: orbitals shown below the HOMO and above the LUMO (default 5)")
        ->check(CLI::Range(0, 1000));
    cmd->add_option("--labels", o->labels, "figure: names of the sets, in order (default: their file names)")
        ->delimiter(',');
    cmd->footer("Without --table, --sheet, --image, --figure or --csv the tabbed file goes to standard output.");
    cmd->callback([o, &session] { RunMo(session, *o); });
}

}  // namespace mavrolin

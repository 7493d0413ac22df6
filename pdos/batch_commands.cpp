// "mavrolin coefficients" and "mavrolin pdos": scan a log as "Open Log/Out File" does, then
// drive the coefficient and PDOS windows as a user would: imports, exports, AOs put into
// sets by double clicks, "Compute PDOS", the range typed and "Redraw", the saves.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/batch.h"
#include "app/figure_export.h"
#include "pdos/pdos_figure.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "pdos/coefficient_exports.h"

namespace mavrolin {

namespace {

// "1-5,9,12-14": AO numbers in the order written; an empty list or a bad item is refused.
std::vector<int> ParseAoList(const std::string& text) {
    std::vector<int> aos;
    size_t at = 0;
    while (at <= text.size()) {
        size_t comma = text.find(',', at);
        if (comma == std::string::npos) comma = text.size();
        const std::string item = text.substr(at, comma - at);
        const size_t dash = item.find('-', 1);
        long long lo = 0, hi = 0;
        bool ok = dash == std::string::npos ? core::TryParseInt(item, lo) && (hi = lo, true)
                                            : core::TryParseInt(item.substr(0, dash), lo) &&
                                                  core::TryParseInt(item.substr(dash + 1), hi);
        if (!ok || lo < 1 || hi < lo || hi - lo > 1000000)
            throw CLI::ValidationError("--set", "expected AO numbers and ranges such as 1-5,9,12-14, got \"" + text + "\"");
        for (long long a = lo; a <= hi; ++a) aos.push_back(static_cast<int>(a));
        at = comma + 1;
    }
    return aos;
}

bool ScanLog(BatchSession& session, const std::string& log) {
    auto& app = session.App();
    if (!session.Open(log, [&app] {
            if (!app.form1.OpenLOG1.Click()) throw core::InputError("The log scan is not available in this build.");
        }))
        return false;
    if (app.form14.Tables.Empty()) {
        session.Fail("no MO coefficient tables were loaded from " + log +
                     " (the run needs Pop=Full, or an imported checkpoint file)");
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- coefficients

struct CoefficientOptions {
    std::string gfprint, fchk;
    bool aoMo = false, moAo = false, squares = false;
};

void RunCoefficients(BatchSession& session, const FileArgs& a, CoefficientOptions o) {
    if (int(o.aoMo) + int(o.moAo) + int(o.squares) != 1)
        throw CLI::ValidationError("layout", "choose exactly one of --ao-mo, --mo-ao, --squares");
    const auto layout = o.aoMo ? pdos::CoefficientLayout::LinePerMo
                        : o.moAo ? pdos::CoefficientLayout::LinePerAo
                                 : pdos::CoefficientLayout::Squares;
    // Relative names are taken from where the command was started: the scan moves the
    // working folder to the log's.
    o.gfprint = BatchSession::Absolute(o.gfprint);
    o.fchk = BatchSession::Absolute(o.fchk);
    if (!ScanLog(session, a.input)) return;
    auto& form = session.App().form14;
    if (!o.gfprint.empty() && !session.Open(o.gfprint, [&form] { form.AONamesfromGFPRINTClick(); })) return;
    if (!o.fchk.empty() && !session.Open(o.fchk, [&form] { form.ImportCoeffsfromfch1Click(); })) return;
    if (!pdos::HasCoefficients(form.Tables))
        return session.Fail("the log prints no MO coefficients; import them from a formatted checkpoint file with --fchk");
    auto out = session.OutputOrScratch(a.output, "coefficients.txt");
    const bool saved = session.Save(out.string(), [&form, layout] {
        if (layout == pdos::CoefficientLayout::LinePerMo) form.SaveAOvsMOClick();
        else if (layout == pdos::CoefficientLayout::LinePerAo) form.SaveMOvsAOFile1Click();
        else form.SaveAOxAOvsMOClick();
    });
    if (saved) session.Deliver(a.output, out);
}

// ---------------------------------------------------------------- pdos

struct PdosOptions {
    std::vector<std::string> sets;
    bool total = false;
    int sigma = 20, points = 3000;
    std::string min = "-30.00", max, dens, image, verticalImage, size = "1071x504";
    std::string diagnostics;  // folder for the window's diagnostic files; none written without it
    FigureOptions figure;
    bool verticalFigure = false;
};

// One double click per AO, set after set, as a user builds the sets.
bool BuildSets(BatchSession& session, const std::vector<std::vector<int>>& sets) {
    auto& app = session.App();
    auto& coeff = app.form14;
    auto& pdos = app.form15;
    pdos.CaptionSets();
    for (size_t k = 0; k < sets.size(); ++k) {
        while (pdos.pdos_selected.MaxValue() < static_cast<int>(k) + 1) pdos.IncreaseClick();
        pdos.pdos_selected.SetValue(static_cast<int>(k) + 1);
        for (int ao : sets[k]) {
            if (ao > coeff.Tables.nbasis) {
                session.Fail("AO " + core::IntText(ao) + " of set " + core::IntText(static_cast<long long>(k) + 1) +
                             " is outside the tables (1-" + core::IntText(coeff.Tables.nbasis) + ")");
                return false;
            }
            coeff.Num_AO.SetValue(ao);
            if (!session.Run([&coeff] { coeff.StringGrid1DblClick(); })) return false;
        }
    }
    return true;
}

void RunPdos(BatchSession& session, const FileArgs& a, PdosOptions o) {
    std::vector<std::vector<int>> sets;
    std::set<int> seen;
    for (const auto& text : o.sets) {
        sets.push_back(ParseAoList(text));
        for (int ao : sets.back())
            if (!seen.insert(ao).second)
                throw CLI::ValidationError("--set", "AO " + std::to_string(ao) + " is given twice: an AO belongs to one set");
    }
    const PictureSize box = ParsePictureSize(o.size);
    if (!o.image.empty()) RequirePictureName(o.image, "--image");
    if (!o.verticalImage.empty()) RequirePictureName(o.verticalImage, "--vertical-image");
    // Relative names are taken from where the command was started: the scan moves the
    // working folder to the log's.
    for (auto* path : {&o.image, &o.verticalImage, &o.diagnostics}) *path = BatchSession::Absolute(*path);
    if (o.figure.Wanted()) FigureStyle(o.figure);
    if (!ScanLog(session, a.input)) return;
    auto& app = session.App();
    auto& form = app.form15;
    // A batch run writes nothing beside the log; the diagnostic files only where asked.
    form.writeDiagnostics = !o.diagnostics.empty();
    form.diagnosticsFolder = o.diagnostics;
    if (!BuildSets(session, sets)) return;

    form.TotalDensity.SetChecked(o.total);
    form.SpinEdit1.SetValue(o.sigma);
    form.evpoints.SetValue(o.points);
    form.ev_min.SetText(o.min);
    form.PaintBox1.SetBounds(0, form.PaintBox1.Top(), box.width, box.height);
    app.form16.SetClientWidth(box.width);
    app.form16.SetClientHeight(box.height);
    if (!session.Run([&form] { form.ComputePDOSClick(); })) return;
    if (!o.max.empty() || !o.dens.empty()) {
        if (!o.max.empty()) form.ev_max.SetText(o.max);
        if (!o.dens.empty()) form.dens_max.SetText(o.dens);
        if (!session.Run([&form] { form.RedrawDiagramClick(); })) return;
    }

    // Pictures first: the text is the command's main output and is written last.
    if (!o.image.empty() && !session.Save(o.image, [&form] { form.SavePicture1Click(); })) return;
    if (!o.verticalImage.empty()) {
        auto& diagram = app.form16;
        diagram.Yaxis_eV.SetChecked(true);
        diagram.Draw(form.Plot());
        if (!session.Save(o.verticalImage, [&diagram] { diagram.SavePicture1Click(); })) return;
    }
    if (o.figure.Wanted() && !WriteFigureFiles(session, pdos::PdosFigureOf(form, o.verticalFigure, o.figure.title), o.figure))
        return;
    auto out = session.OutputOrScratch(a.output, "pdos.txt");
    if (session.Save(out.string(), [&form] { form.SaveComputedPDOSs1Click(); })) session.Deliver(a.output, out);
}

}  // namespace

void RegisterPdosCommands(CLI::App& cli, BatchSession& session) {
    auto c = std::make_shared<CoefficientOptions>();
    auto* coeff = AddFileCommand(
        cli, session,
        {"coefficients", "MO coefficient tables as tab-separated text (after optional GFPrint and checkpoint imports)",
         "LOG", "Gaussian output with MO coefficients (Pop=Full)", "text file to write (default: standard output)"},
        [c, &session](const FileArgs& a) { RunCoefficients(session, a, *c); });
    coeff->add_option("--gfprint", c->gfprint, "log with a GFPrint basis listing: AO names");
    coeff->add_option("--fchk", c->fchk, "formatted checkpoint file: MO energies and coefficients");
    coeff->add_flag("--ao-mo", c->aoMo, "one line per MO (\"Save AO vs MO File\")");
    coeff->add_flag("--mo-ao", c->moAo, "one line per AO, the table as shown (\"Save MO vs AO File\")");
    coeff->add_flag("--squares", c->squares, "squared coefficients (\"Save AO*AO vs MO\")");

    auto p = std::make_shared<PdosOptions>();
    auto* pdos = AddFileCommand(
        cli, session,
        {"pdos", "Projected densities of states of AO sets, as \"Save Computed PDOSs\" writes them", "LOG",
         "Gaussian output with MO coefficients (Pop=Full)", "text file to write (default: standard output)"},
        [p, &session](const FileArgs& a) { RunPdos(session, a, *p); });
    pdos->add_option("--set", p->sets, "AO numbers and ranges of one set, e.g. 1-5,9,12-14 (repeat for more sets)")
        ->required();
    pdos->add_flag("--total", p->total, "add the total density");
    pdos->add_option("--sigma", p->sigma, "broadening width in meV (1-1000, default 20)")->check(CLI::Range(1, 1000));
    pdos->add_option("--points", p->points, "intervals of the energy grid (500-20000, default 3000)")
        ->check(CLI::Range(500, 20000));
    pdos->add_option("--min", p->min, "lowest energy of the range in eV (default -30)");
    pdos->add_option("--max", p->max, "highest energy of the displayed range in eV (default: the data's)");
    pdos->add_option("--dens", p->dens, "maximum density shown");
    pdos->add_option("--image", p->image, "picture of the PDOS window's diagram (.png, .svg, .pdf)");
    pdos->add_option("--vertical-image", p->verticalImage, "picture of the vertical diagram (.png, .svg, .pdf)");
    pdos->add_option("--size", p->size, "diagram size in pixels, WxH (default 1071x504)");
    pdos->add_option("--diagnostics", p->diagnostics,
                     "folder for moenergy.txt, computed_temp.txt and projected_density.txt (default: not written)")
        ->check(CLI::ExistingDirectory);
    AddFigureOptions(pdos, p->figure);
    pdos->add_flag("--vertical-figure", p->verticalFigure, "figure: energy up the page");
}

}  // namespace mavrolin

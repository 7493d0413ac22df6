// Batch command of the IR/Raman window: "ir" scans a log, draws its IR (or Raman)
// spectrum with the given settings and writes what "Save Spectrum…" writes (and the picture).
#include <memory>
#include <string>

#include "app/application.h"
#include "app/batch.h"
#include "app/figure_export.h"
#include "irraman/ir_figure.h"
#include "app/json_output.h"
#include "conformers/weighted_batch.h"
#include "core/number_text.h"

namespace mavrolin {

namespace {

struct IrOptions {
    bool raman = false;
    std::string shape, x, experimental, image, size = "1000x640";
    double fwhm = 0, scale = 0;
    int points = 0;
    FigureOptions figure;
    bool noSticks = false, transmittance = false, components = false;
    bool json = false;
    conformers::WeightingArgs weighting;
};

// The modes of the last frequency set and the drawn band curve.
Json IrJson(const TForm19& form, const std::string& file, bool raman) {
    const auto& m = form.Modes();
    Json doc = JsonDocument("ir", file);
    auto mode = [&](const irraman::VibMode& v) {
        Json j = {{"number", v.number}, {"symmetry", v.symmetry}, {"frequency_cm-1", Number(v.frequency)},
                  {"ir_intensity_km/mol", v.irRead ? Number(v.ir) : Json(nullptr)}};
        if (m.hasRaman) j["raman_activity_A^4/amu"] = v.ramanRead ? Number(v.raman) : Json(nullptr);
        return j;
    };
    Json modes = Json::array(), imaginary = Json::array();
    for (const auto& v : m.modes) modes.push_back(mode(v));
    for (const auto& v : m.imaginary) imaginary.push_back(mode(v));
    doc["modes"] = std::move(modes);
    doc["imaginary_modes"] = std::move(imaginary);
    doc["left_out_modes"] = irraman::ModesLeftOut(m, raman);
    const auto& c = form.Curve();
    if (c.Ok()) {
        Json xs = Json::array(), ys = Json::array();
        for (double x : c.x) xs.push_back(Number(x));
        for (double y : c.y) ys.push_back(Number(y));
        doc["curve"] = {{"kind", raman ? "raman" : "ir"},
                        {"x_unit", "cm-1"},
                        {"y_unit", raman ? "A^4/amu per cm-1" : "km/mol per cm-1"},
                        {"x", std::move(xs)},
                        {"y", std::move(ys)}};
    }
    return doc;
}

// Height of the controls and the mode line around the paint box.
constexpr int kAroundPlot = 82;

// "MIN:MAX" with MIN < MAX, in cm-1.
void ParseRange(const std::string& text, double& lo, double& hi) {
    const auto colon = text.find(':');
    if (colon == std::string::npos || !core::TryParseDouble(text.substr(0, colon), lo) ||
        !core::TryParseDouble(text.substr(colon + 1), hi) || !(lo < hi))
        throw CLI::ValidationError("--x", "expected MIN:MAX in cm-1 with MIN < MAX, for example 400:4000");
}

// Sets the window's controls as a user would before the first drawing.
void ApplyOptions(TForm19& form, const IrOptions& o) {
    if (o.fwhm != 0) form.Width.SetText(core::FloatText(o.fwhm));
    if (o.scale != 0) form.Scale.SetText(core::FloatText(o.scale));
    if (o.shape == "gauss") {
        form.Lorentzian1.SetChecked(false);
        form.Gaussian1.SetChecked(true);
    }
    if (!o.x.empty()) {
        double lo = 0, hi = 0;
        ParseRange(o.x, lo, hi);
        form.XMin.SetText(core::FloatText(lo));
        form.XMax.SetText(core::FloatText(hi));
        form.XAuto.SetChecked(false);
    }
    if (o.points != 0) {
        form.Points.SetValue(o.points);
        form.PointsAuto.SetChecked(false);
    }
}

// Several conformers: the weighted sum of their band curves on one grid.
void DrawWeightedIr(BatchSession& session, const FileArgs& a, const IrOptions& o) {
    for (const auto& [given, name] : {std::pair{!o.image.empty(), "--image"}, {o.json, "--json"}})
        if (given) throw CLI::ValidationError(name, "is for one log; several logs give the weighted curve (-o, --figure, --csv)");
    irraman::CurveRequest rq;
    rq.raman = o.raman;
    if (o.shape == "gauss") rq.shape = irraman::BandShape::Gaussian;
    if (o.fwhm != 0) rq.fwhm = o.fwhm;
    if (o.scale != 0) rq.scale = o.scale;
    std::optional<conformers::Range> range;
    if (!o.x.empty()) {
        double lo = 0, hi = 0;
        ParseRange(o.x, lo, hi);
        range = conformers::Range{lo, hi};
    }
    const conformers::WeightedOutput out{
        .range = range,
        .points = o.points,
        .figure = o.figure,
        .components = o.components,
        .experimental = BatchSession::Absolute(o.experimental),
        .header = {std::string(rq.shape == irraman::BandShape::Lorentzian ? "Lorentzian" : "Gaussian") + " FWHM " +
                       core::FloatText(rq.fwhm) + " cm-1",
                   "frequency scale " + core::FloatText(rq.scale)}};
    conformers::RunWeighted(session, a, o.weighting, conformers::IrKind(rq), out);
}

void DrawIr(BatchSession& session, const FileArgs& a, IrOptions o) {
    if (o.weighting.Wanted()) return DrawWeightedIr(session, a, o);
    const PictureSize box = ParsePictureSize(o.size);
    if (!o.image.empty()) RequirePictureName(o.image, "--image");
    if (!o.x.empty()) {
        double lo = 0, hi = 0;
        ParseRange(o.x, lo, hi);
    }
    if (o.figure.Wanted()) FigureStyle(o.figure);
    const std::string image = BatchSession::Absolute(o.image), experimental = BatchSession::Absolute(o.experimental);
    const std::string out = a.output.empty() ? a.input + (o.raman ? ".raman.txt" : ".ir.txt") : a.output;
    auto& app = session.App();
    session.platform.dateTime = LocalTimeText();
    if (!session.Open(a.input, [&app] { app.form1.OpenLOG1Click(); })) return;
    auto& form = app.form19;
    form.SetBounds(form.Left(), form.Top(), box.width + form.FrameWidth(),
                   box.height + kAroundPlot + form.FrameHeight());
    ApplyOptions(form, o);
    if (!session.Run([&] { app.form4.ShowIRRamanSpectra1Click(); })) return;
    if (o.raman && !session.Run([&] { form.SetRaman(true); })) return;
    if (!experimental.empty() && !session.Open(experimental, [&] { form.Overlay1Click(); })) return;
    if (!image.empty() && !session.Save(image, [&] { form.SavePicture1Click(); })) return;
    if (o.json) return DeliverJson(session, a.output, IrJson(form, a.input, o.raman));
    if (!session.Save(out, [&] { form.SaveSpectrum1Click(); }) || !o.figure.Wanted()) return;
    irraman::IrFigureOptions f;
    f.sticks = !o.noSticks;
    f.transmittance = o.transmittance;
    f.title = o.figure.title;
    WriteFigureFiles(session, irraman::IrFigure(form.Curve(), form.Request(), f, form.Overlay()), o.figure);
}

}  // namespace

void RegisterIrRamanCommands(CLI::App& cli, BatchSession& session) {
    auto o = std::make_shared<IrOptions>();
    auto* cmd = AddFileCommand(cli, session,
                               {"ir", "Simulated IR or Raman spectrum of a frequency job (<log>.ir.txt, <log>.raman.txt)",
                                "LOG", "Gaussian frequency output",
                                "spectrum file (default: the log name with .ir.txt or .raman.txt)"},
                               [o, &session](const FileArgs& a) { DrawIr(session, a, *o); });
    cmd->get_option("LOG")->check(CLI::ExistingFile);
    conformers::AddWeightingOptions(cmd, o->weighting);
    cmd->add_flag("--components", o->components, "figure of several logs: each conformer's share as a thin line");
    cmd->add_flag("--raman", o->raman, "the Raman spectrum (the log must print Raman activities)");
    cmd->add_option("--shape", o->shape, "band shape: lorentz or gauss (default lorentz)")
        ->check(CLI::IsMember({"lorentz", "gauss"}));
    cmd->add_option("--fwhm", o->fwhm, "full width at half maximum in cm-1 (default 10)")->check(CLI::Range(0.01, 10000.0));
    cmd->add_option("--scale", o->scale, "frequency scale factor (default 1)")->check(CLI::Range(0.01, 10.0));
    cmd->add_option("--x", o->x, "wavenumber range MIN:MAX in cm-1 (default: automatic)");
    cmd->add_option("--points", o->points, "number of grid points, 2..100000 (default: about ten per width)")
        ->check(CLI::Range(2, 100000));
    cmd->add_option("--experimental", o->experimental, "measured spectrum to lay under the computed one")
        ->check(CLI::ExistingFile);
    cmd->add_option("--image", o->image, "also write the picture; .png, .svg or .pdf");
    cmd->add_option("--size", o->size, "paint-box size of the picture in pixels, WxH (default 1000x640)");
    AddFigureOptions(cmd, o->figure);
    cmd->add_flag("--no-sticks", o->noSticks, "figure: leave out the modes' sticks");
    cmd->add_flag("--transmittance", o->transmittance, "figure: the intensity axis grows downwards");
    AddJsonFlag(cmd, o->json);
}

}  // namespace mavrolin

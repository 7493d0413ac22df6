// Batch commands of the spectrum: "spectrum" redraws the simulated spectrum of a scanned
// log with the given settings and writes what "Save Calculated Spectrum" writes (and the
// picture); "esi" writes what "Save ESI File" writes; "ecd" writes what the ECD window's
// "Save ECD Spectrum" writes (and its figure).
#include <cmath>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/batch.h"
#include "app/figure_export.h"
#include "app/json_output.h"
#include "conformers/weighted_batch.h"
#include "core/number_text.h"
#include "spectrum/ecd_figure.h"
#include "spectrum/spectrum_calc.h"
#include "spectrum/spectrum_figure.h"

namespace mavrolin {

namespace {

struct Range {
    double lo = 0, hi = 0;
};

// "MIN:MAX" with MIN < MAX.
Range ParseRange(const std::string& option, const std::string& text) {
    auto colon = text.find(':');
    Range r;
    if (colon == std::string::npos || !core::TryParseDouble(text.substr(0, colon), r.lo) ||
        !core::TryParseDouble(text.substr(colon + 1), r.hi) || !(r.lo < r.hi))
        throw CLI::ValidationError(option, "expected MIN:MAX with MIN < MAX, for example 2.5:6");
    return r;
}

// Scans the log as "Open Log/Out File (Opt,Freq)" does; false (status 1) when the scan
// failed or found no excited states.
bool ScanStates(BatchSession& session, const std::string& log) {
    auto& app = session.App();
    session.platform.dateTime = LocalTimeText();
    if (!session.Open(log, [&app] { app.form1.OpenLOG1Click(); })) return false;
    if (app.log.nexstt > 0) return true;
    session.Fail("no excited states were found in " + log);
    return false;
}

struct SpectrumOptions {
    std::string unit, x, y, settings, image, size = "977x744";
    int points = 0;
    double sigma = 0, scale = 0;
    bool json = false;
    FigureOptions figure;
    std::string measured;
    bool components = false, normalise = false, noSticks = false;
    conformers::WeightingArgs weighting;
};

// The figure of the drawn spectrum: in nm unless --unit names another unit, over --x when
// given, with the window's band width.
spectrum::UvFigureOptions UvOptions(Application& app, const SpectrumOptions& o) {
    spectrum::UvFigureOptions u;
    u.unit = o.unit == "ev" ? spectrum::kUnitEv : o.unit == "cm-1" ? spectrum::kUnitCm : spectrum::kUnitNm;
    u.sigmaEv = app.form10.SigmaValue.Value() / 1000.0;
    if (!o.x.empty()) {
        Range r = ParseRange("--x", o.x);
        u.lo = r.lo, u.hi = r.hi;
    }
    u.components = o.components;
    u.normalise = o.normalise;
    u.sticks = !o.noSticks;
    u.title = o.figure.title;
    return u;
}

// The excited states and the drawn curve, its horizontal axis in the chosen unit.
Json SpectrumJson(const Application& app, const std::string& file) {
    const auto& log = app.log;
    Json doc = JsonDocument("spectrum", file);
    Json states = Json::array();
    for (int i = 1; i <= log.nexstt && static_cast<size_t>(i) < log.f.size(); ++i) {
        const auto k = static_cast<size_t>(i);
        states.push_back({{"state", i}, {"energy_ev", Number(log.en_ev[k])}, {"wavelength_nm", Number(log.nm[k])},
                          {"wavenumber_cm-1", Number(log.kz[k])}, {"oscillator_strength", Number(log.f[k])}});
    }
    doc["excited_states"] = std::move(states);
    const auto& frame = app.form9.Frame();
    if (frame.valid) {
        static const char* const units[] = {"", "ev", "nm", "cm-1"};
        const auto& y = frame.unit == spectrum::kUnitNm ? log.calc2 : log.calc;
        const int n = std::min(frame.npoints, static_cast<int>(y.size()));
        Json xs = Json::array(), ys = Json::array();
        for (int i = 0; i < n; ++i) {
            xs.push_back(Number(n > 1 ? spectrum::GridX(i, frame.plot.x.dmin, frame.plot.x.dmax, n) : frame.plot.x.dmin));
            ys.push_back(Number(y[static_cast<size_t>(i)]));
        }
        doc["curve"] = {{"x_unit", frame.unit >= 1 && frame.unit <= 3 ? units[frame.unit] : ""},
                        {"sigma_ev", app.form10.SigmaText.Text()},
                        {"x", std::move(xs)},
                        {"y", std::move(ys)}};
    }
    return doc;
}

// Sets the settings controls as a user would: the settings file first, then the options.
void ApplyOptions(Application& app, const SpectrumOptions& o) {
    auto& s = app.form10;
    if (!o.settings.empty()) s.ReadSettings(o.settings);
    if (!o.unit.empty()) s.XUnit.SetValue(o.unit == "ev" ? 1 : o.unit == "nm" ? 2 : 3);
    if (o.points != 0) s.SpecPoints.SetValue(o.points);
    if (o.sigma != 0) s.SigmaValue.SetValue(static_cast<int>(std::lround(o.sigma * 1000)));
    if (o.scale != 0) s.ScaleFactor.SetValue(static_cast<int>(std::lround(o.scale * 100)));
    if (!o.x.empty()) {
        Range r = ParseRange("--x", o.x);
        s.XaxisAuto_SW.SetValue(0);
        if (s.XUnit.Value() == spectrum::kUnitNm) {
            s.NM_Min.SetText(core::FloatText(r.lo));
            s.NM_Max.SetText(core::FloatText(r.hi));
        } else {
            const double per = s.XUnit.Value() == spectrum::kUnitCm ? spectrum::kCmPerEv : 1.0;
            s.EV_Min.SetText(core::FloatText(r.lo / per));
            s.EV_Max.SetText(core::FloatText(r.hi / per));
        }
    }
    if (!o.y.empty()) {
        Range r = ParseRange("--y", o.y);
        s.YaxisAuto_SW.SetValue(0);
        s.Disp_ymin.SetText(core::FloatText(r.lo));
        s.Disp_ymax.SetText(core::FloatText(r.hi));
    }
}

// The --x range of the weighted branch; none: the union of the logs' ranges.
std::optional<conformers::Range> WeightedRange(const std::string& x) {
    if (x.empty()) return std::nullopt;
    const Range r = ParseRange("--x", x);
    return conformers::Range{r.lo, r.hi};
}

// Several conformers: the weighted sum of their ε curves on one grid, in nm unless --unit
// names another unit. Options of the window's own picture and files do not apply.
void DrawWeightedSpectrum(BatchSession& session, const FileArgs& a, const SpectrumOptions& o) {
    for (const auto& [given, name] : {std::pair{!o.image.empty(), "--image"}, {o.json, "--json"},
                                      {!o.settings.empty(), "--settings"}, {!o.y.empty(), "--y"}, {o.scale != 0, "--scale"}})
        if (given) throw CLI::ValidationError(name, "is for one log; several logs give the weighted curve (-o, --figure, --csv)");
    const int unit = o.unit == "ev" ? spectrum::kUnitEv : o.unit == "cm-1" ? spectrum::kUnitCm : spectrum::kUnitNm;
    const double sigma = o.sigma != 0 ? o.sigma : 0.2;
    const conformers::WeightedOutput out{.range = WeightedRange(o.x),
                                         .points = o.points,
                                         .figure = o.figure,
                                         .components = o.components,
                                         .normalise = o.normalise,
                                         .experimental = o.measured,
                                         .header = {"sigma " + core::FloatText(sigma) + " eV"}};
    conformers::RunWeighted(session, a, o.weighting, conformers::UvVisKind(unit, sigma), out);
}

// Scan, settings, redraw, then the picture (when asked) and the saved spectrum: a failed
// step ends the command before anything is written.
void DrawSpectrum(BatchSession& session, const FileArgs& a, SpectrumOptions o) {
    if (o.weighting.Wanted()) {
        if (!o.measured.empty()) o.measured = BatchSession::Absolute(o.measured);
        return DrawWeightedSpectrum(session, a, o);
    }
    const PictureSize box = ParsePictureSize(o.size);
    const int w = box.width, h = box.height;
    if (!o.image.empty()) RequirePictureName(o.image, "--image");
    if (!o.x.empty()) ParseRange("--x", o.x);
    if (!o.y.empty()) ParseRange("--y", o.y);
    if (o.figure.Wanted()) FigureStyle(o.figure);
    o.settings = BatchSession::Absolute(o.settings);
    if (!o.measured.empty()) o.measured = BatchSession::Absolute(o.measured);
    const std::string image = BatchSession::Absolute(o.image);
    const std::string out = a.output.empty() ? a.input + ".calcd.txt" : a.output;
    if (!ScanStates(session, a.input)) return;
    auto& app = session.App();
    auto& form = app.form9;
    app.log.read_tddft_setting_chk = true;  // batch reads only the settings it is given
    form.SetBounds(form.Left(), form.Top(), w + form.FrameWidth(), h + form.FrameHeight());
    if (!session.Run([&] { app.form10.WithOneRedraw([&] { ApplyOptions(app, o); }); })) return;
    if (!session.Run([&] { app.form1.SpectraTDDFTResults1Click(); })) return;
    if (!image.empty() && !session.Save(image, [&] { form.SavePicture1Click(); })) return;
    if (o.json) return DeliverJson(session, a.output, SpectrumJson(app, a.input));
    if (!session.Save(out, [&] { form.SaveCalculatedSpectrum1Click(); })) return;
    if (!o.figure.Wanted()) return;
    std::optional<spectrum::ExperimentalSpectrum> measured;
    const int unit = UvOptions(app, o).unit;
    if (!o.measured.empty() &&
        !session.Run([&] { measured = spectrum::ReadExperimentalSpectrum(o.measured, unit); }))
        return;
    WriteFigureFiles(session, spectrum::UvFigure(form.States(), UvOptions(app, o), measured ? &*measured : nullptr),
                     o.figure);
}

void AddSpectrumCommand(CLI::App& cli, BatchSession& session) {
    auto o = std::make_shared<SpectrumOptions>();
    auto* cmd = AddFileCommand(cli, session,
                               {"spectrum", "Simulated UV-vis spectrum of a TD-DFT log (<log>.calcd.txt)", "LOG",
                                "Gaussian TD-DFT or CIS output",
                                "spectrum file (default: the log name with .calcd.txt)"},
                               [o, &session](const FileArgs& a) { DrawSpectrum(session, a, *o); });
    conformers::AddWeightingOptions(cmd, o->weighting);
    cmd->add_option("--unit", o->unit, "horizontal unit: ev, nm or cm-1 (default ev; nm for several logs)")
        ->check(CLI::IsMember({"ev", "nm", "cm-1"}));
    cmd->add_option("--points", o->points, "number of grid points, 100..10000 (default 300; 1000 for several logs)")
        ->check(CLI::Range(100, 10000));
    cmd->add_option("--sigma", o->sigma, "band width sigma in eV, 0.01..10 (default 0.2)")->check(CLI::Range(0.01, 10.0));
    cmd->add_option("--scale", o->scale, "scale of the oscillator-strength bars, 0.1..100 (default 0.9)")
        ->check(CLI::Range(0.1, 100.0));
    cmd->add_option("--x", o->x, "horizontal range MIN:MAX in the axis unit (default: automatic)");
    cmd->add_option("--y", o->y, "vertical range MIN:MAX (default: automatic)");
    cmd->add_option("--settings", o->settings, "spectrum settings file, read before the options");
    cmd->add_option("--image", o->image, "also write the picture; .png, .svg or .pdf");
    cmd->add_option("--size", o->size, "paint-box size of the picture in pixels, WxH (default 977x744)");
    AddFigureOptions(cmd, o->figure);
    cmd->add_flag("--components", o->components, "figure: each state's band as a thin grey line");
    cmd->add_flag("--no-sticks", o->noSticks, "figure: leave out the oscillator-strength sticks");
    cmd->add_option("--experimental", o->measured, "figure: a measured spectrum (two columns) laid over it");
    cmd->add_flag("--normalise", o->normalise,
                  "figure: scale the measured spectrum to the calculated maximum (default: its own right axis)");
    AddJsonFlag(cmd, o->json);
}

struct EsiOptions {
    std::string nm, f, ci;
    int style = 0;
};

void WriteEsi(BatchSession& session, const FileArgs& a, const EsiOptions& o) {
    const std::string out = a.output.empty() ? a.input + ".esi.txt" : a.output;
    if (!ScanStates(session, a.input)) return;
    auto& app = session.App();
    auto& opts = app.form11;
    if (!o.nm.empty()) opts.nm_limit.SetText(o.nm);
    if (!o.f.empty()) opts.f_limit.SetText(o.f);
    if (!o.ci.empty()) opts.cicoeff_limit.SetText(o.ci);
    if (o.style != 0 && !session.Run([&] { opts.style.SetValue(o.style); })) return;
    session.Save(out, [&] { app.form9.SaveESI1Click(); });
}

void AddEsiCommand(CLI::App& cli, BatchSession& session) {
    auto o = std::make_shared<EsiOptions>();
    auto* cmd = AddFileCommand(cli, session,
                               {"esi", "Supporting-information table of the excited states (<log>.esi.txt)", "LOG",
                                "Gaussian TD-DFT or CIS output", "report file (default: the log name with .esi.txt)"},
                               [o, &session](const FileArgs& a) { WriteEsi(session, a, *o); });
    cmd->add_option("--style", o->style, "transition labels: 1 MO77 -> MO78, 2 77 -> 78, 3 #77 -> #78 (default 1)")
        ->check(CLI::Range(1, 3));
    cmd->add_option("--nm-limit", o->nm, "only states with a longer wavelength in nm (default 200)");
    cmd->add_option("--f-limit", o->f, "only states with a larger oscillator strength (default 0.01)");
    cmd->add_option("--ci-limit", o->ci, "only components with a larger |CI coefficient| (default 0.2)");
}

struct EcdBatchOptions {
    std::string unit = "nm", x, measured;
    int points = 1000;
    double sigma = 0.3, shift = 0;
    bool length = false, mirror = false, keepMeasured = false, components = false;
    FigureOptions figure;
    conformers::WeightingArgs weighting;
};

// Several conformers: the weighted sum of their Δε curves on one grid.
void DrawWeightedEcd(BatchSession& session, const FileArgs& a, const EcdBatchOptions& o) {
    if (o.mirror) throw CLI::ValidationError("--mirror", "is for one log; several logs give the weighted curve");
    const int unit = o.unit == "ev" ? spectrum::kUnitEv : spectrum::kUnitNm;
    const conformers::WeightedOutput out{
        .range = WeightedRange(o.x),
        .points = o.points,
        .figure = o.figure,
        .components = o.components,
        .normalise = !o.keepMeasured,
        .experimental = o.measured,
        .header = {"form " + std::string(o.length ? "length" : "velocity"), "sigma " + core::FloatText(o.sigma) + " eV",
                   "shift " + core::FloatText(o.shift) + " eV"}};
    conformers::RunWeighted(session, a, o.weighting, conformers::EcdKind(unit, o.sigma, o.length, o.shift), out);
}

// Scan, the ECD window's controls set as a user would, its redraw and "Save ECD Spectrum",
// then the figure: a log without rotatory strengths ends the command before anything is written.
void DrawEcd(BatchSession& session, const FileArgs& a, EcdBatchOptions o) {
    if (!o.x.empty()) ParseRange("--x", o.x);
    if (o.figure.Wanted()) FigureStyle(o.figure);
    if (!o.measured.empty()) o.measured = BatchSession::Absolute(o.measured);
    if (o.weighting.Wanted()) return DrawWeightedEcd(session, a, o);
    const std::string out = a.output.empty() ? a.input + ".ecd.txt" : a.output;
    if (!ScanStates(session, a.input)) return;
    auto& app = session.App();
    auto& w = app.ecd;
    const auto form = o.length ? spectrum::RotatoryForm::Length : spectrum::RotatoryForm::Velocity;
    if (!w.Strengths().Has(form))
        return session.Fail("no rotatory strengths (" + spectrum::FormName(form) + " form) were found in " + a.input);
    std::optional<spectrum::ExperimentalSpectrum> measured;
    const int unit = o.unit == "ev" ? spectrum::kUnitEv : spectrum::kUnitNm;
    if (!o.measured.empty() &&
        !session.Run([&] { measured = spectrum::ReadExperimentalSpectrum(o.measured, unit); }))
        return;
    w.Sigma.SetText(core::FloatText(o.sigma));
    w.Shift.SetText(core::FloatText(o.shift));
    w.Points.SetValue(o.points);
    w.Nm1.SetChecked(unit == spectrum::kUnitNm);
    w.Ev1.SetChecked(unit == spectrum::kUnitEv);
    w.Velocity1.SetChecked(!o.length);
    w.Length1.SetChecked(o.length);
    w.Mirror1.SetChecked(o.mirror);
    if (!o.x.empty()) {
        const Range r = ParseRange("--x", o.x);
        w.XMin.SetText(core::FloatText(r.lo));
        w.XMax.SetText(core::FloatText(r.hi));
        w.XAuto.SetChecked(false);
    }
    if (!session.Run([&] { w.ShowSpectrum(); })) return;
    if (!session.Save(out, [&] { w.SaveEcd1Click(); })) return;
    if (!o.figure.Wanted()) return;
    spectrum::EcdFigureOptions f = w.Drawn();
    f.normalise = !o.keepMeasured;
    f.title = o.figure.title;
    WriteFigureFiles(session, spectrum::EcdFigure(w.Strengths(), f, measured ? &*measured : nullptr), o.figure);
}

void AddEcdCommand(CLI::App& cli, BatchSession& session) {
    auto o = std::make_shared<EcdBatchOptions>();
    auto* cmd = AddFileCommand(cli, session,
                               {"ecd", "ECD spectrum of a TD-DFT log from its rotatory strengths (<log>.ecd.txt)", "LOG",
                                "Gaussian TD-DFT or CIS output that prints rotatory strengths",
                                "spectrum file (default: the log name with .ecd.txt)"},
                               [o, &session](const FileArgs& a) { DrawEcd(session, a, *o); });
    conformers::AddWeightingOptions(cmd, o->weighting);
    cmd->add_option("--sigma", o->sigma, "band half-width at 1/e in eV, 0.01..10 (default 0.3)")
        ->check(CLI::Range(0.01, 10.0));
    cmd->add_flag("--length", o->length, "use the length form of the rotatory strengths (default: velocity)");
    cmd->add_option("--shift", o->shift, "shift in eV added to every excitation energy (default 0)")
        ->check(CLI::Range(-10.0, 10.0));
    cmd->add_option("--unit", o->unit, "horizontal unit: nm or ev (default nm)")->check(CLI::IsMember({"nm", "ev"}));
    cmd->add_option("--x", o->x, "horizontal range MIN:MAX in the axis unit (default: around the states)");
    cmd->add_option("--points", o->points, "number of grid points, 2..100000 (default 1000)")
        ->check(CLI::Range(2, 100000));
    cmd->add_option("--experimental", o->measured, "figure: a measured CD spectrum (two columns, delta epsilon or mdeg)");
    cmd->add_flag("--no-normalise", o->keepMeasured,
                  "figure: keep the measured values (delta epsilon) instead of scaling them to the calculated maximum");
    cmd->add_flag("--mirror", o->mirror, "the mirror image: every sign turned (the other enantiomer)");
    cmd->add_flag("--components", o->components, "figure of several logs: each conformer's share as a thin line");
    AddFigureOptions(cmd, o->figure);
}

}  // namespace

void RegisterSpectrumCommands(CLI::App& cli, BatchSession& session) {
    AddSpectrumCommand(cli, session);
    AddEsiCommand(cli, session);
    AddEcdCommand(cli, session);
}

}  // namespace mavrolin

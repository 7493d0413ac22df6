#include "conformers/spectrum_kinds.h"

#include <filesystem>
#include <memory>

#include "core/errors.h"
#include "core/text_file.h"
#include "irraman/ir_figure.h"
#include "irraman/vibrational_modes.h"
#include "spectrum/ecd_figure.h"
#include "spectrum/ecd_spectrum.h"
#include "spectrum/excited_states.h"
#include "spectrum/spectrum_figure.h"

namespace mavrolin::conformers {

namespace {

// The axes of the one-log figure of a kind, so both figures name their quantities alike.
void TakeAxes(SpectrumKind& k, const ui::fig::Figure& single) {
    const auto& p = single.panels.front();
    k.x = p.x, k.y = p.y;
    k.x.min = k.x.max = k.y.min = k.y.max = 0;
    k.csvX = single.csvX;
    for (const auto& s : p.series)
        if (!s.rightAxis && s.kind == ui::fig::SeriesKind::Line && k.csvY.empty()) k.csvY = s.column;
}

// The excited states of the last block of a log, read without a scan.
spectrum::ExcitedStateImport ReadStates(const std::string& log) {
    core::LineMarks marks;
    const auto headers = spectrum::ReadStateHeaders(log, &marks);
    return spectrum::ReadExcitedStates(log, headers, &marks);
}

}  // namespace

std::string LogName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::vector<Conformer> LoadConformers(const SpectrumKind& kind, const std::vector<std::string>& logs,
                                      const std::vector<double>& weights) {
    std::vector<Conformer> out;
    for (size_t i = 0; i < logs.size(); ++i) {
        out.push_back(kind.load(logs[i]));
        out.back().weight = i < weights.size() ? weights[i] : 0;
        const std::filesystem::path path(logs[i]);
        for (size_t j = 0; j < logs.size(); ++j)
            if (j != i && LogName(logs[j]) == out.back().name) {
                out.back().name = (path.parent_path().filename() / path.filename()).string();
                break;
            }
    }
    return out;
}

SpectrumKind UvVisKind(int unit, double sigmaEv) {
    SpectrumKind k;
    k.name = "UV-vis";
    spectrum::UvFigureOptions o;
    o.unit = unit, o.sigmaEv = sigmaEv;
    TakeAxes(k, spectrum::UvFigure({}, o));
    k.overlayUnit = unit;
    k.load = [unit, sigmaEv](const std::string& log) {
        auto states = std::make_shared<spectrum::ExcitedStateImport>(ReadStates(log));
        if (states->states.empty())
            throw core::InputError(log + " holds no excited states (no TD-DFT or CIS block): it has no UV-vis spectrum.");
        Conformer c;
        c.name = LogName(log);
        const spectrum::Transitions t{states->en_ev, states->nm, states->f};
        spectrum::AutomaticRange(t, sigmaEv, unit, c.range.lo, c.range.hi);
        c.curve = [states, unit, sigmaEv](std::span<const double> grid) {
            const spectrum::Transitions t{states->en_ev, states->nm, states->f};
            std::vector<double> y;
            y.reserve(grid.size());
            for (double x : grid) y.push_back(spectrum::MolarAbsorptivity(t, sigmaEv, spectrum::KayserOf(unit, x)));
            return y;
        };
        return c;
    };
    k.points = [](Range) { return 1000; };
    return k;
}

SpectrumKind EcdKind(int unit, double sigmaEv, bool length, double shiftEv) {
    SpectrumKind k;
    k.name = "ECD";
    spectrum::EcdFigureOptions f;
    f.ecd.unit = unit, f.ecd.sigmaEv = sigmaEv, f.ecd.shiftEv = shiftEv;
    f.ecd.form = length ? spectrum::RotatoryForm::Length : spectrum::RotatoryForm::Velocity;
    spectrum::RotatoryStrengths one;  // the figure needs a state to draw its axes
    one.number = {1}, one.ev = {5}, one.velocity = one.length = {1};
    one.hasVelocity = one.hasLength = true;
    TakeAxes(k, spectrum::EcdFigure(one, f));
    k.overlayUnit = unit;
    k.scaleOverlay = true;
    k.load = [o = f.ecd](const std::string& log) {
        auto rs = std::make_shared<spectrum::RotatoryStrengths>(spectrum::ReadRotatoryStrengths(log));
        if (!rs->Has(o.form))
            throw core::InputError(log + " holds no rotatory strengths (" + spectrum::FormName(o.form) +
                                   " form): it has no ECD spectrum.");
        Conformer c;
        c.name = LogName(log);
        const auto around = spectrum::EcdGrid(*rs, o, 0, 0, 2);
        c.range = {around.front(), around.back()};
        c.curve = [rs, o](std::span<const double> grid) {
            return spectrum::EcdCurve(*rs, o, std::vector<double>(grid.begin(), grid.end()));
        };
        return c;
    };
    k.points = [](Range) { return 1000; };
    return k;
}

SpectrumKind IrKind(const irraman::CurveRequest& request) {
    SpectrumKind k;
    irraman::IrFigureOptions o;
    k.name = request.raman ? "Raman" : "IR";
    TakeAxes(k, irraman::IrFigure({}, request, o));
    k.overlayUnit = spectrum::kUnitCm;
    k.scaleOverlay = true;
    k.load = [request](const std::string& log) {
        auto rq = request;
        rq.autoRange = true;
        const auto modes = irraman::ReadVibrationalModes(log);
        const std::string what = rq.raman ? "Raman" : "IR";
        if (modes.modes.empty())
            throw core::InputError(log + " holds no vibrational frequencies: it has no " + what + " spectrum.");
        if (rq.raman && !modes.hasRaman) throw core::InputError(log + " holds no Raman activities.");
        auto curve = std::make_shared<irraman::IrCurve>(irraman::ComputeIrCurve(modes, rq));
        if (!curve->Ok()) throw core::InputError(log + ": " + curve->error);
        Conformer c;
        c.name = LogName(log);
        c.range = {curve->xmin, curve->xmax};
        c.curve = [curve, rq](std::span<const double> grid) {
            return irraman::BandCurve(rq.shape, rq.fwhm, curve->sticks, grid);
        };
        return c;
    };
    k.points = [fwhm = request.fwhm](Range r) { return irraman::AutoPoints(r.lo, r.hi, fwhm); };
    return k;
}

const std::vector<KindChoice>& KindChoices() {
    static const std::vector<KindChoice> kinds{
        {"UV-vis", "sigma / eV", 0.2, [](double w) { return UvVisKind(spectrum::kUnitNm, w); }},
        {"ECD", "sigma / eV", 0.3, [](double w) { return EcdKind(spectrum::kUnitNm, w); }},
        {"IR", "FWHM / cm-1", 10,
         [](double w) {
             irraman::CurveRequest rq;
             rq.fwhm = w;
             return IrKind(rq);
         }},
    };
    return kinds;
}

}  // namespace mavrolin::conformers

#include "spectrum/excited_state_phase.h"

#include <algorithm>
#include <span>

#include "app/application.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "spectrum/excited_states.h"
#include "spectrum/rotatory_strengths.h"

namespace mavrolin::spectrum {

namespace {

using core::IntText;

// A scan without excited states leaves nothing for the spectrum windows to show: they are
// hidden and forget their picture, so no save mixes an old curve with the new log.
void ForgetSpectrum(Application& app) {
    app.form9.ClearSpectrum();
    app.form9.EcdSpectrum1.SetEnabled(false);
    app.ecd.TakeStrengths({}, {});
    for (ui::Form* f : {static_cast<ui::Form*>(&app.form9), static_cast<ui::Form*>(&app.form10),
                        static_cast<ui::Form*>(&app.form11), static_cast<ui::Form*>(&app.form12)})
        f->Hide();
}

// The rotatory strengths printed just before the imported block, for the ECD window (its
// menu item stays greyed when there are none).
void TakeRotatoryStrengths(Application& app, const ExcitedStateImport& im) {
    RotatoryStrengths rs;
    try {
        rs = ReadRotatoryStrengths(app.log.tddft_file, im, &app.log.linemarks);
    } catch (const core::MavrolinError& e) {
        app.ShowWarningPos(std::string("The rotatory strengths could not be read: ") + e.what());
    }
    app.form9.EcdSpectrum1.SetEnabled(!rs.Empty());
    app.ecd.TakeStrengths(app.log.tddft_file, std::move(rs));
}

// The "Excited State" hits of the keyword index: line number, keyword and contents.
std::vector<StateHeader> StateHeaders(const core::LoadedLog& log) {
    const auto states = log.keywords.Of(core::KeywordKind::ExcitedState);
    std::vector<StateHeader> headers;
    headers.reserve(states.size());
    for (const auto& hit : states) {
        std::string text(hit.keyword);
        text += ' ';
        text += hit.contents;
        headers.push_back({hit.line, std::move(text)});
    }
    return headers;
}

void StoreStates(core::LoadedLog& log, const ExcitedStateImport& im) {
    const int n = static_cast<int>(im.states.size());
    log.nexstt = n;
    for (auto* v : {&log.nm, &log.kz, &log.en_ev, &log.f}) core::SizeArray(*v, n, 10);
    core::SizeArray(log.exctd_pos, n);
    core::SizeArray(log.nci_coeff, n);
    for (int i = 1; i <= n; ++i) {
        const auto u = static_cast<size_t>(i), k = static_cast<size_t>(i - 1);
        log.nm[u] = im.nm[k];
        log.kz[u] = im.kz[k];
        log.en_ev[u] = im.en_ev[k];
        log.f[u] = im.f[k];
        log.exctd_pos[u] = im.exctd_pos[k];
        log.nci_coeff[u] = im.nci_coeff[k];
    }
}

void FillCompactList(ui::StringGrid& g, const core::LoadedLog& log) {
    g.SetRowCount(log.nexstt + 1);
    const char* head[] = {"transition", "nm", "cm-1", "F (Osc.Str.)", "eV"};
    for (int c = 0; c < 5; ++c) g.SetCell(c, 0, head[c]);
    for (int i = 1; i <= log.nexstt; ++i) {
        const auto u = static_cast<size_t>(i);
        g.SetCell(0, i, "S0 --> S" + IntText(i));
        g.SetCell(1, i, core::FloatText(log.nm[u]));
        g.SetCell(2, i, core::FloatText(log.kz[u]));
        g.SetCell(3, i, core::FloatText(log.f[u]));
        g.SetCell(4, i, core::FloatText(log.en_ev[u]));
    }
}

void FillEsiGrid(ui::StringGrid& g, const ExcitedStateImport& im) {
    g.SetRowCount(static_cast<int>(im.rows.size()));
    g.ClearCells();
    for (size_t r = 0; r < im.rows.size(); ++r)
        for (size_t c = 0; c < im.rows[r].size(); ++c) g.SetCell(static_cast<int>(c), static_cast<int>(r), im.rows[r][c]);
}

}  // namespace

void ExcitedStatePhase(Application& app) {
    auto& log = app.log;
    auto& menu = app.form1.SpectraTDDFTResults1;
    menu.SetEnabled(false);
    if (log.nexstt <= 0) {
        ForgetSpectrum(app);
        return;
    }
    const auto headers = StateHeaders(log);
    const bool missing = static_cast<int>(headers.size()) < log.nexstt;
    // Until the states are read, none are loaded: a state line that stops the import with
    // a conversion error leaves no earlier log's states behind.
    log.nexstt = 0;
    app.form9.ClearSpectrum();
    app.form9.EcdSpectrum1.SetEnabled(false);
    app.ecd.TakeStrengths({}, {});
    auto im = ReadExcitedStates(log.tddft_file, headers, &log.linemarks);
    app.Pause(log.sleeptime);
    if (missing) app.ShowProblemPos("Something is wrong in reading the TD-DFT results!!");
    if (im.cutLine > 0)
        app.ShowWarningPos("The excited state at line " + IntText(im.cutLine) +
                           " is cut off (the log ends inside its line) and was left out; the " +
                           IntText(static_cast<long long>(im.states.size())) + " states before it are used.");
    if (im.states.empty()) {
        ForgetSpectrum(app);
        return;
    }
    StoreStates(log, im);
    menu.SetEnabled(true);
    TakeRotatoryStrengths(app, im);
    app.ShowMessagePos("No. of Excited States = " + IntText(log.nexstt));
    if (im.blocks > 1)
        app.ShowMessagePos("The log holds " + IntText(im.blocks) +
                           " blocks of excited states (one per geometry or job step); block " + IntText(im.blocks) +
                           ", the last, from line " + IntText(im.firstLine) + ", is shown.");
    FillCompactList(app.form9.StringGrid1, log);
    FillEsiGrid(app.form9.StringGrid2, im);
    if (im.headersRead != log.nexstt) app.ShowProblemPos("Encountered an error while reading the tddft results!");
    if (int missing = im.StatesWithoutContributions(); missing > 0)
        app.ShowProblemPos(IntText(missing) + " of " + IntText(log.nexstt) +
                           " excited states have no contributions read (their lines are longer than 30 characters "
                           "or missing); the ESI report lists no transitions for them.");
    app.ShowMessagePos("HOMO is #" + IntText(im.homo));
    app.form11.HOMOPos.SetText(IntText(im.homo));
    app.form9.Format_ESIClick();
    if (app.form9.Visible()) app.form9.DrawSpecClick();  // the open window shows the new states
}

}  // namespace mavrolin::spectrum

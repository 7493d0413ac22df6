#pragma once
// A small stand-in for the keyword index of a log, so the job summary phases can be
// tested on their own: it records the positions and report rows those phases read
// (route, title, charge, SCF energies of the first job, orientations, convergence
// tables, Mulliken headers, dipoles, frequencies, zero-point lines, terminations).
#include <algorithm>
#include <string>
#include <vector>

#include "app/application.h"
#include "core/text_file.h"
#include "core/tokenizer.h"
#include "logscan/job_summary.h"

namespace summary_test {

inline bool Upper(const std::string& line, const std::string& lit) {
    return line.size() >= lit.size() && core::UpperAscii(line.substr(0, lit.size())) == lit;
}

// The kind of a report row, from its keyword text (only those the phases read).
inline core::KeywordKind KindOf(const std::string& keyword) {
    using core::KeywordKind;
    if (keyword == "Gaussian job commands") return KeywordKind::Route;
    if (keyword == "Title Section") return KeywordKind::Title;
    if (keyword == "Charge + Multiplicity") return KeywordKind::ChargeMultiplicity;
    if (keyword.starts_with("Frequencies")) return KeywordKind::Frequencies;
    return KeywordKind::Orientation;
}

// Adds a hit to the keyword index and shows it as a row of the report grid.
inline void AddRow(mavrolin::Application& app, long long line, const std::string& keyword,
                   const std::string& contents, core::HitRemark remark = core::HitRemark::None) {
    const size_t at = app.log.keywords.Add(line, KindOf(keyword), keyword, contents);
    app.log.keywords.SetRemark(at, remark);
    auto& g = app.form3.StringGrid1;
    int r = g.RowCount();
    g.SetRowCount(r + 1);
    g.SetCell(0, r, std::string(app.log.keywords[at].remark));
    g.SetCell(1, r, std::to_string(line));
    g.SetCell(2, r, keyword);
    g.SetCell(3, r, contents);
}

inline void ResetGrids(mavrolin::Application& app) {
    auto& f4 = app.form4;
    app.form3.StringGrid1.SetColCount(5);
    app.form3.StringGrid1.ClearCells();
    app.form3.StringGrid1.SetRowCount(1);
    for (auto* g : {&f4.StringGrid1, &f4.StringGrid2, &f4.StringGrid3}) {
        for (int r = 1; r < g->RowCount(); ++r)
            for (int c = 0; c < g->ColCount(); ++c) g->SetCell(c, r, "");
        g->SetRowCount(2);
    }
}

// Fills app.log and the analysis report grid for `path` as the scan would.
inline void Index(mavrolin::Application& app, const std::string& path) {
    auto& log = app.log;
    ResetGrids(app);
    log = core::LoadedLog{};
    log.FileDum = path;
    log.nline = core::CountLines(path);
    log.nstd = -1;
    std::vector<int> chg, scf, std, force, mllkn, dipol, term, freq, zero;
    core::TextReader in(path);
    std::string raw;
    std::vector<std::string> prev(4);
    long long ii = 0, term1 = 0;
    std::vector<std::string> routeLines;
    while (in.ReadLine(raw)) {
        ++ii;
        std::string line = core::Trim(raw);
        prev.insert(prev.begin(), line);
        prev.resize(4);
        if (line.starts_with("#")) {  // route: the "#" line up to the next dash line
            routeLines = {line};
            long long at = ii;
            while (in.ReadLine(raw)) {
                ++ii;
                std::string next = core::Trim(raw);
                if (next.starts_with("-------")) break;
                routeLines.push_back(next);
            }
            for (size_t j = 0; j < routeLines.size(); ++j)
                AddRow(app, at + static_cast<long long>(j), "Gaussian job commands", routeLines[j]);
            if (core::UpperAscii(line).find(" OPT") != std::string::npos) log.opt_chk = true;
            continue;
        }
        if (Upper(line, "CHARGE =")) {
            chg.push_back(static_cast<int>(ii));
            AddRow(app, ii - 3, "Title Section", prev[3]);
            AddRow(app, ii, "Charge + Multiplicity", line);
        }
        if (Upper(line, "SCF DONE") && term.empty()) scf.push_back(static_cast<int>(ii));
        if (Upper(line, "MAXIMUM FORCE")) force.push_back(static_cast<int>(ii));
        if (Upper(line, "STANDARD ORIENTATION")) std.push_back(static_cast<int>(ii));
        if ((line.size() == 36 && Upper(line, "MULLIKEN CHARGES AND SPIN DENSITIES")) ||
            (line.size() == 17 && Upper(line, "MULLIKEN CHARGES")))
            mllkn.push_back(static_cast<int>(ii));
        if (Upper(line, "DIPOLE MOMENT")) dipol.push_back(static_cast<int>(ii));
        if (Upper(line, "NORMAL TERMINATION")) {
            term.push_back(static_cast<int>(ii));
            if (!term1) term1 = ii;
        }
        if (Upper(line, "ANNIHILATION")) log.annihilation_check = true;
        bool counted = ii > term1 || !log.opt_chk;
        if (Upper(line, "FREQUENCIES")) {
            std::string contents = line.size() > 14 ? core::Trim(line.substr(14)) : std::string();
            AddRow(app, ii, line.substr(0, 11), contents, counted ? core::HitRemark::None : core::HitRemark::Excluded);
            if (counted) freq.push_back(static_cast<int>(ii));
        }
        if (Upper(line, "ZERO-POINT CORRECTION") && counted) zero.push_back(static_cast<int>(ii));
    }
    auto store = [](int& n, std::vector<int>& pos, const std::vector<int>& found) {
        n = static_cast<int>(found.size());
        pos.assign(found.size() + 3, 0);
        for (size_t i = 0; i < found.size(); ++i) pos[i + 1] = found[i];
    };
    store(log.nchgmlt, log.chgmlt_pos, chg);
    store(log.ndone, log.scfdone_pos, scf);
    store(log.nforce, log.force_pos, force);
    store(log.nmllkn, log.mllkn_pos, mllkn);
    store(log.ndipol, log.dipol_pos, dipol);
    store(log.nterm, log.nterm_pos, term);
    store(log.nfreq, log.freq_pos, freq);
    store(log.nzero, log.zero_pos, zero);
    log.nstd = static_cast<int>(std.size()) - 1;
    log.std_pos.assign(std.size() + 3, 0);
    for (size_t i = 0; i < std.size(); ++i) log.std_pos[i] = std[i];
    log.nforce2 = std::min(log.ndone, log.nforce);
}

// The three phases in the order of the scan.
inline void RunPhases(mavrolin::Application& app) {
    mavrolin::JobSummaryHeaderPhase(app);
    mavrolin::JobSummaryDetailsPhase(app);
    if (app.log.nfreq > 0) mavrolin::FrequencyPhase(app);
}

// Index + phases, each phase dispatched as the scan's handler would be.
inline bool Summarise(mavrolin::Application& app, const std::string& path) {
    return app.Dispatch([&] {
        Index(app, path);
        RunPhases(app);
    });
}

}  // namespace summary_test

// "Open Log/Out File (Opt,Freq)": the phases that build the keyword index, and the
// handler that runs every phase in order.
#include "logscan/log_scan.h"

#include <cmath>
#include <exception>
#include <filesystem>
#include <functional>

#include "app/application.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/tokenizer.h"
#include "logscan/job_summary.h"
#include "modiagram/mo_energy_phase.h"
#include "spectrum/excited_state_phase.h"

namespace mavrolin {
namespace logscan {

namespace {

constexpr const char* kLogFilter = "Gaussian output (*.log;*.out)|*.log;*.out|All files (*.*)|*.*";
constexpr std::string_view kNotConverged = ">>>>>>>>>> Convergence criterion not met.";

bool Low(char c) { return static_cast<unsigned char>(c) <= 32; }

// count + 1, then pos[count] := line. The counting scan sized the array, but the two
// scans can disagree (a route or dipole line read ahead hides a keyword from one of
// them, or the file changed in between), so the array grows when it must.
void Record(std::vector<int>& pos, int& count, long long line) {
    ++count;
    if (static_cast<size_t>(count) + 3 > pos.size()) pos.resize(static_cast<size_t>(count) + 3, 0);
    pos[static_cast<size_t>(count)] = static_cast<int>(line);
}

bool IsMulliken(std::string_view line) {
    return (line.size() == 36 && StartsUpper(line, "MULLIKEN CHARGES AND SPIN DENSITIES")) ||
           (line.size() == 17 && StartsUpper(line, "MULLIKEN CHARGES"));
}

bool IsOrientation(std::string_view line, bool inputOrientation) {
    return inputOrientation ? StartsUpper(line, "INPUT ORIENTATION") : StartsUpper(line, "STANDARD ORIENTATION");
}

bool IsExcitedState(std::string_view line) { return TrimView(First(line, 14)) == "Excited State"; }

bool IsMoCoefficientHeader(std::string_view line) {
    auto whole = [&](std::string_view lit) { return line.size() == lit.size() && StartsUpper(line, lit); };
    return whole("ALPHA MOLECULAR ORBITAL COEFFICIENTS:") || whole("MOLECULAR ORBITAL COEFFICIENTS:");
}

// A route section: the "#" line (entry 0 on entry) and the lines up to the next dash
// line. Reads five more lines as both scans do; entry 5 is then the "#" line. Returns the
// number of route lines (0 when no dash line follows within five lines).
int ReadRoute(core::TextReader& in, RollingBuffer& buf, long long& ii) {
    for (int r = 0; r < 5; ++r)
        if (ReadShifted(in, buf)) ++ii;
    for (int k = 0; k <= 4; ++k)
        if (buf.At(4 - k).starts_with("-------")) return k + 1;
    return 0;
}

// A route line holds a keyword starting with "OPT" (any case).
bool HasOptKeyword(core::LoadedLog& log, const std::string& routeLine) {
    log.buff = routeLine;
    core::DecodeBlank(log.buff, log.strcode, log.ncode);
    for (int t = 1; t <= log.ncode; ++t)
        if (StartsUpper(log.strcode[t], "OPT")) return true;
    return false;
}

// Token t of `line` tokenized with the blank tokenizer, or "" when the line has fewer
// tokens (the shared token array would otherwise still hold an earlier line's tokens).
const std::string& Token(core::LoadedLog& log, std::string_view line, int t) {
    static const std::string kNone;
    log.buff.assign(line);
    core::DecodeBlank(log.buff, log.strcode, log.ncode);
    return t <= log.ncode ? log.strcode[static_cast<size_t>(t)] : kNone;
}

int ParseCount(const std::string& token, std::string_view line) {
    if (token.empty()) throw core::ConversionError("'" + std::string(line) + "' holds no count");
    return static_cast<int>(core::ParseInt(token));
}

void ResetCounts(core::LoadedLog& log) {
    log.njob = log.nchgmlt = log.ndone = log.nterm = log.nstd = log.nforce = 0;
    log.nfreq = log.nzero = log.nmllkn = log.ndipol = log.nexstt = 0;
    log.nalphaocc = log.nalphavrt = log.nbetaocc = log.nbetavrt = 0;
    log.nbasis = log.nbsuse = log.mocoeff_start = log.nmocoeff = 0;
}

void CountOnce(Application& app, ScanState& st) {
    auto& log = app.log;
    ResetCounts(log);
    st.nterm1_pos = 0;
    long long ii = 0;
    {
        core::TextReader in(log.FileDum);
        RollingBuffer buf;
        while (ii < log.nline && ReadShifted(in, buf)) {
            ++ii;
            if (!buf.At(0).empty() && buf.At(0)[0] == '#') log.njob += ReadRoute(in, buf, ii);
            std::string_view line = buf.At(0);
            if (StartsUpper(line, "CHARGE =")) ++log.nchgmlt;
            if (StartsUpper(line, "SCF DONE")) ++log.ndone;
            if (StartsUpper(line, "MAXIMUM FORCE")) ++log.nforce;
            if (IsOrientation(line, st.stdinput_change)) ++log.nstd;
            if (IsMulliken(line)) ++log.nmllkn;
            if (StartsUpper(line, "ALPHA VIRT. EIGENVALUES")) ++log.nalphavrt;
            if (StartsUpper(line, "ALPHA  OCC. EIGENVALUES")) ++log.nalphaocc;
            if (StartsUpper(line, "BETA VIRT. EIGENVALUES")) ++log.nbetavrt;
            if (StartsUpper(line, "BETA  OCC. EIGENVALUES")) ++log.nbetaocc;
            if (StartsUpper(line, "DIPOLE MOMENT")) ++log.ndipol;
            if (StartsUpper(line, "FREQUENCIES")) ++log.nfreq;
            if (StartsUpper(line, "ZERO-POINT CORRECTION")) ++log.nzero;
            if (StartsUpper(line, "NORMAL TERMINATION") && ++log.nterm == 1) st.nterm1_pos = ii;
            if (!log.annihilation_check && StartsUpper(line, "ANNIHILATION")) log.annihilation_check = true;
            if (IsExcitedState(line) && ++log.nexstt == 1) log.tddft_file = log.FileDum;
        }
    }
    app.Pause(log.sleeptime);
}

void SizeArrays(core::LoadedLog& log) {
    using core::SizeArray;
    log.job_pos.assign(static_cast<size_t>(std::max(log.njob, 0) + 10), 0);
    SizeArray(log.chgmlt_pos, log.nchgmlt);
    SizeArray(log.scfengy, log.ndone);
    SizeArray(log.scfdone_pos, log.ndone);
    SizeArray(log.std_pos, log.nstd);
    SizeArray(log.force_pos, log.nforce);
    SizeArray(log.freq_pos, log.nfreq);
    SizeArray(log.mllkn_pos, log.nmllkn);
    SizeArray(log.dipol_pos, log.ndipol);
    SizeArray(log.zero_pos, log.nzero);
    SizeArray(log.nterm_pos, log.nterm);
    SizeArray(log.exstt_pos, log.nexstt);
    SizeArray(log.exctd_pos, log.nexstt);
    SizeArray(log.nci_coeff, log.nexstt);
    for (auto* v : {&log.maxfrce, &log.rmsfrce, &log.maxdisp, &log.rmsdisp, &log.prdcten})
        SizeArray(*v, log.nforce);
    SizeArray(log.alphaocc_pos, log.nalphaocc);
    SizeArray(log.alphavrt_pos, log.nalphavrt);
    SizeArray(log.betaocc_pos, log.nbetaocc);
    SizeArray(log.betavrt_pos, log.nbetavrt);
}

class Indexer {
public:
    Indexer(Application& app, const ScanState& st) : app_(app), log_(app.log), st_(st) {}

    void Run() {
        auto& log = log_;
        log.njob = log.nchgmlt = log.ndone = log.nterm = log.nmllkn = log.ndipol = 0;
        log.nforce = log.nfreq = log.nzero = log.nexstt = 0;
        log.nalphaocc = log.nalphavrt = log.nbetaocc = log.nbetavrt = 0;
        log.nstd = -1;
        log.opt_chk = false;
        {
            core::TextReader in(log.FileDum);
            while (ReadShifted(in, buf_)) {
                ++ii_;
                Line(in);
            }
        }
        app_.Pause(log.sleeptime);
    }

private:
    void Line(core::TextReader& in) {
        auto& log = log_;
        if (!buf_.At(0).empty() && buf_.At(0)[0] == '#') Route(in);
        std::string_view line = buf_.At(0);
        if (StartsUpper(line, "CHARGE =")) {
            Record(log.chgmlt_pos, log.nchgmlt, ii_);
            AppendReportRow(app_, ii_ - 3, "Title Section", buf_.At(3));
            AppendReportRow(app_, ii_, "Charge + Multiplicity", line);
        }
        if (StartsUpper(line, "SCF DONE")) ScfDone(line);
        Eigen(line, "ALPHA VIRT. EIGENVALUES", log.alphavrt_pos, log.nalphavrt);
        Eigen(line, "ALPHA  OCC. EIGENVALUES", log.alphaocc_pos, log.nalphaocc);
        Eigen(line, "BETA VIRT. EIGENVALUES", log.betavrt_pos, log.nbetavrt);
        Eigen(line, "BETA  OCC. EIGENVALUES", log.betaocc_pos, log.nbetaocc);
        if (log.nbasis == 0 && TrimView(First(line, 8)) == "NBasis=")
            log.nbasis = ParseCount(Token(log, line, 2), line);
        if (log.nbsuse == 0 && TrimView(First(line, 8)) == "NBsUse=")
            log.nbsuse = ParseCount(Token(log, line, 2), line);
        if (IsMoCoefficientHeader(line)) ++log.nmocoeff;
        if (StartsUpper(line, "MAXIMUM FORCE")) {
            Record(log.force_pos, log.nforce, ii_);
            AppendReportRow(app_, ii_, First(line, 13));
        }
        if (IsOrientation(line, st_.stdinput_change)) {
            Record(log.std_pos, log.nstd, ii_);
            AppendReportRow(app_, ii_, line);
        }
        if (IsMulliken(line)) {
            Record(log.mllkn_pos, log.nmllkn, ii_);
            AppendReportRow(app_, ii_, line);
        }
        if (StartsUpper(line, "DIPOLE MOMENT")) {
            Dipole(in, line);
            line = buf_.At(0);  // the tests below look at the line after the dipole header
        }
        if (StartsUpper(line, "NORMAL TERMINATION")) {
            Record(log.nterm_pos, log.nterm, ii_);
            AppendReportRow(app_, ii_, First(line, 18));
        }
        if (IsExcitedState(line)) {
            Record(log.exstt_pos, log.nexstt, ii_);
            AppendReportRow(app_, ii_, TrimView(First(line, 18)), TrimView(From(line, 19)));
        }
        if (StartsUpper(line, "FREQUENCIES")) {
            int row = AppendReportRow(app_, ii_, First(line, 11), TrimView(From(line, 15)));
            Unless1stOptJob(row, log.freq_pos, log.nfreq);
        }
        if (StartsUpper(line, "ZERO-POINT CORRECTION")) {
            int row = AppendReportRow(app_, ii_, First(line, 21));
            Unless1stOptJob(row, log.zero_pos, log.nzero);
        }
    }

    void Route(core::TextReader& in) {
        long long hashLine = ii_;
        int lines = ReadRoute(in, buf_, ii_);
        for (int j = 0; j < lines; ++j) {
            Record(log_.job_pos, log_.njob, hashLine + j);
            AppendReportRow(app_, hashLine + j, "Gaussian job commands", buf_.At(5 - j));
            // Any line of the route may carry the keyword (a route is often wrapped).
            if (!log_.opt_chk && HasOptKeyword(log_, buf_.At(5 - j))) log_.opt_chk = true;
        }
    }

    void ScfDone(std::string_view line) {
        auto& log = log_;
        auto& grid = app_.form3.StringGrid1;
        int row = AppendReportRow(app_, ii_, First(line, 9), TrimView(From(line, 10)));
        static const char* kHeaders[] = {"Remark", "Line Nmbr", "Keyword", "Contents", "Message"};
        for (int c = 0; c < 5; ++c) grid.SetCell(c, 0, kHeaders[c]);
        for (int k = 1; k <= 3; ++k) {
            if (TrimView(buf_.At(k)) == kNotConverged) {
                grid.SetCell(4, row, "Convergence criterion not met");
                grid.SetCell(0, row, "N/A");
                return;
            }
        }
        if (log.nterm != 0) return;  // only the first job's energies are recorded
        const std::string& token = Token(log, line, 5);
        if (token.empty()) throw core::ConversionError("'" + std::string(line) + "' holds no energy value");
        double e = core::ParseDouble(token);
        // A whole number to three decimals is a placeholder, not an energy.
        if (std::fmod(std::nearbyint(e * 1000.0), 1000.0) == 0.0) return;
        int n = log.ndone;
        Record(log.scfdone_pos, n, ii_);
        ++log.ndone;
        if (log.scfengy.size() < log.scfdone_pos.size()) log.scfengy.resize(log.scfdone_pos.size(), 0.0);
        log.scfengy[static_cast<size_t>(log.ndone)] = e;
        grid.SetCell(2, row, "SCF Done: #" + core::IntText(log.ndone));
        log.pick_energy_check = true;
    }

    void Eigen(std::string_view line, std::string_view lit, std::vector<int>& pos, int& count) {
        if (!StartsUpper(line, lit)) return;
        Record(pos, count, ii_);
        AppendReportRow(app_, ii_, First(line, lit.size()), From(line, lit.size() + 5));
    }

    // The dipole header and the line after it, whose last token is the total in debye.
    // The next line replaces entry 0 as read (untrimmed), without shifting.
    void Dipole(core::TextReader& in, std::string_view header) {
        Record(log_.dipol_pos, log_.ndipol, ii_);
        int row = AppendReportRow(app_, ii_, First(header, 13));
        std::string& entry = buf_.At(0);
        if (!in.ReadLine(entry)) {
            entry.clear();
            return;
        }
        ++ii_;
        log_.buff = entry;
        core::DecodeBlank(log_.buff, log_.strcode, log_.ncode);
        app_.form3.StringGrid1.SetCell(3, row, log_.strcode[static_cast<size_t>(log_.ncode)] + " Debye");
    }

    // Frequency and zero-point lines of an optimisation's own job (up to its first
    // normal termination) describe no minimum and are marked, not recorded.
    void Unless1stOptJob(int row, std::vector<int>& pos, int& count) {
        if (ii_ > st_.nterm1_pos || !log_.opt_chk)
            Record(pos, count, ii_);
        else
            app_.form3.StringGrid1.SetCell(0, row, "Excluded");
    }

    Application& app_;
    core::LoadedLog& log_;
    const ScanState& st_;
    RollingBuffer buf_;
    long long ii_ = 0;
};

// A user error ends only this phase; a programming error goes on to the dispatch point.
void RunLaterPhase(Application& app, const std::function<void(Application&)>& phase) {
    core::ActionOutcome outcome = core::RunAction([&] { phase(app); });
    if (outcome.kind == core::ActionOutcome::Kind::Done) return;
    if (outcome.kind == core::ActionOutcome::Kind::InternalError) std::rethrow_exception(outcome.error);
    app.platform.ErrorMessage(outcome.message);
    app.Fail();
}

}  // namespace

// ---------------------------------------------------------------- small helpers

void RollingBuffer::Clear() {
    for (auto& s : slots_) s.clear();
    head_ = 0;
}

bool ReadShifted(core::TextReader& in, RollingBuffer& buf) {
    buf.Shift();
    std::string& entry = buf.At(0);
    if (!in.ReadLine(entry)) {
        entry.clear();
        return false;
    }
    core::TrimInPlace(entry);
    return true;
}

bool StartsUpper(std::string_view line, std::string_view lit) {
    if (line.size() < lit.size()) return false;
    for (size_t i = 0; i < lit.size(); ++i) {
        char c = line[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != lit[i]) return false;
    }
    return true;
}

std::string_view From(std::string_view s, size_t from) {
    return from >= 1 && from <= s.size() ? s.substr(from - 1) : std::string_view{};
}

std::string_view First(std::string_view s, size_t n) { return s.substr(0, std::min(n, s.size())); }

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && Low(s.front())) s.remove_prefix(1);
    while (!s.empty() && Low(s.back())) s.remove_suffix(1);
    return s;
}

int AppendReportRow(Application& app, long long line, std::string_view keyword, std::string_view contents) {
    auto& grid = app.form3.StringGrid1;
    int row = grid.RowCount();
    grid.SetRowCount(row + 1);
    grid.SetCell(1, row, core::IntText(line));
    grid.SetCell(2, row, std::string(keyword));
    grid.SetCell(3, row, std::string(contents));
    return row;
}

// ---------------------------------------------------------------- phases

bool ChooseAndReset(Application& app) {
    auto& log = app.log;
    auto chosen = app.platform.OpenFileDialog(app.form1.DialogOptions("Open Log/Out File (Opt,Freq)", kLogFilter));
    if (!chosen) return false;
    log.FileDum = *chosen;
    core::RememberDirectory(log, log.FileDum, [&app](int ms) { app.Pause(ms); });

    app.form1.ClearStringGrid1Click();
    auto& report = app.form3.StringGrid1;
    for (int r = 1; r < report.RowCount(); ++r)
        for (int c = 0; c < report.ColCount(); ++c) report.SetCell(c, r, "");
    report.SetRowCount(1);
    for (auto* g : {&app.form4.StringGrid1, &app.form4.StringGrid2, &app.form4.StringGrid3}) {
        for (int r = 1; r < g->RowCount(); ++r)
            for (int c = 0; c < g->ColCount(); ++c) g->SetCell(c, r, "");
        g->SetRowCount(2);
    }
    log.annihilation_check = false;
    log.zeroinforces = 0;
    return true;
}

bool CountingPass(Application& app) {
    auto& log = app.log;
    // A device or pipe may never end; only plain files are read.
    std::error_code ec;
    if (std::filesystem::exists(log.FileDum, ec) && !std::filesystem::is_regular_file(log.FileDum, ec))
        throw core::FileError("Cannot open file \"" + log.FileDum + "\". It is not a regular file.");
    log.nline = core::CountLines(log.FileDum);
    app.Pause(log.sleeptime);
    if (log.nline >= 200) return true;
    app.ShowMessagePos(
        "This LOG file seems too short to make analysis! Please check the content directly by your self!!!");
    app.Fail();
    return false;
}

ScanState CountingScan(Application& app) {
    ScanState st;
    CountOnce(app, st);
    // An optimisation written with input orientations only: index those instead.
    if (app.log.ndone > 1 && app.log.nstd == 0) {
        st.stdinput_change = true;
        CountOnce(app, st);
    }
    SizeArrays(app.log);
    return st;
}

void IndexingScan(Application& app, const ScanState& st) { Indexer(app, st).Run(); }

void HideCoordinateGrids(Application& app) {
    if (app.form1.StringGrid2.Visible()) app.form1.StringGrid2.SetVisible(false);
    if (app.form1.StringGrid3.Visible()) app.form1.StringGrid3.SetVisible(false);
}

void ClosingMessages(Application& app) {
    auto& log = app.log;
    if (log.zeroinforces > 0)
        app.ShowMessagePos(core::IntText(log.zeroinforces) +
                           " zero value(s) found in force params! They are forced to have non-zero values "
                           "(0.000010)!");
    if (log.nterm > 0) app.ShowMessagePos(core::IntText(log.nterm) + " normal termination flag(s) found!");
    HideCoordinateGrids(app);
}

}  // namespace logscan

void TForm1::OpenLOG1Click() {
    using namespace logscan;
    auto& app = app_;
    if (!ChooseAndReset(app) || !CountingPass(app)) {
        HideCoordinateGrids(app);
        return;
    }
    IndexingScan(app, CountingScan(app));  // a conversion error here ends the handler
    auto& log = app.log;
    RunLaterPhase(app, modiagram::MoEnergyPhase);
    RunLaterPhase(app, JobSummaryHeaderPhase);
    if (log.ndone > 0) RunLaterPhase(app, ScfTablePhase);
    RunLaterPhase(app, JobSummaryDetailsPhase);
    if (log.nfreq > 0) RunLaterPhase(app, FrequencyPhase);
    RunLaterPhase(app, spectrum::ExcitedStatePhase);  // also clears the spectrum of an earlier log
    ClosingMessages(app);
}

}  // namespace mavrolin

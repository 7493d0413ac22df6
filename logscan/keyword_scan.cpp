// The counting scan (sizes the position arrays) and the indexing scan (fills the keyword
// index and the position arrays). Both classify lines with the one trigger table.
#include <algorithm>
#include <cmath>
#include <string>

#include "app/application.h"
#include "core/errors.h"
#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "logscan/keyword_triggers.h"
#include "logscan/log_scan.h"
#include "pdos/coefficient_reader.h"

namespace mavrolin::logscan {

namespace {

using core::First;
using core::From;
using core::KeywordKind;
using core::TrimView;

constexpr std::string_view kNotConverged = ">>>>>>>>>> Convergence criterion not met.";
// The route read ahead reaches five lines; the title sits three lines above a charge line.
constexpr int kHistory = 10;

// count + 1, then pos[count] := line. The counting scan sized the array, but the two
// scans can disagree (a route or dipole line read ahead hides a keyword from one of
// them, or the file changed in between), so the array grows when it must.
void Record(std::vector<int>& pos, int& count, long long line) {
    ++count;
    if (static_cast<size_t>(count) + 3 > pos.size()) pos.resize(static_cast<size_t>(count) + 3, 0);
    pos[static_cast<size_t>(count)] = static_cast<int>(line);
}

// A route section: the "#" line (the current one on entry) and the lines up to the next
// dash line. Reads five more lines as both scans do; Line(5) is then the "#" line.
// Returns the number of route lines (0 when no dash line follows within five lines).
int ReadRoute(core::LineReader& in) {
    for (int r = 0; r < 5; ++r) in.Next();
    for (int k = 0; k <= 4; ++k)
        if (in.TrimmedLine(4 - k).starts_with("-------")) return k + 1;
    return 0;
}

// A route line holds a keyword starting with "OPT" (any case).
bool HasOptKeyword(std::string_view routeLine) {
    core::LineTokens tokens(routeLine);
    for (int t = 1; t <= tokens.Count(); ++t)
        if (core::StartsUpper(tokens[t], "OPT")) return true;
    return false;
}

int ParseCount(const std::string& token, std::string_view line) {
    if (token.empty()) throw core::ConversionError("'" + std::string(line) + "' holds no count");
    return static_cast<int>(core::ParseInt(token));
}


void Count(core::LoadedLog& log, ScanState& st, Trigger t, long long ii) {
    switch (t) {
        case Trigger::ChargeMultiplicity: ++log.nchgmlt; break;
        case Trigger::ScfDone: ++log.ndone; break;
        case Trigger::MaximumForce: ++log.nforce; break;
        case Trigger::Orientation: ++log.nstd; break;
        case Trigger::Mulliken: ++log.nmllkn; break;
        case Trigger::AlphaVirtual: ++log.nalphavrt; break;
        case Trigger::AlphaOccupied: ++log.nalphaocc; break;
        case Trigger::BetaVirtual: ++log.nbetavrt; break;
        case Trigger::BetaOccupied: ++log.nbetaocc; break;
        case Trigger::DipoleMoment: ++log.ndipol; break;
        case Trigger::Frequencies: ++log.nfreq; break;
        case Trigger::ZeroPoint: ++log.nzero; break;
        case Trigger::NormalTermination:
            if (++log.nterm == 1) st.nterm1_pos = ii;
            break;
        case Trigger::Annihilation: log.annihilation_check = true; break;
        case Trigger::ExcitedState:
            if (++log.nexstt == 1) log.tddft_file = log.FileDum;
            break;
        default: break;  // indexed only
    }
}

// One round of the counting scan, up to the counted lines. With `marks`, the round is the
// first one, read together with the line count: it reads to the end of the file, takes
// the marks on the way and returns the number of lines.
long long CountOnce(Application& app, ScanState& st, core::LineMarks* marks) {
    auto& log = app.log;
    ForgetCounts(log);
    st.nterm1_pos = 0;
    core::LineReader in(log.FileDum, kHistory);
    if (marks) in.TakeMarks(*marks);
    const long long until = marks ? core::LineReader::kNoLimit : log.nline;
    while (in.NextStartingWith(TriggerStarts(), until)) {
        size_t at = 0;
        Trigger t = Classify(in.TrimmedLine(), st.stdinput_change, 0, at);
        if (t == Trigger::Route) {
            log.njob += ReadRoute(in);
            t = Classify(in.TrimmedLine(), st.stdinput_change, at + 1, at);
        }
        Count(log, st, t, in.LineNumber());
    }
    return in.LineNumber();
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
    Indexer(Application& app, const ScanState& st)
        : app_(app), log_(app.log), st_(st), in_(app.log.FileDum, kHistory) {}

    // The grid shows what was indexed also when a bad line ends the scan.
    void Run() {
        auto& log = log_;
        const size_t expected = ExpectedHits();
        log.njob = log.nchgmlt = log.ndone = log.nterm = log.nmllkn = log.ndipol = 0;
        log.nforce = log.nfreq = log.nzero = log.nexstt = 0;
        log.nalphaocc = log.nalphavrt = log.nbetaocc = log.nbetavrt = 0;
        log.nstd = -1;
        log.lastOrientationLine = 0;
        log.opt_chk = false;
        log.forceLinesIndexed = false;
        log.keywords.Clear();
        log.keywords.hits.reserve(expected);
        log.basislines.Clear();
        log.basislines.file = log.FileDum;
        std::string cut;
        try {
            while (in_.NextStartingWith(TriggerStarts())) Line();
        } catch (const core::ConversionError& e) {
            if (!CutOffHere()) {
                app_.form3.ShowKeywordIndex(log.keywords);
                throw;
            }
            cut = "The log breaks off inside line " + core::IntText(ii()) + ": " + e.what();
        } catch (...) {
            app_.form3.ShowKeywordIndex(log.keywords);
            throw;
        }
        app_.form3.ShowKeywordIndex(log.keywords);
        if (!cut.empty()) app_.ShowWarningPos(cut);  // what was indexed before the cut is the index
        log.forceLinesIndexed = !forceLineReadOver_;
        app_.Pause(log.sleeptime);
    }

private:
    long long ii() const { return in_.LineNumber(); }

    // A bad value on the last line of a log that breaks off is the cut itself (a job killed
    // while writing that line), not a fault of the file: the scan goes on with what it has.
    bool CutOffHere() const { return log_.jobEnd == core::JobEnd::Unfinished && ii() >= log_.nline; }

    // The hits the counting scan's counts foretell (a title and a charge line per charge
    // line), so the index is allocated once at its size instead of doubling past it.
    size_t ExpectedHits() const {
        const auto& l = log_;
        const long long n = 0LL + l.njob + 2LL * l.nchgmlt + l.ndone + l.nalphaocc + l.nalphavrt + l.nbetaocc +
                            l.nbetavrt + l.nforce + l.nstd + l.nmllkn + l.ndipol + l.nterm + l.nexstt + l.nfreq +
                            l.nzero;
        return static_cast<size_t>(std::max(n, 0LL)) + 16;
    }

    // Token k of `line`; "" when the line has fewer.
    const std::string& TokenOf(std::string_view line, int k) {
        tokens_.Split(line);
        return tokens_[k];
    }

    core::KeywordHit& Hit(KeywordKind kind, long long line, std::string_view keyword,
                          std::string_view contents = {}) {
        auto& hit = log_.keywords.hits.emplace_back();
        hit.line = line;
        hit.kind = kind;
        hit.keyword.assign(keyword);
        hit.contents.assign(contents);
        return hit;
    }

    // A route or a dipole header reads ahead; the line it stops on is then tested against
    // the triggers after it in the table.
    void Line() {
        std::string_view line = in_.TrimmedLine();
        pdos::NoteBasisLine(line, ii(), log_.basislines);
        size_t at = 0;
        Trigger t = Classify(line, st_.stdinput_change, 0, at);
        if (t == Trigger::Route) {
            Route();
            line = in_.TrimmedLine();
            pdos::NoteBasisLine(line, ii(), log_.basislines);
            t = Classify(line, st_.stdinput_change, at + 1, at);
        }
        if (t == Trigger::DipoleMoment) {
            Dipole(line);
            line = in_.Line();  // read over, as read
            t = Classify(line, st_.stdinput_change, at + 1, at);
        }
        if (t != Trigger::None) Act(t, line, at);
    }

    void Act(Trigger t, std::string_view line, size_t at) {
        auto& log = log_;
        switch (t) {
            case Trigger::ChargeMultiplicity:
                Record(log.chgmlt_pos, log.nchgmlt, ii());
                Hit(KeywordKind::Title, ii() - 3, "Title Section", in_.TrimmedLine(3));
                Hit(KeywordKind::ChargeMultiplicity, ii(), "Charge + Multiplicity", line);
                break;
            case Trigger::ScfDone: ScfDone(line); break;
            case Trigger::AlphaVirtual: Eigen(KeywordKind::AlphaVirtual, line, at, log.alphavrt_pos, log.nalphavrt); break;
            case Trigger::AlphaOccupied: Eigen(KeywordKind::AlphaOccupied, line, at, log.alphaocc_pos, log.nalphaocc); break;
            case Trigger::BetaVirtual: Eigen(KeywordKind::BetaVirtual, line, at, log.betavrt_pos, log.nbetavrt); break;
            case Trigger::BetaOccupied: Eigen(KeywordKind::BetaOccupied, line, at, log.betaocc_pos, log.nbetaocc); break;
            case Trigger::NBasis:
                if (log.nbasis == 0) log.nbasis = ParseCount(TokenOf(line, 2), line);
                break;
            case Trigger::NBsUse:
                if (log.nbsuse == 0) log.nbsuse = ParseCount(TokenOf(line, 2), line);
                break;
            case Trigger::MoCoefficients: ++log.nmocoeff; break;
            case Trigger::MaximumForce:
                Record(log.force_pos, log.nforce, ii());
                Hit(KeywordKind::MaximumForce, ii(), First(line, 13));
                break;
            case Trigger::Orientation:
                Record(log.std_pos, log.nstd, ii());
                Hit(KeywordKind::Orientation, ii(), line);
                log.lastOrientationLine = ii();
                break;
            case Trigger::OtherOrientation: log.lastOrientationLine = ii(); break;
            case Trigger::Mulliken:
                Record(log.mllkn_pos, log.nmllkn, ii());
                Hit(KeywordKind::Mulliken, ii(), line);
                break;
            case Trigger::NormalTermination:
                Record(log.nterm_pos, log.nterm, ii());
                Hit(KeywordKind::NormalTermination, ii(), First(line, 18));
                break;
            case Trigger::ExcitedState:
                Record(log.exstt_pos, log.nexstt, ii());
                Hit(KeywordKind::ExcitedState, ii(), TrimView(First(line, 18)), TrimView(From(line, 19)));
                break;
            case Trigger::Frequencies:
                Unless1stOptJob(Hit(KeywordKind::Frequencies, ii(), First(line, 11), TrimView(From(line, 15))),
                                log.freq_pos, log.nfreq);
                break;
            case Trigger::ZeroPoint:
                Unless1stOptJob(Hit(KeywordKind::ZeroPoint, ii(), First(line, 21)), log.zero_pos, log.nzero);
                break;
            default: break;  // counted only, or handled before
        }
    }

    // A line read over without the whole trigger table: the SCF table finds its
    // "Maximum Force" lines in force_pos only when no such line was among them.
    void ReadOverUnclassified(std::string_view line, long long lineNo) {
        if (core::StartsUpper(TrimView(line), "MAXIMUM FORCE")) forceLineReadOver_ = true;
        pdos::NoteBasisLine(line, lineNo, log_.basislines);
    }

    void Route() {
        long long hashLine = ii();
        int lines = ReadRoute(in_);
        for (int k = 1; k <= 4; ++k) ReadOverUnclassified(in_.Line(k), ii() - k);
        for (int j = 0; j < lines; ++j) {
            std::string_view text = in_.TrimmedLine(5 - j);
            Record(log_.job_pos, log_.njob, hashLine + j);
            Hit(KeywordKind::Route, hashLine + j, "Gaussian job commands", text);
            // Any line of the route may carry the keyword (a route is often wrapped).
            if (!log_.opt_chk && HasOptKeyword(text)) log_.opt_chk = true;
        }
    }

    void ScfDone(std::string_view line) {
        auto& log = log_;
        auto& hit = Hit(KeywordKind::ScfDone, ii(), First(line, 9), TrimView(From(line, 10)));
        for (int k = 1; k <= 3; ++k) {
            if (in_.TrimmedLine(k) == kNotConverged) {
                hit.message = "Convergence criterion not met";
                hit.remark = "N/A";
                return;
            }
        }
        if (log.nterm != 0) return;  // only the first job's energies are recorded
        const std::string& energy = TokenOf(line, 5);
        if (energy.empty()) throw core::ConversionError("'" + std::string(line) + "' holds no energy value");
        double e = core::AtLine(ii(), [&] { return core::ParseDouble(energy); });
        // A whole number to three decimals is a placeholder, not an energy.
        if (std::fmod(std::nearbyint(e * 1000.0), 1000.0) == 0.0) return;
        int n = log.ndone;
        Record(log.scfdone_pos, n, ii());
        ++log.ndone;
        if (log.scfengy.size() < log.scfdone_pos.size()) log.scfengy.resize(log.scfdone_pos.size(), 0.0);
        log.scfengy[static_cast<size_t>(log.ndone)] = e;
        hit.keyword = "SCF Done: #" + core::IntText(log.ndone);
        log.pick_energy_check = true;
    }

    void Eigen(KeywordKind kind, std::string_view line, size_t at, std::vector<int>& pos, int& count) {
        const size_t lit = TriggerLiteralSize(at);
        Record(pos, count, ii());
        Hit(kind, ii(), First(line, lit), From(line, lit + 5));
    }

    // The dipole header and the line after it, whose last token is the total in debye.
    // The next line is read over the header, as read (untrimmed).
    void Dipole(std::string_view header) {
        Record(log_.dipol_pos, log_.ndipol, ii());
        auto& hit = Hit(KeywordKind::DipoleMoment, ii(), First(header, 13));
        if (!in_.ReadOver()) return;
        ReadOverUnclassified(in_.Line(), ii());
        tokens_.Split(in_.Line());
        hit.contents = tokens_.Last();
        hit.contents += " Debye";
    }

    // Frequency and zero-point lines of an optimisation's own job (up to its first
    // normal termination) describe no minimum and are marked, not recorded.
    void Unless1stOptJob(core::KeywordHit& hit, std::vector<int>& pos, int& count) {
        if (ii() > st_.nterm1_pos || !log_.opt_chk)
            Record(pos, count, ii());
        else
            hit.remark = "Excluded";
    }

    Application& app_;
    core::LoadedLog& log_;
    const ScanState& st_;
    core::LineReader in_;
    core::LineTokens tokens_;
    bool forceLineReadOver_ = false;
};

}  // namespace

void ForgetCounts(core::LoadedLog& log) {
    log.njob = log.nchgmlt = log.ndone = log.nterm = log.nstd = log.nforce = 0;
    log.nfreq = log.nzero = log.nmllkn = log.ndipol = log.nexstt = 0;
    log.nalphaocc = log.nalphavrt = log.nbetaocc = log.nbetavrt = 0;
    log.nbasis = log.nbsuse = log.mocoeff_start = log.nmocoeff = 0;
}

long long CountLinesAndKeywords(Application& app, ScanState& st) {
    st = ScanState{};
    try {
        return CountOnce(app, st, &app.log.linemarks);
    } catch (...) {
        ForgetCounts(app.log);
        throw;
    }
}

void CountingScan(Application& app, ScanState& st) {
    app.Pause(app.log.sleeptime);  // the first round was read with the line count
    // An optimisation written with input orientations only: index those instead.
    if (app.log.ndone > 1 && app.log.nstd == 0) {
        st.stdinput_change = true;
        CountOnce(app, st, nullptr);
        app.Pause(app.log.sleeptime);
    }
    SizeArrays(app.log);
}

void IndexingScan(Application& app, const ScanState& st) { Indexer(app, st).Run(); }

}  // namespace mavrolin::logscan

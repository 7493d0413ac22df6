// The counting scan and the indexing scan, run side by side in one pass over the file.
// Both classify lines with the one trigger table.
#include "logscan/keyword_scan.h"

#include <cmath>
#include <string>

#include "core/errors.h"
#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "logscan/keyword_triggers.h"

namespace mavrolin::logscan {

namespace {

using core::First;
using core::From;
using core::KeywordKind;
using core::TrimView;

constexpr std::string_view kNotConverged = ">>>>>>>>>> Convergence criterion not met.";
// The route read ahead reaches five lines; the title sits three lines above a charge line.
constexpr int kHistory = 10;
// Both scans read the five lines after a route's "#" line before testing the last of them.
constexpr int kRouteReadAhead = 5;

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

// The counting scan, fed every line the pass reads (trimmed). It keeps its own place in
// a route read ahead, since the indexing scan may be reading the same lines differently.
class Counter {
public:
    explicit Counter(KeywordCounts& counts) : c_(counts) {}

    // Inside a route read ahead every line counts, whatever it begins with.
    bool WantsEveryLine() const { return ahead_ > 0; }

    void Feed(std::string_view line, long long ii) {
        size_t at = 0;
        if (ahead_ > 0) {
            const int k = kRouteReadAhead - ahead_;  // 0: the first line after the "#" line
            if (dash_ < 0 && line.starts_with("-------")) dash_ = k;
            if (--ahead_ > 0) return;
            EndRoute();
            Count(Classify(line, false, 1, at), ii);
            return;
        }
        const Trigger t = Classify(line, false, 0, at);
        if (t != Trigger::Route) return Count(t, ii);
        ahead_ = kRouteReadAhead;
        dash_ = -1;
    }

    // The end of the file inside a route read ahead: the lines that never came hold no
    // dash line.
    void Finish() {
        if (ahead_ > 0) EndRoute();
        ahead_ = 0;
    }

private:
    // The route section is the "#" line and the lines up to the first dash line.
    void EndRoute() {
        if (dash_ >= 0) c_.njob += dash_ + 1;
    }

    void Count(Trigger t, long long ii) {
        switch (t) {
            case Trigger::ChargeMultiplicity: ++c_.nchgmlt; break;
            case Trigger::ScfDone: ++c_.ndone; break;
            case Trigger::MaximumForce: ++c_.nforce; break;
            case Trigger::Orientation: ++c_.standardOrientations; break;
            // Classified for standard orientations, the other headers are the input ones.
            case Trigger::OtherOrientation: ++c_.inputOrientations; break;
            case Trigger::Mulliken: ++c_.nmllkn; break;
            case Trigger::AlphaVirtual: ++c_.nalphavrt; break;
            case Trigger::AlphaOccupied: ++c_.nalphaocc; break;
            case Trigger::BetaVirtual: ++c_.nbetavrt; break;
            case Trigger::BetaOccupied: ++c_.nbetaocc; break;
            case Trigger::DipoleMoment: ++c_.ndipol; break;
            case Trigger::Frequencies: ++c_.nfreq; break;
            case Trigger::ZeroPoint: ++c_.nzero; break;
            case Trigger::NormalTermination:
                if (++c_.nterm == 1) c_.firstTermination = ii;
                break;
            case Trigger::Annihilation: c_.annihilation = true; break;
            case Trigger::ExcitedState: ++c_.nexstt; break;
            default: break;  // indexed only
        }
    }

    KeywordCounts& c_;
    int ahead_ = 0;  // lines of a route read ahead still to come
    int dash_ = -1;  // where among them the first dash line was
};

// The reading of one pass: every line it reads goes to the counting scan, when there is
// one, before the indexing scan looks at it.
class Pass {
public:
    Pass(const std::filesystem::path& log, core::LineMarks* marks, Counter* counter)
        : in_(log, kHistory), counter_(counter) {
        if (marks) in_.TakeMarks(*marks);
    }

    core::LineReader& In() { return in_; }
    bool Next() { return Fed(in_.Next()); }
    bool ReadOver() { return Fed(in_.ReadOver()); }

    // On to the next line that begins as a trigger does.
    bool NextCandidate() {
        while (counter_ && counter_->WantsEveryLine()) {
            if (!Next()) return false;
            if (TriggerStarts().Begins(in_.TrimmedLine())) return true;
        }
        return Fed(in_.NextStartingWith(TriggerStarts()));
    }

    // Reads what is left of the file for the counting scan.
    void Finish() {
        while (counter_ && NextCandidate()) {
        }
        if (counter_) counter_->Finish();
    }

private:
    bool Fed(bool read) {
        if (read && counter_) counter_->Feed(in_.TrimmedLine(), in_.LineNumber());
        return read;
    }

    core::LineReader in_;
    Counter* counter_;
};

// The indexing scan: the hits of the keyword index and what the later phases need.
class Indexer {
public:
    Indexer(Pass& pass, KeywordScan& out, bool inputOrientation)
        : pass_(pass), in_(pass.In()), out_(out), input_(inputOrientation) {
        out.index.Clear();
        out.energies.clear();
        out.nbasis = out.nbsuse = out.nmocoeff = 0;
        out.optJob = false;
        out.lastOrientationLine = 0;
        out.basisLines.Clear();
        out.error = nullptr;
        out.errorLine = 0;
    }

    // Up to the end of the file, or to a bad number. The frequency and zero-point lines of
    // an optimisation are marked once the first normal termination is known:
    // `firstTermination` is read after the counting scan has seen the whole file.
    void Run(const long long& firstTermination) {
        try {
            while (pass_.NextCandidate()) Line();
        } catch (const core::ConversionError&) {
            out_.error = std::current_exception();
            out_.errorLine = ii();
        }
        pass_.Finish();
        // Lines of an optimisation's own job (up to its first normal termination) describe
        // no minimum.
        for (size_t i : optJobHits_)
            if (out_.index[i].line <= firstTermination) out_.index.SetRemark(i, core::HitRemark::Excluded);
        out_.forceLinesIndexed = !forceLineReadOver_;
    }

private:
    long long ii() const { return in_.LineNumber(); }

    // Token k of `line`; "" when the line has fewer.
    const std::string& TokenOf(std::string_view line, int k) {
        tokens_.Split(line);
        return tokens_[k];
    }

    // Adds a hit; returns its position in the index.
    size_t Hit(KeywordKind kind, long long line, std::string_view keyword, std::string_view contents = {}) {
        return out_.index.Add(line, kind, keyword, contents);
    }

    // A route or a dipole header reads ahead; the line it stops on is then tested against
    // the triggers after it in the table.
    void Line() {
        std::string_view line = in_.TrimmedLine();
        core::NoteBasisLine(line, ii(), out_.basisLines);
        size_t at = 0;
        Trigger t = Classify(line, input_, 0, at);
        if (t == Trigger::Route) {
            Route();
            line = in_.TrimmedLine();
            core::NoteBasisLine(line, ii(), out_.basisLines);
            t = Classify(line, input_, at + 1, at);
        }
        if (t == Trigger::DipoleMoment) {
            Dipole(line);
            line = in_.Line();  // read over, as read
            t = Classify(line, input_, at + 1, at);
        }
        if (t != Trigger::None) Act(t, line, at);
    }

    void Act(Trigger t, std::string_view line, size_t at) {
        switch (t) {
            // " Title Card Required", three lines above " Charge =  0 Multiplicity = 1"
            case Trigger::ChargeMultiplicity:
                Hit(KeywordKind::Title, ii() - 3, "Title Section", in_.TrimmedLine(3));
                Hit(KeywordKind::ChargeMultiplicity, ii(), "Charge + Multiplicity", line);
                break;
            case Trigger::ScfDone: ScfDone(line); break;
            case Trigger::AlphaVirtual: Eigen(KeywordKind::AlphaVirtual, line, at); break;
            case Trigger::AlphaOccupied: Eigen(KeywordKind::AlphaOccupied, line, at); break;
            case Trigger::BetaVirtual: Eigen(KeywordKind::BetaVirtual, line, at); break;
            case Trigger::BetaOccupied: Eigen(KeywordKind::BetaOccupied, line, at); break;
            // " NBasis=     7 RedAO= T  NBF=     7": token 2
            case Trigger::NBasis:
                if (out_.nbasis == 0) out_.nbasis = ParseCount(TokenOf(line, 2), line);
                break;
            case Trigger::NBsUse:
                if (out_.nbsuse == 0) out_.nbsuse = ParseCount(TokenOf(line, 2), line);
                break;
            case Trigger::MoCoefficients: ++out_.nmocoeff; break;
            case Trigger::MaximumForce: Hit(KeywordKind::MaximumForce, ii(), First(line, 13)); break;
            case Trigger::Orientation:
                Hit(KeywordKind::Orientation, ii(), line);
                out_.lastOrientationLine = ii();
                break;
            case Trigger::OtherOrientation: out_.lastOrientationLine = ii(); break;
            case Trigger::Mulliken: Hit(KeywordKind::Mulliken, ii(), line); break;
            case Trigger::NormalTermination:
                ++terminations_;
                Hit(KeywordKind::NormalTermination, ii(), First(line, 18));
                break;
            case Trigger::ExcitedState:
                Hit(KeywordKind::ExcitedState, ii(), TrimView(First(line, 18)), TrimView(From(line, 19)));
                break;
            case Trigger::Frequencies:
                Hit(KeywordKind::Frequencies, ii(), First(line, 11), TrimView(From(line, 15)));
                NoteIfOptJob();
                break;
            case Trigger::ZeroPoint:
                Hit(KeywordKind::ZeroPoint, ii(), First(line, 21));
                NoteIfOptJob();
                break;
            default: break;  // counted only, or handled before
        }
    }

    // A line read over without the whole trigger table: the SCF table finds its
    // "Maximum Force" lines in the index only when no such line was among them.
    void ReadOverUnclassified(std::string_view line, long long lineNo) {
        if (core::StartsUpper(TrimView(line), "MAXIMUM FORCE")) forceLineReadOver_ = true;
        core::NoteBasisLine(line, lineNo, out_.basisLines);
    }

    // A route section: the "#" line (the current one on entry) and the lines up to the
    // next dash line within the five read after it; Line(5) is then the "#" line.
    //   " #p b3lyp/sto-3g opt"
    //   " -------------------"
    void Route() {
        const long long hashLine = ii();
        for (int r = 0; r < kRouteReadAhead; ++r) pass_.Next();
        int lines = 0;
        for (int k = 0; k < kRouteReadAhead && lines == 0; ++k)
            if (in_.TrimmedLine(4 - k).starts_with("-------")) lines = k + 1;
        for (int k = 1; k <= 4; ++k) ReadOverUnclassified(in_.Line(k), ii() - k);
        for (int j = 0; j < lines; ++j) {
            std::string_view text = in_.TrimmedLine(5 - j);
            Hit(KeywordKind::Route, hashLine + j, "Gaussian job commands", text);
            // Any line of the route may carry the keyword (a route is often wrapped).
            if (!out_.optJob && HasOptKeyword(text)) out_.optJob = true;
        }
    }

    // A convergence failure (kNotConverged) within the three lines before: no energy.
    void ScfDone(std::string_view line) {
        const size_t hit = Hit(KeywordKind::ScfDone, ii(), First(line, 9), TrimView(From(line, 10)));
        for (int k = 1; k <= 3; ++k) {
            if (in_.TrimmedLine(k) == kNotConverged) {
                out_.index.SetNotConverged(hit);
                out_.index.SetRemark(hit, core::HitRemark::NotAvailable);
                return;
            }
        }
        if (terminations_ != 0) return;  // only the first job's energies are recorded
        // "SCF Done:  E(RHF) =  -74.9643254911     A.U. after    4 cycles": token 5
        const std::string& energy = TokenOf(line, 5);
        if (energy.empty()) throw core::ConversionError("'" + std::string(line) + "' holds no energy value");
        double e = core::AtLine(ii(), [&] { return core::ParseDouble(energy); });
        // A whole number to three decimals is a placeholder, not an energy.
        if (std::fmod(std::nearbyint(e * 1000.0), 1000.0) == 0.0) return;
        out_.energies.emplace_back(ii(), e);
        out_.index.SetKeyword(hit, "SCF Done: #" + core::IntText(static_cast<long long>(out_.energies.size())));
    }

    void Eigen(KeywordKind kind, std::string_view line, size_t at) {
        const size_t lit = TriggerLiteralSize(at);
        Hit(kind, ii(), First(line, lit), From(line, lit + 5));
    }

    // The dipole header and the line after it, whose last token is the total in debye.
    // The next line is read over the header, as read (untrimmed):
    //   " Dipole moment (field-independent basis, Debye):"
    //   "    X=              0.0000    Y=              0.0000    Z=              0.0000  Tot=              0.0000"
    void Dipole(std::string_view header) {
        const size_t hit = Hit(KeywordKind::DipoleMoment, ii(), First(header, 13));
        if (!pass_.ReadOver()) return;
        ReadOverUnclassified(in_.Line(), ii());
        tokens_.Split(in_.Line());
        std::string total = tokens_.Last() + " Debye";
        out_.index.SetContents(hit, total);
    }

    // Frequency and zero-point lines met after an OPT route are decided at the end.
    void NoteIfOptJob() {
        if (out_.optJob) optJobHits_.push_back(out_.index.size() - 1);
    }

    Pass& pass_;
    core::LineReader& in_;
    KeywordScan& out_;
    bool input_;
    core::LineTokens tokens_;
    int terminations_ = 0;
    bool forceLineReadOver_ = false;
    std::vector<size_t> optJobHits_;
};

}  // namespace

KeywordScan ScanKeywords(const std::filesystem::path& log, core::LineMarks* marks) {
    KeywordScan scan;
    {
        Counter counter(scan.counts);
        Pass pass(log, marks, &counter);
        Indexer(pass, scan, false).Run(scan.counts.firstTermination);
        scan.lines = pass.In().LineNumber();
    }
    scan.basisLines.file = log.string();
    // An optimisation written with input orientations only: index those instead.
    if (scan.counts.ndone > 1 && scan.counts.standardOrientations == 0) {
        scan.inputOrientations = true;
        Pass pass(log, nullptr, nullptr);
        Indexer(pass, scan, true).Run(scan.counts.firstTermination);
        scan.basisLines.file = log.string();
    }
    return scan;
}

}  // namespace mavrolin::logscan

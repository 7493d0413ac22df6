// The phases of the log scan that run the keyword scan over the chosen file and hand what
// it found to the record: the counts and the sized position arrays, then the positions,
// the keyword index in the analysis report grid and the messages.
#include <algorithm>
#include <exception>
#include <string>

#include "app/application.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "logscan/keyword_scan.h"
#include "logscan/log_scan.h"

namespace mavrolin::logscan {

namespace {

using core::KeywordKind;

// pos[at] := line. The counting scan sized the array, but the two scans can disagree (a
// route or dipole line read ahead hides a keyword from one of them), so the array grows
// when it must.
void Place(std::vector<int>& pos, int at, long long line) {
    if (static_cast<size_t>(at) + 3 > pos.size()) pos.resize(static_cast<size_t>(at) + 3, 0);
    pos[static_cast<size_t>(at)] = static_cast<int>(line);
}

// count + 1, then pos[count] := line.
void Record(std::vector<int>& pos, int& count, long long line) { Place(pos, ++count, line); }

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

// The counting scan's results, as the record holds them until the index replaces them.
void ShowCounts(core::LoadedLog& log, const KeywordScan& scan) {
    const KeywordCounts& c = scan.counts;
    log.njob = c.njob;
    log.nchgmlt = c.nchgmlt;
    log.ndone = c.ndone;
    log.nterm = c.nterm;
    log.nstd = scan.Orientations();
    log.nforce = c.nforce;
    log.nfreq = c.nfreq;
    log.nzero = c.nzero;
    log.nmllkn = c.nmllkn;
    log.ndipol = c.ndipol;
    log.nexstt = c.nexstt;
    log.nalphaocc = c.nalphaocc;
    log.nalphavrt = c.nalphavrt;
    log.nbetaocc = c.nbetaocc;
    log.nbetavrt = c.nbetavrt;
    if (c.annihilation) log.annihilation_check = true;
    if (c.nexstt > 0) log.tddft_file = log.FileDum;
}

// The position arrays from the index, in file order. Orientation headers go to std_pos
// from element 0, and nstd is then their number less one.
void RecordPositions(core::LoadedLog& log, const KeywordScan& scan) {
    int orientations = 0;
    for (const auto& hit : scan.index) {
        const long long at = hit.line;
        switch (hit.kind) {
            case KeywordKind::Route: Record(log.job_pos, log.njob, at); break;
            case KeywordKind::ChargeMultiplicity: Record(log.chgmlt_pos, log.nchgmlt, at); break;
            case KeywordKind::AlphaVirtual: Record(log.alphavrt_pos, log.nalphavrt, at); break;
            case KeywordKind::AlphaOccupied: Record(log.alphaocc_pos, log.nalphaocc, at); break;
            case KeywordKind::BetaVirtual: Record(log.betavrt_pos, log.nbetavrt, at); break;
            case KeywordKind::BetaOccupied: Record(log.betaocc_pos, log.nbetaocc, at); break;
            case KeywordKind::MaximumForce: Record(log.force_pos, log.nforce, at); break;
            case KeywordKind::Orientation: Place(log.std_pos, orientations++, at); break;
            case KeywordKind::Mulliken: Record(log.mllkn_pos, log.nmllkn, at); break;
            case KeywordKind::DipoleMoment: Record(log.dipol_pos, log.ndipol, at); break;
            case KeywordKind::NormalTermination: Record(log.nterm_pos, log.nterm, at); break;
            case KeywordKind::ExcitedState: Record(log.exstt_pos, log.nexstt, at); break;
            case KeywordKind::Frequencies:
                if (hit.remark.empty()) Record(log.freq_pos, log.nfreq, at);
                break;
            case KeywordKind::ZeroPoint:
                if (hit.remark.empty()) Record(log.zero_pos, log.nzero, at);
                break;
            case KeywordKind::Title:
            case KeywordKind::ScfDone: break;  // no position, or those of the energies below
        }
    }
    log.nstd = orientations - 1;
    for (const auto& [line, energy] : scan.energies) {
        Record(log.scfdone_pos, log.ndone, line);
        if (log.scfengy.size() < log.scfdone_pos.size()) log.scfengy.resize(log.scfdone_pos.size(), 0.0);
        log.scfengy[static_cast<size_t>(log.ndone)] = energy;
        log.pick_energy_check = true;
    }
}

std::string MessageOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    }
}

}  // namespace

void ForgetCounts(core::LoadedLog& log) {
    log.njob = log.nchgmlt = log.ndone = log.nterm = log.nstd = log.nforce = 0;
    log.nfreq = log.nzero = log.nmllkn = log.ndipol = log.nexstt = 0;
    log.nalphaocc = log.nalphavrt = log.nbetaocc = log.nbetavrt = 0;
    log.nbasis = log.nbsuse = log.mocoeff_start = log.nmocoeff = 0;
}

long long CountLinesAndKeywords(Application& app, ScanState& st) {
    st = ScanState{};
    ForgetCounts(app.log);
    st.keywords = ScanKeywords(app.log.FileDum, &app.log.linemarks);
    ShowCounts(app.log, st.keywords);
    return st.keywords.lines;
}

void CountingScan(Application& app, ScanState& st) {
    app.Pause(app.log.sleeptime);  // the counting scan was read with the line count
    // An optimisation written with input orientations only was indexed a second time.
    if (st.keywords.inputOrientations) app.Pause(app.log.sleeptime);
    SizeArrays(app.log);
}

// The grid shows what was indexed also when a bad line ended the scan.
void IndexingScan(Application& app, ScanState& st) {
    auto& log = app.log;
    KeywordScan& scan = st.keywords;
    ForgetCounts(log);
    log.opt_chk = scan.optJob;
    log.lastOrientationLine = scan.lastOrientationLine;
    log.forceLinesIndexed = false;
    log.nbasis = scan.nbasis;
    log.nbsuse = scan.nbsuse;
    log.nmocoeff = scan.nmocoeff;
    RecordPositions(log, scan);
    log.keywords = std::move(scan.index);
    log.basislines = std::move(scan.basisLines);
    std::string cut;
    if (scan.error) {
        // A bad value on the last line of a log that breaks off is the cut itself (a job
        // killed while writing that line), not a fault of the file: the scan goes on with
        // what it has.
        if (log.jobEnd != core::JobEnd::Unfinished || scan.errorLine < log.nline) {
            app.form3.ShowKeywordIndex(log.keywords);
            std::rethrow_exception(scan.error);
        }
        cut = "The log breaks off inside line " + core::IntText(scan.errorLine) + ": " + MessageOf(scan.error);
    }
    app.form3.ShowKeywordIndex(log.keywords);
    if (!cut.empty()) app.ShowWarningPos(cut);  // what was indexed before the cut is the index
    log.forceLinesIndexed = scan.forceLinesIndexed;
    app.Pause(log.sleeptime);
}

}  // namespace mavrolin::logscan

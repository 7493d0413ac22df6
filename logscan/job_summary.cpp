#include "logscan/job_summary.h"

#include <algorithm>
#include <limits>

#include "app/application.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "logscan/summary_phases.h"

namespace mavrolin {

namespace {

const std::string kChargeMessage = "Something is wrong! The code read for charge & multiplicity was --> ";

// Raised inside the details phase when the log ends before a step has what it needs.
struct LogEnded {};

void Need(bool ok) {
    if (!ok) throw LogEnded{};
}

std::int16_t SmallInt(const std::string& token) {
    long long v = core::ParseInt(token);
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        throw core::ConversionError("'" + token + "' is not a valid charge or multiplicity");
    return static_cast<std::int16_t>(v);
}

// "Charge = -3 Multiplicity =10": a multiplicity of 10 or more leaves no blank after
// its "=". The two numbers are taken wherever the blanks fall, but only from a line that
// holds nothing else.
bool SplitChargeLine(std::string_view line, std::string& charge, std::string& multpl) {
    charge = core::WordAfter(line, "Charge =");
    multpl = core::WordAfter(line, "Multiplicity =");
    std::string packed, expected = "Charge=" + charge + "Multiplicity=" + multpl;
    for (char c : line)
        if (!core::IsBlankChar(c)) packed += c;
    return !charge.empty() && !multpl.empty() && packed == expected;
}

// "Charge =  0 Multiplicity = 1": tokens 3 and 6. Anything else is reported and the
// closed-shell defaults stay, so the layout never inherits a previous log's values.
void ReadChargeMultiplicity(Application& app, std::string_view line) {
    auto tokens = core::LineTokens(line).ToVector();
    std::string chargeText, multplText;
    if (tokens.size() == 6) {
        chargeText = tokens[2];
        multplText = tokens[5];
    } else if (!SplitChargeLine(line, chargeText, multplText)) {
        app.ShowMessagePos(kChargeMessage + core::Trim(line));
        return;
    }
    std::int16_t charge = SmallInt(chargeText);
    std::int16_t multpl = SmallInt(multplText);
    app.log.charge = charge;
    app.log.multpl = multpl;
}

// Copies the current line and `after` more lines (plus `before` lines ahead of the
// target) into the summary as one entry. The target must lie ahead of the reader.
void CopyBlock(ui::StringGrid& summary, core::LineReader& reader, long long target, int before, int after) {
    Need(reader.AdvanceTo(target));
    for (int i = 0; i < after; ++i) Need(reader.Next());
    AppendSummaryLines(summary, RecentLines(reader, before + 1 + after));
}

void DipoleLine(ui::StringGrid& summary, core::LineReader& reader) {
    do Need(reader.Next());
    while (!core::StartsUpper(reader.TrimmedLine(), "DIPOLE MOMENT"));
    Need(reader.Next());
    auto tokens = core::LineTokens(reader.Line()).ToVector();
    std::string text = "Dipole moment (Debye):";
    for (size_t t = 0; t < tokens.size(); ++t) text += (t == 0 ? "" : "  ") + tokens[t];
    AppendSummaryLines(summary, {text});
}

// The steps of the details phase; each is skipped when its section lies behind the reader.
void ReadDetails(Application& app, core::LineReader& reader, bool& firstStep) {
    auto& log = app.log;
    auto& summary = app.form4.StringGrid3;
    auto ahead = [&](long long target) { return target > reader.LineNumber(); };

    log.charge = 0;
    log.multpl = 1;
    long long chgmlt = PositionAt(log.chgmlt_pos, 1);
    if (log.nchgmlt > 0 && ahead(chgmlt)) {
        Need(reader.AdvanceTo(chgmlt));
        ReadChargeMultiplicity(app, reader.Line());
    }
    firstStep = false;

    // The final structure of a single point comes before its energy; so does that of an
    // optimisation that stopped without printing its geometry again.
    long long scf = PositionAt(log.scfdone_pos, log.ndone);
    long long force = PositionAt(log.force_pos, log.nforce2);
    if (!log.opt_chk || FinalStructureLine(log) < (log.nforce2 > 0 ? force : scf))
        Need(ReadFinalStructure(app, reader));

    if (log.ndone > 0 && ahead(scf)) {
        int m = (log.multpl > 1 || log.annihilation_check) ? 6 : 1;
        CopyBlock(summary, reader, scf, 0, m);
    }

    if (log.opt_chk && log.nforce2 > 0 && ahead(force)) CopyBlock(summary, reader, force, 1, 5);

    Need(ReadFinalStructure(app, reader));

    // A spin-density table of its own lies before the steps that follow.
    long long freq = FirstFrequencyLine(app);
    long long dipole = PositionAt(log.dipol_pos, log.ndipol);
    long long firstForce = PositionAt(log.force_pos, 1);
    long long spinBefore = log.nline + 1;
    for (long long next : {dipole, freq, log.opt_chk ? 0 : firstForce})
        if (ahead(next)) spinBefore = std::min(spinBefore, next);
    if (log.nmllkn > 0 && ahead(PositionAt(log.mllkn_pos, log.nmllkn)))
        Need(ReadMullikenCharges(app, reader, spinBefore));

    if (log.ndipol > 0 && ahead(dipole)) DipoleLine(summary, reader);

    if (log.nfreq > 0 && ahead(freq)) CopyBlock(summary, reader, freq, 2, 3);

    if (!log.opt_chk && log.nforce > 0 && ahead(firstForce)) CopyBlock(summary, reader, firstForce, 1, 5);
}

}  // namespace

void AppendSummaryLines(ui::StringGrid& summary, const std::vector<std::string>& lines) {
    int old = summary.RowCount();
    summary.SetRowCount(old + static_cast<int>(lines.size()) + 1);
    for (size_t i = 0; i < lines.size(); ++i) summary.SetCell(1, old + 1 + static_cast<int>(i), lines[i]);
}

int PositionAt(const std::vector<int>& positions, int index) {
    if (index < 0 || static_cast<size_t>(index) >= positions.size()) return 0;
    return positions[static_cast<size_t>(index)];
}

std::vector<std::string> RecentLines(const core::LineReader& reader, int count, int back) {
    std::vector<std::string> lines;
    for (int k = back + count - 1; k >= back; --k) lines.emplace_back(reader.Line(k));
    return lines;
}

// Phase 7: creation stamp, then route, title and charge lines from the keyword index.
void JobSummaryHeaderPhase(Application& app) {
    using core::KeywordKind;
    const auto& hits = app.log.keywords;
    auto& summary = app.form4.StringGrid3;
    if (hits.size() <= 1) return;
    if (summary.RowCount() < 2) summary.SetRowCount(2);

    std::string stamp = "Creaded on " + app.platform.DateTimeText();
    if (!app.log.opt_chk) stamp += " ## No Opt Keyword in this Job ##";
    summary.SetCell(1, 1, stamp);

    bool afterRoute = false;  // the hit before is a line of the same route section
    for (const auto& hit : hits) {
        if (hit.kind == KeywordKind::Route) {
            int last = summary.RowCount() - 1;
            if (afterRoute)  // a continuation line
                summary.SetCell(1, last, summary.Cell(1, last) + std::string(hit.contents));
            else
                AppendSummaryLines(summary, {std::string(hit.contents)});
        } else if (hit.kind == KeywordKind::Title) {
            AppendSummaryLines(summary, {"Title: " + std::string(hit.contents)});
        } else if (hit.kind == KeywordKind::ChargeMultiplicity) {
            std::string text = "Charge/Multiplicity: " + std::string(hit.contents);
            if (app.log.annihilation_check) text += " (Unrestricted)";
            AppendSummaryLines(summary, {text});
        }
        afterRoute = hit.kind == KeywordKind::Route;
    }
}

// Phase 9: charge and multiplicity, final energies, convergence, final structure with
// Mulliken charges, dipole moment and the first frequency lines, in the order of the log.
void JobSummaryDetailsPhase(Application& app) {
    auto& log = app.log;
    if (log.FileDum.empty()) return;
    bool firstStep = true;
    try {
        core::LineReader reader(log.FileDum, kSummaryHistory, log.nline, &log.linemarks);
        try {
            ReadDetails(app, reader, firstStep);
        } catch (const core::ConversionError& e) {
            // Every step parses the line the reader stands on.
            throw core::ConversionError("Line " + core::IntText(reader.LineNumber()) + " of \"" + log.FileDum +
                                        "\": " + e.what());
        }
    } catch (const LogEnded&) {
        app.ShowMessageCentred(firstStep ? "Error on extracting the data!"
                                         : "Abnormal ending of the file! Check your log file!!");
        app.Fail();
    }
    app.Pause(log.sleeptime);
}

}  // namespace mavrolin

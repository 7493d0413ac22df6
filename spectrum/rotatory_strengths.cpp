#include "spectrum/rotatory_strengths.h"

#include <algorithm>
#include <cmath>

#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/tokenizer.h"

namespace mavrolin::spectrum {

namespace {

// Lines a job prints between the rotatory strengths and the first state line: the two
// tables and the transition-moment table after them (a row per state each), a few titles.
// The stretch read before a block is several times that, so a layout with a table more in
// between is still covered, and the read stays short however long the log is.
long long StretchBefore(size_t states) { return 12 * (static_cast<long long>(states) + 5) + 200; }

}  // namespace

std::span<const double> RotatoryStrengths::Of(RotatoryForm form) const {
    if (!Has(form)) return {};
    return form == RotatoryForm::Length ? std::span<const double>(length) : std::span<const double>(velocity);
}

void RotatoryTableReader::Line(std::string_view line) {
    const core::LineTokens t(line);
    if (t.Count() == 0) {
        open_ = nullptr;
        return;
    }
    // "       state          XX          YY          ZZ    R(velocity)    E-M Angle"
    // "       state          XX          YY          ZZ     R(length)"
    if (t[1] == "state") {
        open_ = nullptr;
        for (int k = 2; k <= t.Count(); ++k) {
            if (t[k] != "R(velocity)" && t[k] != "R(length)") continue;
            open_ = t[k] == "R(length)" ? &length_ : &velocity_;
            *open_ = {};
            open_->seen = true;
            column_ = static_cast<size_t>(k);
        }
        return;
    }
    if (!open_) return;
    // "         2         7.4136    -41.2581    -64.7349    -32.8598      102.36"
    long long n = 0;
    if (!core::TryParseInt(t[1], n)) {  // the formula line after the table ends it
        open_ = nullptr;
        return;
    }
    double r = 0;
    if (n <= 0 || n > 1000000000 || !core::TryParseDouble(t[static_cast<int>(column_)], r) || !std::isfinite(r)) {
        open_->broken = true;  // a value printed as asterisks, or a row cut off
        open_ = nullptr;
        return;
    }
    open_->number.push_back(static_cast<int>(n));
    open_->value.push_back(r);
}

RotatoryStrengths RotatoryTableReader::For(std::span<const StateLine> states) const {
    RotatoryStrengths rs;
    for (const auto& s : states) {
        rs.number.push_back(s.number);
        rs.ev.push_back(s.ev > 0 ? s.ev : EnergyOfWavenumber(WavenumberOf(s.nm)));
    }
    auto take = [&states](const Table& t, std::vector<double>& out) {
        if (!t.seen || t.broken || states.empty()) return false;
        for (const auto& s : states) {
            auto at = std::find(t.number.begin(), t.number.end(), s.number);
            if (at == t.number.end()) return false;
            out.push_back(t.value[static_cast<size_t>(at - t.number.begin())]);
        }
        return true;
    };
    rs.hasVelocity = take(velocity_, rs.velocity);
    rs.hasLength = take(length_, rs.length);
    if (!rs.hasVelocity) rs.velocity.clear();
    if (!rs.hasLength) rs.length.clear();
    return rs;
}

RotatoryStrengths ReadRotatoryStrengths(const std::filesystem::path& file, const ExcitedStateImport& im,
                                        const core::LineMarks* marks) {
    RotatoryTableReader tables;
    if (im.states.empty() || im.firstLine <= 1) return tables.For(im.states);
    const long long from = std::max({im.previousBlockEnd + 1, im.firstLine - StretchBefore(im.states.size()), 1LL});
    core::LineReader in(file, 0, im.firstLine - 1, marks);
    if (in.AdvanceTo(from)) {
        do {
            tables.Line(in.Line());
        } while (in.Next());
    }
    return tables.For(im.states);
}

RotatoryStrengths ReadRotatoryStrengths(const std::filesystem::path& log) {
    core::LineMarks marks;
    const auto headers = ReadStateHeaders(log, &marks);
    const ExcitedStateImport im = ReadExcitedStates(log, headers, &marks);
    return ReadRotatoryStrengths(log, im, &marks);
}

}  // namespace mavrolin::spectrum

#include "spectrum/excited_states.h"

#include <algorithm>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/line_reader.h"
#include "core/text_view.h"
#include "core/tokenizer.h"

namespace mavrolin::spectrum {

namespace {

using core::ConversionError;

std::vector<std::string> Tokens(std::string_view line) { return core::LineTokens(line).ToVector(); }

bool IsStateHeader(std::string_view trimmed) { return trimmed.substr(0, 13) == "Excited State"; }

bool StartsWithDigit(std::string_view s) { return !s.empty() && s[0] >= '0' && s[0] <= '9'; }

double RoundTo6(double v) { return static_cast<double>(core::RoundHalfEven(v * 1000000)) / 1000000; }

// A contribution line: blanks around "->" so that "35->36" splits, then blank tokens.
EsiRow ContributionRow(std::string line) {
    auto arrow = line.find("->");
    if (arrow != std::string::npos) line.replace(arrow, 2, " -> ");
    auto tokens = Tokens(line);
    if (tokens.size() > 9) tokens.resize(9);
    return tokens;
}

// An arrow glued to the target orbital ("<-36") is split back into arrow and orbital.
void RepairArrow(EsiRow& row) {
    if (row.size() < 4) row.resize(4);  // columns 0..3 exist before any is moved
    auto move = [&row] {
        row[3] = row[2];
        const std::string w = core::Trim(row[1]);
        row[2] = w.size() > 2 ? w.substr(2) : std::string();
        row[1] = w.substr(0, 2);
    };
    if (core::Trim(row[1]).size() <= 2) return;
    move();
    if (row[3].empty()) move();
}

// Ends the contributions of the last state: the link trailers, a long line, or (as
// between states) any other non-empty line that does not begin with a digit.
bool EndsTail(std::string_view trimmed) {
    if (trimmed.size() > 30) return true;
    if (trimmed.empty()) return false;
    auto tokens = Tokens(trimmed);
    const std::string& t = tokens.front();
    if (t == "SavETr:" || t == "Leave" || t == "(Enter" || t == "Copying") return true;
    return !StartsWithDigit(trimmed);
}

// The highest integer from-orbital (a trailing A or B dropped); rows whose from-orbital
// is not an integer, as EOM-CC runs print them, are passed over.
int HighestFromOrbital(const ExcitedStateImport& im) {
    int homo = 0;
    for (size_t i = 0; i < im.exctd_pos.size(); ++i) {
        for (int k = 1; k <= im.nci_coeff[i]; ++k) {
            const EsiRow& row = im.rows[static_cast<size_t>(im.exctd_pos[i] + k)];
            std::string from = row.empty() ? std::string() : core::Trim(row[0]);
            if (!from.empty() && (from.back() == 'A' || from.back() == 'B')) from.pop_back();
            long long v = 0;
            if (core::TryParseInt(from, v) && v > homo && v <= 2147483647) homo = static_cast<int>(v);
        }
    }
    return homo;
}

}  // namespace

int StateNumberOf(std::string_view line) {
    auto tokens = Tokens(line);
    if (tokens.size() < 3) return 0;
    std::string t = tokens[2];
    if (!t.empty() && t.back() == ':') t.pop_back();
    long long v = 0;
    return core::TryParseInt(t, v) && v > 0 && v < 1000000000 ? static_cast<int>(v) : 0;
}

StateLine ParseStateLine(std::string_view line) {
    StateLine s;
    s.number = StateNumberOf(line);
    auto tokens = Tokens(line);
    auto nmAt = std::find(tokens.begin(), tokens.end(), "nm");
    if (nmAt == tokens.begin() || nmAt == tokens.end())
        throw ConversionError("'" + std::string(line) + "' gives no wavelength (no number before \"nm\")");
    s.nm = core::ParseDouble(*(nmAt - 1));
    auto fAt = std::find_if(tokens.begin(), tokens.end(), [](const std::string& t) { return t.starts_with("f="); });
    if (fAt == tokens.end())
        throw ConversionError("'" + std::string(line) + "' gives no oscillator strength (no \"f=\")");
    s.f = core::ParseDouble(fAt->substr(2));
    auto evAt = std::find(tokens.begin(), tokens.end(), "eV");
    if (double ev = 0; evAt != tokens.begin() && evAt != tokens.end() && core::TryParseDouble(*(evAt - 1), ev))
        s.ev = ev;
    return s;
}

double WavenumberOf(double nm) { return RoundTo6(10000000 / nm); }
double EnergyOfWavenumber(double kz) { return RoundTo6(kz * 1.98644881010464e-23 / 1.60217733e-19); }

std::vector<size_t> BlockStarts(std::span<const int> numbers) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < numbers.size(); ++i)
        if (i == 0 || (numbers[i] != 0 && numbers[i] <= numbers[i - 1])) starts.push_back(i);
    return starts;
}

int ExcitedStateImport::StatesWithoutContributions() const {
    return static_cast<int>(std::count(nci_coeff.begin(), nci_coeff.end(), 0));
}

std::vector<StateHeader> ReadStateHeaders(const std::filesystem::path& file, core::LineMarks* marks) {
    std::vector<StateHeader> headers;
    core::LineReader in(file, 0);
    if (marks) in.TakeMarks(*marks);
    static const core::LineStarts kStates = core::LineStarts().Add("Ex");
    // " Excited State   1:      Singlet-A      5.6287 eV  220.27 nm  f=0.0018  <S**2>=0.000"
    while (in.NextStartingWith(kStates))
        if (IsStateHeader(in.TrimmedLine())) headers.push_back({in.LineNumber(), std::string(in.TrimmedLine())});
    return headers;
}

ExcitedStateImport ReadExcitedStates(const std::filesystem::path& file, std::span<const StateHeader> headers,
                                     const core::LineMarks* marks) {
    ExcitedStateImport im;
    // A log cut inside its last state line: that state is left out, the others are kept.
    if (!headers.empty()) {
        try {
            ParseStateLine(headers.back().text);
        } catch (const ConversionError&) {
            im.cutLine = headers.back().line;
            headers = headers.first(headers.size() - 1);
        }
    }
    if (headers.empty()) return im;
    std::vector<int> numbers;
    for (const auto& h : headers) numbers.push_back(StateNumberOf(h.text));
    auto starts = BlockStarts(numbers);
    im.blocks = static_cast<int>(starts.size());
    const size_t first = starts.back();
    for (size_t i = first; i < headers.size(); ++i) {
        StateLine s = ParseStateLine(headers[i].text);
        im.states.push_back(s);
        im.nm.push_back(s.nm);
        im.f.push_back(s.f);
        im.kz.push_back(WavenumberOf(s.nm));
        im.en_ev.push_back(EnergyOfWavenumber(im.kz.back()));
    }

    // The section from the block's first state line to its last, then the tail (which a
    // cut state line after it ends).
    const long long from = headers[first].line, to = headers.back().line;
    im.firstLine = from;
    im.previousBlockEnd = first > 0 ? headers[first - 1].line : 0;
    core::LineReader in(file, 0, core::LineReader::kNoLimit, marks);
    if (!in.AdvanceTo(from)) return im;
    for (;;) {
        const long long ln = in.LineNumber();
        const std::string_view t = core::TrimView(in.Line());
        if (ln > to) {
            if (EndsTail(t)) break;
            im.rows.push_back(t.empty() ? EsiRow{} : ContributionRow(std::string(t)));
        } else if (t.empty()) {
            im.rows.emplace_back();
        } else if (IsStateHeader(t)) {
            ++im.headersRead;
            im.exctd_pos.push_back(static_cast<int>(im.rows.size()));
            im.rows.emplace_back();
        } else if (t.size() <= 30 && StartsWithDigit(t)) {
            im.rows.push_back(ContributionRow(std::string(t)));
        }
        if (!in.Next()) break;
    }

    // Contribution counts: the rows after a header up to the first with an empty column 0.
    im.exctd_pos.resize(std::min(im.exctd_pos.size(), im.states.size()));
    for (int pos : im.exctd_pos) {
        int k = 0;
        for (size_t r = static_cast<size_t>(pos) + 1; r < im.rows.size(); ++r, ++k)
            if (im.rows[r].empty() || core::Trim(im.rows[r][0]).empty()) break;
        im.nci_coeff.push_back(k);
        for (int j = 1; j <= k; ++j) RepairArrow(im.rows[static_cast<size_t>(pos + j)]);
    }
    while (im.nci_coeff.size() < im.states.size()) {  // headers missing from the section
        im.exctd_pos.push_back(0);
        im.nci_coeff.push_back(0);
    }
    im.homo = HighestFromOrbital(im);
    return im;
}

}  // namespace mavrolin::spectrum

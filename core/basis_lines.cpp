#include "core/basis_lines.h"

#include "core/number_text.h"
#include "core/text_view.h"
#include "core/tokenizer.h"

namespace core {

namespace {

// Older versions end the title with a full stop, newer ones with a colon or nothing.
bool TitleWithPrefix(const std::string& line, std::string_view prefix) {
    std::string t = UpperAscii(Trim(line));
    if (!t.empty() && (t.back() == ':' || t.back() == '.')) t.pop_back();
    return t == std::string(prefix) + "MOLECULAR ORBITAL COEFFICIENTS";
}

}  // namespace

std::optional<int> CountAfter(std::string_view line, std::string_view key) {
    std::string_view t = TrimView(line);
    if (!t.starts_with(key)) return std::nullopt;
    LineTokens words(t.substr(key.size()));
    const std::string* first = nullptr;  // the first token that is not empty
    for (int k = 1; k <= words.Count() && !first; ++k)
        if (!words[k].empty()) first = &words[k];
    long long v = 0;
    if (!first || !TryParseInt(*first, v) || v < 0 || v > 1000000) return std::nullopt;
    return static_cast<int>(v);
}

void NoteBasisLine(std::string_view line, long long lineNo, BasisLines& notes) {
    line = TrimView(line);
    // " NBasis=   108 RedAO= T EigKep=  3.18D-03  NBF=    60"
    if (line.starts_with("NB")) {
        if (auto v = CountAfter(line, "NBasis=")) notes.nbasis.emplace_back(lineNo, *v);
        if (auto v = CountAfter(line, "NBsUse=")) notes.nbsuse.emplace_back(lineNo, *v);
    }
    // "     Molecular Orbital Coefficients:" (the title test itself runs on candidates only)
    if (line.size() <= 64 && (StartsUpper(line, "MOLECULAR ORBITAL") || StartsUpper(line, "ALPHA MOLECULAR")) &&
        IsCoefficientTitle(std::string(line)))
        notes.titles.push_back(lineNo);
}

bool IsCoefficientTitle(const std::string& line) {
    return TitleWithPrefix(line, "") || TitleWithPrefix(line, "ALPHA ");
}

bool IsBetaCoefficientTitle(const std::string& line) { return TitleWithPrefix(line, "BETA "); }

}  // namespace core

#pragma once
// Views on one line of text: trimming, fixed-column slices and the case-folded prefix
// test the log readers match keywords with. Nothing here allocates except Trim and
// UpperAscii, which return new strings.
#include <string>
#include <string_view>

namespace core {

// Characters with code <= 32 (blanks, tabs, CR, control characters) count as blank.
constexpr bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= 32; }

// The text without its leading and trailing blank characters.
inline std::string_view TrimView(std::string_view s) {
    while (!s.empty() && IsBlankChar(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlankChar(s.back())) s.remove_suffix(1);
    return s;
}
std::string Trim(std::string_view s);
void TrimInPlace(std::string& s);

// True when the text holds nothing but blank characters.
bool IsBlank(std::string_view s);

// First n characters (or fewer).
std::string_view First(std::string_view s, size_t n);
// Characters from..end, counting from 1; "" when the text is shorter.
std::string_view From(std::string_view s, size_t from);
// The first n characters, trimmed (the whole text trimmed when it is shorter).
inline std::string_view TrimmedPrefix(std::string_view s, size_t n) { return TrimView(First(s, n)); }

// True when the first upperLiteral.size() characters of `text`, ASCII letters
// upper-cased, equal `upperLiteral` (which is written in upper case). Inline: the log
// scan runs it on every line.
inline bool StartsUpper(std::string_view text, std::string_view upperLiteral) {
    if (text.size() < upperLiteral.size()) return false;
    for (size_t i = 0; i < upperLiteral.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != upperLiteral[i]) return false;
    }
    return true;
}

// The word after the first `label` in the line, leading blanks skipped, up to the next
// blank: "Multiplicity =10" and "Multiplicity = 10" both give "10". "" without the label.
std::string_view WordAfter(std::string_view line, std::string_view label);

// ASCII a-z to upper case, other bytes unchanged.
std::string UpperAscii(std::string s);

}  // namespace core

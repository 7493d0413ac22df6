#include "core/text_view.h"

namespace core {

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

void TrimInPlace(std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlankChar(s[b])) ++b;
    while (e > b && IsBlankChar(s[e - 1])) --e;
    if (b == 0 && e == s.size()) return;
    s.erase(e);
    s.erase(0, b);
}

bool IsBlank(std::string_view s) { return TrimView(s).empty(); }

std::string_view First(std::string_view s, size_t n) { return s.substr(0, n < s.size() ? n : s.size()); }

std::string_view From(std::string_view s, size_t from) {
    return from >= 1 && from <= s.size() ? s.substr(from - 1) : std::string_view{};
}

std::string UpperAscii(std::string s) {
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace core

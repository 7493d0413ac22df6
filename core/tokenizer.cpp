#include "core/tokenizer.h"

#include <algorithm>

namespace core {

namespace {

inline bool Low(char c) { return static_cast<unsigned char>(c) <= 32; }

// Copies buff[from, to) into dst trimmed, reusing dst's storage.
void AssignTrimmed(std::string& dst, const std::string& buff, size_t from, size_t to) {
    while (from < to && Low(buff[from])) ++from;
    while (to > from && Low(buff[to - 1])) --to;
    dst.assign(buff, from, to - from);
}

int DecodeWith(char sep, std::string& buff, StrCode& strcode, int& ncode) {
    TrimInPlace(buff);
    const size_t len = buff.size();
    // Token ends: 0-based index of the first separator after a token. At most 99 are
    // kept so that tokens never go beyond strcode[100]; the rest of the line becomes
    // part of the last token.
    size_t ends[kMaxTokens];
    int found = 0;
    for (size_t k = 1; k + 1 < len && found < kMaxTokens - 1; ++k) {
        if (buff[k - 1] != sep && buff[k] == sep) ends[found++] = k;
    }
    if (found == 0) {
        ncode = 1;
        strcode[1] = buff;
        return ncode;
    }
    ncode = found + 1;
    AssignTrimmed(strcode[1], buff, 0, ends[0]);
    for (int t = 2; t <= found + 1; ++t) {
        size_t from = ends[t - 2];
        size_t to = t <= found ? ends[t - 1] : len;
        AssignTrimmed(strcode[t], buff, from, to);
        if (sep == ' ' && strcode[t] == "\xE3\x80\x80") strcode[t].clear();
    }
    return ncode;
}

}  // namespace

int DecodeBlank(std::string& buff, StrCode& strcode, int& ncode) {
    return DecodeWith(' ', buff, strcode, ncode);
}

int DecodeTab(std::string& buff, StrCode& strcode, int& ncode) {
    return DecodeWith('\t', buff, strcode, ncode);
}

bool Decode10(const std::string& buff, StrCode& strcode, int& ncode) {
    const size_t len = buff.size();
    if (len % 10 != 0 || len / 10 > static_cast<size_t>(kMaxTokens)) return false;
    ncode = static_cast<int>(len / 10);
    for (int t = 1; t <= ncode; ++t) strcode[t].assign(buff, (t - 1) * 10, 10);
    return true;
}

void TrimInPlace(std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && Low(s[b])) ++b;
    while (e > b && Low(s[e - 1])) --e;
    if (b == 0 && e == s.size()) return;
    s.erase(e);
    s.erase(0, b);
}

std::string Trim(const std::string& s) {
    std::string r = s;
    TrimInPlace(r);
    return r;
}

std::string UpperAscii(std::string s) {
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace core

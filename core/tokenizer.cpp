#include "core/tokenizer.h"

#include <algorithm>

namespace core {

namespace {

// Copies buff[from, to) into dst trimmed, reusing dst's storage.
void AssignTrimmed(std::string& dst, const std::string& buff, size_t from, size_t to) {
    while (from < to && IsBlankChar(buff[from])) ++from;
    while (to > from && IsBlankChar(buff[to - 1])) --to;
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

int LineTokens::Split(std::string_view line) {
    buff_.assign(line);
    int n = 0;
    DecodeBlank(buff_, code_, n);
    count_ = buff_.empty() ? 0 : n;
    return count_;
}

const std::string& LineTokens::operator[](int k) const {
    static const std::string kNone;
    return k >= 1 && k <= count_ ? code_[static_cast<size_t>(k)] : kNone;
}

std::vector<std::string> LineTokens::ToVector() const {
    return std::vector<std::string>(code_.begin() + 1, code_.begin() + 1 + count_);
}

}  // namespace core

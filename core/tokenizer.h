#pragma once
// The three tokenizers every reader uses. They write tokens 1..ncode of a 103-entry
// array; entry 0 is never written and entries above ncode keep what an earlier call left.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_view.h"

namespace core {

constexpr int kMaxTokens = 100;
using StrCode = std::array<std::string, 103>;

// Blank-separated: trims buff in place; runs of blanks are one separator; a lone
// ideographic space token (after the first) becomes empty. Returns ncode.
int DecodeBlank(std::string& buff, StrCode& strcode, int& ncode);

// Tab-separated: as DecodeBlank with the tab as separator; fields are trimmed of blanks.
int DecodeTab(std::string& buff, StrCode& strcode, int& ncode);

// Fixed 10-character fields, untrimmed. Returns false (and changes nothing) when the
// length is not a multiple of 10 or would give more tokens than the array holds.
bool Decode10(const std::string& buff, StrCode& strcode, int& ncode);

// The blank-separated tokens of one line, kept with their own storage. A token the line
// does not have reads as "", never as a token an earlier line left in the array (the
// shared tokenizers leave entries above ncode as they were).
class LineTokens {
public:
    LineTokens() = default;
    explicit LineTokens(std::string_view line) { Split(line); }
    // Tokenizes `line` with DecodeBlank; returns the count (0 for a blank line).
    int Split(std::string_view line);
    int Count() const { return count_; }
    // Token k (1-based); "" outside 1..Count().
    const std::string& operator[](int k) const;
    const std::string& Last() const { return (*this)[count_]; }
    std::vector<std::string> ToVector() const;

private:
    std::string buff_;
    StrCode code_;
    int count_ = 0;
};

}  // namespace core

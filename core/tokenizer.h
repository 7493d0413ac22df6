#pragma once
// The three tokenizers every reader uses. They write tokens 1..ncode of a 103-entry
// array; entry 0 is never written and entries above ncode keep what an earlier call left.
#include <array>
#include <string>

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

// Leading and trailing characters with code <= 32 removed.
std::string Trim(const std::string& s);
void TrimInPlace(std::string& s);

// ASCII a-z to upper case, other bytes unchanged.
std::string UpperAscii(std::string s);

}  // namespace core

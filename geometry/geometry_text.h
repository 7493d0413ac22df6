#pragma once
// Small text helpers shared by the coordinate and Z-matrix readers.
#include <string>
#include <vector>

namespace mavrolin::geometry {

// Fields of a line cut at word starts: a field begins where a blank is followed by a
// non-blank character (never at the first character) and runs, blanks included, up to
// the next field. A line that starts with a word therefore never yields that word.
std::vector<std::string> WordFields(const std::string& line);

// True when the line holds nothing but characters with code <= 32.
bool IsBlankLine(const std::string& line);

// The first `n` characters of a line, trimmed (the whole line when it is shorter).
std::string TrimmedPrefix(const std::string& line, size_t n);

// Atomic number from the element letters that start an atom label ("C12" -> 6,
// "Cl3" -> 17, "ZN1" -> 30); 0 when the letters name no element.
int AtomicNumberOfLabel(const std::string& label);

}  // namespace mavrolin::geometry

#pragma once
// Small text helpers shared by the coordinate and Z-matrix readers.
#include <string>
#include <vector>

namespace mavrolin::geometry {

// Fields of a line cut at word starts: a field begins where a blank is followed by a
// non-blank character (never at the first character) and runs, blanks included, up to
// the next field. A line that starts with a word therefore never yields that word.
std::vector<std::string> WordFields(const std::string& line);

// Atomic number from the element letters that start an atom label ("C12" -> 6,
// "Cl3" -> 17, "ZN1" -> 30); 0 when the letters name no element.
int AtomicNumberOfLabel(const std::string& label);

// The text reads as a number as a whole.
bool IsNumberText(const std::string& text);

// The fields of a Cartesian row of a molecule section: symbol and three coordinates, or
// symbol, freeze flag (0 or -1) and three coordinates. A Z-matrix starts with a lone symbol.
bool IsCartesianRow(const std::vector<std::string>& fields);

// A Z-matrix value with its sign changed ("-126.380" -> "126.380", "+1.5" and "1.5" ->
// "-1.5"); empty text and a value equal to zero are kept as they are.
std::string NegatedValue(const std::string& value);

}  // namespace mavrolin::geometry

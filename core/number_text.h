#pragma once
// Number <-> text conversions shared by every reader and writer. All use "." as the
// decimal point whatever the locale.
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Shortest form with up to 15 significant digits; scientific ("1E-5", "1.5E20") for
// magnitudes below 1E-4 that need it or with more than 15 integer digits; zero is "0".
std::string FloatText(double v);

// Decimal digits with a leading "-" when negative.
std::string IntText(long long v);

// Fixed notation with `decimals` digits, right-aligned in at least `width` characters.
std::string FixedText(double v, int width, int decimals);

// The 23-character scientific text: sign position, d.dddddddddddddd, "E", sign, 4 digits.
std::string Sci23Text(double v);

// Nearest integer, halves to the even neighbour.
long long RoundHalfEven(double v);

// Decimal text with "." (leading/trailing blanks allowed, D exponents not). Throws
// ConversionError naming the text when it is not a number.
double ParseDouble(std::string_view text);
long long ParseInt(std::string_view text);

// Non-throwing forms for scanners that test before they convert.
bool TryParseDouble(std::string_view text, double& out);
bool TryParseInt(std::string_view text, long long& out);

}  // namespace core

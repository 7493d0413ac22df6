#pragma once
// The lines of a log that the coefficient load needs, noted by the log scan as it passes
// them, so that the load goes straight to its block instead of reading every line before
// it: each readable "NBasis=" and "NBsUse=" count with its line number, and the line of
// each coefficient title. The tests that tell those lines are here, shared by the scan
// and the coefficient reader.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

struct BasisLines {
    std::string file;  // the log they were noted from
    std::vector<std::pair<long long, int>> nbasis, nbsuse;
    std::vector<long long> titles;
    void Clear() { *this = BasisLines{}; }
};

// Notes what `line` (line number `lineNo`) tells the coefficient load, if anything.
void NoteBasisLine(std::string_view line, long long lineNo, BasisLines& notes);

// The count after `key` ("NBasis=", "NBsUse=") on a line that starts with it once trimmed,
// whether or not blanks follow the "="; nothing when the line holds no such count.
std::optional<int> CountAfter(std::string_view line, std::string_view key);

// "Molecular Orbital Coefficients" or "Alpha Molecular Orbital Coefficients", ending in a
// colon, a full stop or nothing, any case, surrounding blanks ignored.
bool IsCoefficientTitle(const std::string& line);
bool IsBetaCoefficientTitle(const std::string& line);

}  // namespace core

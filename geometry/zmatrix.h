#pragma once
// Z-matrix tables as Gaussian prints them, and the named form the writers produce.
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace ui {
class StringGrid;
}

namespace mavrolin::geometry {

// One line of a "Z-MATRIX (ANGSTROMS AND DEGREES)" table split into the 13 columns of
// the final Z-matrix grid: centre-definition number, centre number, element, then for
// bond, angle and torsion the reference row, the value and the parameter number, and
// the angle-mode flag. Handles a first or dummy centre printed without centre number
// and a parameter number printed joined to its value, as in 1.090000(123).
std::array<std::string, 13> SplitZmatrixTableLine(const std::string& line);

// The 13 headers of the final Z-matrix grid.
extern const std::array<const char*, 13> kFinalZmatrixHeaders;

// The molecule lines that make every internal coordinate a variable of its own (R, A, D
// and the row number), then "      Variables:" and one line per variable, taken from
// rows 1..last of the final Z-matrix grid; rows that do not exist are not written.
// `torsionTail(r)` is appended to the line of row r >= 4.
std::vector<std::string> NamedZmatrixLines(const ui::StringGrid& finalGrid, int last,
                                           const std::function<std::string(int)>& torsionTail);

}  // namespace mavrolin::geometry

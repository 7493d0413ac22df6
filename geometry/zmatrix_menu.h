#pragma once
// The named Z-matrix form the writers produce from the final Z-matrix grid (the reader
// of the tables is zmatrix_reader.h).
#include <functional>
#include <string>
#include <vector>

namespace ui {
class StringGrid;
}

namespace mavrolin::geometry {

// The molecule lines that make every internal coordinate a variable of its own (R, A, D
// and the row number), then "      Variables:" and one line per variable, taken from
// rows 1..last of the final Z-matrix grid; rows that do not exist are not written.
// `torsionTail(r)` is appended to the line of row r >= 4.
std::vector<std::string> NamedZmatrixLines(const ui::StringGrid& finalGrid, int last,
                                           const std::function<std::string(int)>& torsionTail);

}  // namespace mavrolin::geometry

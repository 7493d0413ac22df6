#pragma once
// Z-matrices in a Gaussian output: the symbolic Z-matrix of the input (first in the file)
// and the last "Z-MATRIX (ANGSTROMS AND DEGREES)" table split into its columns. Read in one
// pass without any window; the main window's "Get Final Z-matrix Coordinates" shows them.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace mavrolin::geometry {

// One line of a "Z-MATRIX (ANGSTROMS AND DEGREES)" table split into the 13 columns of
// the final Z-matrix grid: centre-definition number, centre number, element, then for
// bond, angle and torsion the reference row, the value and the parameter number, and
// the angle-mode flag. Handles a first or dummy centre printed without centre number
// and a parameter number printed joined to its value, as in 1.090000(123).
std::array<std::string, 13> SplitZmatrixTableLine(const std::string& line);

// The 13 headers of the final Z-matrix grid.
extern const std::array<const char*, 13> kFinalZmatrixHeaders;

// What one pass over the output file finds.
struct ZmatrixSections {
    long long nline = 0;
    // The symbolic Z-matrix: the words after "Charge =" and "Multiplicity =" on its first
    // line, its centre lines and the lines of its variables section, as printed.
    bool symbolicFound = false, symbolicComplete = false;
    std::string charge, multiplicity;
    std::vector<std::string> centres, variables;
    bool cartesian = false;  // the molecule was given as Cartesian rows: none of it is kept
    // The last table, each line split into the 13 columns (see SplitZmatrixTableLine).
    bool tableFound = false, tableComplete = false;
    std::vector<std::array<std::string, 13>> table;
};

// The symbolic Z-matrix ends at its first empty line; "Variables:" before that line
// splits centres from variables. The last table ends at its closing rule. A section
// that the end of the file cuts off is reported as incomplete.
ZmatrixSections ReadZmatrixSections(const std::filesystem::path& path);

}  // namespace mavrolin::geometry

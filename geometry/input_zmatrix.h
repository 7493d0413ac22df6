#pragma once
// The molecule section of a Gaussian input read as a Z-matrix: its lines, the values of
// its variables, and the rows with every symbolic value replaced by its number. No
// window: the main window's "Convert Z-Matrix Format" shows and writes what it returns.
#include <map>
#include <string>
#include <vector>

namespace mavrolin::geometry {

// The molecule section of a Gaussian input: the lines after the charge and
// multiplicity line (which follows the second empty line), up to the next empty line
// or a "Variables:" line; then, when present, the variables that follow.
struct InputZmatrix {
    long long nline = 0;
    bool started = false;  // the charge and multiplicity line was reached
    bool complete = false;
    std::vector<std::string> lines;
    std::vector<long long> lineNumbers;            // of each of `lines` in the file
    std::map<std::string, std::string> variables;  // upper-case name -> value text
};

// Reads the whole input. Throws core::FileError when it cannot be read.
InputZmatrix ReadInputZmatrix(const std::string& path);

// The rows of a Z-matrix with numbers for names, as far as they could be taken.
struct ResolvedZmatrix {
    std::vector<std::vector<std::string>> rows;  // the fields of each line
    std::string refused;     // "Line N: why", for the first line that cannot be taken
    std::string unresolved;  // the first name without a value in the input
};

// Checks the lines in order (the first refused one ends the check) and replaces the
// bond, angle and dihedral names by their values.
ResolvedZmatrix ResolveInputZmatrix(const InputZmatrix& z);

// The angle-mode flag of a fourth or later line: its third coordinate is then a second
// bond angle rather than a dihedral.
bool IsAngleFlag(const std::string& text);

}  // namespace mavrolin::geometry

#pragma once
// Orientation blocks of a Gaussian output file ("Standard orientation:", "Input
// orientation:" and "Z-Matrix orientation:" tables) read into atoms with their coordinates,
// and the line layout of the labelled Cartesian file. No window: the main window's
// "Get Final Standard Orientation", the optimisation profile, the job summary, the
// trajectory and the Molden file all read their atoms through these functions.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_file.h"

namespace mavrolin::geometry {

// Line numbers (1-based) of one orientation block.
struct OrientationBlock {
    long long header = 0;  // the header line
    long long first = 0;   // first atom line: header + 5
    long long last = 0;    // last atom line: the line before the closing rule
    int AtomCount() const { return static_cast<int>(last - first + 1); }
};

// One atom line: the coordinate texts exactly as printed and their values.
struct OrientationAtom {
    long long atomicNumber = 0;
    std::string x, y, z;
    double a = 0, b = 0, c = 0;
};

// Trimmed text exactly "Standard orientation:", "Input orientation:" or (a Z-matrix input
// run without symmetry) "Z-Matrix orientation:".
bool IsOrientationHeader(std::string_view line);
// The first six characters are a blank and five hyphens.
bool IsClosingRule(std::string_view line);

struct OrientationSearch {
    std::optional<OrientationBlock> last;  // the last complete block of the file
    long long cutOffHeader = 0;            // header of a final block the file ends inside, or 0
    long long lines = 0;                   // in the file, as core::CountLines gives them
};

// One pass over the file; a later block replaces an earlier one. A block whose closing
// rule never comes is not taken: its header is reported in cutOffHeader instead. With
// `marks`, takes the file's line marks on the way, for ReadOrientationAtoms to jump by.
OrientationSearch FindLastOrientation(const std::filesystem::path& file, core::LineMarks* marks = nullptr);

// The block whose header is line `header`: atoms from header + 5 up to the line before the
// next closing rule (the first atom line is not tested). Nothing when the file ends first.
std::optional<OrientationBlock> BlockAtHeader(const std::filesystem::path& file, long long header);

// An atom line: five tokens (centre, atomic number, X, Y, Z) or six (with the atomic type
// before X). Throws core::ConversionError when a needed token is missing or not a number.
OrientationAtom ParseAtomLine(std::string_view line);

// Reads the atom lines of a block (going straight to it with the marks of a pass over the
// same file, when given). Throws core::ConversionError (naming the line) or
// core::InputError when the file is shorter than the block.
std::vector<OrientationAtom> ReadOrientationAtoms(const std::filesystem::path& file, const OrientationBlock& block,
                                                  const core::LineMarks* marks = nullptr);

// Element symbol followed by the row number (C1, H2 ...); numbers outside 1..118 give
// "Bq" and the row number.
std::string AtomLabel(long long atomicNumber, int row);

// One line of the labelled Cartesian file: label, then X, Y, Z each after one blank in
// fixed notation with five decimals, right-aligned in ten characters (wider when needed).
std::string LabelledCartesianLine(const std::string& label, double x, double y, double z);

}  // namespace mavrolin::geometry

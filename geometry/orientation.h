#pragma once
// Orientation blocks of a Gaussian output file ("Standard orientation:", "Input
// orientation:" and "Z-Matrix orientation:" tables) and the labelled Cartesian file
// written from the coordinate grid.
// The main window's "Get Final Standard Orientation" and "Save Cartesian Coordinates with
// Labels" are built from these pieces; the optimisation profile reads the block of one
// step with them, and other coordinate readers may share the grid helpers.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/loaded_log.h"
#include "ui/controls.h"

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
bool IsOrientationHeader(const std::string& line);
// The first six characters are a blank and five hyphens.
bool IsClosingRule(const std::string& line);

struct OrientationSearch {
    std::optional<OrientationBlock> last;  // the last complete block of the file
    long long cutOffHeader = 0;            // header of a final block the file ends inside, or 0
};

// One pass over the file; a later block replaces an earlier one. A block whose closing
// rule never comes is not taken: its header is reported in cutOffHeader instead.
OrientationSearch FindLastOrientation(const std::filesystem::path& file);

// The block whose header is line `header`: atoms from header + 5 up to the line before the
// next closing rule (the first atom line is not tested). Nothing when the file ends first.
std::optional<OrientationBlock> BlockAtHeader(const std::filesystem::path& file, long long header);

// An atom line: five tokens (centre, atomic number, X, Y, Z) or six (with the atomic type
// before X). Throws core::ConversionError when a needed token is missing or not a number.
OrientationAtom ParseAtomLine(const std::string& line);

// Reads the atom lines of a block. Throws core::ConversionError (naming the line) or
// core::InputError when the file is shorter than the block.
std::vector<OrientationAtom> ReadOrientationAtoms(const std::filesystem::path& file,
                                                  const OrientationBlock& block);

// Element symbol followed by the row number (C1, H2 ...); numbers outside 1..118 give
// "Bq" and the row number.
std::string AtomLabel(long long atomicNumber, int row);

// Headers "Label", "X (A)", "Y (A)", "Z (A)" and rows 1..n: label, X, Y, Z as printed.
// Sets the row count to n + 1; widens the grid to four columns when it is narrower.
void FillCoordinateGrid(ui::StringGrid& grid, const std::vector<OrientationAtom>& atoms);

// ndata and the atom arrays (sized ndata + 10): atomicn, a, b, c and the labels in lab.
void StoreAtoms(core::LoadedLog& log, const std::vector<OrientationAtom>& atoms);

// One line of the labelled Cartesian file: label, then X, Y, Z each after one blank in
// fixed notation with five decimals, right-aligned in ten characters (wider when needed).
std::string LabelledCartesianLine(const std::string& label, double x, double y, double z);

// Writes rows 1..rows of a coordinate grid as a labelled Cartesian file; every coordinate
// cell is read as a number first (core::ConversionError otherwise, and no file is left).
void WriteLabelledCartesian(const std::filesystem::path& file, const ui::StringGrid& grid, int rows);

}  // namespace mavrolin::geometry

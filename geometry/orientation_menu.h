#pragma once
// The coordinate table of the main window filled from orientation atoms, the atom record
// kept with it, and the labelled Cartesian file written from that table. The main window's
// orientation commands and the optimisation profile (which loads the block of one step)
// share them.
#include <filesystem>
#include <vector>

#include "core/loaded_log.h"
#include "geometry/orientation_reader.h"
#include "ui/controls.h"

namespace mavrolin::geometry {

// Headers "Label", "X (A)", "Y (A)", "Z (A)" and rows 1..n: label, X, Y, Z as printed.
// Sets the row count to n + 1; widens the grid to four columns when it is narrower.
void FillCoordinateGrid(ui::StringGrid& grid, const std::vector<OrientationAtom>& atoms);

// ndata and the atom arrays (sized ndata + 10): atomicn, a, b, c and the labels in lab.
void StoreAtoms(core::LoadedLog& log, const std::vector<OrientationAtom>& atoms);

// Writes rows 1..rows of a coordinate grid as a labelled Cartesian file; every coordinate
// cell is read as a number first (core::ConversionError otherwise, and no file is left).
void WriteLabelledCartesian(const std::filesystem::path& file, const ui::StringGrid& grid, int rows);

}  // namespace mavrolin::geometry

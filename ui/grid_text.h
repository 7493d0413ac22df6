#pragma once
// A block of grid cells as the text a spreadsheet pastes: cells separated by tabs, every
// row ended by a newline. Only the block is read, however large the grid.
#include <functional>
#include <string>

#include "ui/controls.h"

namespace ui {

// The cells of `block` (grid columns Left..Right, rows Top..Bottom, either way round),
// clipped to the grid. A tab or line end inside a cell becomes a blank, so the block
// keeps its shape. When `selected` is given, cells it refuses are written empty (a
// selection of several ranges is copied as the block around them).
std::string SelectionText(const StringGrid& grid, GridRect block,
                          const std::function<bool(int col, int row)>& selected = {});

}  // namespace ui

#include "ui/grid_text.h"

#include <algorithm>

namespace ui {

std::string SelectionText(const StringGrid& grid, GridRect block,
                          const std::function<bool(int col, int row)>& selected) {
    const int left = std::max(std::min(block.Left, block.Right), 0);
    const int right = std::min(std::max(block.Left, block.Right), grid.ColCount() - 1);
    const int top = std::max(std::min(block.Top, block.Bottom), 0);
    const int bottom = std::min(std::max(block.Top, block.Bottom), grid.RowCount() - 1);
    std::string text;
    if (left > right || top > bottom) return text;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left) text += '\t';
            if (selected && !selected(c, r)) continue;
            const std::string& cell = grid.Cell(c, r);
            const size_t start = text.size();
            text += cell;
            std::replace_if(text.begin() + static_cast<long>(start), text.end(),
                            [](char ch) { return ch == '\t' || ch == '\n' || ch == '\r'; }, ' ');
        }
        text += '\n';
    }
    return text;
}

}  // namespace ui

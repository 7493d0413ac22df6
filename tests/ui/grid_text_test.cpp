// The text a grid selection is copied as (Ctrl+C in every grid).
#include <gtest/gtest.h>

#include "ui/grid_text.h"

namespace {

// A 5 x 4 grid whose cells read "cR" (column c, row R).
struct Grid {
    ui::Form form{"F", "F"};
    ui::StringGrid grid{&form, "G"};
    Grid() {
        grid.SetColCount(5);
        grid.SetRowCount(4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 5; ++c) grid.SetCell(c, r, std::to_string(c) + std::to_string(r));
    }
};

TEST(SelectionText, BlocksAsTabSeparatedRows) {
    struct Case {
        const char* name;
        ui::GridRect block;
        std::string text;
    };
    const Case cases[] = {
        {"3 x 2", {1, 1, 3, 2}, "11\t21\t31\n12\t22\t32\n"},
        {"given the other way round", {3, 2, 1, 1}, "11\t21\t31\n12\t22\t32\n"},
        {"one cell", {4, 3, 4, 3}, "43\n"},
        {"clipped to the grid", {3, 2, 9, 9}, "32\t42\n33\t43\n"},
        {"outside the grid", {6, 0, 8, 1}, ""},
    };
    Grid g;
    for (const auto& c : cases) EXPECT_EQ(ui::SelectionText(g.grid, c.block), c.text) << c.name;
}

TEST(SelectionText, KeepsTheBlockShape) {
    Grid g;
    g.grid.SetCell(1, 1, "a\tb");
    g.grid.SetCell(2, 1, "two\r\nlines");
    g.grid.SetCell(1, 2, "");
    EXPECT_EQ(ui::SelectionText(g.grid, {1, 1, 2, 2}), "a b\ttwo  lines\n\t22\n");
    // Cells outside a selection of several ranges are left empty, not copied.
    auto diagonal = [](int c, int r) { return c - 1 == r - 1; };
    EXPECT_EQ(ui::SelectionText(g.grid, {1, 1, 2, 2}, diagonal), "a b\t\n\t22\n");
}

}  // namespace

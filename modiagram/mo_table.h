#pragma once
// Read access to the MO table (one column per set: an "Alpha" column, or an "Alpha"/"Beta"
// pair; row 0 the headers, rows 1.. one MO each) and the facts every user of it needs.
#include <string>
#include <vector>

namespace mavrolin::modiagram {

class MoTableView {
public:
    virtual ~MoTableView() = default;
    virtual int Cols() const = 0;
    virtual int Rows() const = 0;
    // Cells outside the table read as "".
    virtual const std::string& Cell(int col, int row) const = 0;
};

// A table held in memory, column by column (tests, batch, the tabbed file).
class MoTableData : public MoTableView {
public:
    std::vector<std::vector<std::string>> columns;  // columns[c][r]
    int rows = 0;
    int Cols() const override { return static_cast<int>(columns.size()); }
    int Rows() const override { return rows; }
    const std::string& Cell(int col, int row) const override;
};

inline constexpr const char* kAlphaHeader = "Alpha";
inline constexpr const char* kBetaHeader = "Beta";

// A table is drawn, ranged and exported only when it starts with an alpha occupied MO.
bool IsValidTable(const MoTableView& table);
bool IsBetaColumn(const MoTableView& table, int col);
bool IsAlphaColumn(const MoTableView& table, int col);

// Sets of the table, counted from its headers: every column that is not headed "Beta" is
// a set of its own.
struct SetCount {
    int nfile = 0;     // sets
    int beta_col = 0;  // "Beta" columns
};
SetCount CountSets(const MoTableView& table);

// The energy (hartree) of a cell: the number from its fourth character on. False for a blank
// cell and for an energy Gaussian printed as stars (too large for its field); any other
// text raises core::ConversionError.
bool CellEnergy(const std::string& cell, double& hartree);

}  // namespace mavrolin::modiagram

#pragma once
// The MO coefficient tables as the coefficient window shows them, kept together with the
// dimensions, the file and the spin they were read for, so that nothing computed from them
// can mix them with the counts of a later scan.
#include <string>
#include <vector>

namespace mavrolin::pdos {

// One spin's table. Column 0 holds the AO labels, columns 1..nmo the MOs; row 0 holds the
// MO headers ("12_ao  -0.35000"), rows 1..nbasis the coefficients as printed, row
// nbasis + 1 the sum of squares of each MO. An empty cell means "not printed".
class CoefficientGrid {
public:
    CoefficientGrid() = default;
    CoefficientGrid(int nbasis, int nmo);

    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    int nbasis() const { return rows_ - 2; }
    int nmo() const { return cols_ - 1; }
    int SumRow() const { return rows_ - 1; }

    // Cells outside the table read as "" and cannot be written.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);
    bool Contains(int col, int row) const { return col >= 0 && row >= 0 && col < cols_ && row < rows_; }

    // Writes the sum row: for every MO whose coefficients are all present, the sum of their
    // squares as general float text; MOs with a missing coefficient get an empty sum, and
    // so do MOs with a cell that is not a number, whose numbers are returned.
    std::vector<int> FormSums(const std::string& label);

private:
    int cols_ = 0, rows_ = 0;
    std::vector<std::string> cells_;  // column by column
};

struct CoefficientTables {
    std::string file;  // the log the tables belong to
    int nbasis = 0;    // AO rows
    int nbsuse = 0;    // MO columns
    int nalpha = 0, nbeta = 0;  // orbital energies per spin in the chosen printing
    CoefficientGrid alpha, beta;
    bool OpenShell() const { return nbeta > 0; }
    bool Empty() const { return alpha.Cols() == 0; }
};

// Labels of the sum row after a log load and after a GFPrint import.
inline constexpr const char* kLogSumLabel = "Squares_Sum";
inline constexpr const char* kGfprintSumLabel = "Sum_Squares";

}  // namespace mavrolin::pdos

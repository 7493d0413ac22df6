#pragma once
// The MO coefficient tables as the coefficient window shows them, kept together with the
// dimensions, the file and the spin they were read for, so that nothing computed from them
// can mix them with the counts of a later scan.
#include <string>
#include <string_view>
#include <vector>

namespace mavrolin::pdos {

// One spin's table. Column 0 holds the AO labels, columns 1..nmo the MOs; row 0 holds the
// MO headers ("12_ao  -0.35000"), rows 1..nbasis the coefficients as printed, row
// nbasis + 1 the sum of squares of each MO. An empty cell means "not printed".
// Beside the text, which the window shows and the exports write, the grid keeps the
// numbers of its MO columns, read once when a cell is set: the coefficients and sums as
// values, and each header's energy and occupation. Computations take these numbers and
// never read a cell's text again.
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

    // The number in a coefficient or sum cell (rows 1..SumRow() of MO columns 1..nmo()):
    // NaN when the cell is empty, holds no number or lies outside those rows and columns.
    double Value(int col, int row) const;
    // The energy in hartree that the header of MO column `col` prints after its name, NaN
    // when it prints none.
    double HeaderEnergy(int col) const;
    // Whether the first word of the header of MO column `col` ends in `code` ("ao" for an
    // occupied alpha MO, "bo" for an occupied beta MO).
    bool HeaderNameEndsWith(int col, std::string_view code) const;

    // Writes the sum row: for every MO whose coefficients are all present, the sum of their
    // squares as general float text; MOs with a missing coefficient get an empty sum, and
    // so do MOs with a cell that is not a number, whose numbers are returned.
    std::vector<int> FormSums(const std::string& label);

private:
    struct MoHeader {
        double hartree;
        std::string name;  // the first word, "12_ao"
    };
    size_t Index(int col, int row) const { return static_cast<size_t>(col) * static_cast<size_t>(rows_) + static_cast<size_t>(row); }
    int cols_ = 0, rows_ = 0;
    std::vector<std::string> cells_;  // column by column
    std::vector<double> values_;      // as cells_; NaN in column 0 and row 0
    std::vector<MoHeader> headers_;   // per column; column 0 unused
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

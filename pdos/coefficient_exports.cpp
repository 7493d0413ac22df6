#include "pdos/coefficient_exports.h"

#include "core/number_text.h"
#include "core/text_file.h"
#include "core/tokenizer.h"

namespace mavrolin::pdos {

namespace {

std::string SquareText(const std::string& cell) {
    if (core::Trim(cell).empty()) return cell;
    double v = core::ParseDouble(cell);
    return core::FloatText(v * v);
}

void WriteTable(core::TextWriter& out, const CoefficientGrid& grid, CoefficientLayout layout) {
    const int rows = grid.Rows(), cols = grid.Cols();
    if (layout == CoefficientLayout::LinePerMo) {
        for (int c = 0; c < cols; ++c) {
            std::string line;
            for (int r = 0; r < rows; ++r) line += (r ? "\t" : "") + grid.Cell(c, r);
            out.WriteLine(line);
        }
        return;
    }
    for (int r = 0; r < rows; ++r) {
        // The header and sum rows are written as stored, also in the squared table.
        const bool squared = layout == CoefficientLayout::Squares && r > 0 && r < rows - 1;
        std::string line = grid.Cell(0, r);
        for (int c = 1; c < cols; ++c) line += "\t" + (squared ? SquareText(grid.Cell(c, r)) : grid.Cell(c, r));
        out.WriteLine(line);
    }
}

}  // namespace

std::string ExportSuffix(CoefficientLayout layout) {
    switch (layout) {
        case CoefficientLayout::LinePerAo: return "_AOvsMO.txt";
        case CoefficientLayout::LinePerMo: return "_MOvsAO.txt";
        case CoefficientLayout::Squares: return "_AOxAOvsMO.txt";
    }
    return "";
}

bool HasCoefficients(const CoefficientTables& tables) {
    // A partial printing (Pop=Regular) may start at any orbital, so every column counts.
    for (const CoefficientGrid* g : {&tables.alpha, &tables.beta})
        for (int c = 1; c <= g->nmo(); ++c)
            if (!g->Cell(c, 1).empty()) return true;
    return false;
}

void WriteCoefficients(const std::filesystem::path& file, const CoefficientTables& tables, CoefficientLayout layout) {
    core::TextWriter out(file);
    out.WriteLine("Alpha MO Coefficients");
    out.WriteLine();
    WriteTable(out, tables.alpha, layout);
    if (tables.OpenShell()) {
        out.WriteLine();
        out.WriteLine();
        out.WriteLine("Beta MO Coefficients");
        out.WriteLine();
        WriteTable(out, tables.beta, layout);
    }
    out.Close();
}

}  // namespace mavrolin::pdos

#include "modiagram/mo_table.h"

#include <string_view>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "modiagram/mo_energy_reader.h"

namespace mavrolin::modiagram {

const std::string& MoTableData::Cell(int col, int row) const {
    static const std::string kEmpty;
    if (col < 0 || col >= Cols() || row < 0) return kEmpty;
    const auto& column = columns[static_cast<size_t>(col)];
    return static_cast<size_t>(row) < column.size() ? column[static_cast<size_t>(row)] : kEmpty;
}

bool IsValidTable(const MoTableView& table) { return table.Cell(0, 1).starts_with("ao"); }

bool IsBetaColumn(const MoTableView& table, int col) { return table.Cell(col, 0) == kBetaHeader; }
bool IsAlphaColumn(const MoTableView& table, int col) { return table.Cell(col, 0) == kAlphaHeader; }

SetCount CountSets(const MoTableView& table) {
    SetCount n;
    for (int c = 0; c < table.Cols(); ++c)
        if (IsBetaColumn(table, c)) ++n.beta_col;
    n.nfile = table.Cols() - n.beta_col;
    return n;
}

bool CellEnergy(const std::string& cell, double& hartree) {
    // Views only: the diagram reads every cell of the table at each redraw.
    if (core::IsBlank(cell)) return false;
    const std::string_view text = core::TrimView(core::From(cell, 4));
    if (IsOverflowText(text)) return false;
    if (!core::TryParseDouble(text, hartree))
        throw core::ConversionError("'" + std::string(text) + "' (MO table cell '" + cell +
                                    "') is not a valid floating point value");
    return true;
}

}  // namespace mavrolin::modiagram

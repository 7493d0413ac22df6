#include "pdos/coefficient_table.h"

#include "core/number_text.h"
#include "core/tokenizer.h"

namespace mavrolin::pdos {

namespace {
const std::string kEmpty;
}

CoefficientGrid::CoefficientGrid(int nbasis, int nmo)
    : cols_(nmo + 1), rows_(nbasis + 2), cells_(static_cast<size_t>(cols_) * static_cast<size_t>(rows_)) {}

const std::string& CoefficientGrid::Cell(int col, int row) const {
    if (!Contains(col, row)) return kEmpty;
    return cells_[static_cast<size_t>(col) * static_cast<size_t>(rows_) + static_cast<size_t>(row)];
}

void CoefficientGrid::SetCell(int col, int row, std::string text) {
    if (!Contains(col, row)) return;
    cells_[static_cast<size_t>(col) * static_cast<size_t>(rows_) + static_cast<size_t>(row)] = std::move(text);
}

std::vector<int> CoefficientGrid::FormSums(const std::string& label) {
    std::vector<int> bad;
    if (cols_ == 0) return bad;
    SetCell(0, SumRow(), label);
    for (int c = 1; c < cols_; ++c) {
        double sum = 0;
        bool complete = true;
        for (int r = 1; r <= nbasis() && complete; ++r) {
            double v = 0;
            if (core::Trim(Cell(c, r)).empty()) {
                complete = false;
            } else if (!core::TryParseDouble(Cell(c, r), v)) {
                complete = false;
                bad.push_back(c);
            }
            sum += v * v;
        }
        SetCell(c, SumRow(), complete ? core::FloatText(sum) : std::string());
    }
    return bad;
}

}  // namespace mavrolin::pdos

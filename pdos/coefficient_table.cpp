#include "pdos/coefficient_table.h"

#include <cmath>
#include <limits>

#include "core/number_text.h"
#include "core/tokenizer.h"

namespace mavrolin::pdos {

namespace {

const std::string kEmpty;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double NumberOf(const std::string& text) {
    double v = 0;
    return core::TryParseDouble(text, v) ? v : kNaN;
}

}  // namespace

CoefficientGrid::CoefficientGrid(int nbasis, int nmo)
    : cols_(nmo + 1),
      rows_(nbasis + 2),
      cells_(static_cast<size_t>(cols_) * static_cast<size_t>(rows_)),
      values_(cells_.size(), kNaN),
      headers_(static_cast<size_t>(cols_), MoHeader{kNaN, {}}) {}

const std::string& CoefficientGrid::Cell(int col, int row) const {
    if (!Contains(col, row)) return kEmpty;
    return cells_[Index(col, row)];
}

void CoefficientGrid::SetCell(int col, int row, std::string text) {
    if (!Contains(col, row)) return;
    if (col > 0 && row > 0) {
        values_[Index(col, row)] = NumberOf(text);
    } else if (col > 0) {
        // "12_ao  -0.35000": the MO's name with its spin and occupation, then its energy.
        std::string buff = text;
        core::StrCode code;
        int n = 0;
        core::DecodeBlank(buff, code, n);
        headers_[static_cast<size_t>(col)] = {n > 1 ? NumberOf(code[2]) : kNaN, code[1]};
    }
    cells_[Index(col, row)] = std::move(text);
}

double CoefficientGrid::Value(int col, int row) const {
    return col > 0 && row > 0 && Contains(col, row) ? values_[Index(col, row)] : kNaN;
}

double CoefficientGrid::HeaderEnergy(int col) const {
    return col > 0 && col < cols_ ? headers_[static_cast<size_t>(col)].hartree : kNaN;
}

bool CoefficientGrid::HeaderNameEndsWith(int col, std::string_view code) const {
    return col > 0 && col < cols_ && headers_[static_cast<size_t>(col)].name.ends_with(code);
}

std::vector<int> CoefficientGrid::FormSums(const std::string& label) {
    std::vector<int> bad;
    if (cols_ == 0) return bad;
    SetCell(0, SumRow(), label);
    for (int c = 1; c < cols_; ++c) {
        double sum = 0;
        bool complete = true;
        for (int r = 1; r <= nbasis() && complete; ++r) {
            const double v = Value(c, r);
            if (std::isnan(v)) {
                // A blank cell was never printed; any other text is no number.
                complete = false;
                if (!core::Trim(Cell(c, r)).empty()) bad.push_back(c);
            } else {
                sum += v * v;
            }
        }
        SetCell(c, SumRow(), complete ? core::FloatText(sum) : std::string());
    }
    return bad;
}

}  // namespace mavrolin::pdos

#include "modiagram/mo_layout.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace mavrolin::modiagram {

std::optional<double> SlotExtent(const SlotOptions& o, int cols, int betaCols) {
    if (o.overlay == 0) return static_cast<double>(o.M) * cols;
    if (betaCols > 0) return static_cast<double>(o.M) * (cols - betaCols);
    return std::nullopt;
}

LevelEnds LevelSpan(const SlotOptions& o, int slot, bool betaLevel, bool nextColumnIsBeta) {
    const int q = o.M / 4;
    const int nna = !betaLevel && o.overlay == 2 && nextColumnIsBeta ? 1 : 0;
    const int nnb = betaLevel && o.overlay == 2 ? 1 : 0;
    return {o.M * slot + 1 + q * nnb, o.M * slot + o.M - 1 - q * nna};
}

std::vector<ColumnPlace> PlaceColumns(const MoTableView& table, const SlotOptions& o) {
    std::vector<ColumnPlace> places(static_cast<size_t>(std::max(table.Cols(), 0)));
    int betaPassed = 0, alphaPassed = 0;
    for (int k = 0; k < table.Cols(); ++k) {
        auto& p = places[static_cast<size_t>(k)];
        p.beta = IsBetaColumn(table, k);
        if (p.beta && o.overlay > 0) ++betaPassed;
        if (IsAlphaColumn(table, k)) ++alphaPassed;
        p.slot = k - betaPassed;
        p.alphaIndex = alphaPassed;
        p.nextIsBeta = k + 1 < table.Cols() && IsBetaColumn(table, k + 1);
    }
    return places;
}

void EnergyExtent(const MoTableView& table, double enUnit, double& lo, double& hi) {
    lo = 1e8;
    hi = -1e8;
    double e = 0;
    for (int c = 0; c < table.Cols(); ++c)
        for (int r = 1; r < table.Rows(); ++r)
            if (CellEnergy(table.Cell(c, r), e)) {
                lo = std::min(lo, e * enUnit);
                hi = std::max(hi, e * enUnit);
            }
}

std::vector<Level> VisibleLevels(const MoTableView& table, const SlotOptions& o, double enUnit, double dymin,
                                 double dymax) {
    std::vector<Level> levels;
    const auto places = PlaceColumns(table, o);
    MoKind kind = MoKind::AlphaOcc;
    double e = 0;
    for (int k = 0; k < table.Cols(); ++k) {
        const auto& place = places[static_cast<size_t>(k)];
        for (int r = 1; r < table.Rows(); ++r) {
            const std::string& cell = table.Cell(k, r);
            if (cell.find_first_not_of(" \t") == std::string::npos) continue;
            if (MoKind k2 = KindOfCell(cell); k2 != MoKind::None) kind = k2;
            if (!CellEnergy(cell, e)) continue;
            e *= enUnit;
            if (!(dymin <= e && e <= dymax)) continue;
            levels.push_back({k, r, kind, e, place.slot, place.alphaIndex,
                              LevelSpan(o, place.slot, IsBeta(kind), place.nextIsBeta)});
        }
    }
    return levels;
}

const EnergyUnit& EnergyUnitOf(int selector) {
    static const EnergyUnit kUnits[] = {
        {"eV", 27.2114, 14}, {"hartree", 1.0, -1}, {"kcal/mol", 627.51, 13}, {"kJ/mol", 2625.5, 12}};
    return kUnits[selector >= 1 && selector <= 4 ? selector - 1 : 0];
}

double ConvertRangeValue(double v, double fromFactor, const EnergyUnit& to) {
    double converted = v * to.factor / fromFactor;
    if (to.decimals < 0) return converted;
    const double scale = std::pow(10.0, to.decimals);
    const double scaled = converted * scale;
    // Beyond 2^53 a double holds no decimals to round away.
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9e15) return converted;
    return static_cast<double>(core::RoundHalfEven(scaled)) / scale;
}

std::string EnergyLabel(double energy, int digits) {
    std::string text = core::FloatText(energy);
    return text.substr(0, static_cast<size_t>(std::max(digits, 0)));
}

}  // namespace mavrolin::modiagram

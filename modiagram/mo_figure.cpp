#include "modiagram/mo_figure.h"

#include <algorithm>
#include <filesystem>

#include "modiagram/mo_energy_reader.h"
#include "modiagram/mo_layout.h"

namespace mavrolin::modiagram {

namespace {

// One column of levels: its occupied and virtual energies in eV (ascending).
struct Column {
    std::string label;
    std::vector<std::pair<int, double>> occ, virt;  // (MO number, energy)
};

// Columns stand kPitch apart; levels span [x − kLevel, x] of a column at x, and its labels
// take the room up to the next column (a label such as "HOMO −10.06" at 8 pt needs about
// 0.85 of the pitch when three columns share a figure 12 cm wide).
constexpr double kPitch = 1.25, kLevel = 0.4, kRoom = 0.8;
// Levels closer than this (eV) are one degenerate set: a few units of the last digit that
// Gaussian prints of an energy in hartree.
constexpr double kDegenerate = 0.003;

}  // namespace

ui::fig::Figure MoFigure(const MoTableView& table, const std::vector<std::string>& fileNames, const MoFigureOptions& o) {
    using namespace ui::fig;
    const double ev = EnergyUnitOf(1).factor;
    std::vector<Column> cols;
    int set = 0;
    const bool openShell = CountSets(table).beta_col > 0;
    for (int c = 0; c < table.Cols(); ++c) {
        const bool beta = IsBetaColumn(table, c);
        if (!beta) ++set;
        Column col;
        std::string name = set - 1 < static_cast<int>(o.labels.size()) ? o.labels[static_cast<size_t>(set - 1)]
                           : static_cast<size_t>(set) < fileNames.size()
                               ? std::filesystem::path(fileNames[static_cast<size_t>(set)]).stem().string()
                               : "set " + std::to_string(set);
        col.label = openShell ? name + (beta ? " \u03B2" : " \u03B1") : name;
        for (int r = 1; r < table.Rows(); ++r) {
            const std::string& cell = table.Cell(c, r);
            double h = 0;
            const MoKind kind = KindOfCell(cell);
            if (kind == MoKind::None || !CellEnergy(cell, h)) continue;
            (IsOccupied(kind) ? col.occ : col.virt).push_back({r, h * ev});
        }
        auto byEnergy = [](auto& a, auto& b) { return a.second < b.second; };
        std::sort(col.occ.begin(), col.occ.end(), byEnergy);
        std::sort(col.virt.begin(), col.virt.end(), byEnergy);
        if (!col.occ.empty() || !col.virt.empty()) cols.push_back(std::move(col));
    }

    // From `window` orbitals below the lowest HOMO to as many above the highest LUMO.
    double lo = o.lo, hi = o.hi;
    if (!(lo < hi)) {
        lo = 1e300, hi = -1e300;
        const size_t w = static_cast<size_t>(std::max(o.window, 0));
        for (const auto& c : cols) {
            if (!c.occ.empty()) lo = std::min(lo, c.occ[c.occ.size() - 1 - std::min(w, c.occ.size() - 1)].second);
            if (!c.virt.empty()) hi = std::max(hi, c.virt[std::min(w, c.virt.size() - 1)].second);
            if (c.virt.empty() && !c.occ.empty()) hi = std::max(hi, c.occ.back().second + 1);
            if (c.occ.empty() && !c.virt.empty()) lo = std::min(lo, c.virt.front().second - 1);
        }
        if (!(lo < hi)) lo = -10, hi = 0;
        const double m = 0.04 * (hi - lo);
        lo -= m, hi += m;
    }

    Figure fig;
    fig.title = o.title;
    fig.csvX = "MO";
    Panel p;
    p.x.hidden = true;
    p.x.min = -kLevel - 0.1, p.x.max = kPitch * std::max<double>(static_cast<double>(cols.size()) - 1, 0) + kRoom;
    p.y.title = Quantity("E", "eV");
    p.y.min = lo, p.y.max = hi;
    for (size_t i = 0; i < cols.size(); ++i) {
        const Column& c = cols[i];
        const double x = kPitch * static_cast<double>(i);
        p.columns.push_back({x - kLevel / 2, c.label});
        Series table;  // the shown levels by MO number, for the CSV
        table.drawn = false;
        table.column = c.label + " / eV";
        const bool homo = !c.occ.empty() && c.occ.back().second >= lo && c.occ.back().second <= hi;
        const bool lumo = !c.virt.empty() && c.virt.front().second >= lo && c.virt.front().second <= hi;
        for (const auto* levels : {&c.occ, &c.virt})
            for (const auto& [mo, e] : *levels) {
                if (e < lo || e > hi) continue;
                const bool occupied = levels == &c.occ;
                // The frontier level drawn bolder, with every level degenerate with it.
                const double frontier = occupied ? c.occ.back().second : c.virt.front().second;
                const double width = std::abs(e - frontier) < kDegenerate ? 1.6 : 1.0;
                p.levels.push_back({x - kLevel, x, e, occupied ? ui::kBlack : PaletteColor(1), width});
                table.x.push_back(mo), table.y.push_back(e);
            }
        p.series.push_back(std::move(table));
        if (homo) {
            const double e = c.occ.back().second;
            p.notes.push_back({x, e, "HOMO " + TickLabel(e, 0.01), false, ui::kBlack});
        }
        if (lumo) {
            const double e = c.virt.front().second;
            p.notes.push_back({x, e, "LUMO " + TickLabel(e, 0.01), false, PaletteColor(1)});
        }
        if (homo && lumo) {
            const double a = c.occ.back().second, b = c.virt.front().second;
            p.segments.push_back({x - kLevel / 2, a, x - kLevel / 2, b, 0x808080, 0.5, ui::psDot});
            p.notes.push_back({x, (a + b) / 2, "gap " + TickLabel(b - a, 0.01) + " eV", false, 0x606060});
        }
    }
    fig.panels.push_back(std::move(p));
    return fig;
}

}  // namespace mavrolin::modiagram

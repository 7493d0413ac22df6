#pragma once
// Where the MO level diagram puts things: slots of M units per set column, level ends, the
// energy range and the unit of the range boxes.
#include <optional>
#include <string>
#include <vector>

#include "modiagram/mo_energy_reader.h"
#include "modiagram/mo_table.h"

namespace mavrolin::modiagram {

// Diagram settings that decide the layout.
struct SlotOptions {
    int M = 4;        // slot width ("Side Separation Mode")
    int overlay = 0;  // 0 beta columns in slots of their own, 1 beta over alpha, 2 the same shifted
};

// dxmax for the table: M per column, or M per set when beta columns share their alpha slot.
// Nothing when overlay is asked for a table without "Beta" columns.
std::optional<double> SlotExtent(const SlotOptions& o, int cols, int betaCols);

// Ends of a level in data units, slot s: M*s + 1 .. M*s + M - 1. In overlay mode 2 alpha
// levels of an open-shell set give up q = M div 4 units on the right and beta levels start
// q units further right, so the two spins stand offset.
struct LevelEnds {
    int x1 = 0, x2 = 0;
};
LevelEnds LevelSpan(const SlotOptions& o, int slot, bool betaLevel, bool nextColumnIsBeta);

// Placement of a table column: its slot and which set (1-based "Alpha" count) it belongs to.
struct ColumnPlace {
    int slot = 0;
    int alphaIndex = 0;      // "Alpha" columns up to and including this one
    bool beta = false;       // headed "Beta"
    bool nextIsBeta = false;
};
std::vector<ColumnPlace> PlaceColumns(const MoTableView& table, const SlotOptions& o);

// Lowest and highest energy (display unit) of every level in the table; overflowed and blank
// cells are left out. Starts from 1e8 / -1e8, which stay when there is no level.
void EnergyExtent(const MoTableView& table, double enUnit, double& lo, double& hi);

// One drawable level of the table.
struct Level {
    int col = 0, row = 0;
    MoKind kind = MoKind::AlphaOcc;
    double energy = 0;  // display unit
    int slot = 0, alphaIndex = 0;
    LevelEnds ends;
};
// The levels within [dymin, dymax], column by column, top row first. A cell whose code is
// none of the four keeps the kind of the level before it.
std::vector<Level> VisibleLevels(const MoTableView& table, const SlotOptions& o, double enUnit, double dymin,
                                 double dymax);

// Unit of the diagram's energies: name, factor (display value per hartree) and the decimals
// kept when the range boxes are converted (-1: not rounded).
struct EnergyUnit {
    const char* name;
    double factor;
    int decimals;
};
// 1 eV, 2 hartree, 3 kcal/mol, 4 kJ/mol; anything else reads as eV.
const EnergyUnit& EnergyUnitOf(int selector);
// A range value v given with the factor `fromFactor`, in the unit `to`: v * to / from,
// rounded to the unit's decimals with halves to even.
double ConvertRangeValue(double v, double fromFactor, const EnergyUnit& to);

// The first n characters of an energy's general float text (cut, not rounded).
std::string EnergyLabel(double energy, int digits);

}  // namespace mavrolin::modiagram

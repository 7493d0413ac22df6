#pragma once
// The PDOS sets built from the coefficient tables: set k is column k - 1 of the PDOS table,
// its entries "n label" (AO number, one blank, the AO label) sorted by AO number. An AO in
// a set carries the prefix "#k " on its label in the coefficient tables, which is what
// decides between adding and removing, so an AO is in at most one set.
#include <array>
#include <string>
#include <vector>

#include "pdos/coefficient_table.h"

namespace mavrolin::pdos {

using PdosSet = std::vector<std::string>;  // entries of rows 1, 2, ... of the column
using PdosSetList = std::vector<PdosSet>;  // set k at index k - 1

inline constexpr const char* kSomethingWrong = "Something is wrong!";

// Toggles AO `ao` (a row of the tables) in the set `selected` (from 1): an AO with a "#s "
// prefix leaves set s, any other joins the selected set at its sorted place. The header
// and sum rows change nothing. Returns the message to show ("Something is wrong!" when the
// set named by the prefix does not hold the AO) or "".
std::string ToggleAo(CoefficientTables& tables, PdosSetList& sets, int ao, int selected);

// ApplyToAll: toggles every row from top to bottom in order; the messages of the toggles.
std::vector<std::string> ToggleRows(CoefficientTables& tables, PdosSetList& sets, int top, int bottom,
                                    int selected);

// Rows the PDOS table needs for its longest set (header included, at least 2).
int PdosTableRows(const PdosSetList& sets);

// The AO number of an entry (its first token); throws core::ConversionError.
int EntryAo(const std::string& entry);

// A set in use: a column whose first entry is not empty.
struct UsedSet {
    int col = 0;           // pdos_col: PDOS-table column (from 0)
    std::vector<int> aos;  // ao_set; its size is nao_used
};
std::vector<UsedSet> SetsInUse(const PdosSetList& sets);

// Refuses a set whose legend column no longer exists (throws core::InputError).
void CheckLegendColumns(const std::vector<UsedSet>& used, int legendColumns);

// The BS Names list: rows 0..20 hold the labels of AOs ao-10 .. ao+10 of `grid` where they
// exist, the current one followed by "___here!".
std::array<std::string, 21> BsNames(const CoefficientGrid& grid, int ao);

}  // namespace mavrolin::pdos

#include <algorithm>

#include "app/application.h"
#include "core/number_text.h"
#include "geometry/orientation_reader.h"
#include "logscan/keyword_triggers.h"
#include "logscan/summary_phases.h"

namespace mavrolin {

namespace {

bool IsMullikenHeader(std::string_view line, bool& combined) {
    combined = core::StartsUpper(line, "MULLIKEN CHARGES AND SPIN DENSITIES");
    return logscan::Classify(line, false) == logscan::Trigger::Mulliken;
}

bool IsSpinDensityHeader(std::string_view line) {
    return line == "Mulliken atomic spin densities:" || line == "Total atomic spin densities:";
}

// The atom rows after a Mulliken header ("    1  C    0.055744" or, with spin densities,
// "    1  C    0.055744   0.213491") up to the "Sum of Mulliken" line: token 3 into column
// `col` of the structure rows, token 4 into the next column when `withSpin`.
bool ReadChargeColumn(Application& app, core::LineReader& reader, int col, bool withSpin) {
    auto& grid = app.form4.StringGrid2;
    for (int k = 1;; ++k) {
        if (!reader.Next()) return false;
        std::string line(reader.TrimmedLine());
        if (core::StartsUpper(line, "SUM OF MULLIKEN")) return true;
        auto tokens = core::LineTokens(line).ToVector();
        if (tokens.size() < 3 || tokens.size() > 5) return true;  // not an atom row
        if (k >= grid.RowCount() || grid.Cell(0, k).empty()) continue;  // no structure was read for this atom
        grid.SetCell(col, k, tokens[2]);
        if (withSpin) grid.SetCell(col + 1, k, tokens.size() >= 4 ? tokens[3] : std::string());
    }
}

}  // namespace

long long FinalStructureLine(const core::LoadedLog& log) {
    long long target = log.nstd >= 0 ? PositionAt(log.std_pos, log.nstd) : 0;
    // A later header of another kind holds the final geometry: symmetry turned off during
    // the run, or a job that prints input (or Z-matrix) orientations only.
    return std::max(target, log.lastOrientationLine);
}

bool ReadFinalStructure(Application& app, core::LineReader& reader) {
    auto& log = app.log;
    const long long target = FinalStructureLine(log);
    if (target <= reader.LineNumber()) return true;
    if (!reader.AdvanceTo(target)) return false;
    for (int i = 0; i < 4; ++i)  // dashes, two header lines, dashes
        if (!reader.Next()) return false;

    auto& grid = app.form4.StringGrid2;
    bool openShell = log.multpl != 1;
    grid.SetRowCount(1);
    grid.SetColCount(openShell ? 6 : 5);
    const char* headers[] = {"Atom Label", "X in angstrom", "Y in angstrom", "Z in angstrom",
                             "Mulliken Charge", "Spin Density"};
    for (int c = 0; c < grid.ColCount(); ++c) grid.SetCell(c, 0, headers[c]);

    for (int k = 1;; ++k) {
        if (!reader.Next()) return false;
        std::string line(reader.TrimmedLine());
        //     1          6           0        0.000000    0.000000    0.000000
        // (older versions print no atomic-type column: five numbers)
        if (line.starts_with("---") || core::LineTokens(line).Count() < 5) return true;
        const auto atom = geometry::ParseAtomLine(line);
        grid.SetRowCount(k + 1);
        grid.SetCell(0, k, geometry::AtomLabel(atom.atomicNumber, k));
        grid.SetCell(1, k, atom.x);
        grid.SetCell(2, k, atom.y);
        grid.SetCell(3, k, atom.z);
    }
}

bool ReadMullikenCharges(Application& app, core::LineReader& reader, long long spinBefore) {
    bool combined = false;  // "Mulliken charges and spin densities:": both in one table
    do {
        if (!reader.Next()) return false;
    } while (!IsMullikenHeader(reader.TrimmedLine(), combined));
    if (!reader.Next()) return false;  // the column numbers

    const bool spin = app.log.multpl > 1;
    if (!ReadChargeColumn(app, reader, 4, spin && combined)) return false;
    if (!spin || combined) return true;
    // Older versions print the spin densities in a table of their own further on:
    //  Mulliken atomic spin densities:
    //               1
    //      1  C    0.213491
    while (reader.LineNumber() + 1 < spinBefore) {
        if (!reader.Next()) return false;
        if (!IsSpinDensityHeader(reader.TrimmedLine())) continue;
        if (!reader.Next()) return false;
        return ReadChargeColumn(app, reader, 5, false);
    }
    return true;
}

}  // namespace mavrolin

#include "app/application.h"
#include "core/elements.h"
#include "core/number_text.h"
#include "logscan/keyword_triggers.h"
#include "logscan/summary_phases.h"

namespace mavrolin {

namespace {

bool IsMullikenHeader(std::string_view line) { return logscan::Classify(line, false) == logscan::Trigger::Mulliken; }

// "C1", "H2", ...; a ghost centre or an unknown atomic number becomes "Bq" and the row.
std::string AtomLabel(long long z, int row) {
    std::string label = core::ElementLabel(z, row);
    if (z >= 1 && z <= 118) label += core::IntText(row);
    return label;
}

}  // namespace

bool ReadFinalStructure(Application& app, core::LineReader& reader) {
    auto& log = app.log;
    long long target = log.nstd >= 0 ? PositionAt(log.std_pos, log.nstd) : 0;
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
        auto tokens = core::LineTokens(line).ToVector();
        if (tokens.size() < 6 || line.starts_with("----------")) return true;
        grid.SetRowCount(k + 1);
        grid.SetCell(0, k, AtomLabel(core::ParseInt(tokens[1]), k));
        for (int c = 1; c <= 3; ++c) grid.SetCell(c, k, tokens[static_cast<size_t>(c + 2)]);
    }
}

bool ReadMullikenCharges(Application& app, core::LineReader& reader) {
    do {
        if (!reader.Next()) return false;
    } while (!IsMullikenHeader(reader.TrimmedLine()));
    if (!reader.Next()) return false;  // the column numbers

    auto& grid = app.form4.StringGrid2;
    bool spin = app.log.multpl > 1;
    for (int k = 1;; ++k) {
        if (!reader.Next()) return false;
        std::string line(reader.TrimmedLine());
        if (core::StartsUpper(line, "SUM OF MULLIKEN")) return true;
        auto tokens = core::LineTokens(line).ToVector();
        if (tokens.size() < 3 || tokens.size() > 5) return true;  // not an atom row
        if (grid.Cell(0, k).empty()) continue;  // no structure was read for this atom
        grid.SetCell(4, k, tokens[2]);
        if (spin) grid.SetCell(5, k, tokens.size() >= 4 ? tokens[3] : std::string());
    }
}

}  // namespace mavrolin

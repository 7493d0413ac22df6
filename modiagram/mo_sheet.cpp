#include "modiagram/mo_sheet.h"

#include "core/number_text.h"
#include "core/text_file.h"

namespace mavrolin::modiagram {

namespace {

constexpr const char* kBlank = "  ";

// The energies of a column in the display unit, each followed by a TAB except the one of
// the last table row; blank and overflowed cells are left out. Counts what it wrote.
std::string ColumnValues(const MoTableView& table, int col, double enUnit, size_t& count) {
    std::string values;
    double e = 0;
    for (int r = 1; r < table.Rows(); ++r) {
        if (!CellEnergy(table.Cell(col, r), e)) continue;
        values += core::FloatText(e * enUnit);
        if (r < table.Rows() - 1) values += '\t';
        ++count;
    }
    return values;
}

}  // namespace

std::vector<std::string> SheetLines(const MoTableView& table, const std::vector<std::string>& fileMem,
                                    const SlotOptions& o, double enUnit) {
    std::vector<std::string> lines;
    if (!IsValidTable(table)) return lines;
    const auto places = PlaceColumns(table, o);
    size_t written = 0;  // energies of the columns before this one (filler cells)
    for (int k = 0; k < table.Cols(); ++k) {
        const auto& place = places[static_cast<size_t>(k)];
        const bool alpha = IsAlphaColumn(table, k);
        // The level ends follow the column's own header, as the drawing does.
        const LevelEnds ends = LevelSpan(o, place.slot, place.beta, place.nextIsBeta);
        size_t count = 0;
        const std::string values = ColumnValues(table, k, enUnit, count);
        std::string filler;
        for (size_t j = 0; j < written; ++j) filler += std::string(kBlank) + '\t';
        for (int L = 1; L <= 2; ++L) {
            std::string label;
            const size_t set = static_cast<size_t>(place.alphaIndex);
            if (alpha && L == 1)
                label = (set < fileMem.size() ? fileMem[set] : std::string()) + "\t" + kAlphaHeader + "\t";
            else
                label = std::string(kBlank) + "\t" + (alpha ? kAlphaHeader : kBetaHeader) + "\t";
            lines.push_back(label + core::IntText(L == 1 ? ends.x1 : ends.x2) + "\t" + filler + values);
        }
        written += count;
    }
    return lines;
}

void WriteSheet(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    core::TextWriter out(path);
    for (const auto& line : lines) out.WriteLine(line);
    out.Close();
}

}  // namespace mavrolin::modiagram

#pragma once
// The MO level diagram as a tab-separated sheet for a spreadsheet program: every set column
// gives two lines, the x of the left and of the right level ends followed by its energies,
// so that a scatter chart with straight lines draws each level between its two points. The
// sets follow each other to the right: a column's energies start after blank filler cells
// for every energy written before it.
#include <filesystem>
#include <string>
#include <vector>

#include "modiagram/mo_layout.h"
#include "modiagram/mo_table.h"

namespace mavrolin::modiagram {

// fileMem[k] is the path of the k-th set (entry 0 unused). An invalid table gives no lines.
std::vector<std::string> SheetLines(const MoTableView& table, const std::vector<std::string>& fileMem,
                                    const SlotOptions& o, double enUnit);
// Writes the lines (an empty file for an invalid table).
void WriteSheet(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace mavrolin::modiagram

#pragma once
// The tabbed file of the MO table: one line per table row, cells separated by one TAB, a
// blank cell written as "NA" (and read back as blank). It holds the table only.
#include <filesystem>
#include <string>
#include <vector>

#include "modiagram/mo_table.h"

namespace mavrolin::modiagram {

// The lines of the file for a table; cells that are not blank are written as they stand.
std::vector<std::string> TabbedLines(const MoTableView& table);
void WriteTabbedFile(const std::filesystem::path& path, const MoTableView& table);

// Fields of one line: the line trimmed, split at runs of TABs, each field trimmed, "NA"
// read as blank.
std::vector<std::string> SplitTabbedLine(const std::string& line);

// The table of a file: as many columns as its first line has fields and one row per line
// (at least one column and two rows, the shape of an empty table). Fields beyond the first
// line's count are dropped; a short line leaves the rest of its row blank.
MoTableData ReadTabbedFile(const std::filesystem::path& path);

}  // namespace mavrolin::modiagram

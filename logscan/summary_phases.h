#pragma once
// Helpers shared by the job summary phases.
#include <string>
#include <vector>

#include "core/line_reader.h"
#include "core/loaded_log.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

// The summary reads the log as the scan numbered it, up to the scan's line count, and
// copies blocks of up to eight lines as read.
constexpr int kSummaryHistory = 7;

// Element 1.. of a 1-based position array, 0 when the index is outside it.
int PositionAt(const std::vector<int>& positions, int index);

// Appends one empty row and then one row per line (column 1) to the summary grid, so
// every entry is preceded by an empty row.
void AppendSummaryLines(ui::StringGrid& summary, const std::vector<std::string>& lines);

// The `count` lines ending `back` lines before the current one, oldest first, as read.
std::vector<std::string> RecentLines(const core::LineReader& reader, int count, int back = 0);

// Header line of the final geometry: the last orientation of any kind (0 when none).
long long FinalStructureLine(const core::LoadedLog& log);

// Reads the last orientation table into the structure grid (labels and coordinates).
// Returns false when the file ends inside it; does nothing when the table lies behind.
// Throws core::ConversionError for an atom row that cannot be read.
bool ReadFinalStructure(Application& app, core::LineReader& reader);

// Reads the Mulliken table that follows the current line into the charge (and, for an
// open shell, spin density) columns of the structure grid. A spin-density table of its
// own is looked for up to the line before `spinBefore`. False when the file ends first.
bool ReadMullikenCharges(Application& app, core::LineReader& reader, long long spinBefore);

// Line of the first frequency block the table is built from (0 when there is none).
// Logs with high-precision modes print every mode twice; the standard blocks are used.
long long FirstFrequencyLine(Application& app);

}  // namespace mavrolin

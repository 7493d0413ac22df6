// Phase 10 of the log scan: the table of vibrational modes (one row per mode, one
// column per property line of a frequency block) and the thermochemistry lines.
#include <algorithm>
#include <set>

#include "app/application.h"
#include "core/number_text.h"
#include "logscan/job_summary.h"
#include "logscan/summary_phases.h"

namespace mavrolin {

namespace {

// A frequency block has a handful of property lines; a block that goes on longer than
// this without its "Atom" header is not a frequency block.
constexpr int kMaxBlockLines = 100;

const std::string kFrequencyError = "Error on extracting frequency data!";
const std::string kZeroPointError = "Error on the Zero-point correction information!";

struct FrequencyRow {
    long long line = 0;
    bool highPrecision = false;  // "Frequencies ---" of the high-precision mode listing
    int modes = 0;
};

// The report keeps characters 15.. of the line; for "Frequencies ---" they begin with
// the third dash standing alone ("-    53.1981 ..."), for a negative standard value
// ("-20.1234") the dash is glued to the digits.
bool IsHighPrecision(std::string_view contents) { return contents == "-" || contents.starts_with("- "); }

std::vector<FrequencyRow> ReportedFrequencyRows(Application& app) {
    std::vector<FrequencyRow> rows;
    for (const auto& hit : app.log.keywords) {
        if (hit.kind != core::KeywordKind::Frequencies || core::TrimView(hit.keyword) != "Frequencies" ||
            hit.remark == "Excluded")
            continue;
        FrequencyRow row;
        row.line = hit.line;
        row.highPrecision = IsHighPrecision(hit.contents);
        row.modes = core::LineTokens(hit.contents).Count() - (row.highPrecision ? 1 : 0);
        rows.push_back(row);
    }
    return rows;
}

// Which listing the table is built from: the standard blocks when the log has any.
bool UseHighPrecision(const std::vector<FrequencyRow>& rows) {
    return !rows.empty() && std::all_of(rows.begin(), rows.end(), [](const auto& r) { return r.highPrecision; });
}

std::vector<long long> BlockLines(Application& app) {
    auto rows = ReportedFrequencyRows(app);
    bool hp = UseHighPrecision(rows);
    std::set<long long> skip;
    for (const auto& r : rows)
        if (r.highPrecision != hp) skip.insert(r.line);
    std::vector<long long> lines;
    for (int b = 1; b <= app.log.nfreq; ++b) {
        long long line = PositionAt(app.log.freq_pos, b);
        if (line > 0 && !skip.count(line)) lines.push_back(line);
    }
    return lines;
}

int CountModes(Application& app) {
    auto rows = ReportedFrequencyRows(app);
    bool hp = UseHighPrecision(rows);
    int modes = 0;
    for (const auto& r : rows)
        if (r.highPrecision == hp) modes += std::max(r.modes, 0);
    return modes;
}

// Label and values of a property line ("Red. masses --      3.2266 ..."): the label is
// in the first 11 characters, the values start at character 16. High-precision lines
// ("Reduced masses ---     3.2266 ...") are cut at their "---" instead.
void SplitPropertyLine(const std::string& line, bool hp, std::string& label, std::string& values) {
    size_t sep = hp ? line.find("---") : std::string::npos;
    if (sep != std::string::npos) {
        label = core::Trim(line.substr(0, sep));
        values = line.substr(sep + 3);
        return;
    }
    label = core::Trim(line.substr(0, std::min<size_t>(11, line.size())));
    values = line.size() > 15 ? line.substr(15) : std::string();
}

// Lines after the first "Frequencies" line up to and including its "Atom" header.
bool CountBlockLines(Application& app, long long first, int& count) {
    core::LineReader reader(app.log.FileDum, kSummaryHistory, app.log.nline, &app.log.linemarks);
    if (!reader.AdvanceTo(first)) return false;
    for (count = 1; count <= kMaxBlockLines; ++count) {
        if (!reader.Next()) return false;
        std::string line(reader.TrimmedLine());
        if (line.starts_with("Atom") || line.starts_with("Coord")) return true;
    }
    return false;
}

// Writes one block's property lines into the table from row base + 1 on; the header
// cells come from the first block. Returns the number of modes of the block.
int FillBlock(ui::StringGrid& table, const std::vector<std::string>& entries, int rowBase, bool header, bool hp) {
    int count = 0;
    for (int p = 0; p < static_cast<int>(entries.size()); ++p) {
        std::string label, values;
        SplitPropertyLine(entries[static_cast<size_t>(p)], hp, label, values);
        if (header) table.SetCell(p, 0, label);
        auto tokens = core::LineTokens(values).ToVector();
        int needed = rowBase + static_cast<int>(tokens.size()) + 1;
        if (needed > table.RowCount()) table.SetRowCount(needed);
        for (size_t t = 0; t < tokens.size(); ++t) table.SetCell(p, rowBase + 1 + static_cast<int>(t), tokens[t]);
        count = static_cast<int>(tokens.size());
    }
    return count;
}

// Fills the table from every block; returns false when a block is cut off (what was
// read of it is still shown). The reader stays after the last block.
bool FillTable(Application& app, core::LineReader& reader, const std::vector<long long>& blocks, bool hp) {
    auto& table = app.form4.StringGrid1;
    int rowBase = 0;
    bool first = true;
    for (long long start : blocks) {
        if (start <= reader.LineNumber()) continue;  // inside the block just read: not a block start
        if (!reader.AdvanceTo(start)) return false;
        std::vector<std::string> entries{std::string(reader.TrimmedLine())};
        bool complete = true;
        for (int p = 1; p < app.log.freq_item && complete; ++p) {
            complete = reader.Next();
            if (complete) entries.push_back(std::string(reader.TrimmedLine()));
        }
        rowBase += FillBlock(table, entries, rowBase, first, hp);
        if (!complete) return false;
        first = false;
    }
    return true;
}

// The eight lines from "Zero-point correction=" to the sum of electronic and thermal
// free energies.
bool ReadThermochemistry(Application& app, core::LineReader& reader) {
    auto& log = app.log;
    long long zero = PositionAt(log.zero_pos, 1);
    if (log.nzero <= 0 || zero <= reader.LineNumber()) return true;
    if (!reader.AdvanceTo(zero)) return false;
    for (int i = 0; i < 7; ++i)
        if (!reader.Next()) return false;
    AppendSummaryLines(app.form4.StringGrid3, RecentLines(reader, 8));
    return true;
}

}  // namespace

long long FirstFrequencyLine(Application& app) {
    auto lines = BlockLines(app);
    return lines.empty() ? 0 : lines.front();
}

void FrequencyPhase(Application& app) {
    auto& log = app.log;
    auto& table = app.form4.StringGrid1;
    if (log.nfreq <= 0 || log.FileDum.empty()) return;

    log.npfreq = CountModes(app);
    table.SetRowCount(log.npfreq + 1);
    app.form4.Refresh();
    app.Pause(log.sleeptime);

    auto blocks = BlockLines(app);
    if (blocks.empty()) return;
    int item = 0;
    bool counted = CountBlockLines(app, blocks.front(), item);
    app.Pause(log.sleeptime);
    if (!counted) {
        app.ShowMessageCentred(kFrequencyError);
        app.Fail();
        return;
    }
    log.freq_item = item;
    if (item > 1) table.SetColCount(item);

    bool hp = UseHighPrecision(ReportedFrequencyRows(app));
    {
        core::LineReader reader(log.FileDum, kSummaryHistory, log.nline, &log.linemarks);
        if (!FillTable(app, reader, blocks, hp)) {
            app.ShowMessageCentred(kFrequencyError);
            app.Fail();
        } else if (!ReadThermochemistry(app, reader)) {
            app.ShowMessageCentred(kZeroPointError);
            app.Fail();
        }
    }
    app.Pause(log.sleeptime);
}

}  // namespace mavrolin

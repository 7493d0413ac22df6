#include "modiagram/mo_table_file.h"

#include <algorithm>

#include "core/text_file.h"
#include "core/text_view.h"

namespace mavrolin::modiagram {

namespace {
constexpr const char* kBlankCell = "NA";
}

std::vector<std::string> TabbedLines(const MoTableView& table) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(std::max(table.Rows(), 0)));
    for (int r = 0; r < table.Rows(); ++r) {
        std::string line;
        for (int c = 0; c < table.Cols(); ++c) {
            const std::string& cell = table.Cell(c, r);
            if (c > 0) line += '\t';
            line += core::IsBlank(cell) ? std::string(kBlankCell) : cell;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void WriteTabbedFile(const std::filesystem::path& path, const MoTableView& table) {
    core::TextWriter out(path);
    for (const auto& line : TabbedLines(table)) out.WriteLine(line);
    out.Close();
}

std::vector<std::string> SplitTabbedLine(const std::string& line) {
    std::vector<std::string> fields;
    const std::string text = core::Trim(line);
    size_t start = 0;
    while (start <= text.size()) {
        size_t tab = text.find('\t', start);
        std::string field = core::Trim(text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        fields.push_back(field == kBlankCell ? std::string() : field);
        if (tab == std::string::npos) break;
        start = text.find_first_not_of('\t', tab);  // a run of TABs is one separator
        if (start == std::string::npos) break;
    }
    return fields;
}

MoTableData ReadTabbedFile(const std::filesystem::path& path) {
    std::vector<std::vector<std::string>> lines;
    {
        core::TextReader in(path);
        for (std::string line; in.ReadLine(line);) lines.push_back(SplitTabbedLine(line));
    }
    MoTableData table;
    const size_t cols = lines.empty() ? 1 : std::max<size_t>(lines.front().size(), 1);
    table.rows = std::max(static_cast<int>(lines.size()), 2);
    table.columns.assign(cols, std::vector<std::string>(static_cast<size_t>(table.rows)));
    for (size_t r = 0; r < lines.size(); ++r)
        for (size_t c = 0; c < std::min(cols, lines[r].size()); ++c) table.columns[c][r] = std::move(lines[r][c]);
    return table;
}

}  // namespace mavrolin::modiagram

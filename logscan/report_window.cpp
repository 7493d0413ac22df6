#include "logscan/report_window.h"

#include <algorithm>
#include <string_view>

#include "core/number_text.h"

namespace mavrolin {

void TForm3::ShowKeywordIndex(const core::KeywordIndex& index) {
    auto& grid = StringGrid1;
    if (index.Has(core::KeywordKind::ScfDone)) {
        static const char* kHeaders[] = {"Remark", "Line Nmbr", "Keyword", "Contents", "Message"};
        for (int c = 0; c < 5; ++c) grid.SetCell(c, 0, kHeaders[c]);
    }
    const int first = grid.RowCount();
    const int columns = std::min(grid.ColCount(), 5);
    grid.AppendRows(static_cast<int>(index.size()), [&](int row, std::string* cells) {
        const core::KeywordHit hit = index[static_cast<size_t>(row - first)];
        const std::string_view texts[] = {hit.remark, {}, hit.keyword, hit.contents, hit.message};
        for (int c = 0; c < columns; ++c) cells[c] = texts[c];
        if (columns > 1) cells[1] = core::IntText(hit.line);
    });
}

}  // namespace mavrolin

#include "logscan/report_window.h"

#include "core/number_text.h"

namespace mavrolin {

void TForm3::ShowKeywordIndex(const core::KeywordIndex& index) {
    auto& grid = StringGrid1;
    if (index.Has(core::KeywordKind::ScfDone)) {
        static const char* kHeaders[] = {"Remark", "Line Nmbr", "Keyword", "Contents", "Message"};
        for (int c = 0; c < 5; ++c) grid.SetCell(c, 0, kHeaders[c]);
    }
    int row = grid.RowCount();
    grid.SetRowCount(row + static_cast<int>(index.hits.size()));
    for (const auto& hit : index.hits) {
        if (!hit.remark.empty()) grid.SetCell(0, row, hit.remark);
        grid.SetCell(1, row, core::IntText(hit.line));
        grid.SetCell(2, row, hit.keyword);
        grid.SetCell(3, row, hit.contents);
        if (!hit.message.empty()) grid.SetCell(4, row, hit.message);
        ++row;
    }
}

}  // namespace mavrolin

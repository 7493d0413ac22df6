#pragma once
#include "core/keyword_index.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

// The analysis report window: one row per keyword line of the scanned log (columns
// Remark, Line Nmbr, Keyword, Contents, Message), shown from the keyword index.
class TForm3 : public ui::Form {
public:
    explicit TForm3(Application& app)
        : ui::Form("Form3", "Log/Out Analysis Report"), StringGrid1(this, "StringGrid1"), app_(app) {
        StringGrid1.SetAlign(ui::Align::Client);
        StringGrid1.SetColCount(5);
        StringGrid1.SetFixedCols(0);
        StringGrid1.SetRowCount(2);
        StringGrid1.SetFixedRows(1);
        const int widths[] = {57, 74, 182, 493, 332};
        for (int c = 0; c < 5; ++c) StringGrid1.SetColWidth(c, widths[c]);
    }

    ui::StringGrid StringGrid1;

    // Appends one row per hit after the rows the grid has; the column titles are written
    // when the index holds an SCF energy line.
    void ShowKeywordIndex(const core::KeywordIndex& index);

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

#include "spectrum/contributions_window.h"

#include "app/application.h"

namespace mavrolin {

TForm12::TForm12(Application& app)
    : ui::Form("Form12", "Contributions"), StringGrid1(this, "StringGrid1"), Memo1(this, "Memo1"), app_(app) {
    SetStayOnTop(true);
    SetBounds(0, 0, 254, 60);
    StringGrid1.SetAlign(ui::Align::Client);
    StringGrid1.SetColCount(1);
    StringGrid1.SetRowCount(1);
    StringGrid1.SetFixedRows(0);
    StringGrid1.SetFixedCols(0);
    StringGrid1.SetColWidth(0, 500);
    Memo1.SetVisible(false);
    PopupMenu1.Add(Copy1);
    PopupMenus.push_back(&PopupMenu1);
    Copy1.OnClick = [this] { Copy1Click(); };
    StringGrid1.OnMouseDown = [this](const ui::MouseEvent& e) { StringGrid1MouseDown(e); };
}

void TForm12::StringGrid1MouseDown(const ui::MouseEvent& e) {
    if (e.button != ui::MouseButton::Right) return;
    app_.platform.PopupMenu(PopupMenu1, e.x + Left(), e.y + Top() + Height() - StringGrid1.Height());
}

void TForm12::Copy1Click() {
    Memo1.Clear();
    for (int r = 0; r < StringGrid1.RowCount(); ++r) Memo1.AddLine(StringGrid1.Cell(0, r));
    app_.platform.CopyToClipboard(Memo1.Text());
    Memo1.Clear();
}

}  // namespace mavrolin

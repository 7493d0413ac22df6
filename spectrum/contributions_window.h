#pragma once
// The contributions window: the CI components of the transition picked by a Ctrl-click
// on the spectrum, one per row, with a pop-up "Copy" to the clipboard.
#include "ui/controls.h"

namespace mavrolin {

class Application;

class TForm12 : public ui::Form {
public:
    explicit TForm12(Application& app);

    ui::StringGrid StringGrid1;
    ui::Memo Memo1;  // hidden, used for copying
    ui::MenuItem PopupMenu1{"", "PopupMenu1"};
    ui::MenuItem Copy1{"Copy", "Copy1"};

    void StringGrid1MouseDown(const ui::MouseEvent& e);
    void Copy1Click();

private:
    Application& app_;
};

}  // namespace mavrolin

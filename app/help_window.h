#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// The help window: one scrolling text box with the program notes.
class TForm5 : public ui::Form {
public:
    explicit TForm5(Application& app);
    ui::Memo Memo1;

    static const char* const kAdvice;

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

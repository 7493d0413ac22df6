#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// The analysis report window: one row per keyword line of the scanned log.
class TForm3 : public ui::Form {
public:
    explicit TForm3(Application& app)
        : ui::Form("Form3", "Log/Out Analysis Report"), StringGrid1(this, "StringGrid1"), app_(app) {}

    ui::StringGrid StringGrid1;

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

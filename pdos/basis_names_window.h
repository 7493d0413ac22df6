#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// BS Names window: created at start-up; its content is built with its subsystem.
class TForm18 : public ui::Form {
public:
    explicit TForm18(Application& app) : ui::Form("Form18", "BS Names"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

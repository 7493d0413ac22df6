#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// Contributions window: created at start-up; its content is built with its subsystem.
class TForm12 : public ui::Form {
public:
    explicit TForm12(Application& app) : ui::Form("Form12", "Contributions"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// Comparison of MO Energy Levels window: created at start-up; its content is built with its subsystem.
class TForm7 : public ui::Form {
public:
    explicit TForm7(Application& app) : ui::Form("Form7", "Comparison of MO Energy Levels"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

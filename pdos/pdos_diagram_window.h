#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// Projected DOS Diagram window: created at start-up; its content is built with its subsystem.
class TForm16 : public ui::Form {
public:
    explicit TForm16(Application& app) : ui::Form("Form16", "Projected DOS Diagram"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

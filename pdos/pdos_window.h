#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// Projected Density Of States (PDOS) window: created at start-up; its content is built with its subsystem.
class TForm15 : public ui::Form {
public:
    explicit TForm15(Application& app) : ui::Form("Form15", "Projected Density Of States (PDOS)"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// List of MO Energy Levels Imported window: created at start-up; its content is built with its subsystem.
class TForm6 : public ui::Form {
public:
    explicit TForm6(Application& app) : ui::Form("Form6", "List of MO Energy Levels Imported"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// SCF Energy Change Profile during Opt (No chemical meaning!) window: created at start-up; its content is built with its subsystem.
class TForm2 : public ui::Form {
public:
    explicit TForm2(Application& app) : ui::Form("Form2", "SCF Energy Change Profile during Opt (No chemical meaning!)"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

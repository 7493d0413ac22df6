#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// MO Coefficients window: created at start-up; its content is built with its subsystem.
class TForm14 : public ui::Form {
public:
    explicit TForm14(Application& app) : ui::Form("Form14", "MO Coefficients"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

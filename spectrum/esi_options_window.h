#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// ESI Report Format window: created at start-up; its content is built with its subsystem.
class TForm11 : public ui::Form {
public:
    explicit TForm11(Application& app) : ui::Form("Form11", "ESI Report Format"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

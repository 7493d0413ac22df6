#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// Graphics Settings window: created at start-up; its content is built with its subsystem.
class TForm8 : public ui::Form {
public:
    explicit TForm8(Application& app) : ui::Form("Form8", "Graphics Settings"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

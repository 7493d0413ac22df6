#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// Graphics Setting for TD-DFT Spectral Simulation window: created at start-up; its content is built with its subsystem.
class TForm10 : public ui::Form {
public:
    explicit TForm10(Application& app) : ui::Form("Form10", "Graphics Setting for TD-DFT Spectral Simulation"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

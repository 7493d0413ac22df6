#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// Spectral Simulation Using TD-DFT Results window: created at start-up; its content is built with its subsystem.
class TForm9 : public ui::Form {
public:
    explicit TForm9(Application& app) : ui::Form("Form9", "Spectral Simulation Using TD-DFT Results"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// An empty window that is created with the others and never shown.
class TForm13 : public ui::Form {
public:
    explicit TForm13(Application& app) : ui::Form("Form13", "Form13"), app_(app) {}

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

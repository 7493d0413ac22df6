#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// The job summary window ("Frequencies and Other Reports").
class TForm4 : public ui::Form {
public:
    explicit TForm4(Application& app)
        : ui::Form("Form4", "Frequencies and Other Reports"),
          StringGrid1(this, "StringGrid1"),
          StringGrid2(this, "StringGrid2"),
          StringGrid3(this, "StringGrid3"),
          app_(app) {}

    ui::StringGrid StringGrid1;  // job summary
    ui::StringGrid StringGrid2;  // final structure
    ui::StringGrid StringGrid3;  // frequencies and thermochemistry

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

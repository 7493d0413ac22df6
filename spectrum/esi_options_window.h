#pragma once
// The ESI report options: the limits of what the report lists, the HOMO found by the
// import, the notation of the transition labels, and "Save ESI File".
#include <memory>
#include <vector>

#include "ui/controls.h"

namespace mavrolin {

class Application;

class TForm11 : public ui::Form {
public:
    explicit TForm11(Application& app);

    ui::Edit nm_limit, f_limit, cicoeff_limit, HOMOPos, description;
    ui::SpinEdit style;
    ui::Button Cancel, Update1, SaveFile1;

    void styleChange();
    void CancelClick();
    void Update1Click();
    void SaveFile1Click();

private:
    Application& app_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
};

}  // namespace mavrolin

#pragma once
#include "ui/controls.h"

namespace mavrolin {

class Application;

// BS Names window: the AO labels around the current AO of a coefficient table.
class TForm18 : public ui::Form {
public:
    explicit TForm18(Application& app);
    ui::StringGrid StringGrid1;  // one column, 21 rows

private:
    [[maybe_unused]] Application& app_;
};

}  // namespace mavrolin

#include "app/application.h"
#include "app/batch.h"

namespace mavrolin {

void RegisterReportCommand(CLI::App&, BatchSession&) {}

}  // namespace mavrolin

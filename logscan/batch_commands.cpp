#include "app/batch.h"

namespace mavrolin {

void RegisterLogScanCommands(CLI::App&, BatchSession&) {}

}  // namespace mavrolin

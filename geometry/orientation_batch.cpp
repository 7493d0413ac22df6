#include "app/batch.h"

namespace mavrolin {

void RegisterOrientationCommands(CLI::App&, BatchSession&) {}

}  // namespace mavrolin

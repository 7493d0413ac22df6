#include "app/batch.h"

namespace mavrolin {

void RegisterProfileCommands(CLI::App&, BatchSession&) {}

}  // namespace mavrolin

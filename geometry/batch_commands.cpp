#include "app/batch.h"

namespace mavrolin {

void RegisterGeometryCommands(CLI::App&, BatchSession&) {}

}  // namespace mavrolin

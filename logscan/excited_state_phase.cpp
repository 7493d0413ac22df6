#include "logscan/log_scan.h"

namespace mavrolin::logscan {

// Excited-state import into the spectrum window: not built yet; the scan calls it when
// the index holds "Excited State" lines.
void ExcitedStatePhase(Application&) {}

}  // namespace mavrolin::logscan

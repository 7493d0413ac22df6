#include "logscan/log_scan.h"

namespace mavrolin::logscan {

// MO energy import and coefficient table: not built yet; the scan calls it in its place.
void MoEnergyPhase(Application&) {}

}  // namespace mavrolin::logscan

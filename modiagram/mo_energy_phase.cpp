#include "modiagram/mo_energy_phase.h"

namespace mavrolin::modiagram {

// MO energy import and coefficient table: not built yet; the scan calls it in its place.
void MoEnergyPhase(Application&) {}

}  // namespace mavrolin::modiagram

#include "spectrum/excited_state_phase.h"

namespace mavrolin::spectrum {

// Excited-state import into the spectrum window: not built yet; the scan calls it when
// the index holds "Excited State" lines.
void ExcitedStatePhase(Application&) {}

}  // namespace mavrolin::spectrum

#pragma once
// The scan phase that imports the excited states of a scanned log into the spectrum window.

namespace mavrolin {

class Application;

namespace spectrum {

// Runs after the frequency table, only when the index holds "Excited State" hits.
void ExcitedStatePhase(Application& app);

}  // namespace spectrum
}  // namespace mavrolin

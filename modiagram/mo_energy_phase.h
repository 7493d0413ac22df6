#pragma once
// The scan phase that imports the orbital energies of a scanned log into the MO table.

namespace mavrolin {

class Application;

namespace modiagram {

// Runs after the keyword index is built and before the job summary; reads the eigenvalue
// hits of the index.
void MoEnergyPhase(Application& app);

}  // namespace modiagram
}  // namespace mavrolin

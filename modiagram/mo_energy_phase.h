#pragma once
// The scan phase that imports the orbital energies of a scanned log into the MO table.

namespace mavrolin {

class Application;

namespace modiagram {

// Runs after the keyword index is built and before the job summary; reads the eigenvalue
// hits of the index.
void MoEnergyPhase(Application& app);

// Hands the imported printing to the MO coefficient load: the line of its first eigenvalue
// line in the log and its own number of eigenvalue lines. The coefficient tables fill it in.
void LoadMoCoefficients(Application& app, long long blockStart, int blockLength);

}  // namespace modiagram
}  // namespace mavrolin

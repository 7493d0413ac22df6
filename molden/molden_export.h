#pragma once
// Gathering a Molden file from what the windows have loaded: the last orientation and the
// normal modes of a log, and the coefficient tables when they belong to that log.
#include <string>
#include <vector>

#include "molden/molden_file.h"

namespace mavrolin {

class Application;

namespace molden {

// The parts of a Molden file for `log`. Orbitals are taken when the coefficient window
// holds complete tables of this log; their basis comes from the checkpoint file the tables
// were completed from, else from the log's GFPrint listing. Without `needOrbitals` a
// missing basis only leaves the orbitals out (a note says so); with it, it is refused
// (core::InputError), as is a log without modes or orbitals. Throws core::InputError for
// a log without an orientation.
MoldenData GatherMolden(Application& app, const std::string& log, bool needOrbitals, std::vector<std::string>& notes);

// Asks for the file name (LOG stem + .molden), gathers, writes, shows the notes.
void SaveMoldenFor(Application& app, const std::string& log, bool needOrbitals);

}  // namespace molden
}  // namespace mavrolin

#pragma once
// Results as one JSON document per batch call ("--json"), for scripts that would otherwise
// parse the text tables. Every document starts with the program, the command and the
// input file; values carry their unit in the field name (energy_hartree, wavelength_nm).
#include <string>

#include <nlohmann/json.hpp>

#include "app/batch.h"

namespace mavrolin {

using Json = nlohmann::ordered_json;

// The --json flag of a command.
CLI::Option* AddJsonFlag(CLI::App* command, bool& flag);

// {"program": "mavrolin", "version": ..., "command": ..., "file": ...}
Json JsonDocument(const std::string& command, const std::string& file);

// Writes the document (two-space indent) to the -o path through the atomic writer, or to
// standard output without -o.
void DeliverJson(BatchSession& session, const std::string& output, const Json& document);

// A number that is not finite is written as null (JSON has no NaN or infinity).
Json Number(double v);

}  // namespace mavrolin

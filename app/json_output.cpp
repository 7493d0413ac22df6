#include "app/json_output.h"

#include <cmath>

#include "core/text_file.h"

#ifndef MAVROLIN_VERSION
#define MAVROLIN_VERSION "0.1.0"
#endif

namespace mavrolin {

CLI::Option* AddJsonFlag(CLI::App* command, bool& flag) {
    return command->add_flag("--json", flag, "write the results as one JSON document (named fields with units)");
}

Json JsonDocument(const std::string& command, const std::string& file) {
    Json doc;
    doc["program"] = "mavrolin";
    doc["version"] = MAVROLIN_VERSION;
    doc["command"] = command;
    doc["file"] = file;
    return doc;
}

void DeliverJson(BatchSession& session, const std::string& output, const Json& document) {
    const std::string text = document.dump(2) + "\n";
    if (output.empty()) {
        session.out << text;
        return;
    }
    session.Run([&] { core::WriteFileAtomically(output, text); });
}

Json Number(double v) { return std::isfinite(v) ? Json(v) : Json(nullptr); }

}  // namespace mavrolin

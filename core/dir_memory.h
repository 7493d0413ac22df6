#pragma once
#include <functional>
#include <string>

#include "core/loaded_log.h"

namespace core {

// Remembers the folder of a chosen file: dirinfo := folder, make it the current
// directory, rewrite the "dirinfo" memory file in dirinfo0, pause sleeptime.
void RememberDirectory(LoadedLog& log, const std::string& chosenFile,
                       const std::function<void(int)>& pause);

// Folder part of a path (up to, not including, the last separator).
std::string DirectoryOf(const std::string& path);

// Path without its last four characters (the convention for default output names),
// taken only from the file's extension: a name without an extension is kept whole.
std::string StemOf4(const std::string& path);

}  // namespace core

#include "core/dir_memory.h"

#include <filesystem>
#include <system_error>

#include "core/text_file.h"

namespace core {

std::string DirectoryOf(const std::string& path) {
    auto p = path.find_last_of('/');
    return p == std::string::npos ? std::string() : path.substr(0, p);
}

std::string StemOf4(const std::string& path) {
    return path.size() >= 4 ? path.substr(0, path.size() - 4) : std::string();
}

void RememberDirectory(LoadedLog& log, const std::string& chosenFile,
                       const std::function<void(int)>& pause) {
    log.dirinfo = DirectoryOf(chosenFile);
    std::error_code ec;
    if (!log.dirinfo.empty()) std::filesystem::current_path(log.dirinfo, ec);
    TextWriter w(std::filesystem::path(log.dirinfo0) / "dirinfo");
    w.WriteLine(log.dirinfo);
    w.Close();
    if (pause) pause(log.sleeptime);
}

}  // namespace core

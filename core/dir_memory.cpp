#include "core/dir_memory.h"

#include <filesystem>
#include <system_error>

#include "core/text_file.h"

namespace core {

std::string DirectoryOf(const std::string& path) {
    auto p = path.find_last_of('/');
    return p == std::string::npos ? std::string() : path.substr(0, p);
}

// The last four characters go when they lie inside the file's extension (".log";
// ".fchk" leaves "."); a shorter extension goes whole; a name without one is kept, so a
// proposed name never reaches into the folder part of the path.
std::string StemOf4(const std::string& path) {
    auto slash = path.find_last_of('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart) return path;
    if (path.size() >= 4 && dot <= path.size() - 4) return path.substr(0, path.size() - 4);
    return path.substr(0, dot);
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

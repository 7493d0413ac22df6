#include "ui/platform.h"

#include <filesystem>
#include <system_error>

#include "core/errors.h"

namespace ui {

bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    auto absA = std::filesystem::absolute(a, ec);
    if (ec) return false;
    auto absB = std::filesystem::absolute(b, ec);
    return !ec && absA.lexically_normal() == absB.lexically_normal();
}

void RefuseFileInUse(const std::string& path, const std::vector<std::string>& inUse) {
    for (const auto& read : inUse)
        if (SameFile(path, read))
            throw core::FileError("Cannot write \"" + path + "\": it is " +
                                  (path == read ? std::string("a file") : "the same file as \"" + read + "\", a file") +
                                  " being read. Choose another name; nothing was written.");
}

std::optional<std::string> Platform::SaveFileDialog(const FileDialogOptions& o) {
    auto chosen = ChooseSaveFile(o);
    if (chosen && filesInUse) RefuseFileInUse(*chosen, filesInUse());
    return chosen;
}

}  // namespace ui

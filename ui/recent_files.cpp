#include "ui/recent_files.h"

#include <algorithm>

namespace ui {

RecentFiles::RecentFiles(const std::vector<std::string>& stored) {
    for (const auto& p : stored) {
        if (paths_.size() == kMax) break;
        if (!p.empty() && std::find(paths_.begin(), paths_.end(), p) == paths_.end()) paths_.push_back(p);
    }
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty()) return;
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMax) paths_.resize(kMax);
}

bool RecentFiles::Remove(const std::string& path) {
    auto it = std::find(paths_.begin(), paths_.end(), path);
    if (it == paths_.end()) return false;
    paths_.erase(it);
    return true;
}

}  // namespace ui

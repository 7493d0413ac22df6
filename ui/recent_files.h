#pragma once
// The list behind File > "Recent Files": the last logs opened, newest first, each once.
// The platform stores it between sessions; this class only keeps its rules.
#include <string>
#include <vector>

namespace ui {

class RecentFiles {
public:
    static constexpr size_t kMax = 10;

    RecentFiles() = default;
    // A stored list as read back: empty entries and repeats dropped, at most kMax kept.
    explicit RecentFiles(const std::vector<std::string>& stored);

    // `path` becomes the newest entry (moved up when it is there already).
    void Add(const std::string& path);
    // False when `path` was not in the list.
    bool Remove(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

}  // namespace ui

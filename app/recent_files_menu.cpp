// File > "Recent Files": the last logs scanned, kept in the user's settings by the
// platform, each entry opening its log as "Open Log/Out File (Opt,Freq)" does.
#include <filesystem>

#include "app/application.h"
#include "app/main_window.h"

namespace mavrolin {

void TForm1::BuildRecentFilesMenu() {
    for (size_t i = 0; i < RecentFileItems.size(); ++i) {
        RecentFiles1.Add(RecentFileItems[i]);
        RecentFileItems[i].OnClick = [this, i] { RecentFileClick(i); };
    }
    recent_ = ui::RecentFiles(app_.platform.StoredRecentFiles());
    ShowRecentFiles();
}

void TForm1::ShowRecentFiles() {
    const auto& paths = recent_.Paths();
    for (size_t i = 0; i < RecentFileItems.size(); ++i) {
        RecentFileItems[i].SetCaption(i < paths.size() ? paths[i] : std::string());
        RecentFileItems[i].SetVisible(i < paths.size());
    }
    RecentFiles1.SetEnabled(!paths.empty());
}

void TForm1::AddRecentFile(const std::string& path) {
    recent_.Add(path);
    app_.platform.StoreRecentFiles(recent_.Paths());
    ShowRecentFiles();
}

void TForm1::RecentFileClick(size_t index) {
    if (index >= recent_.Paths().size()) return;
    const std::string path = recent_.Paths()[index];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        recent_.Remove(path);
        app_.platform.StoreRecentFiles(recent_.Paths());
        ShowRecentFiles();
        app_.ShowMessagePos("The file " + path + " no longer exists; it was removed from Recent Files.");
        return;
    }
    app_.platform.AnswerNextOpen(path);
    OpenLOG1Click();
}

}  // namespace mavrolin

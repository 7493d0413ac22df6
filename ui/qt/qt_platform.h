#pragma once
// The platform of the desktop program: Qt dialogs and message boxes, the clipboard, the
// monitor of a window, pauses, pending repaints and the clock.
#include <map>
#include <optional>
#include <string>

#include "ui/platform.h"
#include "ui/qt/scan_messages.h"

class QWidget;

namespace mavrolin::qt {

class QtBinding;
class ProgressPanel;

class QtPlatform : public ui::Platform {
public:
    QtPlatform() = default;
    // The binding knows the windows of the forms (for monitors and dialog parents).
    void SetBinding(QtBinding* binding) { binding_ = binding; }

    // The next open dialog is answered with `path` without being shown (a file named on
    // the command line or dropped on the main window).
    void PresetOpenAnswer(std::string path) { presetOpen_ = std::move(path); }
    void AnswerNextOpen(const std::string& path) override { presetOpen_ = path; }
    // Kept under "recentFiles" in the application's QSettings (the organisation and
    // application names are set once at start-up).
    std::vector<std::string> StoredRecentFiles() override;
    void StoreRecentFiles(const std::vector<std::string>& paths) override;
    void ClearPresetOpenAnswer() { presetOpen_.reset(); }
    bool HasPresetOpenAnswer() const { return presetOpen_.has_value(); }

    std::optional<std::string> OpenFileDialog(const ui::FileDialogOptions& o) override;
    std::vector<std::string> OpenFilesDialog(const ui::FileDialogOptions& o) override;
    std::optional<std::string> ChooseSaveFile(const ui::FileDialogOptions& o) override;
    std::optional<ui::Color> ColorDialog(ui::Color initial) override;
    std::optional<ui::FontSpec> FontDialog(const ui::FontSpec& initial) override;
    std::optional<std::vector<std::string>> AskValues(const std::string& title, const std::vector<std::string>& labels,
                                                      const std::vector<std::string>& initial) override;

    void MessageAt(const std::string& text, int x, int y) override;
    void MessageCentred(const std::string& text) override;
    void WarningAt(const std::string& text, int x, int y) override;
    void ProblemAt(const std::string& text, int x, int y) override;
    void ErrorMessage(const std::string& text) override;
    void ShowScanMessages() override;
    ScanMessages& Messages() { return scanMessages_; }

    void CopyToClipboard(const std::string& text) override;
    ui::ScreenSize MonitorSize(const ui::Form& shownOn) override;
    void Pause(int ms) override;
    void ProcessMessages() override;
    // Shown in the progress panel of the window set with SetProgressWindow (without one,
    // only the repaints happen).
    bool Progress(const ui::ProgressReport& r) override;
    void EndProgress() override;
    void SetProgressWindow(QWidget* window);
    ProgressPanel* Panel() const { return panel_; }
    std::string DateTimeText() override;
    void PopupMenu(ui::MenuItem& menu, int screenX, int screenY) override;
    void SavePicture(const ui::RecordingCanvas& drawing, int width, int height,
                     const std::string& path) override;
    void ReleaseForm(ui::Form& form) override;
    void Quit() override;

    bool QuitRequested() const { return quitRequested_; }
    // Window title of the message boxes.
    static constexpr const char* kTitle = "Mavrolin";

    // "Desc|*.a;*.b|All|*.*" as a Qt name filter list "Desc (*.a *.b);;All (*.*)".
    static std::string QtFilter(const std::string& filter);

private:
    QWidget* DialogParent() const;
    // Adds a message given while a scan runs to the scan's list; true when, being plain
    // information that the user wants out of the way, it went to the status bar instead
    // of a box.
    bool NoteScanMessage(const std::string& text, bool information);
    void ShowAt(const std::string& text, int x, int y, bool information);
    bool inScan_ = false;
    ScanMessages scanMessages_;
    QWidget* progressWindow_ = nullptr;
    std::optional<std::string> presetOpen_;
    QtBinding* binding_ = nullptr;
    bool quitRequested_ = false;
    ProgressPanel* panel_ = nullptr;  // owned by its window
    // The panel of the window a task was started from: the main window's, or one made for
    // another window the first time it runs a task of its own. And the one shown now.
    ProgressPanel* PanelFor(QWidget* active);
    std::map<QWidget*, ProgressPanel*> otherPanels_;
    ProgressPanel* shown_ = nullptr;
};

}  // namespace mavrolin::qt

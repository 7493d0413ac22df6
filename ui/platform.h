#pragma once
// Everything outside the windows: dialogs, message boxes, clipboard, monitor, clock,
// pauses. HeadlessPlatform answers from a script; QtPlatform shows the real thing.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/canvas.h"

namespace ui {

class Form;
class MenuItem;
class RecordingCanvas;

struct FileDialogOptions {
    std::string title;
    std::string initialDir;
    std::string fileName;  // proposed name
    std::string filter;    // "Log files (*.log *.out)|*.log;*.out|All files (*.*)|*.*"
};

// How far a long task (a log scan) has come: the phase it is in, which of how many
// phases that is, and the share of the phase done (0 to 1).
struct ProgressReport {
    std::string_view phase;
    int step = 0;   // 0-based
    int steps = 0;
    double fraction = 0;
};

struct ScreenSize {
    int width = 0, height = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> OpenFileDialog(const FileDialogOptions& o) = 0;
    // The same for a file to write. A choice that names a file in use (filesInUse) is
    // refused with core::FileError, before anything is written.
    std::optional<std::string> SaveFileDialog(const FileDialogOptions& o);
    // The files a save must never replace: the log the windows show, the inputs of a batch
    // command. Set by the application.
    std::function<std::vector<std::string>()> filesInUse;
    // Several files chosen at once; empty when the user cancelled. Where the platform has no
    // such dialog, one file through OpenFileDialog.
    virtual std::vector<std::string> OpenFilesDialog(const FileDialogOptions& o) {
        auto one = OpenFileDialog(o);
        return one ? std::vector<std::string>{*one} : std::vector<std::string>{};
    }
    virtual std::optional<Color> ColorDialog(Color initial) = 0;
    virtual std::optional<FontSpec> FontDialog(const FontSpec& initial) = 0;
    // A small form of labelled text fields filled with `initial`: the texts as the user left
    // them, or nothing when cancelled. Without a form to show, the initial texts stand.
    virtual std::optional<std::vector<std::string>> AskValues(const std::string& title,
                                                              const std::vector<std::string>& labels,
                                                              const std::vector<std::string>& initial) {
        (void)title, (void)labels;
        return initial;
    }

    // A modal message with its top-left corner at (x, y), no icon, OK button.
    virtual void MessageAt(const std::string& text, int x, int y) = 0;
    // A warning: shown as a message at (x, y); batch prints it even when quiet.
    virtual void WarningAt(const std::string& text, int x, int y) { MessageAt(text, x, y); }
    // A message at (x, y) that says something went wrong in reading: printed as a message
    // in batch, but never moved out of its box on the desktop the way plain information
    // of a scan can be.
    virtual void ProblemAt(const std::string& text, int x, int y) { MessageAt(text, x, y); }
    // The messages of the last scan with their times (a window of the desktop; nothing in batch).
    virtual void ShowScanMessages() {}
    // A modal message centred on the screen.
    virtual void MessageCentred(const std::string& text) = 0;
    // The default report of an error that ended a handler.
    virtual void ErrorMessage(const std::string& text) = 0;

    virtual void CopyToClipboard(const std::string& text) = 0;
    virtual ScreenSize MonitorSize(const Form& shownOn) = 0;
    virtual void Pause(int ms) = 0;
    virtual void ProcessMessages() = 0;
    // Shows the progress of a long task and lets the windows repaint; the platform
    // decides how often it really does so. Returns false once the user asked to stop.
    virtual bool Progress(const ProgressReport&) { return true; }
    // The task has ended (done, failed or stopped): the progress display goes away.
    virtual void EndProgress() {}
    // Current date and time in the short-date and long-time form.
    virtual std::string DateTimeText() = 0;
    virtual void PopupMenu(MenuItem& menu, int screenX, int screenY) = 0;

    // Writes a drawing (as recorded from a paint box of the given size) as a picture;
    // the extension (.png, .svg, .pdf) chooses the format. Throws core::FileError.
    virtual void SavePicture(const RecordingCanvas& drawing, int width, int height,
                             const std::string& path) = 0;

    // The next open-file dialog is answered with `path` without being shown (a file
    // picked from File > "Recent Files").
    virtual void AnswerNextOpen(const std::string& path) = 0;
    // The "Recent Files" list kept in the user's settings, newest first.
    virtual std::vector<std::string> StoredRecentFiles() { return {}; }
    virtual void StoreRecentFiles(const std::vector<std::string>&) {}

    // The shell's exit sequence: a window is released, then the process ends.
    virtual void ReleaseForm(Form& form) = 0;
    virtual void Quit() = 0;

protected:
    // The save dialog itself.
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogOptions& o) = 0;
};

// True when both paths name one file: the same text once made absolute, or (for files
// that exist) the same file reached through links.
bool SameFile(const std::string& a, const std::string& b);
// Throws core::FileError when `path` names one of `inUse`: nothing may be written over a
// file that is being read.
void RefuseFileInUse(const std::string& path, const std::vector<std::string>& inUse);

}  // namespace ui

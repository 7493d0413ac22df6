#pragma once
// A platform without a display: dialogs are answered from queued answers, messages are
// recorded (and optionally echoed to a stream), pauses are real only when asked.
#include <deque>
#include <functional>
#include <iosfwd>
#include <vector>

#include "ui/platform.h"

namespace ui {

class HeadlessPlatform : public Platform {
public:
    struct Message {
        std::string text;
        int x = 0, y = 0;
        bool centred = false;
        bool error = false;
        bool warning = false;
    };

    // Scripted answers, taken in order; an empty queue answers "cancel".
    void AnswerOpen(std::optional<std::string> path) { openAnswers_.push_back(std::move(path)); }
    void AnswerSave(std::optional<std::string> path) { saveAnswers_.push_back(std::move(path)); }
    void AnswerColor(std::optional<Color> c) { colorAnswers_.push_back(c); }
    void AnswerFont(std::optional<FontSpec> f) { fontAnswers_.push_back(std::move(f)); }
    // Answers of AskValues; with none queued the initial texts are taken.
    void AnswerValues(std::optional<std::vector<std::string>> v) {
        valueAnswers_.push_back({!v.has_value(), v.value_or(std::vector<std::string>{})});
    }
    std::optional<std::vector<std::string>> AskValues(const std::string& title, const std::vector<std::string>& labels,
                                                      const std::vector<std::string>& initial) override;

    std::optional<std::string> OpenFileDialog(const FileDialogOptions& o) override;
    void AnswerNextOpen(const std::string& path) override { openAnswers_.push_front(path); }
    std::vector<std::string> StoredRecentFiles() override { return recentFiles; }
    void StoreRecentFiles(const std::vector<std::string>& paths) override { recentFiles = paths; }
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions& o) override;
    std::optional<Color> ColorDialog(Color initial) override;
    std::optional<FontSpec> FontDialog(const FontSpec& initial) override;

    void MessageAt(const std::string& text, int x, int y) override;
    void MessageCentred(const std::string& text) override;
    void ErrorMessage(const std::string& text) override;
    void WarningAt(const std::string& text, int x, int y) override;

    void CopyToClipboard(const std::string& text) override { clipboard = text; }
    ScreenSize MonitorSize(const Form&) override { return monitor; }
    void Pause(int ms) override;
    void ProcessMessages() override { ++processed; }
    bool Progress(const ProgressReport& r) override;
    void EndProgress() override { ++progressEnded; }
    std::string DateTimeText() override { return dateTime; }
    void PopupMenu(MenuItem& menu, int x, int y) override;
    void ReleaseForm(Form& form) override;
    void SavePicture(const RecordingCanvas& drawing, int width, int height,
                     const std::string& path) override;
    void Quit() override { quitRequested = true; events.push_back("quit"); }

    // What happened, for tests.
    std::vector<Message> messages;
    std::vector<FileDialogOptions> openRequests, saveRequests;
    std::vector<std::string> events;  // "release Form1", "pause 10", "quit", "popup ..."
    std::string clipboard;
    ScreenSize monitor{1920, 1080};
    std::string dateTime = "2026/12/09 12:00:00";
    bool realPauses = false;
    bool quitRequested = false;
    int processed = 0;
    MenuItem* lastPopup = nullptr;

    // Every progress report, and how often a progress display was ended.
    struct ProgressRecord {
        std::string phase;
        int step = 0, steps = 0;
        double fraction = 0;
    };
    std::vector<ProgressRecord> progress;
    int progressEnded = 0;
    std::vector<std::string> recentFiles;  // the stored "Recent Files" list
    // The user presses Cancel at the first report of this phase once this many reports
    // of it were shown (empty: never).
    std::string cancelInPhase;
    int cancelAfterReports = 0;

    // Writes pictures; the batch command line installs the Qt one. Without it
    // SavePicture raises a FileError.
    std::function<void(const RecordingCanvas&, int, int, const std::string&)> pictureWriter;

    // Batch mode: messages are also written here, one per line.
    std::ostream* echo = nullptr;
    bool quiet = false;  // informational messages are not echoed; errors and warnings still are
    // When quiet: the last informational message not echoed, and whether an error was
    // echoed, since the batch action began (a failed action prints the message that said why).
    std::optional<std::string> held;
    bool errorEchoed = false;

    std::vector<std::string> MessageTexts() const;

private:
    void Echo(const std::string& text);
    std::deque<std::optional<std::string>> openAnswers_, saveAnswers_;
    std::deque<std::optional<Color>> colorAnswers_;
    std::deque<std::optional<FontSpec>> fontAnswers_;
    struct ValueAnswer {
        bool cancel = false;
        std::vector<std::string> values;
    };
    std::deque<ValueAnswer> valueAnswers_;
};

}  // namespace ui

#pragma once
// The messages of the last scan, kept with their times. A person who finds the scan's
// information boxes too many can have that information shown in the main window's status
// bar instead (a choice remembered in the settings file); the list shows it all again, can
// be copied and has the same choice to undo.
#include <QPointer>
#include <QString>
#include <string>
#include <vector>

class QCheckBox;
class QDialog;
class QPlainTextEdit;
class QWidget;

namespace mavrolin::qt {

class ScanMessages {
public:
    static constexpr const char* kCheckText = "Show scan information in the status bar instead";

    // Read from and written to the settings at once, so a restart keeps it.
    bool InStatusBar() const;
    void SetInStatusBar(bool on);

    // A scan starts: the list of the one before is dropped.
    void BeginScan();
    void Add(const std::string& text);
    // One line per message: its time, two blanks, its text.
    QString Text() const;
    size_t Count() const { return entries_.size(); }

    // Shows the list window (created on first use, over `parent`), brought to the front.
    void ShowWindow(QWidget* parent);
    QDialog* Window() const;

private:
    void Fill();
    struct Entry {
        QString time;
        QString text;
    };
    std::vector<Entry> entries_;
    QPointer<QDialog> window_;
    QPlainTextEdit* list_ = nullptr;
    QCheckBox* check_ = nullptr;
};

}  // namespace mavrolin::qt

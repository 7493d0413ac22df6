#pragma once
// Shared by the desktop tests: one off-screen QApplication for the whole test program,
// and a helper that answers the modal message boxes the program opens.
#include <QApplication>
#include <QMessageBox>
#include <QPoint>
#include <QTimer>
#include <string>
#include <vector>

namespace qt_testing {

QApplication& QtApp();
// Lets queued work (coalesced grid refreshes, repaints, timers) run.
void Settle(int rounds = 3);

// While alive, closes every modal message box or dialog as soon as it shows and keeps
// what it said.
class ModalCloser {
public:
    struct Seen {
        std::string text;
        QPoint pos;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    ModalCloser();
    ~ModalCloser();
    std::vector<Seen> seen;
    // A file dialog is answered with this path when set (and cancelled otherwise); its
    // folder and proposed name when it opened are kept in `fileDialogs`.
    std::string fileAnswer;
    struct FileDialogSeen {
        std::string folder, proposed;
    };
    std::vector<FileDialogSeen> fileDialogs;
    std::vector<std::string> Texts() const;

private:
    QTimer timer_;
};

}  // namespace qt_testing

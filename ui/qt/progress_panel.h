#pragma once
// The progress of a long task at the bottom of a window: the phase, a bar and Cancel.
// While it is shown the windows keep repainting, but the only input that gets through
// is to the panel itself (a click on a menu could otherwise start a second scan inside
// the running one, or close the window under it) and to a message box or dialog the
// task opened, which is answered as usual.
#include <QElapsedTimer>
#include <QWidget>
#include <string>

#include "ui/platform.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace mavrolin::qt {

class ProgressPanel : public QWidget {
public:
    // Shown over the bottom of `host`'s window area; owned by it.
    explicit ProgressPanel(QWidget* host);

    // Shows the report and, at most every kInterval ms, runs the event loop for the
    // repaints and for Cancel. Returns false once Cancel (or Escape) was pressed.
    bool Report(const ui::ProgressReport& r);
    // Hides the panel and lets input through again.
    void End();

    bool CancelRequested() const { return cancelled_; }
    static constexpr int kIntervalMs = 50;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Begin();
    void Place();
    QWidget* host_;
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QElapsedTimer since_;
    bool active_ = false;
    bool cancelled_ = false;
};

}  // namespace mavrolin::qt

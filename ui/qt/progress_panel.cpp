#include "ui/qt/progress_panel.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QWindow>
#include <cmath>

#include "ui/qt/text.h"

namespace mavrolin::qt {

namespace {

bool IsUserInput(QEvent::Type t) {
    switch (t) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

// True when `widget` belongs to the modal window on top: that window itself, one of its
// children, or a pop-up (a combo box list, a menu) opened from one of them.
bool InsideModal(const QWidget* widget) {
    const QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return false;
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == modal) return true;
    return false;
}

}  // namespace

ProgressPanel::ProgressPanel(QWidget* host)
    : QWidget(host), host_(host), label_(new QLabel(this)), bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("ScanProgress"));
    setAutoFillBackground(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 3, 6, 3);
    label_->setMinimumWidth(220);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    row->addWidget(label_);
    row->addWidget(bar_, 1);
    row->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    hide();
}

// Along the bottom of the window, above its status line, which stays readable.
void ProgressPanel::Place() {
    const int h = sizeHint().height();
    int bottom = host_->height();
    if (auto* status = host_->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly); status && status->isVisible())
        bottom = status->geometry().top();
    setGeometry(0, bottom - h, host_->width(), h);
    raise();
}

void ProgressPanel::Begin() {
    active_ = true;
    cancelled_ = false;
    qApp->installEventFilter(this);
    Place();
    show();
    since_.invalidate();
}

bool ProgressPanel::Report(const ui::ProgressReport& r) {
    if (!active_) Begin();
    if (cancelled_) return false;
    // The event loop runs at a bounded rate, so a fast reader is not slowed by repaints: a
    // new phase within the interval is put in the label, shown at the next turn of the loop.
    QString text = QStringLiteral("%1 (%2 of %3)").arg(ToQString(std::string(r.phase))).arg(r.step).arg(r.steps - 1);
    label_->setText(text);
    if (since_.isValid() && since_.elapsed() < kIntervalMs) return true;
    bar_->setValue(static_cast<int>(std::lround(r.fraction * 1000)));
    Place();
    since_.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !cancelled_;
}

void ProgressPanel::End() {
    if (!active_) return;
    active_ = false;
    qApp->removeEventFilter(this);
    label_->clear();
    hide();
}

bool ProgressPanel::eventFilter(QObject* watched, QEvent* e) {
    if (!active_ || !IsUserInput(e->type())) return false;
    // Input reaches the widgets through their native windows: let those pass, and
    // decide at the widget.
    if (qobject_cast<QWindow*>(watched)) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && (widget == this || isAncestorOf(widget))) return false;
    // A box or dialog the scan opened has to be answered before the scan goes on: it
    // takes its input (and so do its own pop-ups) as usual. Qt itself keeps the windows
    // beneath it from input meanwhile.
    if (widget && InsideModal(widget)) return false;
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) cancelled_ = true;
    return true;
}

}  // namespace mavrolin::qt

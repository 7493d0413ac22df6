#include "ui/qt/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QCheckBox>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QThread>
#include <utility>

#include "ui/controls.h"
#include "ui/qt/binding.h"
#include "ui/qt/picture.h"
#include "ui/qt/progress_panel.h"
#include "ui/qt/text.h"
#include "ui/qt/widgets.h"

namespace mavrolin::qt {

namespace {

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t p = s.find(sep, start);
        out.push_back(s.substr(start, p == std::string::npos ? std::string::npos : p - start));
        if (p == std::string::npos) return out;
        start = p + 1;
    }
}

QString StartPath(const ui::FileDialogOptions& o) {
    QString dir = ToQString(o.initialDir);
    QString name = ToQString(o.fileName);
    if (name.isEmpty()) return dir;
    if (QDir::isAbsolutePath(name) || dir.isEmpty()) return name;
    return QDir(dir).filePath(name);
}

std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return FromQString(QDir::toNativeSeparators(path));
}

// A name typed without an extension takes that of the chosen filter ("Figure" with "PNG
// image (*.png)" chosen is Figure.png), as the save dialogs of desktop systems do; a filter
// of several patterns or of all files leaves it as typed.
QString WithFilterSuffix(const QString& path, const QString& selectedFilter) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    const auto open = selectedFilter.lastIndexOf('('), close = selectedFilter.lastIndexOf(')');
    if (open < 0 || close < open) return path;
    const QString pattern = selectedFilter.mid(open + 1, close - open - 1).trimmed();
    if (!pattern.startsWith(QLatin1String("*.")) || pattern.contains(' ') || pattern.indexOf('*', 1) >= 0 ||
        pattern.contains('?'))
        return path;
    return path + pattern.mid(1);
}

void ShowBox(QMessageBox& box) {
    box.setWindowTitle(QString::fromLatin1(QtPlatform::kTitle));
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void CentreOnScreen(QMessageBox& box) {
    box.adjustSize();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect area = screen->availableGeometry();
    box.move(area.center() - QPoint(box.width() / 2, box.height() / 2));
}

}  // namespace

std::string QtPlatform::QtFilter(const std::string& filter) {
    if (filter.empty()) return {};
    auto parts = Split(filter, '|');
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns = parts[i + 1];
        for (auto& ch : patterns)
            if (ch == ';') ch = ' ';
        if (!out.empty()) out += ";;";
        const std::string& desc = parts[i];
        // Qt reads the patterns from the last parenthesis group of each entry.
        out += desc + " (" + patterns + ")";
    }
    if (parts.size() % 2 == 1 && out.empty()) out = parts[0];
    return out;
}

QWidget* QtPlatform::DialogParent() const { return QApplication::activeWindow(); }

std::optional<std::string> QtPlatform::OpenFileDialog(const ui::FileDialogOptions& o) {
    if (presetOpen_) {
        auto answer = std::move(presetOpen_);
        presetOpen_.reset();
        return answer;
    }
    QString path = QFileDialog::getOpenFileName(DialogParent(), ToQString(o.title), StartPath(o),
                                                ToQString(QtFilter(o.filter)));
    return Chosen(path);
}

std::vector<std::string> QtPlatform::OpenFilesDialog(const ui::FileDialogOptions& o) {
    if (presetOpen_) return {*std::exchange(presetOpen_, std::nullopt)};
    std::vector<std::string> files;
    for (const QString& path : QFileDialog::getOpenFileNames(DialogParent(), ToQString(o.title), StartPath(o),
                                                             ToQString(QtFilter(o.filter))))
        if (auto chosen = Chosen(path)) files.push_back(*chosen);
    return files;
}

std::optional<std::string> QtPlatform::ChooseSaveFile(const ui::FileDialogOptions& o) {
    // A chosen file is replaced without asking, as the program's save commands expect.
    QString selected;
    QString path = QFileDialog::getSaveFileName(DialogParent(), ToQString(o.title), StartPath(o),
                                                ToQString(QtFilter(o.filter)), &selected,
                                                QFileDialog::DontConfirmOverwrite);
    return Chosen(WithFilterSuffix(path, selected));
}

std::optional<ui::Color> QtPlatform::ColorDialog(ui::Color initial) {
    QColor c = QColorDialog::getColor(ToQColor(initial), DialogParent());
    if (!c.isValid()) return std::nullopt;
    return FromQColor(c);
}

std::optional<std::vector<std::string>> QtPlatform::AskValues(const std::string& title,
                                                             const std::vector<std::string>& labels,
                                                             const std::vector<std::string>& initial) {
    QDialog dialog(DialogParent());
    dialog.setWindowTitle(ToQString(title));
    auto* form = new QFormLayout(&dialog);
    std::vector<QLineEdit*> edits;
    for (size_t i = 0; i < labels.size(); ++i) {
        auto* edit = new QLineEdit(ToQString(i < initial.size() ? initial[i] : std::string()), &dialog);
        form->addRow(ToQString(labels[i]), edit);
        edits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    std::vector<std::string> out;
    for (auto* e : edits) out.push_back(FromQString(e->text()));
    return out;
}

std::optional<ui::FontSpec> QtPlatform::FontDialog(const ui::FontSpec& initial) {
    QFont start(ToQString(initial.name), std::max(initial.size, 1));
    start.setBold(initial.bold);
    start.setItalic(initial.italic);
    start.setUnderline(initial.underline);
    start.setStrikeOut(initial.strikeout);
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, start, DialogParent());
    if (!ok) return std::nullopt;
    ui::FontSpec out = initial;  // the colour is not chosen here
    out.name = FromQString(f.family());
    out.size = f.pointSize() > 0 ? f.pointSize() : initial.size;
    out.bold = f.bold();
    out.italic = f.italic();
    out.underline = f.underline();
    out.strikeout = f.strikeOut();
    return out;
}

bool QtPlatform::NoteScanMessage(const std::string& text, bool information) {
    if (!inScan_) return false;
    scanMessages_.Add(text);
    if (!information || !scanMessages_.InStatusBar()) return false;
    auto* window = qobject_cast<QMainWindow*>(progressWindow_);
    if (!window) return false;
    window->statusBar()->showMessage(ToQString(text), 10000);
    return true;
}

void QtPlatform::ShowAt(const std::string& text, int x, int y, bool information) {
    if (NoteScanMessage(text, information)) return;
    QMessageBox box;
    box.setIcon(QMessageBox::NoIcon);
    box.setText(ToQString(text));
    box.move(x, y);  // a moved dialog keeps its place when shown
    // Plain information of a scan can be sent to the status bar from now on.
    QCheckBox* toStatus = nullptr;
    if (inScan_ && information) {
        toStatus = new QCheckBox(QString::fromLatin1(ScanMessages::kCheckText));
        box.setCheckBox(toStatus);
    }
    ShowBox(box);
    if (toStatus && toStatus->isChecked()) scanMessages_.SetInStatusBar(true);
}

void QtPlatform::MessageAt(const std::string& text, int x, int y) { ShowAt(text, x, y, true); }

void QtPlatform::WarningAt(const std::string& text, int x, int y) { ShowAt(text, x, y, false); }

void QtPlatform::ProblemAt(const std::string& text, int x, int y) { ShowAt(text, x, y, false); }

void QtPlatform::ShowScanMessages() { scanMessages_.ShowWindow(progressWindow_ ? progressWindow_ : DialogParent()); }

// Centred messages report failures: always boxed.
void QtPlatform::MessageCentred(const std::string& text) {
    NoteScanMessage(text, false);
    QMessageBox box;
    box.setIcon(QMessageBox::NoIcon);
    box.setText(ToQString(text));
    CentreOnScreen(box);
    ShowBox(box);
}

void QtPlatform::ErrorMessage(const std::string& text) {
    NoteScanMessage(text, false);
    QMessageBox box;
    box.setIcon(QMessageBox::Critical);
    box.setText(ToQString(text));
    CentreOnScreen(box);
    ShowBox(box);
}

void QtPlatform::CopyToClipboard(const std::string& text) {
    if (QClipboard* cb = QGuiApplication::clipboard()) cb->setText(ToQString(text));
}

ui::ScreenSize QtPlatform::MonitorSize(const ui::Form& shownOn) {
    QScreen* screen = nullptr;
    if (binding_)
        if (QWidget* w = binding_->WindowOf(shownOn)) screen = w->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    QSize s = screen->geometry().size();
    return {s.width(), s.height()};
}

void QtPlatform::Pause(int ms) {
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

void QtPlatform::ProcessMessages() {
    if (binding_) binding_->FlushGrids();
    // Repaints and timers, but no user input in the middle of a running handler.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::vector<std::string> QtPlatform::StoredRecentFiles() {
    std::vector<std::string> paths;
    for (const QString& p : QSettings().value(QStringLiteral("recentFiles")).toStringList()) paths.push_back(FromQString(p));
    return paths;
}

void QtPlatform::StoreRecentFiles(const std::vector<std::string>& paths) {
    QStringList list;
    for (const auto& p : paths) list << ToQString(p);
    QSettings settings;
    settings.setValue(QStringLiteral("recentFiles"), list);
    settings.sync();
}

void QtPlatform::SetProgressWindow(QWidget* window) {
    progressWindow_ = window;
    panel_ = window ? new ProgressPanel(window) : nullptr;
}

ProgressPanel* QtPlatform::PanelFor(QWidget* active) {
    auto* host = dynamic_cast<FormWindow*>(active);
    if (shown_ || !panel_ || !host || host == panel_->parentWidget()) return shown_ ? shown_ : panel_;
    auto& panel = otherPanels_[host];
    if (!panel) panel = new ProgressPanel(host);
    return panel;
}

bool QtPlatform::Progress(const ui::ProgressReport& r) {
    if (!inScan_) {
        inScan_ = true;
        scanMessages_.BeginScan();
    }
    // The panel runs the event loop, whose timers bring the grids up to date.
    QWidget* from = QApplication::focusWidget() ? QApplication::focusWidget()->window() : QApplication::activeWindow();
    if ((shown_ = PanelFor(from))) return shown_->Report(r);
    if (binding_) binding_->FlushGrids();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}

void QtPlatform::EndProgress() {
    inScan_ = false;
    if (shown_) shown_->End();
    else if (panel_) panel_->End();
    shown_ = nullptr;
}

std::string QtPlatform::DateTimeText() {
    QLocale locale = QLocale::system();
    QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    if (!dateFormat.contains(QLatin1String("yyyy"))) dateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QDateTime now = QDateTime::currentDateTime();
    return FromQString(locale.toString(now.date(), dateFormat) + QLatin1Char(' ') +
                       now.time().toString(QStringLiteral("HH:mm:ss")));
}

void QtPlatform::PopupMenu(ui::MenuItem& menu, int screenX, int screenY) {
    if (!binding_) return;
    binding_->BuildPopup(menu)->popup(QPoint(screenX, screenY));
}

void QtPlatform::SavePicture(const ui::RecordingCanvas& drawing, int width, int height, const std::string& path) {
    WritePicture(drawing, width, height, path);
}

void QtPlatform::ReleaseForm(ui::Form& form) { form.Release(); }

void QtPlatform::Quit() {
    quitRequested_ = true;
    // Ending a loop that is not running would make every later dialog return at once.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

}  // namespace mavrolin::qt

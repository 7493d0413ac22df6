#include "qt_support.h"

#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QFileDialog>

#include "app/desktop_session.h"
#include "ui/qt/desktop.h"

namespace qt_testing {

QApplication& QtApp() {
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qt_tests";
        static char* argv[] = {name, nullptr};
        auto* a = new QApplication(argc, argv);  // kept to the end of the process
        QApplication::setQuitOnLastWindowClosed(false);
        // Settings the tests write (the "Recent Files" list) go to a private folder,
        // never into the user's own.
        static QTemporaryDir settings;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        QApplication::setOrganizationName(QStringLiteral("MavrolinTests"));
        QApplication::setApplicationName(QStringLiteral("qt_tests"));
        mavrolin::qt::UseWindowFont();
        return a;
    }();
    return *app;
}

void Settle(int rounds) {
    QtApp();
    for (int i = 0; i < rounds; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

ModalCloser::ModalCloser() {
    QtApp();
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.push_back({box->text().toStdString(), box->pos(), box->icon()});
            box->done(QMessageBox::Ok);
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            QStringList chosen = files->selectedFiles();
            fileDialogs.push_back({files->directory().absolutePath().toStdString(),
                                   chosen.isEmpty() ? std::string() : chosen.front().toStdString()});
            if (fileAnswer.empty()) {
                files->reject();
            } else {
                files->selectFile(QString::fromStdString(fileAnswer));
                static_cast<QDialog*>(files)->accept();
            }
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            seen.push_back({dialog->windowTitle().toStdString(), dialog->pos(), QMessageBox::NoIcon});
            dialog->reject();
        }
    });
    timer_.start();
}

ModalCloser::~ModalCloser() { timer_.stop(); }

std::vector<std::string> ModalCloser::Texts() const {
    std::vector<std::string> out;
    for (const auto& s : seen) out.push_back(s.text);
    return out;
}

}  // namespace qt_testing

// Fontconfig keeps pattern caches for the life of the process, which LeakSanitizer reports
// when the tests end; they are the system library's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

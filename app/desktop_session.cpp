// The desktop start-up: the application on the Qt platform with every window bound, and
// the event loop that runs it.
#include "app/desktop_session.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "app/application.h"
#include "ui/qt/binding.h"
#include "ui/qt/desktop.h"
#include "ui/qt/text.h"
#include "ui/qt/widgets.h"

namespace mavrolin::qt {

DesktopSession::DesktopSession(const std::filesystem::path& startDir)
    : dispatch_([this](const std::string& text) { platform_.ErrorMessage(text); }) {
    app_ = std::make_unique<Application>(platform_, startDir);
    binding_ = std::make_unique<QtBinding>(dispatch_);
    platform_.SetBinding(binding_.get());
    for (ui::Form* form : app_->Forms()) binding_->Bind(*form);

    TForm1& main = app_->form1;
    if (QAction* open = binding_->ActionOf(main.OpenLOG1)) open->setShortcut(QKeySequence::Open);
    if (QAction* exit = binding_->ActionOf(main.Exit1)) exit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    if (FormWindow* window = binding_->WindowOf(main)) {
        window->setAcceptDrops(true);
        window->onFileDropped = [this](const QString& file) { OpenFile(FromQString(file)); };
        platform_.SetProgressWindow(window);
    }
}

DesktopSession::~DesktopSession() {
    platform_.SetBinding(nullptr);
    binding_.reset();  // windows go before the model they show
    app_.reset();
}

bool DesktopSession::OpenFile(const std::string& path) {
    ui::MenuItem& open = app_->form1.OpenLOG1;
    if (!open.Enabled() || !open.OnClick) return false;
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    platform_.PresetOpenAnswer(ec ? path : absolute.string());
    dispatch_.Run([&open] { open.Click(); }, open.Name());
    platform_.ClearPresetOpenAnswer();
    return true;
}

int RunDesktop(int argc, char** argv, const std::string& fileToOpen) {
#if defined(__linux__)
    // Without a display Qt would abort; say what to do instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::cerr << "mavrolin: no display found. Run it on a desktop (or under xvfb-run), or use the "
                     "batch commands: mavrolin --help\n";
        return 2;
    }
#endif
    QApplication qapp(argc, argv);
    // Settings (the "Recent Files" list) live under ~/.config/Mavrolin/Mavrolin.conf.
    QApplication::setOrganizationName(QStringLiteral("Mavrolin"));
    QApplication::setApplicationName(QStringLiteral("Mavrolin"));
    QApplication::setQuitOnLastWindowClosed(false);  // only the exit sequence ends the program
    UseWindowFont();

    std::error_code ec;
    DesktopSession session(std::filesystem::current_path(ec));
    if (!fileToOpen.empty()) {
        std::string file = std::filesystem::absolute(fileToOpen, ec).string();
        if (ec) file = fileToOpen;
        QTimer::singleShot(0, &qapp, [&session, file] {
            if (!session.OpenFile(file))
                std::cerr << "mavrolin: log files cannot be opened by this build: " << file << '\n';
        });
    }
    if (session.Platform().QuitRequested()) return 0;
    return QApplication::exec();
}

}  // namespace mavrolin::qt

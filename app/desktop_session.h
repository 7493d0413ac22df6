#pragma once
// The composition root of the desktop program: the application on the Qt platform with
// every window bound. RunDesktop runs one in the event loop; tests drive one directly.
#include <filesystem>
#include <memory>
#include <string>

#include "ui/qt/dispatch.h"
#include "ui/qt/qt_platform.h"

namespace mavrolin {
class Application;
}

namespace mavrolin::qt {

class QtBinding;

class DesktopSession {
public:
    // Needs a QApplication. `startDir` holds the directory memory file.
    explicit DesktopSession(const std::filesystem::path& startDir);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    Application& App() { return *app_; }
    QtPlatform& Platform() { return platform_; }
    QtBinding& Binding() { return *binding_; }
    const Dispatcher& Dispatch() const { return dispatch_; }

    // Scans a file as "Open Log/Out File (Opt,Freq)" does, its dialog answered with the
    // path. Returns false when that command is not available.
    bool OpenFile(const std::string& path);

private:
    QtPlatform platform_;
    Dispatcher dispatch_;
    std::unique_ptr<Application> app_;
    std::unique_ptr<QtBinding> binding_;
};

// Opens the main window (and scans `fileToOpen` when one is named) and runs until the
// program exits. Returns the process exit status.
int RunDesktop(int argc, char** argv, const std::string& fileToOpen);

}  // namespace mavrolin::qt

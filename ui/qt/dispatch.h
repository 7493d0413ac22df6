#pragma once
// The one place where the binding calls into the program: every handler call made for a
// widget event runs here. An error it raises is shown in a message box and ends only
// that handler; control returns to the event loop. Nothing escapes into Qt. A
// programming error is shown as "Internal error in <control>: ..." and counted apart.
#include <functional>
#include <string>
#include <string_view>

namespace mavrolin::qt {

class Dispatcher {
public:
    using Reporter = std::function<void(const std::string&)>;
    explicit Dispatcher(Reporter report) : report_(std::move(report)) {}

    // Runs the action for the control or menu item named `where`; returns false when it
    // raised an error (already reported).
    bool Run(const std::function<void()>& action, std::string_view where = {}) const noexcept;
    bool operator()(const std::function<void()>& action) const noexcept { return Run(action); }

    // How many actions ended with an error so far, and how many of them were internal.
    int Errors() const { return errors_; }
    int InternalErrors() const { return internalErrors_; }

private:
    void Report(const std::string& text) const noexcept;
    Reporter report_;
    mutable int errors_ = 0;
    mutable int internalErrors_ = 0;
};

}  // namespace mavrolin::qt

#pragma once
// The one place where the binding calls into the program: every handler call made for a
// widget event runs here. An error it raises is shown in a message box and ends only
// that handler; control returns to the event loop. Nothing escapes into Qt.
#include <functional>
#include <string>

namespace mavrolin::qt {

class Dispatcher {
public:
    using Reporter = std::function<void(const std::string&)>;
    explicit Dispatcher(Reporter report) : report_(std::move(report)) {}

    // Runs the action; returns false when it raised an error (already reported).
    bool Run(const std::function<void()>& action) const noexcept;
    bool operator()(const std::function<void()>& action) const noexcept { return Run(action); }

    // How many actions ended with an error so far.
    int Errors() const { return errors_; }

private:
    void Report(const std::string& text) const noexcept;
    Reporter report_;
    mutable int errors_ = 0;
};

}  // namespace mavrolin::qt

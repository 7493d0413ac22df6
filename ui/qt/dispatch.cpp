#include "ui/qt/dispatch.h"

#include <exception>
#include <iostream>
#include <new>

#include "core/errors.h"

namespace mavrolin::qt {

bool Dispatcher::Run(const std::function<void()>& action) const noexcept {
    try {
        if (action) action();
        return true;
    } catch (const core::MavrolinError& e) {
        Report(e.what());
    } catch (const std::bad_alloc&) {
        Report("Out of memory.");
    } catch (const std::exception& e) {
        Report(e.what());
    } catch (...) {
        Report("Unexpected error.");
    }
    return false;
}

void Dispatcher::Report(const std::string& text) const noexcept {
    ++errors_;
    try {
        if (report_) {
            report_(text);
            return;
        }
    } catch (...) {
        // The report itself failed; fall through to stderr.
    }
    try {
        std::cerr << "error: " << text << '\n';
    } catch (...) {
    }
}

}  // namespace mavrolin::qt

#include "ui/qt/dispatch.h"

#include <iostream>

#include "core/errors.h"

namespace mavrolin::qt {

bool Dispatcher::Run(const std::function<void()>& action, std::string_view where) const noexcept {
    core::ActionOutcome outcome = core::RunAction(action);
    switch (outcome.kind) {
        case core::ActionOutcome::Kind::Done:
            return true;
        case core::ActionOutcome::Kind::UserError:
            Report(outcome.message);
            break;
        case core::ActionOutcome::Kind::InternalError:
            ++internalErrors_;
            try {
                Report(core::InternalErrorText(where, outcome.message));
            } catch (...) {
                Report("Internal error.");
            }
            break;
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

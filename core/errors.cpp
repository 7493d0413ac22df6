#include "core/errors.h"

#include <new>

namespace core {

namespace {

ActionOutcome Outcome(ActionOutcome::Kind kind, std::string message) {
    return {kind, std::move(message), std::current_exception()};
}

}  // namespace

ActionOutcome RunAction(const std::function<void()>& action) noexcept {
    using Kind = ActionOutcome::Kind;
    try {
        try {
            if (action) action();
            return {};
        } catch (const MavrolinError& e) {
            return Outcome(Kind::UserError, e.what());
        } catch (const std::bad_alloc&) {
            return Outcome(Kind::UserError, "Out of memory.");
        } catch (const std::logic_error& e) {
            return Outcome(Kind::InternalError, e.what());
        } catch (const std::runtime_error& e) {
            // Failures of the system around us (file systems, streams): the user can act on them.
            return Outcome(Kind::UserError, e.what());
        } catch (const std::exception& e) {
            // bad_variant_access, bad_optional_access, bad_function_call, bad_cast, bad_any_cast...
            return Outcome(Kind::InternalError, e.what());
        } catch (...) {
            return Outcome(Kind::InternalError, "unknown exception");
        }
    } catch (...) {
        // Copying the message itself ran out of memory (this text needs no allocation).
        ActionOutcome outcome;
        outcome.kind = Kind::UserError;
        outcome.message = "Out of memory.";
        return outcome;
    }
}

std::string InternalErrorText(std::string_view where, std::string_view what) {
    std::string text = "Internal error";
    if (!where.empty()) {
        text += " in ";
        text += where;
    }
    text += ": ";
    text += what;
    return text;
}

}  // namespace core

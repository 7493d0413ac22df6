// The one catch ladder: what a handler throws decides whether the user sees a message or
// the program reports an internal error.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>

#include "core/errors.h"

namespace {

using Kind = core::ActionOutcome::Kind;

struct LadderCase {
    const char* name;
    std::function<void()> action;
    Kind kind;
    std::string message;
};

TEST(ErrorLadder, SortsUserErrorsFromProgrammingErrors) {
    const std::vector<LadderCase> cases = {
        {"nothing thrown", [] {}, Kind::Done, ""},
        {"conversion", [] { throw core::ConversionError("\"1.2.3\" is not a number."); }, Kind::UserError,
         "\"1.2.3\" is not a number."},
        {"file", [] { throw core::FileError("Cannot open \"x.log\"."); }, Kind::UserError, "Cannot open \"x.log\"."},
        {"input", [] { throw core::InputError("Too short!"); }, Kind::UserError, "Too short!"},
        {"out of memory", [] { throw std::bad_alloc(); }, Kind::UserError, "Out of memory."},
        {"system", [] { throw std::filesystem::filesystem_error("disk full", std::error_code()); },
         Kind::UserError, "disk full"},
        {"logic", [] { throw std::logic_error("broken invariant"); }, Kind::InternalError, "broken invariant"},
        {"out of range", [] { throw std::out_of_range("vector::_M_range_check"); }, Kind::InternalError,
         "vector::_M_range_check"},
        {"invalid argument", [] { throw std::invalid_argument("stoi"); }, Kind::InternalError, "stoi"},
        {"bad variant", [] { (void)std::get<int>(std::variant<int, double>(1.0)); }, Kind::InternalError, ""},
        {"bad optional", [] { (void)std::optional<int>().value(); }, Kind::InternalError, ""},
        {"bad function", [] { std::function<void()>()(); }, Kind::InternalError, ""},
        {"not an exception", [] { throw 42; }, Kind::InternalError, "unknown exception"},
    };
    for (const auto& c : cases) {
        core::ActionOutcome outcome = core::RunAction(c.action);
        EXPECT_EQ(outcome.kind, c.kind) << c.name;
        if (!c.message.empty()) {
            EXPECT_NE(outcome.message.find(c.message), std::string::npos) << c.name;
        }
        EXPECT_EQ(outcome.error != nullptr, c.kind != Kind::Done) << c.name;
    }
}

TEST(ErrorLadder, InternalErrorTextNamesWhereItHappened) {
    EXPECT_EQ(core::InternalErrorText("Button2", "bad index"), "Internal error in Button2: bad index");
    EXPECT_EQ(core::InternalErrorText("", "bad index"), "Internal error: bad index");
}

}  // namespace

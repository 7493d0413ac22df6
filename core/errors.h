#pragma once
// Typed errors raised by handlers. The dispatch points (the Qt event binding and the
// batch command line) catch them through RunAction, report the message and carry on;
// nothing is rolled back.
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace core {

class MavrolinError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A token that should have been a number was not.
class ConversionError : public MavrolinError {
public:
    using MavrolinError::MavrolinError;
};

// A file could not be opened, read or written.
class FileError : public MavrolinError {
public:
    using MavrolinError::MavrolinError;
};

// An operation refused its input (for example a block cut off by the end of the file).
class InputError : public MavrolinError {
public:
    using MavrolinError::MavrolinError;
};

// How a user action ended. A user error (our typed errors, a file or system failure,
// running out of memory) is a message for the user; an internal error (std::logic_error
// and its kin such as std::out_of_range, a bad variant, optional or function access, or
// anything unknown) is a fault of the program, never a normal message.
struct ActionOutcome {
    enum class Kind { Done, UserError, InternalError };
    Kind kind = Kind::Done;
    std::string message;       // the error's text
    std::exception_ptr error;  // the exception itself, for callers that rethrow it
};

// The one catch ladder of every dispatch point: runs the action and sorts what it threw.
ActionOutcome RunAction(const std::function<void()>& action) noexcept;

// "Internal error in <where>: <what>" (without " in <where>" when where is empty).
std::string InternalErrorText(std::string_view where, std::string_view what);

}  // namespace core

#pragma once
// Typed errors raised by handlers. The dispatch points (the Qt event binding and the
// batch command line) catch them, report the message and carry on; nothing is rolled back.
#include <stdexcept>
#include <string>

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

}  // namespace core

#pragma once
// What a file handed to "Open Log/Out File (Opt,Freq)" is, told before anything loaded is
// reset: a Gaussian output, or something else (a binary file, a formatted checkpoint file,
// text Gaussian never wrote) that is refused with a message saying what it is; and how the
// job of a Gaussian output ended.
#include <filesystem>
#include <string>

#include "core/loaded_log.h"

namespace mavrolin::logscan {

// How much of the start of a file is searched for lines only Gaussian writes.
constexpr long long kGaussianSniffLines = 2000;

// Throws core::FileError (not a regular file, binary, UTF-16 text) or core::InputError
// (a formatted checkpoint file; no Gaussian output line among the first
// kGaussianSniffLines lines), each naming the file and what it is.
void RequireGaussianOutput(const std::filesystem::path& path);

// A log under this many lines is too short to analyse.
constexpr long long kMinLogLines = 200;
// True when the file has fewer than `lines` lines; reads no further than that. Throws
// core::FileError as RequireGaussianOutput does.
bool HasFewerLines(const std::filesystem::path& path, long long lines);

// From the end of the file: the last line is Gaussian's "Normal termination" line
// (Normal), an "Error termination" line stands after the last normal one in the tail
// (Error), or the file breaks off (Unfinished).
core::JobEnd ReadJobEnd(const std::filesystem::path& path);

// "normal", "error", "unfinished" ("" for Unknown).
std::string JobEndText(core::JobEnd end);

}  // namespace mavrolin::logscan

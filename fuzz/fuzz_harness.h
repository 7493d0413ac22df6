#pragma once
// What every fuzz target shares: the fuzzed bytes become a file in a private folder, and
// a table of readers, picked by the first byte, is run on it. A reader is usually a batch
// command line run in-process, so a fuzz run goes through the same handlers, dialogs and
// atomic writer as a user's batch run. Adding a reader to a target is one table line.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace mavrolin {
class Application;
}

namespace fuzz {

using ReaderRun = std::function<void(const std::filesystem::path& input)>;

struct Reader {
    const char* name;
    ReaderRun run;
};

// A batch command line ("mavrolin" left out). In the words, "{in}" is the fuzzed file,
// "{out}" an output file in the private folder ("{out}.x" one beside it), and "{data}/x"
// the fixture tests/data/x.
// The run aborts (a finding) on an exit status other than 0 and 1, on an internal error,
// and when a run that failed changed the output file that existed before it.
ReaderRun Batch(std::vector<std::string> words);

// A fresh headless application whose next open dialog is answered with the fuzzed file;
// `steps` clicks the handlers (the one that opens, then any that use what it read). An
// internal error of a handler is a finding; a message for the user is not.
ReaderRun InApp(std::function<void(mavrolin::Application&)> steps);

// Writes `size` bytes to the fuzzed file and returns its path.
std::filesystem::path WriteInput(const uint8_t* data, size_t size);

// The file is data[1..]; data[0] picks readers[data[0] % readers.size()]. New readers go at
// the end of a table, so the seeds of the readers before them keep their meaning.
void FeedOne(std::span<const Reader> readers, const uint8_t* data, size_t size);

// Stops the run as a finding with `what` on stderr.
[[noreturn]] void Finding(const std::string& what);

}  // namespace fuzz

// The line reader's ways of reading against each other. For any bytes: the skipping read
// (64 bytes a step) stops where reading every line and testing each line stops, with the
// same history, and refuses what Next() refuses with the same message; the line count it
// reaches is the counting pass's; and going to a line, with or without the marks it took,
// ends where reading line by line ends. The first byte picks the beginnings looked for and the history.
#include <cstdint>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/line_reader.h"
#include "core/text_file.h"
#include "fuzz/fuzz_harness.h"
#include "logscan/keyword_triggers.h"

namespace {

std::string State(const core::LineReader& in) {
    std::string seen = std::to_string(in.LineNumber());
    for (int k = 0; k <= in.History(); ++k) seen += "|" + std::string(in.Line(k));
    return seen;
}

struct Reading {
    std::vector<std::string> stops;
    long long lines = 0;
    std::string error;  // the message of the FileError that ended it, if one did
};

template <class Read>
Reading Run(Read read) {
    Reading r;
    try {
        r.lines = read(r.stops);
    } catch (const core::FileError& e) {
        r.error = e.what();
    }
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const core::LineStarts kForce = core::LineStarts().Add("MA", true).Add("#");
    const core::LineStarts& starts = data[0] & 1 ? mavrolin::logscan::TriggerStarts() : kForce;
    const int history = (data[0] >> 1) & 15;
    const auto path = fuzz::WriteInput(data + 1, size - 1);

    const Reading every = Run([&](std::vector<std::string>& stops) {
        core::LineReader in(path, history);
        while (in.Next()) {
            if (starts.Begins(in.TrimmedLine())) stops.push_back(State(in));
        }
        return in.LineNumber();
    });
    core::LineMarks marks;
    const Reading skipping = Run([&](std::vector<std::string>& stops) {
        core::LineReader in(path, history);
        in.TakeMarks(marks);
        while (in.NextStartingWith(starts)) stops.push_back(State(in));
        return in.LineNumber();
    });
    if (skipping.stops != every.stops) fuzz::Finding("the skipping read stops elsewhere than reading every line");
    if (skipping.error != every.error) fuzz::Finding("refused differently: '" + skipping.error + "' / '" + every.error + "'");
    if (!every.error.empty()) return 0;
    if (skipping.lines != every.lines) fuzz::Finding("line numbers differ at the end");
    const Reading counted = Run([&](std::vector<std::string>&) { return core::CountLines(path); });
    if (!counted.error.empty() || counted.lines != every.lines) fuzz::Finding("the line count differs: " + counted.error);
    // Going to a line, with or without the marks, ends where reading line by line ends.
    for (long long target : {every.lines / 2, every.lines - 1, every.lines, every.lines + 2}) {
        core::LineReader lineByLine(path, 2), plain(path, 2), jumping(path, 2, core::LineReader::kNoLimit, &marks);
        bool reached = true;
        while (reached && lineByLine.LineNumber() < target) reached = lineByLine.Next();
        if (plain.AdvanceTo(target) != reached || State(plain) != State(lineByLine))
            fuzz::Finding("going to line " + std::to_string(target) + " ends elsewhere than reading line by line");
        if (jumping.AdvanceTo(target) != reached || State(jumping) != State(lineByLine))
            fuzz::Finding("a jump by the marks to line " + std::to_string(target) + " lands elsewhere");
    }
    return 0;
}

#include "fuzz/fuzz_harness.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/application.h"
#include "app/batch.h"
#include "ui/headless_platform.h"

#ifndef MAVROLIN_FUZZ_DATA
#error "MAVROLIN_FUZZ_DATA must name tests/data"
#endif

namespace fuzz {

namespace {

constexpr const char* kPreviousOutput = "output of an earlier run\r\n";

// A private folder for the fuzzed file and outputs. TMPDIR points into it as well, so the
// private folders of the batch sessions (and the sweep for stale ones) stay in there.
// The folder goes at exit. The removal is registered once the path is complete: a function
// registered with atexit while a static is still being initialised runs after that static
// is destroyed, and would read a freed path.
const std::filesystem::path& WorkDir() {
    static const std::filesystem::path dir = [] {
        std::string templ = (std::filesystem::temp_directory_path() / "mavrolin-fuzz-XXXXXX").string();
        if (!::mkdtemp(templ.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        ::setenv("TMPDIR", templ.c_str(), 1);
        return std::filesystem::path(templ);
    }();
    static const bool removedAtExit = [] {
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(dir, ec);
        });
        return true;
    }();
    (void)removedAtExit;
    return dir;
}

std::filesystem::path InputPath() { return WorkDir() / "input.log"; }
std::filesystem::path OutputPath() { return WorkDir() / "output.txt"; }

std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Expand(const std::string& word, const std::filesystem::path& input) {
    if (word == "{in}") return input.string();
    if (word.starts_with("{out}")) return OutputPath().string() + word.substr(5);  // "{out}.sheet"
    if (word.starts_with("{data}/")) return std::string(MAVROLIN_FUZZ_DATA) + word.substr(6);
    return word;
}

}  // namespace

void Finding(const std::string& what) {
    std::cerr << "FINDING: " << what << std::endl;
    std::abort();
}

ReaderRun Batch(std::vector<std::string> words) {
    return [words = std::move(words)](const std::filesystem::path& input) {
        std::vector<std::string> args{"mavrolin"};
        for (const auto& w : words) args.push_back(Expand(w, input));
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        {
            std::ofstream previous(OutputPath(), std::ios::binary | std::ios::trunc);
            previous << kPreviousOutput;
        }
        std::ostringstream out, err;
        int status = mavrolin::RunBatch(static_cast<int>(argv.size()), argv.data(), out, err);
        std::string command;
        for (const auto& w : words) command += " " + w;
        if (status != 0 && status != 1)
            Finding("status " + std::to_string(status) + " from" + command + ": " + err.str());
        if (err.str().find("Internal error") != std::string::npos) Finding("from" + command + ": " + err.str());
        if (status == 1 && ReadAll(OutputPath()) != kPreviousOutput)
            Finding("failed run of" + command + " changed its output file: " + err.str());
    };
}

ReaderRun InApp(std::function<void(mavrolin::Application&)> steps) {
    return [steps = std::move(steps)](const std::filesystem::path& input) {
        const auto start = WorkDir() / "app";
        std::filesystem::create_directories(start);
        ui::HeadlessPlatform platform;
        mavrolin::Application app(platform, start);
        app.rethrowInternalErrors = true;
        platform.AnswerOpen(input.string());
        app.Dispatch([&] { steps(app); }, "fuzz");
    };
}

std::filesystem::path WriteInput(const uint8_t* data, size_t size) {
    auto path = InputPath();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    if (!file) Finding("cannot write " + path.string());
    return path;
}

void FeedOne(std::span<const Reader> readers, const uint8_t* data, size_t size) {
    if (size == 0 || readers.empty()) return;
    const Reader& reader = readers[data[0] % readers.size()];
    // Handlers change the working folder as a user's dialogs do; the fuzzer's own paths
    // must not follow.
    static const std::filesystem::path home = std::filesystem::current_path();
    reader.run(WriteInput(data + 1, size - 1));
    std::error_code ec;
    std::filesystem::current_path(home, ec);
}

}  // namespace fuzz

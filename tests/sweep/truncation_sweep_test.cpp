// Every fixture under tests/data, cut short and with bytes flipped, through every command
// of the batch registry. Each run must end (a watchdog bounds it), exit 0 or 1 without an
// internal error, and a run that fails must say why on stderr, leave the output files it
// was given exactly as they were and create no other file. In the sanitizer pass of
// ./test.sh, ASan and UBSan watch every run as well. `ctest -L sweep` runs it alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/batch.h"
#include "core/text_file.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

namespace fs = std::filesystem;

constexpr int kCuts = 30;             // cut points per fixture, the first at byte 0
constexpr int kMutants = 10;          // copies with flipped bytes per fixture
constexpr int kFlipsPerMutant = 12;   // bytes flipped in one copy
constexpr int kCommandsPerInput = 2;  // commands each cut or mutant goes through, rotating
constexpr auto kRunLimit = std::chrono::seconds(60);
const std::string kPrevious = "an earlier output\r\n";

// Arguments of the commands that take more than "INPUT -o OUTPUT"; a command with several
// lines is run in each form. "{in}" is the input, "{out}", "{sheet}" and "{png}" outputs.
// A command that is missing here and needs more is caught by the status-2 check below.
const std::map<std::string, std::vector<std::vector<std::string>>> kArguments = {
    {"geometry", {{"{in}", "-o", "{out}"}, {"{in}", "--trajectory", "{out}"}}},
    {"coords", {{"--pdb", "{in}", "-o", "{out}"}, {"--ent", "{in}", "-o", "{out}"}, {"--xyz", "{in}", "-o", "{out}"}}},
    {"zmatrix", {{"--free", "{in}", "-o", "{out}"}, {"--constrained", "{in}", "-o", "{out}"}}},
    {"mo", {{"{in}", "--table", "{out}", "--sheet", "{sheet}", "--image", "{png}"}}},
    {"coefficients", {{"{in}", "--mo-ao", "-o", "{out}"}}},
    {"pdos", {{"{in}", "--set", "1-3", "--total", "-o", "{out}", "--image", "{png}"}}},
    {"profile", {{"{in}", "-o", "{png}"}}},
    {"spectrum", {{"{in}", "-o", "{out}", "--image", "{png}"}}},
};

struct Command {
    std::string name;
    std::vector<std::string> args;  // without the name
};

std::vector<Command> SweptCommands() {
    std::vector<Command> commands;
    for (const auto& name : mavrolin::BatchCommandNames()) {
        auto it = kArguments.find(name);
        if (it == kArguments.end()) {
            commands.push_back({name, {"{in}", "-o", "{out}"}});
            continue;
        }
        for (const auto& args : it->second) commands.push_back({name, args});
    }
    return commands;
}

// Aborts the test program when one run has not ended within kRunLimit: a hang is a
// fault, and the name of the run is printed first.
class Watchdog {
public:
    Watchdog() : thread_([this] { Watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(m_);
            stop_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }
    void Arm(const std::string& what) {
        std::lock_guard<std::mutex> lock(m_);
        what_ = what;
        deadline_ = std::chrono::steady_clock::now() + kRunLimit;
        armed_ = true;
        cv_.notify_all();
    }
    void Disarm() {
        std::lock_guard<std::mutex> lock(m_);
        armed_ = false;
    }

private:
    void Watch() {
        std::unique_lock<std::mutex> lock(m_);
        while (!stop_) {
            if (!armed_) {
                cv_.wait(lock);
                continue;
            }
            cv_.wait_until(lock, deadline_);
            if (armed_ && !stop_ && std::chrono::steady_clock::now() >= deadline_) {
                std::fprintf(stderr, "sweep: no end after %lld s: %s\n",
                             static_cast<long long>(kRunLimit.count()), what_.c_str());
                std::abort();
            }
        }
    }
    std::mutex m_;
    std::condition_variable cv_;
    bool armed_ = false, stop_ = false;
    std::string what_;
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

// Points TMPDIR at a folder of its own for the sweep, so the private folders of the batch
// runs can be counted afterwards; restores it at the end.
class OwnTempDir {
public:
    OwnTempDir() {
        const char* old = std::getenv("TMPDIR");
        had_ = old != nullptr;
        if (had_) old_ = old;
        ::setenv("TMPDIR", dir_.path().c_str(), 1);
    }
    ~OwnTempDir() {
        if (had_)
            ::setenv("TMPDIR", old_.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }
    const fs::path& path() const { return dir_.path(); }

private:
    testing_support::TempDir dir_;
    bool had_ = false;
    std::string old_;
};

struct Variant {
    std::string name;
    std::string bytes;
};

// The cuts (byte 0 up to just before the end) and the mutants of one fixture, always the
// same for the same file.
std::vector<Variant> Variants(const std::string& text, unsigned seed) {
    std::vector<Variant> out;
    for (int i = 0; i < kCuts; ++i) {
        size_t at = text.size() * static_cast<size_t>(i) / kCuts;
        out.push_back({"cut at byte " + std::to_string(at), text.substr(0, at)});
    }
    std::mt19937 rng(seed);
    for (int m = 0; m < kMutants && !text.empty(); ++m) {
        std::string bytes = text;
        for (int f = 0; f < kFlipsPerMutant; ++f)
            bytes[rng() % bytes.size()] ^= static_cast<char>(1u << (rng() % 8));
        out.push_back({"mutant " + std::to_string(m) + " (seed " + std::to_string(seed) + ")", bytes});
    }
    return out;
}

// The folders of tests/data; each is swept by a test of its own, so ctest can run them
// side by side and a failure names the folder.
std::vector<std::string> FixtureFolders() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(MAVROLIN_TEST_DATA))
        if (e.is_directory()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<fs::path> Fixtures(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(fs::path(MAVROLIN_TEST_DATA) / folder))
        if (e.is_regular_file() && e.path().extension() != ".py") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> FolderListing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Sweep {
public:
    explicit Sweep(const fs::path& root) : in_(root / "in"), out_(root / "out") {
        fs::create_directories(in_);
        fs::create_directories(out_);
    }

    // Runs one command on `bytes`; returns what went wrong, "" when nothing did.
    std::string Run(const Command& c, const std::string& bytes, const std::string& what) {
        const fs::path input = in_ / "input.log";
        for (const auto& e : fs::directory_iterator(in_)) fs::remove_all(e.path());
        WriteFile(input, bytes);
        for (const auto& e : fs::directory_iterator(out_)) fs::remove_all(e.path());
        std::vector<std::string> words{"mavrolin", c.name};
        std::vector<fs::path> outputs;
        for (const auto& a : c.args) words.push_back(Expand(a, input, outputs));
        for (const auto& o : outputs) WriteFile(o, kPrevious);
        const auto before = FolderListing(out_);

        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        std::ostringstream out, err;
        // Pictures are written as a line naming their size: the drawing is made in full,
        // only the rasterising of the desktop build is left out.
        auto pictures = [](const ui::RecordingCanvas& canvas, int w, int h, const std::string& path) {
            core::WriteFileAtomically(path, std::to_string(w) + "x" + std::to_string(h) + " " +
                                                std::to_string(canvas.Ops().size()) + " ops\r\n");
        };
        dog_.Arm(what);
        int status = mavrolin::RunBatch(static_cast<int>(argv.size()), argv.data(), out, err, pictures);
        dog_.Disarm();
        ++runs_;

        const std::string e = err.str();
        // Whatever the outcome, nothing is written beside the input: its folder is someone's data.
        if (FolderListing(in_).size() != 1) return "left a file beside its input";
        if (status != 0 && status != 1) return "status " + std::to_string(status) + ": " + e;
        if (e.find("Internal error") != std::string::npos) return "internal error: " + e;
        if (status == 1) {
            if (e.empty()) return "status 1 without a message";
            for (const auto& o : outputs)
                if (!fs::exists(o) || ReadFile(o) != kPrevious) return "failed run changed " + o.filename().string();
            if (FolderListing(out_) != before) return "failed run left a new file beside its output";
        }
        return {};
    }
    int Runs() const { return runs_; }

private:
    std::string Expand(const std::string& word, const fs::path& input, std::vector<fs::path>& outputs) {
        if (word == "{in}") return input.string();
        static const std::map<std::string, std::string> kOutputs = {
            {"{out}", "out.txt"}, {"{sheet}", "sheet.txt"}, {"{png}", "picture.png"}};
        auto it = kOutputs.find(word);
        if (it == kOutputs.end()) return word;
        outputs.push_back(out_ / it->second);
        return outputs.back().string();
    }

    fs::path in_, out_;
    Watchdog dog_;
    int runs_ = 0;
};

}  // namespace

class TruncationSweep : public testing::TestWithParam<std::string> {};

TEST_P(TruncationSweep, CutAndMutatedThroughEveryCommand) {
    OwnTempDir temp;
    const auto commands = SweptCommands();
    ASSERT_GE(commands.size(), 15u);
    const auto fixtures = Fixtures(GetParam());
    ASSERT_FALSE(fixtures.empty());
    unsigned folderSeed = 0;  // the same on every machine and compiler
    for (char ch : GetParam()) folderSeed = folderSeed * 31 + static_cast<unsigned char>(ch);

    Sweep sweep(temp.path() / "sweep");
    int failures = 0;
    const auto start = std::chrono::steady_clock::now();
    for (size_t f = 0; f < fixtures.size(); ++f) {
        const auto variants = Variants(ReadFile(fixtures[f]), folderSeed + static_cast<unsigned>(f));
        for (size_t v = 0; v < variants.size(); ++v) {
            // Rotating through the commands: over its 40 variants each fixture meets every
            // command about four times.
            for (int k = 0; k < kCommandsPerInput; ++k) {
                const auto& c = commands[(f * 5 + v * kCommandsPerInput + k) % commands.size()];
                std::string what = c.name;
                for (const auto& a : c.args) what += " " + a;
                what += " on " + fixtures[f].lexically_relative(MAVROLIN_TEST_DATA).string() + ", " +
                        variants[v].name;
                std::string fault = sweep.Run(c, variants[v].bytes, what);
                if (!fault.empty() && ++failures <= 20) ADD_FAILURE() << what << ": " << fault;
            }
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("sweep of %s: %d runs over %zu fixtures and %zu commands in %.1f s\n", GetParam().c_str(),
                sweep.Runs(), fixtures.size(), commands.size(), seconds);
    EXPECT_EQ(failures, 0);
    // Every batch run removed its private folder.
    for (const auto& name : FolderListing(temp.path())) EXPECT_EQ(name, "sweep") << "left behind: " << name;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, TruncationSweep, testing::ValuesIn(FixtureFolders()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

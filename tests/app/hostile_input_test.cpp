// Every batch command over inputs a hostile or careless user gives it: devices, FIFOs,
// folders, UTF-16 and CR-only logs, names without extensions. No run may hang, and a
// run that fails leaves an existing output file as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TempDir;
using testing_support::TestApp;
using testing_support::WriteFile;

namespace {

const std::vector<std::vector<std::string>> kReaderCommands = {
    {"geometry"},       {"coords", "--pdb"}, {"coords", "--ent"}, {"coords", "--xyz"}, {"scan"},
    {"zmatrix", "--free"}, {"convert-zmatrix"}, {"index"},         {"scf"},
};

std::string Joined(const std::vector<std::string>& words) {
    std::string s;
    for (const auto& w : words) s += w + " ";
    return s;
}

// The fixture with its LF line ends replaced by `eol`.
std::string WithLineEnds(const std::string& fixture, const std::string& eol) {
    std::string text = ReadFile(TestApp::data(fixture)), out;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n')
            out += eol;
        else
            out += c;
    }
    return out;
}

}  // namespace

// Devices, FIFOs and folders are refused at once by every reader with the same words,
// and a good file named by -o survives the failed run untouched.
TEST(HostileInput, NonRegularInputsAreRefusedWithoutHangingOrDamage) {
    TempDir d;
    ASSERT_EQ(::mkfifo((d / "fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(d / "folder");
    const auto good = d / "good.txt";
    const std::pair<std::string, std::string> inputs[] = {
        {"/dev/zero", "It is not a regular file."},
        {(d / "fifo").string(), "It is not a regular file."},
        {(d / "folder").string(), "It is a folder."},
        {(d / "typo.log").string(), "No such file or directory"},
    };
    for (const auto& command : kReaderCommands) {
        for (const auto& [input, says] : inputs) {
            WriteFile(good, "good\r\n");
            auto args = command;
            args.insert(args.begin() + 1, input);
            args.insert(args.end(), {"-o", good.string()});
            std::string out, err;
            EXPECT_EQ(RunCli(args, out, err), 1) << Joined(args) << err;
            EXPECT_NE(err.find(says), std::string::npos) << Joined(args) << err;
            EXPECT_EQ(ReadFile(good), "good\r\n") << Joined(args);
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d.path()), {}), 3);  // no temporary left
}

// UTF-16 is named as such; the same log with CR-only line ends reads as with LF.
TEST(HostileInput, EncodingsAndLineEnds) {
    TempDir d;
    std::string utf16 = "\xFF\xFE";
    for (char c : WithLineEnds("logscan/water_opt_freq.log", "\r\n")) utf16 += std::string{c, '\0'};
    WriteFile(d / "utf16.log", utf16);
    for (const char* command : {"index", "scf", "report", "geometry", "scan"}) {
        std::string out, err;
        EXPECT_EQ(RunCli({command, (d / "utf16.log").string(), "-o", (d / "o.txt").string()}, out, err), 1)
            << command;
        EXPECT_NE(err.find("It is UTF-16 text"), std::string::npos) << command << err;
        EXPECT_FALSE(std::filesystem::exists(d / "o.txt")) << command;
    }

    WriteFile(d / "lf.log", WithLineEnds("logscan/water_opt_freq.log", "\n"));
    WriteFile(d / "cr.log", WithLineEnds("logscan/water_opt_freq.log", "\r"));
    for (const char* command : {"index", "scf"}) {
        std::string lf, cr, err;
        ASSERT_EQ(RunCli({command, (d / "lf.log").string()}, lf, err), 0) << err;
        ASSERT_EQ(RunCli({command, (d / "cr.log").string()}, cr, err), 0) << command << err;
        EXPECT_EQ(cr, lf) << command;
    }
}

// A failed index run writes nothing; -o naming a folder gives the reason, never "Success".
TEST(HostileInput, FailedRunsWriteNothing) {
    TempDir d;
    std::filesystem::create_directory(d / "folder");
    WriteFile(d / "good.txt", "good\r\n");
    WriteFile(d / "short.log", "one line\n");
    std::string out, err;
    EXPECT_EQ(RunCli({"index", "-o", (d / "good.txt").string(), (d / "short.log").string()}, out, err), 1);
    EXPECT_EQ(ReadFile(d / "good.txt"), "good\r\n");

    // A log cut part-way: what was indexed is written and the run succeeds with a warning.
    const auto cut = TestApp::data("summary/h2co_cut_in_freq.log");
    EXPECT_EQ(RunCli({"index", cut, "-o", (d / "good.txt").string()}, out, err), 0) << err;
    EXPECT_NE(err.find("warning: The job did not finish"), std::string::npos) << err;
    EXPECT_NE(ReadFile(d / "good.txt").find("SCF Done: #1"), std::string::npos);

    const auto log = TestApp::data("logscan/water_opt_freq.log");
    for (const char* command : {"index", "scf", "report", "geometry"}) {
        EXPECT_EQ(RunCli({command, log, "-o", (d / "folder").string()}, out, err), 1) << command;
        EXPECT_NE(err.find("It is a folder."), std::string::npos) << command << err;
        EXPECT_EQ(err.find("Success"), std::string::npos) << command << err;
        EXPECT_TRUE(std::filesystem::is_empty(d / "folder")) << command;
    }
}

// Default names drop only a real extension and never name the input itself.
TEST(HostileInput, DefaultOutputNames) {
    TempDir d;
    std::filesystem::create_directory(d / "data");
    std::filesystem::copy_file(TestApp::data("orientation/water_opt_sym.log"), d / "data" / "h2o");
    std::string out, err;
    ASSERT_EQ(RunCli({"geometry", (d / "data" / "h2o").string()}, out, err), 0) << err;
    EXPECT_TRUE(std::filesystem::exists(d / "data" / "h2o.abc"));
    EXPECT_FALSE(std::filesystem::exists(d / "data.abc"));

    const std::string atoms = " 1 C1 UNK 1 0 0 0\r\n 2 O2 UNK 1 0 0 1.2\r\n";
    WriteFile(d / "mol.abc", atoms);
    EXPECT_EQ(RunCli({"coords", "--xyz", (d / "mol.abc").string()}, out, err), 1);
    EXPECT_NE(err.find("is the input itself"), std::string::npos) << err;
    EXPECT_EQ(ReadFile(d / "mol.abc"), atoms);

    WriteFile(d / "far.txt", " 1 C1 UNK 1 0 0 0\r\n 2 O2 UNK 1 1e308 0 1.2\r\n");
    EXPECT_EQ(RunCli({"coords", "--xyz", (d / "far.txt").string(), "-o", (d / "far.abc").string()}, out, err), 1);
    EXPECT_NE(err.find("Line 2: '1e308' is not a coordinate"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(d / "far.abc"));
}

// Options the picture writer cannot honour are bad arguments, found before any scan.
TEST(HostileInput, ProfileOptionsCheckedBeforeTheScan) {
    TempDir d;
    const auto missing = (d / "missing.log").string();
    const std::vector<std::vector<std::string>> cases = {
        {"profile", missing, "-o", (d / "p.png").string(), "--size", "20000x800"},
        {"profile", missing, "-o", (d / "p.bmp").string()},
        {"profile", missing, "-o", (d / "png").string()},
    };
    for (const auto& args : cases) {
        std::string out, err;
        EXPECT_EQ(RunCli(args, out, err), 2) << Joined(args) << err;
    }
}

// Profiles: a log without optimisation steps, and a picture into a missing folder, are
// refused with the reason.
TEST(HostileInput, ProfileRefusalsSayWhy) {
    TempDir d;
    std::string text = ReadFile(TestApp::data("logscan/water_opt_freq.log"));
    for (size_t at; (at = text.find("Maximum Force")) != std::string::npos;) text.replace(at, 13, "Maximum Farce");
    WriteFile(d / "steps.log", text);  // energies, but no convergence table
    std::string out, err;
    EXPECT_EQ(RunCli({"profile", (d / "steps.log").string(), "-o", (d / "p.png").string(), "--save-step", "1"}, out,
                     err),
              1);
    EXPECT_NE(err.find("no optimisation steps in"), std::string::npos) << err;
    EXPECT_EQ(err.find("is not a valid integer value"), std::string::npos) << err;

    const auto log = TestApp::data("logscan/water_opt_freq.log");
    EXPECT_EQ(RunCli({"profile", log, "-o", (d / "missing" / "p.png").string()}, out, err), 1);
    EXPECT_NE(err.find("does not exist"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(d / "missing"));
}

// A scan log request on an ordinary optimisation says so once.
TEST(HostileInput, ScanOnAnOptimisationSaysSoOnce) {
    std::string out, err;
    EXPECT_EQ(RunCli({"scan", TestApp::data("logscan/water_opt_freq.log")}, out, err), 1);
    EXPECT_NE(err.find("No relaxed-scan points in this log"), std::string::npos) << err;
    EXPECT_EQ(err.find("There is something wrong with the format!!"), std::string::npos) << err;
}

// The private folder of a killed run is removed by the next run; a live run's stays.
TEST(HostileInput, StalePrivateFoldersAreRemoved) {
    pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    auto tmp = std::filesystem::temp_directory_path();
    auto stale = tmp / ("mavrolin-" + std::to_string(child) + "-12345");
    auto live = tmp / ("mavrolin-" + std::to_string(::getpid()) + "-12345");
    std::filesystem::create_directories(stale / "inner");
    std::filesystem::create_directories(live);
    std::string out, err;
    RunCli({"index", TestApp::data("logscan/water_sp.log")}, out, err);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
    std::filesystem::remove_all(live);
}

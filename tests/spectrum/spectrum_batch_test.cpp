// The batch commands "spectrum" and "esi": the same files as the windows write, the exit
// statuses, and nothing written when a command fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "spectrum_test_support.h"

using spectrum_test::Fixture;
using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TestApp;

namespace {

// A copy of a fixture in the test's folder, so default output names land there.
std::string Copy(const TestApp& t, const std::string& name) {
    auto to = t.dir.path() / name;
    std::filesystem::copy_file(Fixture(name), to);
    return to.string();
}

}  // namespace

TEST(SpectrumBatch, WritesTheSavedSpectrumWithOptionsApplied) {
    TestApp t;
    const auto log = Copy(t, "td_closed.log");
    std::string out, err;
    ASSERT_EQ(RunCli({"--quiet", "spectrum", log, "--unit", "nm", "--points", "120", "--sigma", "0.1", "--x",
                      "200:300"},
                     out, err),
              0)
        << err;
    auto text = ReadFile(log + ".calcd.txt");
    EXPECT_NE(text.find("Sigma value used to calculate: 0.1\r\n"), std::string::npos);
    EXPECT_NE(text.find("Wavelength (nm)\tAbsorption Intensity\r\n    200.00\t"), std::string::npos);
    EXPECT_NE(text.find("\r\n    300.00\t"), std::string::npos);
    int data = 0;  // "    200.00\t    0.00000000": ten characters, a tab, fourteen
    for (size_t p = 0, q; (q = text.find("\r\n", p)) != std::string::npos; p = q + 2)
        data += q - p == 25 && text[p + 10] == '\t';
    EXPECT_EQ(data, 120);
}

TEST(SpectrumBatch, SettingsFileThenOptionsAndTheImageNeedsAPictureWriter) {
    TestApp t;
    const auto log = Copy(t, "td_closed.log");
    const auto settings = t.write("s.inf", "");
    std::string out, err;
    // An empty settings file changes nothing; the explicit output name is used.
    ASSERT_EQ(RunCli({"spectrum", log, "--settings", settings, "--scale", "0.5", "-o", (t.dir / "x.txt").string()},
                     out, err),
              0)
        << err;
    EXPECT_TRUE(std::filesystem::exists(t.dir / "x.txt"));
    // This build's in-process runs have no picture writer: the command fails and writes nothing.
    EXPECT_EQ(RunCli({"spectrum", log, "--image", (t.dir / "p.png").string(), "-o", (t.dir / "y.txt").string()},
                     out, err),
              1);
    EXPECT_FALSE(std::filesystem::exists(t.dir / "y.txt"));
}

TEST(SpectrumBatch, FailuresAndBadArguments) {
    TestApp t;
    const auto dark = Copy(t, "td_dark.log");
    const auto closed = Copy(t, "td_closed.log");
    std::string out, err;
    EXPECT_EQ(RunCli({"spectrum", dark}, out, err), 1);
    EXPECT_NE(err.find("Error termination!!"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dark + ".calcd.txt"));
    EXPECT_EQ(RunCli({"spectrum", TestApp::data("logscan/water_sp.log"), "-o", (t.dir / "n.txt").string()}, out, err), 1);
    EXPECT_NE(err.find("no excited states"), std::string::npos);
    EXPECT_EQ(RunCli({"spectrum", closed, "--unit", "au"}, out, err), 2);
    EXPECT_EQ(RunCli({"spectrum", closed, "--x", "5:2"}, out, err), 2);
    EXPECT_EQ(RunCli({"spectrum", closed, "--points", "20"}, out, err), 2);
    EXPECT_EQ(RunCli({"esi", closed, "--style", "4"}, out, err), 2);
    EXPECT_EQ(RunCli({"esi", closed, "--ci-limit", "two"}, out, err), 1);
    EXPECT_FALSE(std::filesystem::exists(closed + ".esi.txt"));
}

TEST(SpectrumBatch, EsiWritesWhatSaveEsiFileWrites) {
    TestApp t;
    const auto log = Copy(t, "td_closed.log");
    std::string out, err;
    ASSERT_EQ(RunCli({"esi", log, "--style", "2", "--f-limit", "0.001", "--nm-limit", "150"}, out, err), 0) << err;
    const auto text = ReadFile(log + ".esi.txt");
    EXPECT_NE(text.find("f^a ( > 0.001)"), std::string::npos);
    EXPECT_NE(text.find("\r\n3\t46779\t213.77\t0.005\t4 -> 6\t0.69000 (100%)\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n4\t50025\t199.9\t0.3\t3 -> 6\t0.69500 (92.352%)\r\n"), std::string::npos) << text;
}

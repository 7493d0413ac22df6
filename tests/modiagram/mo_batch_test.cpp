// "mavrolin mo": the scripted user of the MO table, diagram and settings windows.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/number_text.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TempDir;
using testing_support::TestApp;

namespace {
std::string Fixture(const std::string& name) { return TestApp::data("modiagram/" + name); }
}  // namespace

TEST(MoBatch, TableToStandardOutputAndSheetInHartree) {
    TempDir dir;
    std::string out, err;
    const auto sheet = dir / "h.txt";
    ASSERT_EQ(RunCli({"--quiet", "mo", Fixture("open_beta_virtual_first.log"), "--unit", "hartree", "--overlay", "2",
                      "--table", "-", "--sheet", sheet.string()},
                     out, err),
              0)
        << err;
    EXPECT_TRUE(err.empty()) << err;
    EXPECT_EQ(out, "Alpha\tBeta\r\nao  -0.46658\tbv  0.06789\r\nav  0.59321\tbv  0.61234\r\n"
                   "av  0.81234\tbv  0.84567\r\nav  1.10234\tbv  1.20123\r\nav  1.52345\tbv  1.60234\r\n");
    const std::string text = ReadFile(sheet);
    EXPECT_TRUE(text.starts_with(Fixture("open_beta_virtual_first.log") + "\tAlpha\t1\t-0.46658\t0.59321\t"));
    EXPECT_NE(text.find("\r\n  \tBeta\t3\t  \t  \t  \t  \t  \t0.06789\t"), std::string::npos);
}

TEST(MoBatch, RefusalsWriteNothing) {
    TempDir dir;
    const auto table = dir / "t.txt";
    testing_support::WriteFile(table, "keep me");
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const std::string closed = Fixture("two_printings.log");
    const Case cases[] = {
        {{"mo", closed, "--overlay", "3", "--table", table.string()}, 2},
        {{"mo", closed, "--range", "5:1", "--table", table.string()}, 2},
        {{"mo", closed, "--size", "10x10", "--table", table.string()}, 2},
        {{"mo", closed, "--unit", "rydberg", "--table", table.string()}, 2},
        {{"mo", closed, "--overlay", "1", "--table", table.string()}, 1},
        {{"mo", closed, TestApp::data("profile/water_opt.log"), "--table", table.string()}, 1},
        {{"mo", closed, "--settings", (dir / "missing.inf").string(), "--table", table.string()}, 1},
        // The picture cannot be written here (no picture writer): the table is not written either.
        {{"mo", closed, "--table", table.string(), "--image", (dir / "d.png").string()}, 1},
    };
    for (const auto& c : cases) {
        std::string out, err;
        EXPECT_EQ(RunCli(c.args, out, err), c.status) << c.args[2];
        if (c.status == 1) {
            EXPECT_FALSE(err.empty());
        }
        EXPECT_EQ(ReadFile(table), "keep me") << c.args[2];
    }
}

TEST(MoBatch, RangeAndSettingsReachTheWindows) {
    TempDir dir;
    const auto settings = dir / "moview_graphics.inf";
    testing_support::WriteFile(settings, "Title\r\n"
                                         "Alpha Occupied Orbital Color            255\r\n"
                                         "Alpha Virtual Orbital Color             255\r\n"
                                         "Beta Occupied Orbital Color             255\r\n"
                                         "Beta Virtual Orbital Color              255\r\n"
                                         "Line Width for Occupied MOs             2\r\n"
                                         "Line Width for Virtual MOs              2\r\n"
                                         "Line Style for Occupied MOs             0\r\n"
                                         "Line Style for Virtual MOs              0\r\n"
                                         "Side Separation Mode                    8\r\n");
    std::string out, err;
    const auto sheet = dir / "s.txt";
    ASSERT_EQ(RunCli({"mo", Fixture("two_printings.log"), Fixture("longer_last.log"), "--settings", settings.string(),
                      "--range", "-1:1", "--sheet", sheet.string()},
                     out, err),
              0)
        << err;
    const std::string text = ReadFile(sheet);
    // Slots of eight units; levels outside the range are exported as well.
    EXPECT_NE(text.find("\tAlpha\t9\t"), std::string::npos);
    EXPECT_NE(text.find("\tAlpha\t15\t"), std::string::npos);
    EXPECT_NE(text.find(core::FloatText(-20.25258 * 27.2114)), std::string::npos);
}

// The scan moves the working folder to the log's; relative output names still mean the
// folder the command was started from.
TEST(MoBatch, RelativeOutputsLandWhereTheCommandStarted) {
    TempDir dir;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::string out, err;
    const int status = RunCli({"--quiet", "mo", Fixture("two_printings.log"), "--table", "mo.txt"}, out, err);
    std::filesystem::current_path(before);
    ASSERT_EQ(status, 0) << err;
    EXPECT_TRUE(std::filesystem::exists(dir / "mo.txt"));
}

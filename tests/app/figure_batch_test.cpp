// --figure and --csv on the plotting commands: the table of each figure from fixture logs,
// the figure files refused or written, and the Save Figure Data menu item.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/application.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TestApp;

namespace {

struct Case {
    std::vector<std::string> args;  // after the log
    const char* log;
    const char* header;  // first line of the CSV
};

TEST(FigureBatch, EveryPlottingCommandWritesItsPlottedNumbers) {
    const Case cases[] = {
        {{"spectrum"}, "spectrum/td_closed.log", "wavelength / nm,epsilon / L mol-1 cm-1,f"},
        {{"spectrum", "--unit", "ev", "--no-sticks"}, "spectrum/td_closed.log", "energy / eV,epsilon / L mol-1 cm-1"},
        {{"ir"}, "irraman/h2co_two_freq_raman.log", "wavenumber / cm-1,IR band / km mol-1 cm,IR intensity / km mol-1"},
        {{"profile"}, "profile/water_opt.log", "step,relative energy / kcal mol-1,max force / hartree bohr-1"},
        {{"pdos", "--set", "1-3", "--total"}, "pdos/closed.log", "energy / eV,PDOS-1 / eV-1,Total / eV-1"},
        {{"mo"}, "modiagram/two_printings.log", "MO,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.log);
        TestApp t;
        const auto csv = (t.dir.path() / "f.csv").string();
        // A copy in the test's folder: some commands write files beside their input.
        const auto log = t.dir.path() / std::filesystem::path(c.log).filename();
        std::filesystem::copy_file(TestApp::data(c.log), log);
        std::vector<std::string> args{"--quiet", c.args[0], log.string()};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        if (c.args[0] != "mo" && c.args[0] != "profile") args.insert(args.end(), {"-o", (t.dir.path() / "out.txt").string()});
        args.insert(args.end(), {"--csv", csv});
        std::string out, err;
        ASSERT_EQ(RunCli(args, out, err), 0) << err;
        const std::string text = ReadFile(csv);
        EXPECT_EQ(text.rfind(c.header, 0), 0u) << text.substr(0, 200);
        // Rows of numbers with "." decimals, every row as many cells as the header.
        const auto cells = [](const std::string& line) { return std::count(line.begin(), line.end(), ','); };
        const auto first = text.find("\r\n");
        const auto row = text.substr(first + 2, text.find("\r\n", first + 2) - first - 2);
        EXPECT_EQ(cells(row), cells(text.substr(0, first)));
        EXPECT_GT(std::count(text.begin(), text.end(), '\n'), 5);
    }
}

TEST(FigureBatch, RelativeNamesAreTakenFromWhereTheCommandStarted) {
    TestApp t;
    const auto log = t.dir.path() / "logs" / "td_closed.log";
    std::filesystem::create_directories(log.parent_path());
    std::filesystem::copy_file(TestApp::data("spectrum/td_closed.log"), log);
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(t.dir.path());
    std::string out, err;
    const int status = RunCli({"--quiet", "spectrum", log.string(), "--csv", "rel.csv"}, out, err);
    std::filesystem::current_path(before);
    EXPECT_EQ(status, 0) << err;
    EXPECT_TRUE(std::filesystem::exists(t.dir.path() / "rel.csv"));
    EXPECT_FALSE(std::filesystem::exists(log.parent_path() / "rel.csv"));
}

TEST(FigureBatch, BadFigureOptionsAreRefusedBeforeAnyWork) {
    TestApp t;
    const auto log = TestApp::data("spectrum/td_closed.log");
    const auto out = (t.dir.path() / "out.txt").string();
    for (std::vector<std::string> bad : {std::vector<std::string>{"--figure", "f.jpg"},
                                         {"--figure", "f.png", "--figure-size", "8.5"},
                                         {"--figure", "f.png", "--figure-size", "100x100", "--dpi", "2400"}}) {
        std::vector<std::string> args{"--quiet", "spectrum", log, "-o", out};
        args.insert(args.end(), bad.begin(), bad.end());
        std::string o, err;
        EXPECT_EQ(RunCli(args, o, err), 2) << bad[1];
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // The profile's picture is optional once a figure or table is asked for, required otherwise.
    std::string o, err;
    EXPECT_EQ(RunCli({"--quiet", "profile", TestApp::data("profile/water_opt.log")}, o, err), 2);
}

TEST(FigureMenu, SaveFigureDataWritesTheTableOfTheWindowAndCancelWritesNothing) {
    TestApp t;
    t.platform.AnswerOpen(TestApp::data("spectrum/td_closed.log"));
    t.app.form1.OpenLOG1Click();
    t.app.form1.SpectraTDDFTResults1Click();
    const auto csv = (t.dir.path() / "menu.csv").string();
    t.platform.AnswerValues(std::vector<std::string>{"", "ev", "yes", "no"});
    t.platform.AnswerSave(csv);
    t.app.form9.SaveFigureData1.Click();
    const std::string text = ReadFile(csv);
    EXPECT_EQ(text.rfind("energy / eV,state 1 epsilon", 0), 0u) << text.substr(0, 120);
    // The next time the dialog offers what was typed (here taken as it stands).
    t.platform.AnswerSave(csv);
    t.app.form9.SaveFigureData1.Click();
    EXPECT_EQ(ReadFile(csv), text);
    t.platform.AnswerValues(std::nullopt);
    std::filesystem::remove(csv);
    t.app.form9.SaveFigureData1.Click();
    EXPECT_FALSE(std::filesystem::exists(csv));
}

}  // namespace

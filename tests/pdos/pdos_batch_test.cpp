// "mavrolin coefficients" and "mavrolin pdos" end to end: the scan hands the chosen
// eigenvalue printing to the coefficient load, then the windows' handlers run.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "app/batch.h"
#include "pdos/pdos_drawing.h"

#include "pdos/coefficient_exports.h"
#include "pdos_test_support.h"

using pdos_test::Fixture;
using pdos_test::Lines;
using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TestApp;

namespace {

// The fixture copied into the test's folder: the PDOS computation writes files beside it.
std::string Copy(const TestApp& t, const std::string& fixture) {
    return t.write(fixture, ReadFile(Fixture(fixture)));
}

}  // namespace

TEST(CoefficientsCommand, WritesWhatTheWindowExportWrites) {
    struct Case {
        const char* flag;
        mavrolin::pdos::CoefficientLayout layout;
        const char* log;
    };
    const Case cases[] = {
        {"--mo-ao", mavrolin::pdos::CoefficientLayout::LinePerAo, "closed.log"},
        {"--ao-mo", mavrolin::pdos::CoefficientLayout::LinePerMo, "open.log"},
        {"--squares", mavrolin::pdos::CoefficientLayout::Squares, "closed.log"},
        {"--mo-ao", mavrolin::pdos::CoefficientLayout::LinePerAo, "oldstyle.log"},  // printed from orbital 4 on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flag);
        TestApp t;
        const std::string log = Copy(t, c.log);
        const auto out = t.dir / "out.txt";
        std::string o, e;
        ASSERT_EQ(RunCli({"--quiet", "coefficients", log, c.flag, "-o", out.string()}, o, e), 0) << e;
        const auto expected = t.dir / "expected.txt";
        mavrolin::pdos::WriteCoefficients(expected, pdos_test::Load(log).tables, c.layout);
        EXPECT_EQ(ReadFile(out), ReadFile(expected));
    }
}

TEST(CoefficientsCommand, ImportsAndRefusals) {
    TestApp t;
    const std::string log = Copy(t, "closed.log");
    std::string o, e;
    // Labels from the GFPrint listing, energies from the checkpoint file; to stdout.
    ASSERT_EQ(RunCli({"--quiet", "coefficients", log, "--gfprint", Fixture("gfprint.log"), "--fchk",
                      Fixture("closed.fchk"), "--mo-ao"},
                     o, e),
              0)
        << e;
    auto lines = Lines(o);
    ASSERT_GT(lines.size(), 4u);
    EXPECT_TRUE(lines[2].starts_with("\t1_ao -2.05543200E+01\t"));
    EXPECT_TRUE(lines[3].starts_with("O1_S\t"));

    const auto out = t.dir / "none.txt";
    EXPECT_EQ(RunCli({"coefficients", log, "-o", out.string()}, o, e), 2);  // no layout
    EXPECT_EQ(RunCli({"coefficients", log, "--squares", "--mo-ao", "-o", out.string()}, o, e), 2);
    std::string other = ReadFile(Fixture("closed.fchk"));
    other.replace(other.find("I                7"), 17, "I                9");
    EXPECT_EQ(RunCli({"coefficients", log, "--fchk", t.write("other.fchk", other), "--squares", "-o", out.string()},
                     o, e),
              1);
    EXPECT_NE(e.find("Number of basis functions does not match"), std::string::npos) << e;
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(PdosCommand, WritesTheSavedPdosOfTheGivenSets) {
    TestApp t;
    const std::string log = Copy(t, "open.log");
    const auto out = t.dir / "open_PDOS.txt";
    std::string o, e;
    ASSERT_EQ(RunCli({"--quiet", "pdos", log, "--set", "1-2", "--set", "3,5-7", "--total", "--sigma", "50", "--points",
                      "1000", "--min", "-25", "-o", out.string()},
                     o, e),
              0)
        << e;
    auto lines = Lines(ReadFile(out));
    EXPECT_EQ(lines[1], " Projected Density of States generated from " + log);
    EXPECT_EQ(lines[3], "saving computed data for npdos #1 starts!");
    // Three curves of 1001 points each, framed by rules; open shell: four fields.
    EXPECT_EQ(lines[3 + 2 * 1004], "saving computed data for the total density starts!");
    EXPECT_TRUE(lines[5].starts_with("0\t-2.50000000000000E+0001\t"));
    EXPECT_EQ(std::count(lines[5].begin(), lines[5].end(), '\t'), 3);
    EXPECT_TRUE(lines[lines.size() - 2].starts_with("Contributions in PDOS #1 :  AO1 1 "));
    EXPECT_TRUE(lines.back().starts_with("Contributions in PDOS #2 :  AO1 3 "));
    EXPECT_NE(lines.back().find(" AO4 7 "), std::string::npos);
    for (const char* f : {"moenergy.txt", "computed_temp.txt", "projected_density.txt"})
        EXPECT_FALSE(std::filesystem::exists(t.dir / f)) << f;
}

TEST(PdosCommand, RefusalsEndWithStatusAndWriteNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"AO beyond the tables", {"--set", "1,99"}, 1, "AO 99 of set 1 is outside the tables (1-7)"},
        {"AO in two sets", {"--set", "1-3", "--set", "3"}, 2, "given twice"},
        {"bad list", {"--set", "2-"}, 2, "AO numbers and ranges"},
        {"range above the data", {"--set", "1", "--min", "0"}, 1, "must lie below its highest"},
        {"letters in the maximum", {"--set", "1", "--max", "abc"}, 1, "Typing error in the maximum eV setting!"},
        {"sigma out of range", {"--set", "1", "--sigma", "0"}, 2, ""},
        // Without a picture writer the picture fails, and the text is not written either.
        {"picture not written", {"--set", "1", "--image", "pdos.png"}, 1, "error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp t;
        const auto out = t.dir / "x.txt";
        std::vector<std::string> args{"pdos", Copy(t, "closed.log"), "--diagnostics", t.dir.path().string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"-o", out.string()});
        std::string o, e;
        EXPECT_EQ(RunCli(args, o, e), c.status) << e;
        EXPECT_NE(e.find(c.message), std::string::npos) << e;
        EXPECT_FALSE(std::filesystem::exists(out));
        EXPECT_TRUE(std::string(c.name) != "range above the data" || !std::filesystem::exists(t.dir / "moenergy.txt"));
    }
}

TEST(PdosCommand, PicturesOfBothDiagramsAtTheAskedSize) {
    TestApp t;
    std::map<std::string, std::vector<ui::DrawOp>> pictures;
    std::map<std::string, std::pair<int, int>> sizes;
    const auto run = t.dir / "run";  // relative names are taken from there, not from the log's folder
    std::filesystem::create_directories(run / "d");
    std::filesystem::current_path(run);
    std::vector<std::string> args{"mavrolin", "--quiet", "pdos", Copy(t, "closed.log"), "--set", "1-7",
                                  "--image", "h.png", "--vertical-image", "v.svg", "--size", "800x400", "-o",
                                  (t.dir / "p.txt").string(), "--diagnostics", "d"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::ostringstream out, err;
    ASSERT_EQ(mavrolin::RunBatch(static_cast<int>(argv.size()), argv.data(), out, err,
                                 [&](const ui::RecordingCanvas& c, int w, int h, const std::string& path) {
                                     EXPECT_EQ(std::filesystem::path(path).parent_path(), run);
                                     const auto name = std::filesystem::path(path).filename().string();
                                     pictures[name] = c.Ops();
                                     sizes[name] = {w, h};
                                 }),
              0)
        << err.str();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(sizes["h.png"], std::make_pair(800, 400));
    EXPECT_EQ(sizes["v.svg"], std::make_pair(800, 400));
    // MO markers: vertical lines in the horizontal diagram, horizontal ones in the vertical.
    auto markers = [](const std::vector<ui::DrawOp>& ops) {
        std::vector<ui::DrawOp> out;
        for (const auto& op : ops)
            if (op.kind == ui::DrawOp::Line && op.pen.color == mavrolin::pdos::kMoMarkerColor) out.push_back(op);
        return out;
    };
    auto h = markers(pictures["h.png"]), v = markers(pictures["v.svg"]);
    ASSERT_FALSE(h.empty());
    ASSERT_FALSE(v.empty());
    EXPECT_EQ(h[0].x1, h[0].x2);
    EXPECT_EQ(v[0].y1, v[0].y2);
    EXPECT_TRUE(std::filesystem::exists(t.dir / "p.txt"));
    for (const char* f : {"moenergy.txt", "computed_temp.txt", "projected_density.txt"})
        EXPECT_TRUE(std::filesystem::exists(run / "d" / f)) << f;
}

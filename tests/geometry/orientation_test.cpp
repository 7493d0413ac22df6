#include <gtest/gtest.h>

#include <filesystem>

#include "core/dir_memory.h"
#include "core/errors.h"
#include "geometry/orientation_reader.h"
#include "support/test_app.h"

using mavrolin::geometry::AtomLabel;
using mavrolin::geometry::BlockAtHeader;
using mavrolin::geometry::FindLastOrientation;
using mavrolin::geometry::IsOrientationHeader;
using mavrolin::geometry::LabelledCartesianLine;
using mavrolin::geometry::ParseAtomLine;
using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TempDir;
using testing_support::TestApp;

namespace {

const char* kRule = " ---------------------------------------------------------------------";

std::string Block(const std::string& header, const std::vector<std::string>& atoms) {
    std::string s = header + "\n" + kRule + "\n" +
                    " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
                    " Number     Number       Type             X           Y           Z\n" +
                    kRule + "\n";
    for (const auto& a : atoms) s += a + "\n";
    return s + kRule + "\n";
}

const std::string kStd = "                         Standard orientation:                         ";
const std::string kInp = "                          Input orientation:                          ";

std::string Open(TestApp& t, const std::string& path) {
    t.platform.AnswerOpen(path);
    t.app.Dispatch([&] { t.app.form1.GetLastStdOrient1Click(); });
    return path;
}

std::vector<std::string> Row(const ui::StringGrid& g, int row) {
    return {g.Cell(0, row), g.Cell(1, row), g.Cell(2, row), g.Cell(3, row)};
}

}  // namespace

TEST(Orientation, SymmetricOptimisationTakesTheLastStandardBlock) {
    TestApp t;
    auto log = TestApp::data("orientation/water_opt_sym.log");
    auto search = FindLastOrientation(log);
    ASSERT_TRUE(search.last);
    EXPECT_EQ(search.last->header, 224);
    EXPECT_EQ(search.last->first, 229);
    EXPECT_EQ(search.last->last, 231);
    EXPECT_EQ(search.cutOffHeader, 0);

    t.app.log.pick_energy_check = true;
    Open(t, log);
    const auto& g = t.app.form1.StringGrid1;
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(Row(g, 0), (std::vector<std::string>{"Label", "X (A)", "Y (A)", "Z (A)"}));
    EXPECT_EQ(Row(g, 1), (std::vector<std::string>{"O1", "0.000000", "-0.000000", "0.000000"}));
    EXPECT_EQ(Row(g, 2), (std::vector<std::string>{"H2", "0.759106", "-0.000000", "0.591746"}));
    EXPECT_EQ(Row(g, 3), (std::vector<std::string>{"H3", "-0.759106", "-0.000000", "0.591746"}));
    const auto& log_ = t.app.log;
    EXPECT_EQ(log_.FileDum, log);
    EXPECT_EQ(log_.nline, 243);
    EXPECT_EQ(log_.ndata, 3);
    EXPECT_FALSE(log_.pick_energy_check);
    ASSERT_EQ(log_.a.size(), 13u);
    EXPECT_EQ(log_.atomicn[1], 8);
    EXPECT_EQ(log_.atomicn[3], 1);
    EXPECT_DOUBLE_EQ(log_.a[2], 0.759106);
    EXPECT_DOUBLE_EQ(log_.c[3], 0.591746);
    EXPECT_EQ(log_.lab[2], "H2");
    EXPECT_EQ(log_.dirinfo, core::DirectoryOf(log));
    EXPECT_TRUE(t.platform.messages.empty());
}

TEST(Orientation, WithoutSymmetryTheLastInputBlockIsTakenAndLabelsCountRows) {
    TestApp t;
    Open(t, TestApp::data("orientation/methane_nosym.log"));
    const auto& g = t.app.form1.StringGrid1;
    ASSERT_EQ(g.RowCount(), 6);
    for (int r = 1; r <= 5; ++r) {
        std::string label = r == 1 ? "C" : "H";  // appended: GCC 12 -O3 warns falsely on "C" + string
        label += std::to_string(r);
        EXPECT_EQ(g.Cell(0, r), label);
    }
    EXPECT_EQ(Row(g, 5), (std::vector<std::string>{"H5", "0.632500", "-0.632500", "-0.632500"}));
    EXPECT_EQ(FindLastOrientation(TestApp::data("orientation/methane_nosym.log")).last->header, 148);
}

TEST(Orientation, FiveColumnLinesGiveTheSameGridAndArraysAsSix) {
    auto five = ParseAtomLine("    2          1        0.632500   -0.632500    0.632500");
    auto six = ParseAtomLine("      2          1           0        0.632500   -0.632500    0.632500");
    EXPECT_EQ(five.atomicNumber, six.atomicNumber);
    EXPECT_EQ(five.x, six.x);
    EXPECT_EQ(five.y, "-0.632500");
    EXPECT_EQ(five.z, six.z);
    EXPECT_DOUBLE_EQ(five.b, six.b);

    TestApp a, b;
    Open(a, TestApp::data("orientation/methane_5col.out"));
    Open(b, TestApp::data("orientation/methane_nosym.log"));
    for (int r = 0; r <= 5; ++r) EXPECT_EQ(Row(a.app.form1.StringGrid1, r), Row(b.app.form1.StringGrid1, r));
    EXPECT_EQ(a.app.log.atomicn, b.app.log.atomicn);
    EXPECT_EQ(a.app.log.b, b.app.log.b);
}

TEST(Orientation, HeaderMustBeExactAfterTrimming) {
    EXPECT_TRUE(IsOrientationHeader("   Standard orientation:   \t"));
    EXPECT_TRUE(IsOrientationHeader("Input orientation:"));
    EXPECT_FALSE(IsOrientationHeader(" Standard orientation: (Angstroms)"));
    EXPECT_FALSE(IsOrientationHeader(" standard orientation:"));
    EXPECT_TRUE(IsOrientationHeader(" Z-Matrix orientation:"));  // a Z-matrix input run without symmetry

    TestApp t;
    auto path = t.write("h.log", Block(kStd, {"      1          6           0        1.000000    2.000000    3.000000"}) +
                                     Block(" Standard orientation: of the dimer", {"      1          1           0        9.000000    9.000000    9.000000"}));
    Open(t, path);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 1), "C1");
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(1, 1), "1.000000");
}

// The file read is not loaded: the main table and the record keep the earlier file.
TEST(Orientation, NoBlockGivesTheMessageAndChangesNothing) {
    TestApp t;
    t.app.log.pick_energy_check = true;
    t.app.log.ndata = 7;
    t.app.form1.StringGrid1.SetCell(0, 0, "keep");
    auto path = t.write("none.log", "line one\n Stoichiometry    H2O\nline three\n");
    t.platform.AnswerOpen(path);
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.GetLastStdOrient1Click(); }));
    EXPECT_TRUE(t.app.Failed());
    ASSERT_EQ(t.platform.MessageTexts(),
              std::vector<std::string>{"There seems no line involving \"Standard orientation:\" !"});
    EXPECT_EQ(t.app.log.FileDum, "");
    EXPECT_EQ(t.app.log.nline, 0);
    EXPECT_TRUE(t.app.log.pick_energy_check);
    EXPECT_EQ(t.app.log.ndata, 7);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 0), "keep");
}

TEST(Orientation, CancelChangesNothing) {
    TestApp t;
    t.app.log.FileDum = "before.log";
    t.app.form1.GetLastStdOrient1Click();  // no answer queued: the dialog is cancelled
    EXPECT_EQ(t.app.log.FileDum, "before.log");
    EXPECT_TRUE(t.platform.messages.empty());
}

TEST(Orientation, BlockCutOffByTheEndOfTheFileIsDropped) {
    TestApp t;
    std::string good = Block(kInp, {"      1          8           0        0.100000    0.200000    0.300000"});
    // The last block never reaches its closing rule.
    std::string cut = std::string(kStd) + "\n" + kRule + "\n titles\n titles\n" + kRule + "\n" +
                      "      1          1           0        5.000000    5.000000    5.000000\n";
    auto path = t.write("cut.log", good + cut);
    auto search = FindLastOrientation(path);
    ASSERT_TRUE(search.last);
    EXPECT_EQ(search.last->header, 1);
    EXPECT_EQ(search.cutOffHeader, 8);

    Open(t, path);
    EXPECT_FALSE(t.app.Failed());
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 1), "O1");
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_NE(t.platform.messages[0].text.find("line 8 is cut off by the end of the file"), std::string::npos);

    // Only a cut-off block (here ending inside the column titles): nothing is half-read.
    TestApp u;
    auto only = u.write("only.log", std::string(kStd) + "\n" + kRule + "\n titles\n");
    Open(u, only);
    EXPECT_TRUE(u.app.Failed());
    EXPECT_EQ(u.platform.MessageTexts().back(), "There seems no line involving \"Standard orientation:\" !");
    EXPECT_EQ(u.app.log.ndata, 0);
}

TEST(Orientation, FirstAtomLineIsNeverTakenForTheClosingRule) {
    TestApp t;
    // An empty table: the rule in the first atom position is skipped, so the block runs on
    // to the next rule and its lines are read as atoms.
    std::string text = std::string(kStd) + "\n" + kRule + "\n t\n t\n" + kRule + "\n" + kRule + "\n" +
                       "      1          6           0        1.000000    1.000000    1.000000\n" + kRule + "\n";
    auto path = t.write("empty.log", text);
    auto block = FindLastOrientation(path).last;
    ASSERT_TRUE(block);
    EXPECT_EQ(block->first, 6);
    EXPECT_EQ(block->last, 7);
    // The rule read as an atom line is not a number: the conversion error names the line.
    t.app.form1.StringGrid1.SetCell(0, 0, "keep");
    t.platform.AnswerOpen(path);
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.GetLastStdOrient1Click(); }));
    ASSERT_FALSE(t.platform.messages.empty());
    EXPECT_NE(t.platform.messages.back().text.find("Line 6 of"), std::string::npos);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 0), "keep");
}

TEST(Orientation, BadAtomLinesRaiseConversionErrors) {
    EXPECT_THROW(ParseAtomLine("      1          6           0        1.000000    abc    1.0"), core::ConversionError);
    EXPECT_THROW(ParseAtomLine("      1          6"), core::ConversionError);  // no stale tokens used
    EXPECT_THROW(ParseAtomLine("      1        six           0        1.0    1.0    1.0"), core::ConversionError);
}

TEST(Orientation, GhostAndUnknownCentresAreLabelledBq) {
    EXPECT_EQ(AtomLabel(6, 1), "C1");
    EXPECT_EQ(AtomLabel(118, 12), "Og12");
    EXPECT_EQ(AtomLabel(0, 2), "Bq2");
    EXPECT_EQ(AtomLabel(-1, 3), "Bq3");
    EXPECT_EQ(AtomLabel(119, 4), "Bq4");

    TestApp t;
    auto path = t.write("ghost.log", Block(kStd, {"      1          8           0        0.000000    0.000000    0.100000",
                                                  "      2          0           0        0.000000    0.000000    2.000000"}));
    Open(t, path);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 2), "Bq2");
    EXPECT_EQ(t.app.log.atomicn[2], 0);
}

TEST(Orientation, BlockAtAGivenHeader) {
    auto log = TestApp::data("orientation/water_opt_sym.log");
    auto block = BlockAtHeader(log, 37);  // the first standard orientation
    ASSERT_TRUE(block);
    EXPECT_EQ(block->first, 42);
    EXPECT_EQ(block->last, 44);
    EXPECT_FALSE(BlockAtHeader(log, 100000));
    EXPECT_FALSE(BlockAtHeader(log, 0));
    TestApp t;
    auto cut = t.write("cut.log", std::string(kStd) + "\n" + kRule + "\n t\n t\n" + kRule + "\n  1  6  0  1.0 1.0 1.0\n");
    EXPECT_FALSE(BlockAtHeader(cut, 1));
}

TEST(LabelledCartesian, LineLayout) {
    EXPECT_EQ(LabelledCartesianLine("C1", -1.23456, 0.0, 12.3), "C1   -1.23456    0.00000   12.30000");
    EXPECT_EQ(LabelledCartesianLine("H12", 0.5, -10.25, 123456.789), "H12    0.50000  -10.25000 123456.78900");
    // A negative value that rounds to zero loses its sign; a small one that does not keeps it.
    EXPECT_EQ(LabelledCartesianLine("O1", -0.0, -0.000001, -0.00001), "O1    0.00000    0.00000   -0.00001");
}

TEST(LabelledCartesian, SaveWritesTheGridUnderTheProposedName) {
    TestApp t;
    auto log = t.write("run.out", "");
    std::filesystem::copy_file(TestApp::data("orientation/water_opt_sym.log"), log,
                               std::filesystem::copy_options::overwrite_existing);
    Open(t, log);
    t.app.log.dirinfo = "elsewhere";
    auto target = (t.dir / "sub_chosen.abc").string();
    t.platform.AnswerSave(target);
    t.app.form1.SaveABCwithLabels1Click();
    ASSERT_EQ(t.platform.saveRequests.size(), 1u);
    EXPECT_EQ(t.platform.saveRequests[0].fileName, (t.dir / "run.abc").string());
    EXPECT_EQ(t.app.log.dirinfo, t.dir.path().string());  // the folder of the source file
    EXPECT_EQ(ReadFile(target),
              "O1    0.00000    0.00000    0.00000\r\n"
              "H2    0.75911    0.00000    0.59175\r\n"
              "H3   -0.75911    0.00000    0.59175\r\n");

    // A one-letter extension goes whole; the name itself is kept.
    t.app.log.FileDum = (t.dir / "run.x").string();
    t.platform.AnswerSave(std::nullopt);
    t.app.form1.SaveABCwithLabels1Click();
    EXPECT_EQ(t.platform.saveRequests.back().fileName, (t.dir / "run.abc").string());
}

TEST(LabelledCartesian, SaveRefusesGridsWithoutCoordinates) {
    TestApp t;
    auto& g = t.app.form1.StringGrid1;
    // Nothing read yet: nothing happens at all.
    t.app.form1.SaveABCwithLabels1Click();
    EXPECT_TRUE(t.platform.saveRequests.empty());
    EXPECT_TRUE(t.platform.messages.empty());

    // The SCF-step table of a log scan is not written as atoms.
    t.app.log.ndone = 2;
    t.app.log.ndata = 2;
    g.SetCell(0, 0, "Cycle");
    g.SetCell(1, 1, "-76.4");
    g.SetCell(2, 1, "55");
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.SaveABCwithLabels1Click(); }));
    EXPECT_TRUE(t.platform.saveRequests.empty());
    EXPECT_EQ(t.platform.messages.size(), 1u);

    // A coordinate cell that is not a number stops the save and leaves no file.
    g.SetCell(0, 0, "Label");
    g.SetCell(1, 2, "x");
    auto target = (t.dir / "bad.abc").string();
    t.platform.AnswerSave(target);
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.SaveABCwithLabels1Click(); }));
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST(OrientationBatch, GeometryCommandWritesTheLabelledFile) {
    TempDir dir;
    auto log = (dir / "water.log").string();
    std::filesystem::copy_file(TestApp::data("orientation/water_opt_sym.log"), log);
    std::string out, err;
    ASSERT_EQ(RunCli({"geometry", log}, out, err), 0) << err;
    auto text = ReadFile(dir / "water.abc");
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "O1    0.00000    0.00000    0.00000");

    auto chosen = (dir / "other.abc").string();
    ASSERT_EQ(RunCli({"geometry", log, "-o", chosen}, out, err), 0) << err;
    EXPECT_EQ(ReadFile(chosen), text);

    auto none = (dir / "none.log").string();
    testing_support::WriteFile(none, "no orientation here\n");
    EXPECT_EQ(RunCli({"geometry", none}, out, err), 1);
    EXPECT_NE(err.find("There seems no line involving"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.abc"));
    EXPECT_EQ(RunCli({"geometry"}, out, err), 2);
}

// The search counts the lines on its way: the count must be the line count's for every
// line ending, and the marks it takes must bring the atom reader to the same atoms.
TEST(Orientation, SearchCountsLinesAsTheLineCountDoesForEveryEnding) {
    TempDir dir;
    const std::string lf = ReadFile(TestApp::data("orientation/water_opt_sym.log"));
    auto ending = [&](const std::string& end, bool last) {
        std::string s;
        for (size_t at = 0, nl; at < lf.size(); at = nl + 1) {
            nl = lf.find('\n', at);
            s += lf.substr(at, nl - at);
            if (nl + 1 < lf.size() || last) s += end;
        }
        return s;
    };
    const std::pair<const char*, std::string> variants[] = {
        {"lf", lf}, {"crlf", ending("\r\n", true)}, {"cr", ending("\r", true)}, {"unended", ending("\n", false)}};
    for (const auto& [name, text] : variants) {
        const auto path = dir / name;
        testing_support::WriteFile(path.string(), text);
        core::LineMarks marks;
        const auto search = FindLastOrientation(path, &marks);
        EXPECT_EQ(search.lines, core::CountLines(path)) << name;
        ASSERT_TRUE(search.last) << name;
        EXPECT_EQ(search.last->header, 224) << name;
        const auto atoms = mavrolin::geometry::ReadOrientationAtoms(path, *search.last, &marks);
        ASSERT_EQ(atoms.size(), 3u) << name;
        EXPECT_EQ(atoms[2].x, "-0.759106") << name;
    }
}

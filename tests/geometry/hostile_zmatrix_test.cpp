// Z-matrix readers and writers on inputs that used to give files Gaussian cannot read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TempDir;
using testing_support::TestApp;
using testing_support::WriteFile;

namespace {

// A Gaussian input with the given molecule section (and what follows it).
std::string Input(const std::string& molecule) {
    return "# opt b3lyp/6-31g(d)\r\n\r\nFormaldehyde\r\n\r\n0 1\r\n" + molecule + "\r\n\r\n";
}

std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

// The Z-matrix log fixture with lines replaced (1-based line numbers), and cut after
// line `keep` when it is non-zero.
std::string LogVariant(const TempDir& d, const std::vector<std::pair<size_t, std::string>>& edits, size_t keep = 0) {
    auto lines = Lines(TestApp::data("geometry/nh3_zmat_opt.log"));
    for (const auto& [n, text] : edits) lines[n - 1] = text;
    if (keep) lines.resize(keep);
    std::string text;
    for (const auto& l : lines) text += l + "\n";
    auto path = (d / "variant.log").string();
    WriteFile(path, text);
    return path;
}

}  // namespace

TEST(ConvertZmatrixInput, SeparatorsAndAngleFlag) {
    TempDir d;
    struct Case {
        const char* name;
        std::string molecule;
        std::vector<std::string> expected;  // pieces of the written file
        const char* absent = "=\r\n";      // an empty value
    } cases[] = {
        {"tabs and commas", "C\r\nO\t1\t1.205\r\nH,1,1.101,2,121.9\r\nH, 1, 1.101, 2, 121.9, 3, 180.0, 0",
         {"R2=1.205\r\n", "A3=121.9\r\n", "D4=180.0\r\n"}},
        {"angle-mode flag", "C\r\nO 1 1.205\r\nH 1 1.101 2 121.9\r\nH 1 1.101 2 121.9 3 118.2 1",
         {"     AA4     1\r\n", "AA4=118.2\r\n"},
         "D4"},
        {"variables by name", "C\r\nO 1 rco\r\nH 1 rch 2 a\r\nH 1 rch 2 a 3 -d\r\n\r\nrco=1.205\r\nrch 1.101\r\na=121.9\r\nd=180.",
         {"R2=1.205\r\n", "R3=1.101\r\n", "D4=-180.\r\n"}},
    };
    for (const auto& c : cases) {
        WriteFile(d / "in.gjf", Input(c.molecule));
        std::string out, err;
        ASSERT_EQ(RunCli({"convert-zmatrix", (d / "in.gjf").string(), "-o", (d / "out.com").string()}, out, err), 0)
            << c.name << err;
        auto written = ReadFile(d / "out.com");
        for (const auto& piece : c.expected) EXPECT_NE(written.find(piece), std::string::npos) << c.name << written;
        EXPECT_EQ(written.find("=\r\n"), std::string::npos) << c.name << written;
        EXPECT_EQ(written.find(c.absent), std::string::npos) << c.name << written;
    }
}

TEST(ConvertZmatrixInput, BrokenLinesAreRefusedByNumber) {
    TempDir d;
    const std::pair<std::string, std::string> cases[] = {
        {"C 0.0 0.0 0.0\r\nO 0.0 0.0 1.2", "Line 6: the molecule is given in Cartesian coordinates"},
        {"C\r\nO 1", "Line 7: a line for atom 2 needs 3 fields, not 2"},
        {"C\r\nO 0 1.2", "Line 7: the reference atom 0 is not one of the atoms above it"},
        {"C\r\nO X 1.2", "Line 7: the reference atom X is not one"},
        {"C\r\nO 2147483648 1.2", "Line 7: the reference atom 2147483648 is not one"},
        {"C\r\nO 1 1.2\r\nH 1 1.1 1 120", "Line 8: the reference atom 1 is named twice"},
        {"C\r\nO 1 1.2\r\nH 1 1.1 2 120\r\nH 1 1.1 2 120 3 180 7", "Line 9: the last field (7) must be 0, 1 or -1"},
        {"C\r\nO 1 r\r\n\r\nr=abc", "Line 7: the value of r (abc) is not a number"},
        {"C\r\nO 1 r\r\n\r\nr=r", "Line 7: the variable r is defined by itself"},
    };
    for (const auto& [molecule, says] : cases) {
        WriteFile(d / "in.gjf", Input(molecule));
        WriteFile(d / "good.com", "good\r\n");
        std::string out, err;
        EXPECT_EQ(RunCli({"convert-zmatrix", (d / "in.gjf").string(), "-o", (d / "good.com").string()}, out, err), 1)
            << molecule;
        EXPECT_NE(err.find(says), std::string::npos) << molecule << "\n" << err;
        EXPECT_EQ(ReadFile(d / "good.com"), "good\r\n") << molecule;
    }
}

TEST(ZmatrixFromLog, OldVariablesSectionsMultiplicityAndCutTables) {
    TempDir d;
    std::string out, err;
    // An older version follows the variables with text and no empty line.
    auto old = LogVariant(d, {{18, " Leave Link  101 at Tue"}, {19, " (Enter /g98/l103.exe)"}});
    ASSERT_EQ(RunCli({"zmatrix", old, "--constrained", "-o", (d / "c.com").string()}, out, err), 0) << err;
    auto constrained = ReadFile(d / "c.com");
    EXPECT_NE(constrained.find("D1="), std::string::npos) << constrained;
    EXPECT_EQ(constrained.find("Leave"), std::string::npos) << constrained;
    EXPECT_EQ(constrained.find("Enter"), std::string::npos) << constrained;

    // A multiplicity of 10 or more leaves no blank after its "=".
    auto high = LogVariant(d, {{9, " Charge = -3 Multiplicity =10"}});
    ASSERT_EQ(RunCli({"zmatrix", high, "--free", "-o", (d / "f.com").string()}, out, err), 0) << err;
    EXPECT_EQ(ReadFile(d / "f.com").substr(0, 14), "    -3    10\r\n");

    // Cut right after the last table's title: the table, not the title, is missing.
    auto cut = LogVariant(d, {}, 39);
    EXPECT_EQ(RunCli({"zmatrix", cut, "--free", "-o", (d / "cut.com").string()}, out, err), 1);
    EXPECT_NE(err.find("is cut off by the end of the file"), std::string::npos) << err;
    EXPECT_EQ(err.find("There seems no line involving"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(d / "cut.com"));
}

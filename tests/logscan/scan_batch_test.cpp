// The batch commands index and scf drive the same handlers as the menu.
#include <gtest/gtest.h>

#include "scan_test_support.h"

namespace {

using namespace scan_test;
using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TestApp;

TEST(ScanBatch, IndexWritesTheReportGrid) {
    std::string out, err;
    ASSERT_EQ(RunCli({"index", Fixture("water_opt_freq.log")}, out, err), 0) << err;
    auto first = out.substr(0, out.find('\n'));
    if (!first.empty() && first.back() == '\r') first.pop_back();
    EXPECT_EQ(first, "Remark\tLine Nmbr\tKeyword\tContents\tMessage");
    EXPECT_NE(out.find("Excluded\t"), std::string::npos);
    EXPECT_NE(out.find("\tSCF Done: #3\tE(RB3LYP) =  -75.313467893     A.U. after    9 cycles\t"), std::string::npos);
    EXPECT_NE(err.find("2 normal termination flag(s) found!\n"), std::string::npos);

    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_opt_freq.log")));
    const int rows = t.app.form3.StringGrid1.RowCount();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), rows);
}

TEST(ScanBatch, ScfMatchesWhatSaveWrites) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_odd_values.log")));
    auto saved = (t.dir / "saved.txt").string();
    t.platform.AnswerSave(saved);
    t.app.form1.Save1Click();

    std::string out, err;
    ASSERT_EQ(RunCli({"scf", Fixture("water_odd_values.log")}, out, err), 0) << err;
    EXPECT_EQ(out, ReadFile(saved));
    auto file = (t.dir / "scf.txt").string();
    ASSERT_EQ(RunCli({"scf", Fixture("water_odd_values.log"), "-o", file}, out, err), 0);
    EXPECT_EQ(ReadFile(file), ReadFile(saved));
}

TEST(ScanBatch, FailedScansExitWithOne) {
    TestApp t;
    std::string out, err;
    EXPECT_EQ(RunCli({"index", t.write("short.log", " Entering Gaussian System, Link 0=g16\n")}, out, err), 1);
    EXPECT_NE(err.find("This LOG file seems too short to make analysis!"), std::string::npos);
    auto bad = Variant(t, "water_sp.log", "bad.log", [](std::vector<std::string>& l) {
        l[Find(l, "SCF Done:")] = " SCF Done:  E(RHF) =  -7x.9     A.U. after    9 cycles";
    });
    EXPECT_EQ(RunCli({"scf", bad}, out, err), 1);
    auto lines = Lines(Fixture("water_sp.log"));
    const std::string where = "Line " + std::to_string(Find(lines, "SCF Done:") + 1) + ": '-7x.9'";
    EXPECT_NE(err.find(where), std::string::npos) << err;
    EXPECT_EQ(RunCli({"index", (t.dir / "missing.log").string()}, out, err), 1);
}

}  // namespace

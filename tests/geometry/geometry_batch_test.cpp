#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TempDir;
using testing_support::TestApp;
using testing_support::WriteFile;

namespace {

// Copies a fixture into a temporary folder so default output names land there.
std::string Copy(const TempDir& dir, const std::string& name) {
    auto dest = dir / name;
    std::filesystem::copy_file(TestApp::data("geometry/" + name), dest);
    return dest.string();
}

}  // namespace

TEST(GeometryBatch, ZmatrixWritesWhatTheWindowWrites) {
    TempDir dir;
    auto log = Copy(dir, "nh3_zmat_opt.log");
    std::string out, err;
    ASSERT_EQ(RunCli({"zmatrix", log, "--constrained"}, out, err), 0) << err;
    auto batch = ReadFile(dir / "nh3_zmat_opt_const_zmat.com");

    TestApp t;
    t.platform.AnswerOpen(log);
    t.app.form1.GetLastZmatrix1Click();
    t.platform.AnswerSave((t.dir / "w.com").string());
    t.app.form1.SaveZmatinConstrained1Click();
    EXPECT_EQ(batch, ReadFile(t.dir / "w.com"));

    ASSERT_EQ(RunCli({"zmatrix", log, "--free", "-o", (dir / "free.com").string()}, out, err), 0) << err;
    EXPECT_NE(ReadFile(dir / "free.com").find("D4=-126.380\r\n"), std::string::npos);
}

TEST(GeometryBatch, ZmatrixArgumentsAndRefusals) {
    TempDir dir;
    auto log = Copy(dir, "nh3_zmat_opt.log");
    std::string out, err;
    EXPECT_EQ(RunCli({"zmatrix", log}, out, err), 2);
    EXPECT_EQ(RunCli({"zmatrix", log, "--free", "--constrained"}, out, err), 2);
    // A job given in Cartesian coordinates has no Z-matrix: it fails, says why and
    // writes nothing.
    auto scan = Copy(dir, "water_scan_relaxed.log");
    EXPECT_EQ(RunCli({"zmatrix", scan, "--free"}, out, err), 1);
    EXPECT_NE(err.find("was given in Cartesian coordinates"), std::string::npos) << err;
    EXPECT_EQ(err.find("cut off"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(dir / "water_scan_relaxed_free_zmat.com"));
    EXPECT_EQ(RunCli({"zmatrix", (dir / "absent.log").string(), "--free"}, out, err), 1);
}

TEST(GeometryBatch, ConvertZmatrixDefaultNameAndRefusal) {
    TempDir dir;
    auto input = Copy(dir, "h2co_numerical.gjf");
    std::string out, err;
    ASSERT_EQ(RunCli({"convert-zmatrix", input}, out, err), 0) << err;
    auto text = ReadFile(dir / "h2co_numerical_zmat.com");
    EXPECT_EQ(text.rfind("C\r\nO     1     R2\r\n", 0), 0u);

    auto route = (dir / "route.gjf").string();
    WriteFile(route, "#p b3lyp/sto-3g geom=allcheck\n");
    EXPECT_EQ(RunCli({"convert-zmatrix", route, "-o", (dir / "r.com").string()}, out, err), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "r.com"));
}

TEST(GeometryBatch, CoordsWritesTheLabelledCartesianFile) {
    TempDir dir;
    auto pdb = Copy(dir, "spartan.pdb");
    std::string out, err;
    ASSERT_EQ(RunCli({"coords", "--pdb", pdb}, out, err), 0) << err;
    EXPECT_EQ(ReadFile(dir / "spartan.abc"),
              "C1   -0.04600    0.66300    0.00000\r\nO2   -0.04600   -0.75400    0.00000\r\n"
              "Cl3    1.65000    1.25000    0.00000\r\n");
    auto ent = Copy(dir, "chain.ent");
    ASSERT_EQ(RunCli({"coords", "--ent", ent, "-o", (dir / "lig.abc").string()}, out, err), 0) << err;
    EXPECT_EQ(ReadFile(dir / "lig.abc").substr(0, 37), "C1   11.10400   13.20700    2.10300\r\n");
    auto xyz = Copy(dir, "methane.txt");
    ASSERT_EQ(RunCli({"coords", "--xyz", xyz}, out, err), 0) << err;
    EXPECT_NE(ReadFile(dir / "methane.abc").find("H5   -0.36300   -0.51400   -0.89000\r\n"), std::string::npos);

    EXPECT_EQ(RunCli({"coords", pdb}, out, err), 2);
    auto last = (dir / "last.pdb").string();
    WriteFile(last, "HETATM    1  C1  UNK     1      -0.046   0.663   0.000\n");
    EXPECT_EQ(RunCli({"coords", "--pdb", last}, out, err), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "last.abc"));
}

TEST(GeometryBatch, ScanWritesTheEnergyTable) {
    TempDir dir;
    auto log = Copy(dir, "water_scan_relaxed.log");
    std::string out, err;
    ASSERT_EQ(RunCli({"scan", log}, out, err), 0) << err;
    EXPECT_EQ(ReadFile(dir / "water_scan_relaxed.energy"),
              "1     -76.4091250017          \r\n2     -76.4083117702          \r\n"
              "3     -76.4069950185          \r\n4     -76.405033882          \r\n");
    // A log without scan points fails and writes nothing.
    auto none = (dir / "single.log").string();
    WriteFile(none, " SCF Done:  E(RHF) =  -1.0     A.U. after    3 cycles\n");
    EXPECT_EQ(RunCli({"scan", none, "-o", (dir / "none.energy").string()}, out, err), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.energy"));
}

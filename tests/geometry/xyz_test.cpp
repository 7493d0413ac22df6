// Standard XYZ files: written from the final orientation (desktop and batch alike), read
// back by "coords --xyz" to the same coordinates, and refused line by line when damaged.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "geometry/xyz_file.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TempDir;
using testing_support::TestApp;
using testing_support::WriteFile;

namespace {

const char* kExpected =
    "3\r\n"
    "water_opt_sym.log  SCF energy -76.389730000 hartree\r\n"
    "O       0.00000000     0.00000000     0.00000000\r\n"
    "H       0.75910600     0.00000000     0.59174600\r\n"
    "H      -0.75910600     0.00000000     0.59174600\r\n";

}  // namespace

TEST(Xyz, WrittenFromTheFinalOrientationAndReadBack) {
    TempDir d;
    const auto log = d / "water_opt_sym.log";
    std::filesystem::copy_file(TestApp::data("orientation/water_opt_sym.log"), log);
    std::string out, err;
    ASSERT_EQ(RunCli({"geometry", log.string(), "--xyz"}, out, err), 0) << err;
    EXPECT_EQ(ReadFile(d / "water_opt_sym.xyz"), kExpected);  // the default name: LOG stem + .xyz

    // The menu item writes the same file.
    TestApp t;
    t.platform.AnswerOpen(log.string());
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.GetLastStdOrient1Click(); }));
    t.platform.AnswerSave((t.dir / "menu.xyz").string());
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.SaveXYZ1Click(); }));
    EXPECT_EQ(t.platform.saveRequests.back().fileName, (d / "water_opt_sym.xyz").string());
    EXPECT_EQ(ReadFile(t.dir / "menu.xyz"), kExpected);

    // Read back: the same coordinates as the orientation block, labels element + row.
    ASSERT_EQ(RunCli({"coords", "--xyz", (d / "water_opt_sym.xyz").string(), "-o", (d / "back.abc").string()}, out,
                     err),
              0)
        << err;
    EXPECT_EQ(ReadFile(d / "back.abc"),
              "O1    0.00000    0.00000    0.00000\r\n"
              "H2    0.75911    0.00000    0.59175\r\n"
              "H3   -0.75911    0.00000    0.59175\r\n");
    const auto molecule = mavrolin::geometry::ReadXyz(d / "water_opt_sym.xyz");
    ASSERT_EQ(molecule.atoms.size(), 3u);
    EXPECT_DOUBLE_EQ(molecule.atoms[1].x, 0.759106);
    EXPECT_DOUBLE_EQ(molecule.atoms[2].z, 0.591746);
}

TEST(Xyz, DamagedFilesAreRefusedNamingTheLine) {
    TempDir d;
    const struct {
        const char* name;
        const char* text;
        const char* says;
    } cases[] = {
        {"zero count", "0\nempty\n", "Line 1: '0' is not an atom count"},
        {"no comment", "2\n", "Line 2: the comment line is missing"},
        {"too few atoms", "3\nwater\nO 0 0 0\nH 0.76 0 0.59\n", "Line 5: the file ends after 2 of the 3 atoms"},
        {"too many atoms", "1\nwater\nO 0 0 0\nH 0.76 0 0.59\n", "Line 4: more atom lines than the 1"},
        {"short line", "2\nwater\nO 0 0 0\nH 0.76 0\n", "Line 4: an atom line needs an element and three coordinates"},
        {"bad element", "2\nwater\nO 0 0 0\nQq 1 1 1\n", "Line 4: 'Qq' is not an element symbol."},
        {"bad number", "1\nwater\nO 0 zero 0\n", "Line 3: 'zero' is not a coordinate in angstrom."},
        {"huge number", "1\nwater\nO 0 1e300 0\n", "Line 3: '1e300' is not a coordinate in angstrom."},
    };
    for (const auto& c : cases) {
        WriteFile(d / "in.xyz", c.text);
        WriteFile(d / "out.abc", "kept\r\n");
        std::string out, err;
        EXPECT_EQ(RunCli({"coords", "--xyz", (d / "in.xyz").string(), "-o", (d / "out.abc").string()}, out, err), 1)
            << c.name;
        EXPECT_NE(err.find(c.says), std::string::npos) << c.name << ": " << err;
        EXPECT_EQ(ReadFile(d / "out.abc"), "kept\r\n") << c.name;
    }
    // Atomic numbers, lower-case symbols and extra columns are standard too.
    WriteFile(d / "in.xyz", "2\n\n8 0 0 0 extra\ncl 1.5 0 0\n");
    const auto molecule = mavrolin::geometry::ReadXyz(d / "in.xyz");
    EXPECT_EQ(molecule.atoms[0].atomicNumber, 8);
    EXPECT_EQ(molecule.atoms[1].atomicNumber, 17);
}

// After a scan the main table holds SCF steps, not atoms: "Save as XYZ…" refuses.
TEST(Xyz, RefusedWithoutACoordinateTable) {
    TestApp t;
    t.platform.AnswerOpen(TestApp::data("logscan/water_opt_freq.log"));
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); }));
    t.platform.AnswerSave((t.dir / "x.xyz").string());
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form1.SaveXYZ1Click(); }));
    EXPECT_NE(t.platform.MessageTexts().back().find("holds no Cartesian coordinates"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(t.dir / "x.xyz"));
}

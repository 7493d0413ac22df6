// Molden files: structure and normal modes from frequency logs (standard and high-precision
// listings), basis and orbitals from a GFPrint listing with Pop=Full coefficients, the
// refusals; Open Babel, when it is installed, reads the atoms back.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/obabel.h"
#include "support/test_app.h"

using namespace testing_support;

namespace {

// The lines of each section, by its title ("[FREQ]", "[Atoms] Angs" ...).
std::map<std::string, std::vector<std::string>> Sections(const std::filesystem::path& file) {
    std::map<std::string, std::vector<std::string>> out;
    std::istringstream in(ReadFile(file));
    std::string line, open;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') open = line;
        else out[open].push_back(line);
    }
    return out;
}

std::vector<double> Numbers(const std::string& line) {
    std::istringstream in(line);
    std::vector<double> v;
    for (std::string w; in >> w;)
        if (double d = 0; std::istringstream(w) >> d) v.push_back(d);
    return v;
}

// Water in STO-3G as GFPrint lists it: O s, O sp, H s, H s (seven functions).
std::string GfprintListing(const std::string& hShell = "S   3     bf    6 -     6") {
    const std::string prim = "      0.1307093214D+03  0.1543289673D+00\n      0.2380886605D+02  0.5353281423D+00\n"
                             "      0.6443608313D+01  0.4446345422D+00\n";
    return " AO basis set (Overlap normalization):\n"
           " Atom O1       Shell     1 S   3     bf    1 -     1          0.0  0.0  0.2\n" + prim +
           " Atom O1       Shell     2 SP  3     bf    2 -     5          0.0  0.0  0.2\n"
           "      0.5033151319D+01 -0.9996722919D-01  0.1559162750D+00\n"
           "      0.1169596125D+01  0.3995128261D+00  0.6076837186D+00\n"
           "      0.3803889600D+00  0.7001154689D+00  0.3919573931D+00\n"
           " Atom H2       Shell     3 " + hShell + "          0.0  1.4 -0.9\n" + prim +
           " Atom H3       Shell     4 S   3     bf    7 -     7          0.0 -1.4 -0.9\n" + prim +
           "     7 basis functions,    21 primitive gaussians,     7 cartesian basis functions\n";
}

std::string WaterOrientation() {
    const std::string rule = " ---------------------------------------------------------------------\n";
    return "                         Standard orientation:\n" + rule + " Center  Atomic  Atomic  Coordinates (Angstroms)\n" +
           " Number  Number  Type     X           Y           Z\n" + rule +
           "      1          8           0        0.000000    0.000000    0.117300\n"
           "      2          1           0        0.000000    0.757200   -0.469200\n"
           "      3          1           0        0.000000   -0.757200   -0.469200\n" + rule;
}

}  // namespace

TEST(Molden, NormalModesOfBothListings) {
    TempDir d;
    std::string out, err;
    // Standard listing with an imaginary mode and a mode whose IR intensity overflowed.
    ASSERT_EQ(RunCli({"molden", TestApp::data("irraman/h2co_imaginary.log"), "-o", (d / "a.molden").string()}, out, err), 0)
        << err;
    auto s = Sections(d / "a.molden");
    ASSERT_EQ(s["[Atoms] Angs"].size(), 4u);
    ASSERT_EQ(s["[FREQ]"].size(), 5u);  // mode 3 is left out
    EXPECT_DOUBLE_EQ(Numbers(s["[FREQ]"][0])[0], -412.3456);
    EXPECT_DOUBLE_EQ(Numbers(s["[INT]"][1])[0], 11.2345);
    // Mode 1 as printed: atom 1 (0.20 0.30 0.40), atom 2 (-0.20 -0.10 0.00); mode 2 atom 3.
    const auto& norm = s["[FR-NORM-COORD]"];
    ASSERT_EQ(norm.size(), 5u * 5u);
    EXPECT_EQ(Numbers(norm[1]), (std::vector<double>{0.20, 0.30, 0.40}));
    EXPECT_EQ(Numbers(norm[2]), (std::vector<double>{-0.20, -0.10, 0.00}));
    EXPECT_EQ(Numbers(norm[8]), (std::vector<double>{-0.30, -0.20, -0.10}));
    // [FR-COORD] is [Atoms] in bohr; Open Babel, when installed, reads the same atoms.
    const bool babel = HaveObabel() && ObabelToXyz("molden", d / "a.molden", d / "a.xyz");
    std::istringstream back(babel ? ReadFile(d / "a.xyz") : "");
    std::string line;
    for (int k = 0; k < 2; ++k) std::getline(back, line);  // count and comment
    for (size_t i = 0; i < 4; ++i) {
        const auto angs = Numbers(s["[Atoms] Angs"][i]), bohr = Numbers(s["[FR-COORD]"][i]);
        const auto read = babel && std::getline(back, line) ? Numbers(line) : std::vector<double>{};
        EXPECT_TRUE(!babel || read.size() == 3);
        for (size_t c = 0; c < 3; ++c) {
            EXPECT_NEAR(bohr[c] * 0.529177210903, angs[c + 2], 1e-7);
            EXPECT_NEAR(read.size() == 3 ? read[c] : angs[c + 2], angs[c + 2], 5.01e-6);
        }
    }

    // Freq=HPModes: the five-digit listing, one line per coordinate, split over two blocks.
    ASSERT_EQ(RunCli({"molden", TestApp::data("summary/h2co_hpmodes.log"), "-o", (d / "hp.molden").string()}, out, err), 0)
        << err;
    s = Sections(d / "hp.molden");
    ASSERT_EQ(s["[FREQ]"].size(), 6u);
    EXPECT_EQ(Numbers(s["[FR-NORM-COORD]"][2]), (std::vector<double>{-0.2, -0.1, 0.0}));   // mode 1, atom 2
    EXPECT_EQ(Numbers(s["[FR-NORM-COORD]"][8]), (std::vector<double>{-0.3, -0.2, -0.1}));  // mode 2, atom 3
}

TEST(Molden, BasisAndOrbitalsFromGfprintAndPopFull) {
    TempDir d;
    WriteFile(d / "water.log", WaterOrientation() + GfprintListing() + ReadFile(TestApp::data("pdos/closed.log")));
    std::string out, err;
    ASSERT_EQ(RunCli({"molden", (d / "water.log").string(), "-o", (d / "w.molden").string()}, out, err), 0) << err;
    auto s = Sections(d / "w.molden");
    // [GTO]: per atom a header, its shells with their primitives, a blank line.
    const auto& gto = s["[GTO]"];
    ASSERT_EQ(gto.size(), 3u + 4 + 4 * 3 + 3);
    EXPECT_EQ(Numbers(gto[0]), (std::vector<double>{1, 0}));
    EXPECT_EQ(gto[5], " sp   3 1.00");
    EXPECT_EQ(Numbers(gto[6]), (std::vector<double>{5.033151319, -0.09996722919, 0.1559162750}));
    // [MO]: seven orbitals, five doubly occupied; each has one coefficient per function.
    const auto& mo = s["[MO]"];
    ASSERT_EQ(mo.size(), 7u * (3 + 7));
    double electrons = 0;
    for (size_t k = 0; k < 7; ++k) electrons += Numbers(mo[k * 10 + 2])[0];
    EXPECT_DOUBLE_EQ(electrons, 10);
    EXPECT_DOUBLE_EQ(Numbers(mo[0])[0], -20.55432);

    // A shell the file format has no order for, or no basis listing at all: refused, no file left.
    for (const std::string& basis : {GfprintListing("G   3     bf    6 -    20"), std::string()}) {
        WriteFile(d / "r.log", WaterOrientation() + basis + ReadFile(TestApp::data("pdos/closed.log")));
        EXPECT_EQ(RunCli({"molden", (d / "r.log").string(), "-o", (d / "r.molden").string()}, out, err), 1);
        EXPECT_FALSE(std::filesystem::exists(d / "r.molden"));
    }
}

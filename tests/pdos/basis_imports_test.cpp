// AO names from a GFPrint listing and coefficients from a formatted checkpoint file.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/number_text.h"
#include "pdos/basis_imports.h"
#include "pdos_test_support.h"

using namespace mavrolin::pdos;
using pdos_test::Fixture;
using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

std::string Message(const std::function<void()>& f) {
    try {
        f();
    } catch (const core::InputError& e) {
        return e.what();
    }
    return "(no refusal)";
}

const char* kMismatch =
    "Number of basis functions does not match with the current one! Perhaps, a wrong file was selected!";

// A listing of one atom with the given shells (type, number of functions).
std::string Listing(const std::vector<std::pair<std::string, int>>& shells) {
    std::string text = " Title\r\n AO basis set (Overlap normalization):\r\n";
    int bf = 1, n = 1;
    for (const auto& [type, f] : shells) {
        char line[160];
        std::snprintf(line, sizeof line, " Atom C1       Shell %5d %-3s 1     bf %4d - %5d          0.0 0.0 0.0\r\n", n++,
                      type.c_str(), bf, bf + f - 1);
        text += line;
        text += "      0.1000000000D+01  0.1000000000D+01\r\n";
        bf += f;
    }
    return text + "    " + core::IntText(bf - 1) + " basis functions,    30 primitive gaussians\r\n";
}

CoefficientTables Blank(int nbasis, int nmo) {
    CoefficientTables t;
    t.nbasis = nbasis;
    t.nbsuse = t.nalpha = nmo;
    t.alpha = CoefficientGrid(nbasis, nmo);
    return t;
}

}  // namespace

TEST(GfprintImport, LabelsEveryAoFromItsShellAndKeepsTheCoefficients) {
    auto tables = pdos_test::Load(Fixture("closed.log")).tables;
    const auto before = tables.alpha.Cell(3, 4);
    auto listing = ReadGfprintListing(Fixture("gfprint.log"));
    EXPECT_EQ(listing.shells.size(), 4u);
    ASSERT_EQ(listing.notes.size(), 2u);
    EXPECT_EQ(listing.notes[0], "StringCode #1 and #2 ===> 7 ***AND*** basis ===> Succeeded!!");
    EXPECT_EQ(listing.notes[1], "aoline1= 11  aoline2 =26");
    ApplyGfprintLabels(tables, listing);
    const char* labels[] = {"", "O1_S", "O1_SP-S", "O1_SP-PX", "O1_SP-PY", "O1_SP-PZ", "H2_S", "H3_S", "Sum_Squares"};
    for (int r = 0; r <= 8; ++r) EXPECT_EQ(tables.alpha.Cell(0, r), labels[r]) << r;
    EXPECT_EQ(tables.alpha.Cell(3, 4), before);
    EXPECT_EQ(tables.alpha.Cell(1, 0), "1_ao  -20.55432");
}

// Gaussian 03 titles the same listing "AO basis set:".
TEST(GfprintImport, OlderTitleReadsTheSameListing) {
    TestApp t;
    std::string g03 = ReadFile(Fixture("gfprint.log"));
    g03.replace(g03.find("AO basis set (Overlap normalization):"), 37, "AO basis set:");
    EXPECT_EQ(ReadGfprintListing(t.write("g03.log", g03)).shells, ReadGfprintListing(Fixture("gfprint.log")).shells);
}

TEST(GfprintImport, SuffixesByShellSize) {
    struct Case {
        int f;
        std::vector<std::string> suffixes;
    } cases[] = {{1, {""}},
                 {3, {"X", "Y", "Z"}},
                 {4, {"-S", "-PX", "-PY", "-PZ"}},
                 {5, {" 0", "+1", "-1", "+2", "-2"}},
                 {6, {"XX", "YY", "ZZ", "XY", "XZ", "YZ"}},
                 {7, {" 0", "+1", "-1", "+2", "-2", "+3", "-3"}},
                 {2, {"<0>", "<1>"}}};
    for (const auto& c : cases) EXPECT_EQ(FunctionSuffixes(c.f), c.suffixes) << c.f;
    auto fifteen = FunctionSuffixes(15);  // a Cartesian G shell goes on past the tenth
    ASSERT_EQ(fifteen.size(), 15u);
    EXPECT_EQ(fifteen[9], "<9>");
    EXPECT_EQ(fifteen[14], "<14>");
}

TEST(GfprintImport, CartesianFAndLargerShellsAreLabelledOnePerFunction) {
    TestApp t;
    auto tables = Blank(1 + 10 + 15, 2);
    ApplyGfprintLabels(tables, ReadGfprintListing(t.write("f.log", Listing({{"S", 1}, {"F", 10}, {"G", 15}}))));
    EXPECT_EQ(tables.alpha.Cell(0, 1), "C1_S");
    EXPECT_EQ(tables.alpha.Cell(0, 2), "C1_F<0>");
    EXPECT_EQ(tables.alpha.Cell(0, 11), "C1_F<9>");
    EXPECT_EQ(tables.alpha.Cell(0, 26), "C1_G<14>");
}

TEST(GfprintImport, RefusalsLeaveTheLabelsAlone) {
    TestApp t;
    auto regular = pdos_test::Load(Fixture("regular.log")).tables;  // 13 basis functions
    std::string full = Listing({{"S", 1}, {"SP", 4}});
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"other basis", ReadFile(Fixture("gfprint.log")), kMismatch},
        {"no title", " Atom C1 Shell 1 S 3 bf 1 - 1\r\n 5 basis functions,\r\n", "No basis-set listing"},
        {"no end", full.substr(0, full.rfind("    5 basis")), "has no end"},
        {"end right after the title", " AO basis set (Overlap normalization):\r\n There are 5 symmetry adapted basis functions\r\n",
         "Something is wrong! Please check the file content!!"},
    };
    for (const auto& c : cases) {
        auto path = t.write("listing.log", c.text);
        std::string m = Message([&] { ApplyGfprintLabels(regular, ReadGfprintListing(path)); });
        EXPECT_NE(m.find(c.message), std::string::npos) << c.name << ": " << m;
        EXPECT_EQ(regular.alpha.Cell(0, 1), "1_O1S") << c.name;
    }
}

TEST(CheckpointImport, ClosedShellReplacesEnergiesCoefficientsAndSums) {
    auto fromLog = pdos_test::Load(Fixture("closed.log")).tables;
    auto tables = fromLog;
    ImportCheckpoint(tables, Fixture("closed.fchk"));
    EXPECT_EQ(tables.alpha.Cell(1, 0), "1_ao -2.05543200E+01");
    EXPECT_EQ(tables.alpha.Cell(7, 0), "7_av 3.03120000E-01");
    EXPECT_EQ(tables.alpha.Cell(0, 2), "1_O2S");  // labels stay
    for (int mo = 1; mo <= 7; ++mo) {
        for (int ao = 1; ao <= 7; ++ao)
            EXPECT_NEAR(core::ParseDouble(tables.alpha.Cell(mo, ao)), core::ParseDouble(fromLog.alpha.Cell(mo, ao)), 1e-12)
                << mo << "/" << ao;
        EXPECT_NEAR(core::ParseDouble(tables.alpha.Cell(mo, 8)), core::ParseDouble(fromLog.alpha.Cell(mo, 8)), 1e-9);
    }
    EXPECT_NE(tables.alpha.Cell(2, 3), fromLog.alpha.Cell(2, 3));  // the checkpoint's own text
}

TEST(CheckpointImport, OpenShellWithTheOlderSpellingFillsBothTables) {
    auto tables = pdos_test::Load(Fixture("open.log")).tables;
    const auto fromLog = tables;
    ImportCheckpoint(tables, Fixture("open.fchk"));
    EXPECT_EQ(tables.beta.Cell(4, 0), "4_bo -7.30140000E-01");
    EXPECT_EQ(tables.beta.Cell(5, 0), "5_bv -3.00150000E-01");
    for (int mo : {1, 7})
        for (auto g : {&CoefficientTables::alpha, &CoefficientTables::beta})
            EXPECT_NEAR(core::ParseDouble((tables.*g).Cell(mo, 6)), core::ParseDouble((fromLog.*g).Cell(mo, 6)), 1e-12);
    EXPECT_FALSE(tables.beta.Cell(7, 8).empty());
}

TEST(CheckpointImport, RefusalsLeaveTheTablesAsTheyWere) {
    TestApp t;
    const std::string closed = ReadFile(Fixture("closed.fchk"));
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string s = closed;
        s.replace(s.find(from), from.size(), to);
        return s;
    };
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"basis", replaced("I                7\r\nNumber of independent", "I                8\r\nNumber of independent"),
         kMismatch},
        {"line after basis", replaced("Number of independent functions", "Number of dependent functions  "),
         "The line stating the number of independent functions has an error!"},
        {"independent count", replaced("functions            I                7", "functions            I                6"),
         "Number of independent functions does not match"},
        {"ends before coefficients", closed.substr(0, closed.find("Alpha MO coefficients")), "ends before its \"Alpha MO coefficients\""},
        {"short coefficients", closed.substr(0, closed.find("Total SCF")).substr(0, closed.find("Total SCF") - 60),
         "fewer than 49 values"},
    };
    auto tables = pdos_test::Load(Fixture("closed.log")).tables;
    const auto before = tables.alpha.Cell(2, 2);
    for (const auto& c : cases) {
        std::string m = Message([&] { ImportCheckpoint(tables, t.write("x.fchk", c.text)); });
        EXPECT_NE(m.find(c.message), std::string::npos) << c.name << ": " << m;
        EXPECT_EQ(tables.alpha.Cell(2, 2), before) << c.name;
        EXPECT_EQ(tables.alpha.Cell(1, 0), "1_ao  -20.55432") << c.name;
    }
    auto open = pdos_test::Load(Fixture("open.log")).tables;
    EXPECT_NE(Message([&] { ImportCheckpoint(open, Fixture("closed.fchk")); }).find("holds no beta orbitals"),
              std::string::npos);
    CoefficientTables none;
    EXPECT_NE(Message([&] { ImportCheckpoint(none, Fixture("closed.fchk")); }).find("empty"), std::string::npos);
}

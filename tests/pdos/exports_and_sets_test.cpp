// The three coefficient exports, the PDOS set toggles and the BS Names list.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "pdos/coefficient_exports.h"
#include "pdos/pdos_sets.h"
#include "pdos_test_support.h"

using namespace mavrolin::pdos;
using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

// 3 AOs x 2 MOs, coefficients as a log prints them (leading blanks kept).
CoefficientGrid SmallGrid(const std::string& spin) {
    CoefficientGrid g(3, 2);
    g.SetCell(1, 0, "1_" + spin + "o  -0.5");
    g.SetCell(2, 0, "2_" + spin + "v  0.1");
    const char* labels[] = {"1_C1S", "1_C2PX", "2_H1S"};
    const char* cells[3][2] = {{"   0.50000", "  -0.10000"}, {"   0.20000", "   0.30000"}, {"  -0.70000", "   0.90000"}};
    for (int r = 1; r <= 3; ++r) {
        g.SetCell(0, r, labels[r - 1]);
        for (int c = 1; c <= 2; ++c) g.SetCell(c, r, cells[r - 1][c - 1]);
    }
    g.FormSums(kLogSumLabel);
    return g;
}

CoefficientTables Small(bool open) {
    CoefficientTables t;
    t.file = "/data/run.log";
    t.nbasis = 3;
    t.nbsuse = t.nalpha = 2;
    t.alpha = SmallGrid("a");
    if (open) {
        t.nbeta = 2;
        t.beta = SmallGrid("b");
    }
    return t;
}

// Tables of n AOs with labels "L1" ... for the toggle tests.
CoefficientTables Labelled(int n, bool open = false) {
    CoefficientTables t;
    t.nbasis = n;
    t.nbsuse = t.nalpha = 1;
    t.alpha = CoefficientGrid(n, 1);
    if (open) {
        t.nbeta = 1;
        t.beta = CoefficientGrid(n, 1);
    }
    for (int r = 1; r <= n; ++r) {
        t.alpha.SetCell(0, r, "L" + std::to_string(r));
        if (open) t.beta.SetCell(0, r, "L" + std::to_string(r));
    }
    return t;
}

}  // namespace

TEST(CoefficientExports, ThreeLayouts) {
    TestApp t;
    const auto tables = Small(false);
    const std::string frame = "Alpha MO Coefficients\r\n\r\n";
    struct Case {
        CoefficientLayout layout;
        const char* suffix;
        std::string body;
    } cases[] = {
        {CoefficientLayout::LinePerAo, "_AOvsMO.txt",
         "\t1_ao  -0.5\t2_av  0.1\r\n1_C1S\t   0.50000\t  -0.10000\r\n1_C2PX\t   0.20000\t   0.30000\r\n"
         "2_H1S\t  -0.70000\t   0.90000\r\nSquares_Sum\t0.78\t0.91\r\n"},
        {CoefficientLayout::LinePerMo, "_MOvsAO.txt",
         "\t1_C1S\t1_C2PX\t2_H1S\tSquares_Sum\r\n1_ao  -0.5\t   0.50000\t   0.20000\t  -0.70000\t0.78\r\n"
         "2_av  0.1\t  -0.10000\t   0.30000\t   0.90000\t0.91\r\n"},
        {CoefficientLayout::Squares, "_AOxAOvsMO.txt",
         "\t1_ao  -0.5\t2_av  0.1\r\n1_C1S\t0.25\t0.01\r\n1_C2PX\t0.04\t0.09\r\n2_H1S\t0.49\t0.81\r\n"
         "Squares_Sum\t0.78\t0.91\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExportSuffix(c.layout), c.suffix);
        auto path = t.dir / c.suffix;
        WriteCoefficients(path, tables, c.layout);
        EXPECT_EQ(ReadFile(path), frame + c.body) << c.suffix;
    }
}

TEST(CoefficientExports, OpenShellAddsTheBetaTableAndBadCellsLeaveNoFile) {
    TestApp t;
    auto tables = Small(true);
    auto path = t.dir / "open.txt";
    WriteCoefficients(path, tables, CoefficientLayout::LinePerAo);
    const std::string text = ReadFile(path);
    auto beta = text.find("\r\n\r\n\r\nBeta MO Coefficients\r\n\r\n\t1_bo  -0.5");
    EXPECT_NE(beta, std::string::npos) << text;
    EXPECT_TRUE(HasCoefficients(tables));

    tables.alpha.SetCell(2, 2, "  garbage");
    auto bad = t.dir / "bad.txt";
    EXPECT_THROW(WriteCoefficients(bad, tables, CoefficientLayout::Squares), core::ConversionError);
    EXPECT_FALSE(std::filesystem::exists(bad));
    EXPECT_FALSE(HasCoefficients(CoefficientTables{}));
}

TEST(PdosSets, ToggleAddsSortedAndRemoves) {
    auto t = Labelled(12, true);
    PdosSetList sets(10);
    for (int ao : {5, 2, 9, 7}) EXPECT_EQ(ToggleAo(t, sets, ao, 1), "");
    EXPECT_EQ(sets[0], (PdosSet{"2 L2", "5 L5", "7 L7", "9 L9"}));
    EXPECT_EQ(t.alpha.Cell(0, 5), "#1 L5");
    EXPECT_EQ(t.beta.Cell(0, 5), "#1 L5");
    EXPECT_EQ(PdosTableRows(sets), 5);
    EXPECT_EQ(ToggleAo(t, sets, 5, 1), "");
    EXPECT_EQ(sets[0], (PdosSet{"2 L2", "7 L7", "9 L9"}));
    EXPECT_EQ(t.alpha.Cell(0, 5), "L5");
    EXPECT_EQ(t.beta.Cell(0, 5), "L5");

    // An AO of set 2 double-clicked while set 3 is selected leaves set 2 and joins nothing.
    ToggleAo(t, sets, 4, 2);
    EXPECT_EQ(ToggleAo(t, sets, 4, 3), "");
    EXPECT_TRUE(sets[1].empty());
    EXPECT_TRUE(sets[2].empty());
    EXPECT_EQ(t.alpha.Cell(0, 4), "L4");

    // Header and sum rows change nothing.
    EXPECT_EQ(ToggleAo(t, sets, 0, 1), "");
    EXPECT_EQ(ToggleAo(t, sets, 13, 1), "");
    EXPECT_EQ(sets[0].size(), 3u);
}

TEST(PdosSets, ApplyToAllAndInconsistentPrefixes) {
    auto t = Labelled(8);
    PdosSetList sets(10);
    ToggleAo(t, sets, 4, 2);
    EXPECT_TRUE(ToggleRows(t, sets, 3, 6, 1).empty());
    EXPECT_EQ(sets[0], (PdosSet{"3 L3", "5 L5", "6 L6"}));
    EXPECT_TRUE(sets[1].empty());
    EXPECT_EQ(t.alpha.Cell(0, 4), "L4");
    EXPECT_TRUE(ToggleRows(t, sets, 6, 3, 1).empty());  // top below bottom: nothing
    EXPECT_EQ(sets[0].size(), 3u);

    // A prefix naming a set that does not hold the AO (or no longer exists).
    t.alpha.SetCell(0, 7, "#1 L7");
    t.alpha.SetCell(0, 8, "#12 L8");
    EXPECT_EQ(ToggleAo(t, sets, 7, 1), kSomethingWrong);
    EXPECT_EQ(ToggleAo(t, sets, 8, 1), kSomethingWrong);
    EXPECT_EQ(t.alpha.Cell(0, 7), "L7");
    EXPECT_EQ(sets[0].size(), 3u);
}

TEST(PdosSets, SetsInUseLegendAndBsNames) {
    PdosSetList sets(5);
    sets[1] = {"3 L3", "12 L12"};
    sets[3] = {"7 L7"};
    auto used = SetsInUse(sets);
    ASSERT_EQ(used.size(), 2u);
    EXPECT_EQ(used[0].col, 1);  // pdos_col of PDOS-2
    EXPECT_EQ(used[1].col, 3);  // and of PDOS-4
    EXPECT_EQ(used[0].aos, (std::vector<int>{3, 12}));
    EXPECT_NO_THROW(CheckLegendColumns(used, 4));
    EXPECT_THROW(CheckLegendColumns(used, 3), core::InputError);

    auto t = Labelled(13);
    auto names = BsNames(t.alpha, 3);
    for (int r = 0; r <= 7; ++r) EXPECT_EQ(names[static_cast<size_t>(r)], "") << r;
    EXPECT_EQ(names[8], "L1");
    EXPECT_EQ(names[9], "L2");
    EXPECT_EQ(names[10], "L3___here!");
    EXPECT_EQ(names[11], "L4");
    EXPECT_EQ(names[20], "L13");
    EXPECT_EQ(BsNames(t.alpha, 12)[11], "L13");
    EXPECT_EQ(BsNames(t.alpha, 12)[12], "");  // the sum row is not an AO
}

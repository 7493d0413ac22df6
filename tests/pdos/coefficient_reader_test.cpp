// The coefficient tables read from the population output of a log.
#include <gtest/gtest.h>

#include <cmath>

#include "core/number_text.h"
#include "pdos/coefficient_reader.h"
#include "pdos_test_support.h"

using namespace mavrolin::pdos;
using pdos_test::Fixture;
using pdos_test::Lines;
using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

// The coefficient printed for AO `ao` in MO `mo` in a listing of `log`, found by the
// MO-number lines (independent of the reader).
std::string PrintedCoefficient(const std::string& log, int mo, int ao, bool beta = false) {
    auto lines = Lines(ReadFile(log));
    bool inBeta = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("Beta Molecular Orbital") != std::string::npos) inBeta = true;
        if (inBeta != beta || lines[i].size() < 20 || lines[i].find_first_not_of(" 0123456789") != std::string::npos)
            continue;
        for (int col = 0; col < 5; ++col) {
            size_t at = 18 + static_cast<size_t>(col) * 10;
            if (at + 10 > lines[i].size()) break;
            if (std::stoi(lines[i].substr(at, 10)) == mo)
                return lines[i + 2 + static_cast<size_t>(ao)].substr(21 + static_cast<size_t>(col) * 10, 10);
        }
    }
    return "";
}

double SumOfSquares(const CoefficientGrid& g, int mo) {
    double s = 0;
    for (int r = 1; r <= g.nbasis(); ++r) s += std::pow(core::ParseDouble(g.Cell(mo, r)), 2);
    return s;
}

}  // namespace

TEST(CoefficientReader, ClosedShellFillsOneTableWithHeadersLabelsAndSums) {
    const auto log = Fixture("closed.log");
    auto load = pdos_test::Load(log);
    ASSERT_TRUE(load.loaded);
    EXPECT_TRUE(load.messages.empty());
    const auto& t = load.tables;
    EXPECT_EQ(t.file, log);
    EXPECT_EQ(t.nbasis, 7);
    EXPECT_EQ(t.nbsuse, 7);
    EXPECT_FALSE(t.OpenShell());
    EXPECT_EQ(t.beta.Cols(), 0);
    EXPECT_EQ(t.alpha.Cell(1, 0), "1_ao  -20.55432");
    EXPECT_EQ(t.alpha.Cell(6, 0), "6_av  0.21045");
    const char* labels[] = {"", "1_O1S", "1_O2S", "1_O2PX", "1_O2PY", "1_O2PZ", "2_H1S", "3_H1S", "Squares_Sum"};
    for (int r = 0; r <= 8; ++r) EXPECT_EQ(t.alpha.Cell(0, r), labels[r]) << r;
    for (int mo : {1, 5, 6, 7})
        for (int ao : {1, 4, 7}) EXPECT_EQ(t.alpha.Cell(mo, ao), PrintedCoefficient(log, mo, ao)) << mo << "/" << ao;
    for (int mo = 1; mo <= 7; ++mo) EXPECT_EQ(t.alpha.Cell(mo, 8), core::FloatText(SumOfSquares(t.alpha, mo)));
}

TEST(CoefficientReader, OpenShellFillsBothTablesFromTheirOwnListings) {
    const auto log = Fixture("open.log");
    auto load = pdos_test::Load(log);
    ASSERT_TRUE(load.loaded);
    EXPECT_TRUE(load.messages.empty());
    const auto& t = load.tables;
    EXPECT_TRUE(t.OpenShell());
    EXPECT_EQ(t.nalpha, 7);
    EXPECT_EQ(t.nbeta, 7);
    EXPECT_EQ(t.alpha.Cell(5, 0), "5_ao  -0.69005");
    EXPECT_EQ(t.beta.Cell(5, 0), "5_bv  -0.30015");
    EXPECT_EQ(t.beta.Cell(0, 3), "1_O2PX");
    EXPECT_EQ(t.beta.Cell(0, 8), "Squares_Sum");
    for (int mo : {1, 7}) {
        EXPECT_EQ(t.alpha.Cell(mo, 2), PrintedCoefficient(log, mo, 2, false));
        EXPECT_EQ(t.beta.Cell(mo, 2), PrintedCoefficient(log, mo, 2, true));
    }
    EXPECT_NE(t.alpha.Cell(1, 2), t.beta.Cell(1, 2));
    EXPECT_EQ(load.printedAlpha, 7);
    EXPECT_EQ(load.printedBeta, 7);
}

// Gaussian 03 prints the same run with no colon after the alpha title and a full stop
// after the beta one: the same tables.
TEST(CoefficientReader, OlderTitlesLoadTheSameTables) {
    auto g16 = pdos_test::Load(Fixture("open.log")), g03 = pdos_test::Load(Fixture("open_g03.log"));
    ASSERT_EQ(g03.printedBeta, 7);
    for (int mo = 0; mo <= 7; ++mo)
        for (int ao = 0; ao <= 8; ++ao) EXPECT_EQ(g03.tables.beta.Cell(mo, ao), g16.tables.beta.Cell(mo, ao));
}

// The default population output prints orbitals 1-10 of 13; an older version starts at
// orbital 4 and its title has no colon. Columns go where their printed numbers say.
TEST(CoefficientReader, PartialListingsArePlacedByTheirPrintedNumbers) {
    struct Case {
        const char* log;
        int firstPrinted, lastPrinted;
        const char* said;
    } cases[] = {{"regular.log", 1, 10, "10 of the 13 orbitals (orbitals 1-10)"},
                 {"oldstyle.log", 4, 10, "7 of the 13 orbitals (orbitals 4-10)"}};
    const auto reference = Fixture("regular.log");
    for (const auto& c : cases) {
        auto load = pdos_test::Load(Fixture(c.log));
        ASSERT_TRUE(load.loaded) << c.log;
        ASSERT_EQ(load.messages.size(), 1u) << c.log;
        EXPECT_NE(load.messages[0].find(c.said), std::string::npos) << load.messages[0];
        EXPECT_NE(load.messages[0].find("Pop=Full"), std::string::npos);
        const auto& g = load.tables.alpha;
        EXPECT_EQ(g.Cell(0, 10), "2_H1S") << c.log;
        for (int mo = 1; mo <= 13; ++mo) {
            const bool printed = mo >= c.firstPrinted && mo <= c.lastPrinted;
            EXPECT_EQ(g.Cell(mo, 3), printed ? PrintedCoefficient(reference, mo, 3) : "") << c.log << " MO " << mo;
            EXPECT_EQ(g.Cell(mo, 14).empty(), !printed) << c.log << " sum of MO " << mo;
        }
    }
}

// Variants of the closed-shell log: what follows the printing, and how the basis size is stated.
TEST(CoefficientReader, TitleAndBasisSizeVariants) {
    TestApp t;
    const auto original = Lines(ReadFile(Fixture("closed.log")));
    auto edit = [&](auto change) {
        auto lines = original;
        change(lines);
        return t.write("variant.log", pdos_test::Join(lines));
    };
    auto find = [](std::vector<std::string>& lines, const std::string& text) {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(text) != std::string::npos) return i;
        return lines.size();
    };
    struct Case {
        const char* name;
        std::function<void(std::vector<std::string>&)> change;
        bool coefficients;
        const char* message;  // "" for none
    } cases[] = {
        {"no colon", [&](auto& l) { l[find(l, "Coefficients:")] = "     MOLECULAR ORBITAL COEFFICIENTS"; }, true, ""},
        {"basis count only from 'basis functions,'", [&](auto& l) { l.erase(l.begin() + find(l, "NBasis=")); }, true, ""},
        {"numbers after the listing",
         [&](auto& l) { l.insert(l.begin() + find(l, "Density Matrix:"), "                           1         2"); },
         true, ""},
        {"coefficients printed elsewhere",
         [&](auto& l) { l.insert(l.begin() + find(l, "Coefficients:"), " Some other line"); }, false,
         "not printed right after the orbital energies"},
        {"no coefficients at all", [&](auto& l) { l.erase(l.begin() + find(l, "Coefficients:"), l.end()); }, false,
         ""},
        {"a title before the printing only",
         [&](auto& l) {
             l.erase(l.begin() + find(l, "Coefficients:"), l.end());
             l.insert(l.begin() + 1, "     Molecular Orbital Coefficients:");
         },
         false, "not printed right after the orbital energies"},
        {"no basis size",
         [&](auto& l) {
             l.erase(l.begin() + find(l, "NBasis="));
             l.erase(l.begin() + find(l, "basis functions,"));
         },
         false, "states no number of basis functions"},
    };
    for (const auto& c : cases) {
        const auto path = edit(c.change);
        auto load = pdos_test::Load(path);
        // Going straight to the printing with what the scan noted gives the same tables.
        EXPECT_EQ(pdos_test::TableText(pdos_test::LoadNoted(path)), pdos_test::TableText(load)) << c.name;
        ASSERT_TRUE(load.loaded) << c.name;
        EXPECT_EQ(load.tables.alpha.Cell(1, 0), "1_ao  -20.55432") << c.name;
        EXPECT_EQ(!load.tables.alpha.Cell(1, 1).empty(), c.coefficients) << c.name;
        EXPECT_EQ(!load.tables.alpha.Cell(0, 1).empty(), c.coefficients) << c.name;
        if (std::string(c.message).empty()) {
            EXPECT_TRUE(load.messages.empty()) << c.name << ": " << (load.messages.empty() ? "" : load.messages[0]);
        } else {
            ASSERT_EQ(load.messages.size(), 1u) << c.name;
            EXPECT_NE(load.messages[0].find(c.message), std::string::npos) << load.messages[0];
        }
    }
}

TEST(CoefficientReader, DamagedListingStopsWithEmptyColumnsInsteadOfGarbage) {
    TestApp t;
    auto lines = Lines(ReadFile(Fixture("closed.log")));
    // Cut the file inside the second block (orbitals 6 and 7), after its third AO line.
    size_t second = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find("         6         7") != std::string::npos) second = i;
    lines.resize(second + 6);
    auto load = pdos_test::Load(t.write("cut.log", pdos_test::Join(lines)));
    ASSERT_TRUE(load.loaded);
    ASSERT_FALSE(load.messages.empty());
    EXPECT_NE(load.messages[0].find("orbitals 6-7"), std::string::npos) << load.messages[0];
    EXPECT_EQ(load.tables.alpha.Cell(6, 1), "");
    EXPECT_EQ(load.tables.alpha.Cell(7, 8), "");
    EXPECT_FALSE(load.tables.alpha.Cell(5, 8).empty());
}

TEST(CoefficientReader, MoreOrbitalsUsedThanEnergiesPrintedFailsAndKeepsNothing) {
    TestApp t;
    std::string text = ReadFile(Fixture("closed.log"));
    text.replace(text.find("NBsUse=     7"), 13, "NBsUse=     9");
    auto load = pdos_test::Load(t.write("more.log", text));
    EXPECT_FALSE(load.loaded);
    ASSERT_EQ(load.messages.size(), 1u);
    EXPECT_EQ(load.messages[0], "Extraction of MO coefficients failed due to an unexpected problem!");
}

TEST(CoefficientReader, LabelsAndRanges) {
    std::string atom, function;
    struct Case {
        const char* line;
        const char* label;
    } cases[] = {{"   1 1   C  1S          0.69930", "1_C1S"},
                 {"   2        2PX        -0.00005", "1_C2PX"},
                 {"   9        5D 0        0.25144", "1_C5D 0"},
                 {"  34 10  C  1S         -0.00004", "10_C1S"},
                 {"  35 11  Mo 5D 0       0.25144", "11_Mo5D 0"},
                 {"  36        5D+1        0.00000", "11_Mo5D+1"}};
    for (const auto& c : cases) EXPECT_EQ(CoefficientLabel(c.line, atom, function), c.label) << c.line;
    EXPECT_EQ(OrbitalRanges({1, 2, 3, 5, 9, 10}), "1-3, 5, 9-10");
    EXPECT_TRUE(IsCoefficientTitle("     Alpha Molecular Orbital Coefficients:"));
    EXPECT_FALSE(IsCoefficientTitle("     Beta Molecular Orbital Coefficients:"));
    EXPECT_TRUE(IsBetaCoefficientTitle("     Beta Molecular Orbital Coefficients"));
}

// The structure table of the job summary on the layouts of older Gaussian versions and of
// runs without symmetry. Each layout is written from one of our fixtures by the edits that
// turn its blocks into that form, so it must give the table the original gives.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/number_text.h"
#include "core/tokenizer.h"
#include "geometry/orientation_reader.h"
#include "scan_test_support.h"

namespace {

using scan_test::Find;
using Lines = std::vector<std::string>;
using testing_support::TestApp;

Lines ScannedStructure(const std::string& path) {
    TestApp t;
    EXPECT_TRUE(scan_test::Open(t, path)) << path;
    Lines rows;
    const auto& g = t.app.form4.StringGrid2;
    for (int r = 1; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) rows.push_back(g.Cell(c, r));
    return rows;
}

// An orientation block of three atoms: header, rule, two titles, rule, atoms, rule.
void EraseBlock(Lines& l, const std::string& header) {
    const auto at = l.begin() + static_cast<long>(Find(l, header));
    l.erase(at, at + 9);
}

// The older open-shell layout: charges, the atom-atom spin density matrix, then the
// spin densities in a table of their own.
void SplitSpinDensities(Lines& l) {
    const size_t at = Find(l, "Mulliken charges and spin densities:"), sum = Find(l, "Sum of Mulliken");
    Lines charges = {" Mulliken atomic charges:", "              1"}, spins = {" Mulliken atomic spin densities:", "  1"};
    for (size_t i = at + 2; i < sum; ++i) {
        core::LineTokens tk(l[i]);
        charges.push_back("     " + tk[1] + "  " + tk[2] + "   " + tk[3]);
        spins.push_back("     " + tk[1] + "  " + tk[2] + "   " + tk[4]);
    }
    charges.insert(charges.end(), {" Sum of Mulliken charges=   0.00000", "          Atomic-Atomic Spin Densities.",
                                   "              1", "     1  C    1.100000"});
    charges.insert(charges.end(), spins.begin(), spins.end());
    charges.push_back(" Sum of Mulliken spin densities=   1.00000");
    l.erase(l.begin() + at, l.begin() + sum + 1);
    l.insert(l.begin() + at, charges.begin(), charges.end());
}

TEST(FinalStructure, OlderLayoutsGiveTheTableOfTheNewerOne) {
    const auto zmatrix = [](Lines& l) {
        EraseBlock(l, "Standard orientation:");
        l[Find(l, "Input orientation:")] = "                      Z-Matrix orientation:";
    };
    struct Case {
        const char* name;
        const char* fixture;
        std::function<void(Lines&)> edit;
    } cases[] = {
        {"Mulliken atomic charges", "logscan/water_sp.log",
         [](Lines& l) { l[Find(l, "Mulliken charges:")] = " Mulliken atomic charges:"; }},
        {"Total atomic charges", "logscan/water_sp.log",
         [](Lines& l) { l[Find(l, "Mulliken charges:")] = " Total atomic charges:"; }},
        {"spin densities apart", "summary/ch3_doublet.log", SplitSpinDensities},
        {"input orientation, one SCF", "logscan/water_sp.log", [](Lines& l) { EraseBlock(l, "Standard orientation:"); }},
        {"Z-matrix orientation", "logscan/water_sp.log", zmatrix},
        {"no atomic-type column", "logscan/water_sp.log",
         [](Lines& l) {
             for (size_t i = Find(l, "Input orientation:"); i < Find(l, "NBasis="); ++i)
                 if (l[i].find_first_not_of(' ') == 6) l[i].erase(18, 12);  // an atom row
         }},
        {"standard orientation at the first step only", "logscan/water_input_orientation.log",
         [](Lines& l) { l[Find(l, "Input orientation:")] = "                         Standard orientation:"; }},
        {"optimisation stopped: no geometry after the last step", "logscan/water_input_orientation.log",
         [](Lines& l) { std::fill_n(l.begin() + static_cast<long>(Find(l, "Input orientation:", 3)), 9, " "); }},
    };
    for (const auto& c : cases) {
        TestApp t;
        Lines lines = scan_test::Lines(TestApp::data(c.fixture));
        c.edit(lines);
        const auto path = t.write("older.log", scan_test::Join(lines));
        const Lines expected = ScannedStructure(TestApp::data(c.fixture));
        ASSERT_GE(expected.size(), 15u) << c.name;  // three atoms with their charges
        EXPECT_EQ(ScannedStructure(path), expected) << c.name;
        EXPECT_TRUE(mavrolin::geometry::FindLastOrientation(path).last) << c.name;
    }
}

// A bad byte in an atom row of the final structure ends the job summary with the line
// and the file named; commands that do not use the summary still succeed.
TEST(FinalStructure, DamagedRowEndsOnlyTheSummary) {
    TestApp t;
    Lines lines = scan_test::Lines(scan_test::Fixture("water_sp.log"));
    const size_t row = Find(lines, "Standard orientation:") + 6;
    lines[row].replace(lines[row].find(" 1 ") + 1, 1, "`");
    const auto path = t.write("damaged.log", scan_test::Join(lines));
    const std::string named = "Line " + core::IntText(static_cast<long long>(row) + 1) + " of \"" + path + "\"";
    for (const std::string command : {"scf", "mo"}) {
        std::string out, err;
        EXPECT_EQ(testing_support::RunCli({command, path}, out, err), 0) << command << err;
        EXPECT_NE(err.find(named), std::string::npos) << command << ": " << err;
    }
}

}  // namespace

// The SCF table of the main window, the convergence values and the two save commands.
#include <gtest/gtest.h>

#include <functional>

#include "core/errors.h"
#include "logscan/log_scan.h"
#include "scan_test_support.h"

namespace {

using namespace scan_test;
using testing_support::ReadFile;
using testing_support::TestApp;

std::vector<std::string> Row(const ui::StringGrid& g, int r) {
    std::vector<std::string> v;
    for (int c = 0; c < g.ColCount(); ++c) v.push_back(g.Cell(c, r));
    return v;
}

TEST(ScfTable, OptimisationTableWithConvergenceColumns) {
    TestApp t;
    const auto path = Fixture("water_opt_freq.log");
    ASSERT_TRUE(Open(t, path));
    const auto& g = t.app.form1.StringGrid1;
    const auto& log = t.app.log;
    ASSERT_EQ(g.RowCount(), 4);
    ASSERT_EQ(g.ColCount(), 11);
    EXPECT_EQ(Row(g, 0), (std::vector<std::string>{"Cycle", "E (Hartree)", "SCF Done Position", "STD Orienttn Postn",
                                                   "deltaE, kcal/mol", "Maximum Force", "RMS Force", "Maximum Displ",
                                                   "RMS Displcmnt", "Predicted detaE", "ForceDisplPos"}));
    auto std = LineNumbers(path, "Standard orientation:");
    auto force = LineNumbers(path, "Maximum Force");
    auto scf = LineNumbers(path, "SCF Done:");
    EXPECT_EQ(Row(g, 1), (std::vector<std::string>{"1", "-75.312345671", std::to_string(scf[0]), std::to_string(std[1]),
                                                   "---", "0.021234    NO", "0.012345    NO", "0.045678    NO",
                                                   "0.023456    NO", "-1.234567E-03", std::to_string(force[0])}));
    // (-75.313456782 + 75.312345671) hartree = -0.001111111 hartree = -0.697233 kcal/mol
    EXPECT_EQ(g.Cell(4, 2), "-0.697233");
    EXPECT_EQ(g.Cell(5, 3), "0.000012    YES");
    EXPECT_EQ(g.Cell(3, 3), std::to_string(std[3]));
    EXPECT_EQ(log.nforce2, 3);
    EXPECT_DOUBLE_EQ(log.maxfrce[1], 0.021234);
    EXPECT_DOUBLE_EQ(log.rmsdisp[3], 0.000019);
    EXPECT_DOUBLE_EQ(log.prdcten[2], 2.345678e-5);
    EXPECT_DOUBLE_EQ(log.maxf_thres, 0.00045);
    EXPECT_DOUBLE_EQ(log.rmsd_thres, 0.0012);
    EXPECT_EQ(log.zeroinforces, 0);
    EXPECT_GT(t.app.log.form1_window_pos_check, 0);  // the main window was sized once
}

TEST(ScfTable, OddConvergenceFields) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_odd_values.log")));  // written with CR LF line ends
    const auto& g = t.app.form1.StringGrid1;
    const auto& log = t.app.log;
    ASSERT_EQ(log.nforce2, 4);
    // A zero becomes 0.00001 with its own cell text, and is counted.
    EXPECT_DOUBLE_EQ(log.maxdisp[1], 0.00001);
    EXPECT_EQ(g.Cell(7, 1), "0.000010    YES");
    EXPECT_DOUBLE_EQ(log.maxfrce[3], 0.00001);
    EXPECT_EQ(log.zeroinforces, 2);
    // Asterisks take the previous step's value; the cell shows what was printed.
    EXPECT_DOUBLE_EQ(log.rmsfrce[2], 0.009345);
    EXPECT_EQ(g.Cell(6, 2), "********    NO");
    // NaN: 0.01 in the first step, the previous value later.
    EXPECT_DOUBLE_EQ(log.prdcten[1], 0.01);
    EXPECT_EQ(g.Cell(9, 1), "0.01");
    EXPECT_DOUBLE_EQ(log.prdcten[3], 1.234567e-5);
    EXPECT_EQ(g.Cell(9, 3), "1.234567E-5");
    // A D exponent is read as E; the stored change is positive.
    EXPECT_EQ(g.Cell(9, 2), "-1.234567E-05");
    EXPECT_DOUBLE_EQ(log.prdcten[2], 1.234567e-5);
    auto m = t.platform.MessageTexts();
    ASSERT_GE(m.size(), 2u);
    EXPECT_EQ(m[m.size() - 2],
              "2 zero value(s) found in force params! They are forced to have non-zero values (0.000010)!");
}

TEST(ScfTable, AsterisksOrZeroInTheFirstStep) {
    TestApp t;
    auto path = Variant(t, "water_opt_freq.log", "first.log", [](std::vector<std::string>& l) {
        l[Find(l, "RMS     Force")] = " RMS     Force         ***********     0.000300     NO ";
    });
    ASSERT_TRUE(Open(t, path));
    EXPECT_DOUBLE_EQ(t.app.log.rmsfrce[1], 0.00001);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(6, 1), "0.000010    NO");
    EXPECT_EQ(t.app.log.zeroinforces, 1);
}

TEST(ScfTable, SinglePointHasOneRowAndNoDifference) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_sp.log")));
    const auto& g = t.app.form1.StringGrid1;
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.Cell(1, 1), "-74.962927654");
    EXPECT_EQ(g.Cell(3, 1), "");  // the only orientation header is element 0
    EXPECT_EQ(g.Cell(4, 1), "");
}

TEST(ScfTable, LogCutInsideAConvergenceTable) {
    TestApp t;
    auto path = Variant(t, "water_opt_freq.log", "cut.log", [](std::vector<std::string>& l) {
        l.resize(Find(l, "Maximum Force", 3) + 2);
    });
    ASSERT_TRUE(Open(t, path));
    EXPECT_EQ(t.app.log.ndone, 3);
    EXPECT_EQ(t.app.log.nforce2, 2);  // only complete steps count
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(5, 2), "0.002345    NO");
    auto m = t.platform.MessageTexts();
    EXPECT_NE(std::find(m.begin(), m.end(), "Error in extracting the maximum force and others!"), m.end());
}

TEST(ScfTable, TwoEnergiesBeforeOneTableEndTheReading) {
    TestApp t;
    auto path = Variant(t, "water_opt_freq.log", "twice.log", [](std::vector<std::string>& l) {
        size_t at = Find(l, "SCF Done:", 2);
        l.insert(l.begin() + static_cast<long>(at) + 1,
                 " SCF Done:  E(RB3LYP) =  -75.313456799     A.U. after    3 cycles");
    });
    ASSERT_TRUE(Open(t, path));
    EXPECT_EQ(t.app.log.ndone, 4);
    EXPECT_EQ(t.app.log.nforce2, 2);
    auto m = t.platform.MessageTexts();
    EXPECT_NE(std::find(m.begin(), m.end(), "Error in extracting the maximum force and others!"), m.end());
}

TEST(ScfTable, BadThresholdEndsOnlyThatPhase) {
    TestApp t;
    auto path = Variant(t, "water_opt_freq.log", "thres.log", [](std::vector<std::string>& l) {
        l[Find(l, "Maximum Force")] = " Maximum Force            0.021234     0.0004x0     NO ";
    });
    EXPECT_FALSE(Open(t, path));
    EXPECT_TRUE(std::any_of(t.platform.messages.begin(), t.platform.messages.end(),
                            [](auto& m) { return m.error && m.text.find("0.0004x0") != std::string::npos; }));
    // The scan went on with the later phases and its closing messages.
    EXPECT_EQ(t.platform.MessageTexts().back(), "2 normal termination flag(s) found!");
}

// The convergence columns go straight to the "Maximum Force" lines the index holds; they
// are the ones reading on from each energy finds, also when a log ends or repeats an
// energy part-way. A force line the indexing scan read over unclassified (right after a
// dipole header) turns the shortcut off, so that line is still found by reading.
TEST(ScfTable, ForceLinesFromTheIndexAreThoseReadingFinds) {
    auto table = [](const ui::StringGrid& g) {
        std::vector<std::vector<std::string>> rows;
        for (int r = 0; r < g.RowCount(); ++r) rows.push_back(Row(g, r));
        return rows;
    };
    const std::vector<std::function<void(std::vector<std::string>&)>> edits = {
        [](std::vector<std::string>&) {},
        [](std::vector<std::string>& l) { l.resize(Find(l, "Maximum Force", 3) + 2); },
        [](std::vector<std::string>& l) {
            l.insert(l.begin() + static_cast<long>(Find(l, "SCF Done:", 2)) + 1,
                     " SCF Done:  E(RB3LYP) =  -75.313456799     A.U. after    3 cycles");
        },
    };
    for (size_t i = 0; i < edits.size(); ++i) {
        TestApp t;
        Open(t, Variant(t, "water_opt_freq.log", "v.log", edits[i]));
        ASSERT_TRUE(t.app.log.forceLinesIndexed) << i;
        const auto indexed = table(t.app.form1.StringGrid1);
        const int steps = t.app.log.nforce2;
        t.app.log.forceLinesIndexed = false;
        mavrolin::logscan::ScfTablePhase(t.app);
        EXPECT_EQ(table(t.app.form1.StringGrid1), indexed) << i;
        EXPECT_EQ(t.app.log.nforce2, steps) << i;
    }
    TestApp t;
    auto hidden = Variant(t, "water_opt_freq.log", "hidden.log", [](std::vector<std::string>& l) {
        l.insert(l.begin() + static_cast<long>(Find(l, "Dipole moment")) + 1,
                 " Maximum Force            0.500000     0.000450     NO ");
    });
    Open(t, hidden);
    EXPECT_FALSE(t.app.log.forceLinesIndexed);
}

TEST(ScfTable, DeltaInKilocaloriesPerMole) {
    using mavrolin::logscan::DeltaKcalText;
    EXPECT_EQ(DeltaKcalText("-1", "-1.001"), "-0.62751");
    EXPECT_EQ(DeltaKcalText("-75.5", "-75.5"), "0");
    // The hartree difference is rounded to 8 decimals first.
    EXPECT_EQ(DeltaKcalText("0", "0.000000004"), "0");
    EXPECT_EQ(DeltaKcalText("0", "0.000000016"), "1.3E-5");  // 0.00000002 hartree
    EXPECT_EQ(DeltaKcalText("0", "0.000000006"), "6E-6");
    EXPECT_THROW(DeltaKcalText("", "1"), core::ConversionError);
}

TEST(ScfSave, TabSeparatedTableWithoutFlags) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_opt_freq.log")));
    auto out = (t.dir / "table.txt").string();
    t.platform.AnswerSave(out);
    t.app.form1.Save1Click();
    EXPECT_EQ(t.platform.saveRequests.back().fileName, "");
    auto text = ReadFile(out);
    auto first = text.substr(0, text.find("\r\n"));
    EXPECT_EQ(first,
              "Cycle\tE (Hartree)\tSCF Done Position\tSTD Orienttn Postn\tdeltaE, kcal/mol\tMaximum \tRMS "
              "\tMaximum \tRMS Disp\tPredicted detaE\tForceDisplPos");
    EXPECT_NE(text.find("\r\n1\t-75.312345671\t"), std::string::npos);
    EXPECT_NE(text.find("\t0.000012  \t"), std::string::npos);  // "    YES" loses 5 characters
    EXPECT_NE(text.find("\t0.021234 \t"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
}

TEST(ScfSave, CancelWritesNothing) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_sp.log")));
    t.platform.AnswerSave(std::nullopt);
    t.app.form1.Save1Click();
    EXPECT_TRUE(std::filesystem::is_empty(t.dir.path()) ||
                !std::filesystem::exists(t.dir / "table.txt"));
}

TEST(ScfEnergySave, OptimisationTableInFourColumns) {
    TestApp t;
    const auto path = Fixture("water_opt_freq.log");
    ASSERT_TRUE(Open(t, path));
    auto out = (t.dir / "opt.energy").string();
    t.platform.AnswerSave(out);
    t.app.form1.SaveSCFEnergies1Click();
    EXPECT_EQ(t.platform.saveRequests.back().fileName, path.substr(0, path.size() - 4) + ".energy");
    auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 3u);
    const auto& g = t.app.form1.StringGrid1;
    EXPECT_EQ(lines[0], "1     -75.312345671     " + g.Cell(2, 1) + "     " + g.Cell(3, 1));
}

TEST(ScfEnergySave, RelaxedScanTable) {
    TestApp t;
    auto& log = t.app.log;
    auto& g = t.app.form1.StringGrid1;
    // The grid as the relaxed-scan reader leaves it.
    log.FileDum = (t.dir / "scan.log").string();
    log.ndone = 2;
    g.SetColCount(4);
    g.SetRowCount(3);
    g.SetCell(0, 0, "Scan Point");
    g.SetCell(1, 0, "E (Hartree)");
    g.SetCell(0, 1, "1");
    g.SetCell(1, 1, "-76.1");
    g.SetCell(0, 2, "2");
    g.SetCell(1, 2, "-76.2");
    auto out = (t.dir / "scan.energy").string();
    t.platform.AnswerSave(out);
    t.app.form1.SaveSCFEnergies1Click();
    EXPECT_EQ(ReadFile(out), "1     -76.1          \r\n2     -76.2          \r\n");
    EXPECT_EQ(log.dirinfo, t.dir.path().string());
}

TEST(ScfEnergySave, CoordinateListOrNothingLoadedWritesNothing) {
    TestApp t;
    t.app.form1.SaveSCFEnergies1Click();  // nothing loaded: no dialog
    EXPECT_TRUE(t.platform.saveRequests.empty());
    auto& g = t.app.form1.StringGrid1;
    t.app.log.ndata = 3;
    g.SetCell(0, 0, "Atom");
    g.SetCell(0, 1, "C1");
    g.SetCell(1, 1, "0.0");
    g.SetCell(2, 1, "1.2");
    t.app.form1.SaveSCFEnergies1Click();
    EXPECT_TRUE(t.platform.saveRequests.empty());
}

}  // namespace

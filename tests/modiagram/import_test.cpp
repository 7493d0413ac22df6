// The MO energy phase of the log scan and the MO table window: which printing is imported,
// how sets are appended, registered, deleted and reset, and the tabbed file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/number_text.h"
#include "modiagram/mo_table.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

std::string Fixture(const std::string& name) { return TestApp::data("modiagram/" + name); }

bool Scan(TestApp& t, const std::string& path) {
    t.platform.AnswerOpen(path);
    return t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); });
}

std::vector<std::string> Column(const TestApp& t, int col) {
    const auto& g = t.app.form6.StringGrid1;
    std::vector<std::string> cells;
    for (int r = 0; r < g.RowCount(); ++r) cells.push_back(g.Cell(col, r));
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

bool Said(const TestApp& t, const std::string& text) {
    for (const auto& m : t.platform.MessageTexts())
        if (m == text) return true;
    return false;
}

std::vector<std::string> Headers(const TestApp& t) {
    std::vector<std::string> h;
    for (int c = 0; c < t.app.form6.StringGrid1.ColCount(); ++c) h.push_back(t.app.form6.StringGrid1.Cell(c, 0));
    return h;
}

}  // namespace

TEST(MoEnergyImport, ChosenPrintingIsReadByItsOwnLength) {
    struct Case {
        const char* log;
        std::string blocksMessage;
        bool worng;
        std::vector<std::string> column;
        int firstLine, lines;
    };
    const Case cases[] = {
        {"two_printings.log", "There is(are) 2 block(s) of MO energy data, and the block number used is 2", false,
         {"Alpha", "ao  -20.25258", "ao  -1.25858", "ao  -0.59499", "ao  -0.46078", "ao  -0.39363", "av  0.58279",
          "av  0.69367"},
         97, 2},
        {"unequal_printings.log", "There is(are) 2 block(s) of MO energy data, and the block number used is 1", true,
         {"Alpha", "ao  -20.25158", "ao  -1.25758", "ao  -0.59399", "ao  -0.45978", "ao  -0.39263", "av  0.58179",
          "av  0.69267", "av  0.71000", "av  0.72000", "av  0.73000"},
         33, 2},
        {"longer_last.log", "There is(are) 3 block(s) of MO energy data, and the block number used is 2", false,
         {"Alpha", "ao  -20.25358", "ao  -1.25958", "ao  -0.59599", "ao  -0.46178", "ao  -0.39463", "av  0.58379",
          "av  0.69467"},
         97, 2},
    };
    for (const auto& c : cases) {
        TestApp t;
        ASSERT_TRUE(Scan(t, Fixture(c.log))) << c.log;
        EXPECT_TRUE(Said(t, c.blocksMessage)) << c.log;
        EXPECT_EQ(Said(t, "Something is worng! Please check whether you have an appropriate LOG file or not!! Job "
                          "aborted!"),
                  c.worng)
            << c.log;
        EXPECT_EQ(Column(t, 0), c.column) << c.log;
        EXPECT_EQ(t.app.form6.StringGrid1.ColCount(), 1) << c.log;
        EXPECT_EQ(t.app.log.mocoeff_start, c.firstLine) << c.log;
        EXPECT_EQ(t.app.log.blocksize, c.lines) << c.log;  // handed to the coefficient load
        EXPECT_EQ(t.app.log.nfile, 1);
        EXPECT_EQ(t.app.log.FileMem[1], Fixture(c.log));
    }
}

TEST(MoEnergyImport, ClosedThenOpenShellGivesThreeColumns) {
    TestApp t;
    ASSERT_TRUE(Scan(t, Fixture("two_printings.log")));
    ASSERT_TRUE(Scan(t, Fixture("open_beta_virtual_first.log")));
    EXPECT_TRUE(Said(t, "nalpha = 5 / nbeta = 5"));
    EXPECT_EQ(Headers(t), (std::vector<std::string>{"Alpha", "Alpha", "Beta"}));
    EXPECT_EQ(Column(t, 2), (std::vector<std::string>{"Beta", "bv  0.06789", "bv  0.61234", "bv  0.84567",
                                                      "bv  1.20123", "bv  1.60234"}));
    EXPECT_EQ(t.app.log.homoalpha, 1);
    EXPECT_EQ(t.app.log.homobeta, 0);
    EXPECT_EQ(t.app.log.nfile, 2);
    EXPECT_EQ(t.app.log.beta_col, 1);
    EXPECT_EQ(t.app.log.FileMem[2], Fixture("open_beta_virtual_first.log"));
    EXPECT_EQ(t.app.form6.StringGrid1.RowCount(), 8);  // the longest set + 1
}

TEST(MoEnergyImport, OverflowedEnergiesWarnAndStay) {
    TestApp t;
    ASSERT_TRUE(Scan(t, Fixture("overflowed_core.log")));
    EXPECT_EQ(Column(t, 0)[1], "ao  **********");
    bool warned = false;
    for (const auto& m : t.platform.MessageTexts()) warned |= m.starts_with("2 orbital energies of this log are printed");
    EXPECT_TRUE(warned);
    t.app.form6.ViewMOClick();  // range and drawing skip the two levels instead of failing
    EXPECT_EQ(t.app.form8.Disp_ymin.Text(), core::FloatText(-99.12345 * 27.2114));
}

TEST(MoEnergyImport, EleventhSetIsWarnedAbout) {
    TestApp t;
    const std::string warning = "The number of MO energy sets in your MO Table exceeds 10 If you do not need them, "
                                "please go to the table and initialize to avoid the excessive memory usage!";
    for (int i = 1; i <= 11; ++i) {
        ASSERT_TRUE(Scan(t, Fixture("two_printings.log")));
        EXPECT_EQ(Said(t, warning), i == 11) << i;
    }
    EXPECT_EQ(t.app.form6.StringGrid1.ColCount(), 11);
}

TEST(MoTableWindow, DeletingSetsKeepsNamesAndCounts) {
    TestApp t;
    ASSERT_TRUE(Scan(t, Fixture("two_printings.log")));
    ASSERT_TRUE(Scan(t, Fixture("open_beta_virtual_first.log")));
    ASSERT_TRUE(Scan(t, Fixture("longer_last.log")));
    auto& g = t.app.form6.StringGrid1;
    ASSERT_EQ(Headers(t), (std::vector<std::string>{"Alpha", "Alpha", "Beta", "Alpha"}));

    ASSERT_TRUE(g.SelectCell(2, 1));  // the "Beta" column of the second set
    t.app.form6.StringGrid1DblClick();
    EXPECT_EQ(Headers(t), (std::vector<std::string>{"Alpha", "Alpha"}));
    EXPECT_EQ(t.app.log.nfile, 2);
    EXPECT_EQ(t.app.log.beta_col, 0);
    EXPECT_EQ(t.app.log.FileMem[1], Fixture("two_printings.log"));
    EXPECT_EQ(t.app.log.FileMem[2], Fixture("longer_last.log"));
    EXPECT_EQ(Column(t, 1)[1], "ao  -20.25358");

    ASSERT_TRUE(g.SelectCell(0, 1));
    t.app.form6.StringGrid1DblClick();
    EXPECT_EQ(t.app.log.FileMem[1], Fixture("longer_last.log"));
    t.app.form6.StringGrid1DblClick();  // the only column left: everything is reset
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cell(0, 0), "");
    EXPECT_EQ(t.app.log.nfile, 0);
}

TEST(MoTableWindow, InitializeAllResetsUnitsAndSelector) {
    TestApp t;
    ASSERT_TRUE(Scan(t, Fixture("two_printings.log")));
    t.app.form6.ViewMOClick();
    t.app.form8.Energy_Unit.SetValue(3);
    ASSERT_EQ(t.app.log.EnUnit, 627.51);
    t.app.form6.InitializeAll1Click();
    EXPECT_EQ(t.app.log.EnUnit, 27.2114);
    EXPECT_EQ(t.app.log.PreENU, 27.2114);
    EXPECT_EQ(t.app.form8.Energy_Unit.Value(), 1);
    EXPECT_EQ(t.app.form8.EnUnitEdit.Text(), "eV");
    EXPECT_EQ(t.app.form8.Disp_ymax.Text(), "");
    EXPECT_EQ(t.app.form1.StringGrid1.RowCount(), 2);
    EXPECT_EQ(t.app.form6.StringGrid1.Cell(0, 1), "");
}

TEST(MoTableWindow, TabbedFileRoundTripNamesSetsAfterTheFile) {
    TestApp t;
    ASSERT_TRUE(Scan(t, Fixture("two_printings.log")));
    ASSERT_TRUE(Scan(t, Fixture("open_beta_virtual_first.log")));
    ASSERT_TRUE(Scan(t, Fixture("unequal_printings.log")));
    const std::string path = (t.dir / "sets.txt").string();
    t.platform.AnswerSave(path);
    t.app.form6.Save1Click();
    const std::string text = ReadFile(path);
    EXPECT_TRUE(text.starts_with("Alpha\tAlpha\tBeta\tAlpha\r\n"));
    EXPECT_NE(text.find("\tNA\tNA\tav  0.73000\r\n"), std::string::npos);

    TestApp fresh;  // a new session knows nothing of the logs
    fresh.platform.AnswerOpen(path);
    fresh.app.form6.Open1Click();
    const auto& a = t.app.form6.StringGrid1;
    const auto& b = fresh.app.form6.StringGrid1;
    ASSERT_EQ(b.ColCount(), a.ColCount());
    ASSERT_EQ(b.RowCount(), a.RowCount());
    for (int c = 0; c < a.ColCount(); ++c)
        for (int r = 0; r < a.RowCount(); ++r) EXPECT_EQ(b.Cell(c, r), a.Cell(c, r)) << c << "," << r;
    EXPECT_EQ(fresh.app.log.nfile, 3);
    EXPECT_EQ(fresh.app.log.beta_col, 1);
    EXPECT_EQ(fresh.app.log.FileMem[3], path);
    // File names shown and exported from it stay within the table.
    fresh.app.form8.FileName_SW.SetValue(1);
    fresh.app.form6.ViewMOClick();
    EXPECT_FALSE(fresh.app.form7.PaintBox1.Canvas().Texts().empty());
}

TEST(MoTableWindow, MenusAndHelp) {
    TestApp t;
    EXPECT_TRUE(t.app.form1.MOEnergyDiTable1.Click());
    EXPECT_TRUE(t.app.form6.Visible());
    t.app.form6.Help1.Click();
    EXPECT_TRUE(Said(t, "Double clicking at a specific column allows you to delete it from the table!"));
    t.platform.AnswerOpen(Fixture("two_printings.log"));
    t.app.form6.AddMO1.Click();
    EXPECT_EQ(t.app.form6.StringGrid1.Cell(0, 0), "Alpha");
}

TEST(MoTableWindow, APipeIsRefusedNotWaitedOn) {
    TestApp t;
    const auto fifo = t.dir / "pipe.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    t.platform.AnswerOpen(fifo.string());
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form6.Open1Click(); }));
    EXPECT_EQ(t.app.form6.StringGrid1.ColCount(), 1);
}

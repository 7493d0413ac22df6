#include <gtest/gtest.h>

#include "core/errors.h"
#include "geometry/geometry_text.h"
#include "support/test_app.h"

using testing_support::TestApp;

namespace {

std::string Data(const std::string& name) { return TestApp::data("geometry/" + name); }

std::vector<std::string> Row(const ui::StringGrid& g, int row) {
    std::vector<std::string> out;
    for (int c = 0; c < 4; ++c) out.push_back(g.Cell(c, row));
    return out;
}

using Cells = std::vector<std::string>;

}  // namespace

TEST(WordFields, FirstWordIsNeverAFieldAndBlanksStayInFields) {
    auto f = mavrolin::geometry::WordFields("HETATM    1  C1  UNK");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], "1  ");
    EXPECT_EQ(f[1], "C1  ");
    EXPECT_EQ(f[2], "UNK");
    auto lead = mavrolin::geometry::WordFields("  C1 0.5");
    ASSERT_EQ(lead.size(), 2u);
    EXPECT_EQ(lead[0], "C1 ");
    EXPECT_TRUE(mavrolin::geometry::WordFields("").empty());
    // Tabs do not separate fields.
    EXPECT_EQ(mavrolin::geometry::WordFields("a\tb c").size(), 1u);
}

TEST(WordFields, AtomicNumberFromLabelLetters) {
    using mavrolin::geometry::AtomicNumberOfLabel;
    EXPECT_EQ(AtomicNumberOfLabel("C12"), 6);
    EXPECT_EQ(AtomicNumberOfLabel("Cl3"), 17);
    EXPECT_EQ(AtomicNumberOfLabel("H"), 1);
    EXPECT_EQ(AtomicNumberOfLabel("ZN3"), 30);  // Z alone is no element
    EXPECT_EQ(AtomicNumberOfLabel("Bq4"), 0);
    EXPECT_EQ(AtomicNumberOfLabel("X2"), 0);
    EXPECT_EQ(AtomicNumberOfLabel("12"), 0);
}

TEST(PdbReaders, SpartanReadsFirstHetatmRunOnly) {
    TestApp t;
    t.app.log.pick_energy_check = true;
    t.platform.AnswerOpen(Data("spartan.pdb"));
    ASSERT_TRUE(t.app.form1.ReadPDBSpartan1.Click());
    auto& log = t.app.log;
    auto& g = t.app.form1.StringGrid1;
    EXPECT_EQ(log.FileDum, Data("spartan.pdb"));
    EXPECT_EQ(log.nline, 8);
    ASSERT_EQ(log.ndata, 3);
    EXPECT_FALSE(log.pick_energy_check);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(Row(g, 0), (Cells{"Label", "X (A)", "Y (A)", "Z (A)"}));
    EXPECT_EQ(Row(g, 1), (Cells{"C1", "-0.046", "0.663", "0"}));
    EXPECT_EQ(Row(g, 3), (Cells{"Cl3", "1.65", "1.25", "0"}));
    EXPECT_EQ(log.lab[2], "O2");
    EXPECT_EQ(log.atomicn[1], 6);
    EXPECT_EQ(log.atomicn[3], 17);
    EXPECT_DOUBLE_EQ(log.b[2], -0.754);
    EXPECT_GE(log.a.size(), 13u);
    EXPECT_TRUE(t.platform.messages.empty());
}

TEST(PdbReaders, ChainIdentifierNeedsTheEntReader) {
    TestApp t;
    t.platform.AnswerOpen(Data("chain.ent"));
    t.app.form1.ReadCartesianCoordinatesfromENTPDB1Click();
    auto& g = t.app.form1.StringGrid1;
    ASSERT_EQ(t.app.log.ndata, 3);
    EXPECT_EQ(Row(g, 1), (Cells{"C1", "11.104", "13.207", "2.103"}));
    EXPECT_EQ(Row(g, 3), (Cells{"ZN3", "10", "-13.5", "-0.25"}));
    EXPECT_EQ(t.app.log.atomicn[2], 7);

    // The Spartan reader on the same file takes the residue number as X.
    TestApp s;
    s.platform.AnswerOpen(Data("chain.ent"));
    s.app.form1.ReadPDBSpartan1Click();
    EXPECT_EQ(Row(s.app.form1.StringGrid1, 1), (Cells{"C1", "1", "11.104", "13.207"}));
}

TEST(PdbReaders, RefusalsLeaveTheGridAlone) {
    TestApp t;
    auto& g = t.app.form1.StringGrid1;
    g.SetCell(0, 1, "keep");
    // Cancelled dialog: centred message for the Spartan reader.
    t.app.form1.ReadPDBSpartan1Click();
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_EQ(t.platform.messages[0].text, "This file cannot be processed!");
    EXPECT_TRUE(t.platform.messages[0].centred);

    // A HETATM block that runs to the end of the file: positioned for the ENT reader.
    auto last = t.write("last.pdb", "HEADER\nHETATM    1  C1  LIG A   1      1.0  2.0  3.0\n");
    t.platform.AnswerOpen(last);
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.ReadCartesianCoordinatesfromENTPDB1Click(); }));
    ASSERT_EQ(t.platform.messages.size(), 2u);
    EXPECT_EQ(t.platform.messages[1].text,
              "This file cannot be processed! Its HETATM records run to the end of the file.");
    EXPECT_FALSE(t.platform.messages[1].centred);
    auto& f = t.app.form1;
    EXPECT_EQ(t.platform.messages[1].x, f.Left() + f.Width() / 2 - 200);
    EXPECT_EQ(t.platform.messages[1].y, f.Top() + f.Height() / 4);

    // No HETATM record at all.
    t.platform.AnswerOpen(t.write("none.pdb", "ATOM      1  N   ALA A   1  1.0 2.0 3.0\nEND\n"));
    t.app.form1.ReadPDBSpartan1Click();
    ASSERT_EQ(t.platform.messages.size(), 3u);
    EXPECT_EQ(t.platform.messages[2].text, "This file cannot be processed! It holds no HETATM records.");
    EXPECT_EQ(g.Cell(0, 1), "keep");
    EXPECT_EQ(t.app.log.ndata, 0);
}

TEST(SpaceSeparatedReader, PreparesTheGridAndReadsEveryLine) {
    TestApp t;
    auto& g = t.app.form1.StringGrid1;
    g.SetRowCount(20);
    g.SetCell(0, 12, "old");
    t.platform.AnswerOpen(Data("methane.txt"));
    t.app.form1.ReadStandardABC1Click();
    ASSERT_EQ(t.app.log.ndata, 5);
    EXPECT_EQ(g.RowCount(), 6);
    EXPECT_EQ(g.Cell(0, 12), "");
    EXPECT_EQ(Row(g, 0), (Cells{"Label", "X (A)", "Y (A)", "Z (A)"}));
    EXPECT_EQ(Row(g, 3), (Cells{"H3", "-0.363", "1.028", "0"}));
    EXPECT_EQ(t.app.log.atomicn[1], 6);
    EXPECT_EQ(t.app.log.atomicn[5], 1);
    EXPECT_DOUBLE_EQ(t.app.log.c[5], -0.89);

    // Cancel is silent and changes nothing.
    t.app.form1.ReadStandardABC1Click();
    EXPECT_TRUE(t.platform.messages.empty());
    EXPECT_EQ(t.app.log.ndata, 5);
}

TEST(SpaceSeparatedReader, ShortOrEmptyLineStopsWithItsLineNumber) {
    TestApp t;
    auto path = t.write("cut.txt",
                        " 1 C1 UNK 1 0.0 0.0 0.0\n 2 H2 UNK 1 1.09 0.0 0.0\n\n 4 H4 UNK 1 0 0 1\n");
    t.platform.AnswerOpen(path);
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.ReadStandardABC1Click(); }));
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_NE(t.platform.messages[0].text.find("Line 3"), std::string::npos);
    EXPECT_EQ(t.app.log.ndata, 2);
    EXPECT_EQ(t.app.form1.StringGrid1.RowCount(), 3);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(1, 2), "1.09");

    t.platform.AnswerOpen(t.write("short.txt", " 1 C1 UNK 1 0.0 0.0 0.0\n 2 H2 UNK 1 1.09\n"));
    t.app.Dispatch([&] { t.app.form1.ReadStandardABC1Click(); });
    ASSERT_EQ(t.platform.messages.size(), 2u);
    EXPECT_NE(t.platform.messages[1].text.find("Line 2 has too few fields"), std::string::npos);
    EXPECT_EQ(t.app.log.ndata, 1);
}

TEST(SpaceSeparatedReader, NonNumericCoordinateIsAConversionErrorNamingTheLine) {
    TestApp t;
    t.platform.AnswerOpen(t.write("bad.txt", "HETATM 1 C1 UNK 1 0.0 0.0 0.0\nHETATM 2 H2 UNK 1 1.O9 0.0 0.0\n"));
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.ReadStandardABC1Click(); }));
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_TRUE(t.platform.messages[0].error);
    EXPECT_NE(t.platform.messages[0].text.find("Line 2"), std::string::npos);
    EXPECT_EQ(t.app.log.ndata, 1);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 1), "C1");
}

TEST(CoordinateReaders, MenuItemsAreWired) {
    TestApp t;
    auto& f = t.app.form1;
    for (auto* item : {&f.ReadPDBSpartan1, &f.ReadCartesianCoordinatesfromENTPDB1, &f.ReadStandardABC1,
                       &f.OpenLogOutFileSCAN1})
        EXPECT_TRUE(item->Enabled()) << item->Name();
}

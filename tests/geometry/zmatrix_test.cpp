#include <gtest/gtest.h>

#include "geometry/zmatrix_reader.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

std::string Data(const std::string& name) { return TestApp::data("geometry/" + name); }

std::string Lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

const std::string kSevenEmpty = "\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

using Columns = std::array<std::string, 13>;

}  // namespace

TEST(ZmatrixTableLine, SplitsValuesFromParameterNumbers) {
    using mavrolin::geometry::SplitZmatrixTableLine;
    EXPECT_EQ(SplitZmatrixTableLine("      3      3  H        1   1.090000(  2)      2  109.471(  5)"),
              (Columns{"3", "3", "H", "1", "1.090000", "2", "2", "109.471", "5", "", "", "", ""}));
    // Full line with torsion and angle-mode flag; a three-digit parameter joined to its value.
    EXPECT_EQ(SplitZmatrixTableLine("  4  4  C  2  1.203000(123)  3  90.000(  7)  1 -180.000(1001)  0"),
              (Columns{"4", "4", "C", "2", "1.203000", "123", "3", "90.000", "7", "1", "-180.000", "1001", "0"}));
    // First centre and dummy centres come without centre number.
    EXPECT_EQ(SplitZmatrixTableLine("      1         X "),
              (Columns{"1", "", "X", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(SplitZmatrixTableLine("      1      1  N "),
              (Columns{"1", "1", "N", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(SplitZmatrixTableLine("   3         X        2   1.000000(  2)      1   90.000(123)"),
              (Columns{"3", "", "X", "2", "1.000000", "2", "1", "90.000", "123", "", "", "", ""}));
    EXPECT_EQ(SplitZmatrixTableLine(""), Columns{});
}

// The reader alone: the first symbolic Z-matrix and the last table, and a table the file
// ends inside reported as incomplete.
TEST(ZmatrixReader, FirstSymbolicZmatrixAndLastTableAsSections) {
    using mavrolin::geometry::ReadZmatrixSections;
    auto s = ReadZmatrixSections(Data("nh3_zmat_opt.log"));
    EXPECT_TRUE(s.symbolicFound && s.symbolicComplete && !s.cartesian);
    EXPECT_EQ(s.charge + "/" + s.multiplicity, "0/1");
    EXPECT_EQ(s.centres.size(), 4u);
    EXPECT_EQ(s.variables.size(), 3u);
    EXPECT_TRUE(s.tableFound && s.tableComplete);
    ASSERT_EQ(s.table.size(), 4u);
    EXPECT_EQ(s.table[3][10], "-126.380");  // the last table's torsion, not the first's -111.000
    EXPECT_EQ(s.nline, 66);

    testing_support::TempDir dir;
    const auto cut = dir / "cut.log";
    auto text = ReadFile(Data("nh3_zmat_opt.log"));
    size_t at = 0;
    for (int k = 0; k < 44; ++k) at = text.find('\n', at) + 1;
    testing_support::WriteFile(cut, text.substr(0, at));
    s = ReadZmatrixSections(cut);
    EXPECT_TRUE(s.tableFound);
    EXPECT_FALSE(s.tableComplete);
}

TEST(ZmatrixExtraction, FirstSymbolicZmatrixLastTableAndFinalValues) {
    TestApp t;
    auto& f = t.app.form1;
    auto& log = t.app.log;
    t.platform.AnswerOpen(Data("nh3_zmat_opt.log"));
    ASSERT_TRUE(t.app.Dispatch([&] { f.GetLastZmatrix1.Click(); }));
    EXPECT_EQ(log.zmatlogfile, Data("nh3_zmat_opt.log"));
    EXPECT_NE(log.FileDum, Data("nh3_zmat_opt.log"));
    EXPECT_EQ(log.natoms, 4);
    EXPECT_EQ(log.nparams, 3);
    EXPECT_EQ(log.ndata, 4);

    auto& sym = f.StringGrid3;
    EXPECT_EQ(sym.RowCount(), 9);
    EXPECT_EQ(sym.Cell(0, 0), "    0");
    EXPECT_EQ(sym.Cell(1, 0), "    1");
    EXPECT_EQ(sym.Cell(6, 4), "-D1");
    EXPECT_EQ(sym.Cell(7, 4), "0");
    EXPECT_EQ(sym.Cell(0, 5), "       Variables:");
    // Lower-case r1 matches R1; the shared R1 takes the first row's value; D1, used only
    // as -D1, takes the table torsion with its sign undone.
    EXPECT_EQ(sym.Cell(0, 6), "r1");
    EXPECT_EQ(sym.Cell(1, 6), "1.0");
    EXPECT_EQ(sym.Cell(3, 6), "1.002631");
    EXPECT_EQ(sym.Cell(3, 7), "112.405");
    EXPECT_EQ(sym.Cell(3, 8), "126.380");

    auto& fin = f.StringGrid2;
    EXPECT_EQ(fin.RowCount(), 5);
    EXPECT_EQ(fin.ColCount(), 13);
    EXPECT_EQ(fin.Cell(4, 0), "Bnd(A)");
    EXPECT_EQ(fin.Cell(12, 0), "AngMode");
    EXPECT_EQ(fin.Cell(10, 4), "-126.380");
    EXPECT_EQ(fin.Cell(11, 4), "6");
    EXPECT_TRUE(fin.Visible());
    EXPECT_TRUE(sym.Visible());
    EXPECT_EQ(f.ShowZmatrix1.Caption(), "Hide Z-matrix");
}

TEST(ZmatrixExtraction, WritersKeepSharedVariablesOrSplitThem) {
    TestApp t;
    auto& f = t.app.form1;
    t.platform.AnswerOpen(Data("nh3_zmat_opt.log"));
    f.GetLastZmatrix1Click();

    auto constrained = (t.dir / "c.com").string();
    t.platform.AnswerSave(constrained);
    f.SaveZmatinConstrained1Click();
    EXPECT_EQ(t.platform.saveRequests.back().fileName,
              Data("nh3_zmat_opt") + "_const_zmat.com");
    EXPECT_EQ(t.app.log.FileDum, constrained);
    EXPECT_EQ(ReadFile(constrained),
              Lines({"    0    1", "N", "H     1     R1", "H     1     R1     2     A1",
                     "H     1     R1     2     A1     3     -D1     0", "      Variables:", "r1=1.002631",
                     "A1=112.405", "D1=126.380"}) +
                  kSevenEmpty);

    auto free = (t.dir / "f.com").string();
    t.platform.AnswerSave(free);
    f.SaveZmatintNonconstrained1Click();
    EXPECT_EQ(t.platform.saveRequests.back().fileName, Data("nh3_zmat_opt") + "_free_zmat.com");
    EXPECT_EQ(ReadFile(free),
              Lines({"    0    1", "N", "H     1     R2", "H     1     R3     2     A3",
                     "H     1     R4     2     A4     3     D4     0", "      Variables:", "R2=1.002631",
                     "R3=1.002631", "R4=1.002631", "A3=112.405", "A4=112.405", "D4=-126.380"}) +
                  kSevenEmpty);

    // The writers can run again from the same extraction; cancel writes nothing.
    f.SaveZmatintNonconstrained1Click();
    EXPECT_EQ(t.app.log.FileDum, free);
}

TEST(ZmatrixExtraction, DummyCentresAndJoinedParameterNumbers) {
    TestApp t;
    auto& f = t.app.form1;
    t.platform.AnswerOpen(Data("c2h2_dummy_zmat.log"));
    f.GetLastZmatrix1Click();
    auto& fin = f.StringGrid2;
    ASSERT_EQ(t.app.log.ndata, 6);
    EXPECT_EQ(fin.Cell(1, 3), "");
    EXPECT_EQ(fin.Cell(2, 3), "X");
    EXPECT_EQ(fin.Cell(7, 3), "90.000");
    EXPECT_EQ(fin.Cell(8, 3), "123");
    EXPECT_EQ(fin.Cell(10, 6), "180.000");
    auto& sym = f.StringGrid3;
    EXPECT_EQ(sym.Cell(3, 8), "1.000000");  // RX
    EXPECT_EQ(sym.Cell(3, 9), "1.203000");  // RCC
    EXPECT_EQ(sym.Cell(3, 10), "1.065000");  // RCH, shared

    auto out = (t.dir / "free.com").string();
    t.platform.AnswerSave(out);
    f.SaveZmatintNonconstrained1Click();
    auto text = ReadFile(out);
    EXPECT_NE(text.find("\r\nX     2     R3     1     A3\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nH     4     R6     3     A6     2     D6     0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nA3=90.000\r\n"), std::string::npos);
}

TEST(ZmatrixExtraction, TwoCentresWriteOnlyExistingRows) {
    TestApp t;
    auto log = t.write("h2.log", Lines({" Symbolic Z-matrix:", " Charge =  0 Multiplicity = 1", " H",
                                        " H                    1    R", "       Variables:",
                                        "  R                     0.74", " ",
                                        "                            Z-MATRIX (ANGSTROMS AND DEGREES)",
                                        "   CD    Cent   Atom    N1       Length/X", " ------------",
                                        "      1      1  H ", "      2      2  H        1   0.741400(     1)",
                                        " ------------", " Normal termination"}));
    t.platform.AnswerOpen(log);
    t.app.form1.GetLastZmatrix1Click();
    auto out = (t.dir / "h2_free.com").string();
    t.platform.AnswerSave(out);
    t.app.form1.SaveZmatintNonconstrained1Click();
    EXPECT_EQ(ReadFile(out), Lines({"    0    1", "H", "H     1     R2", "      Variables:", "R2=0.741400"}) +
                                 kSevenEmpty);
}

TEST(ZmatrixExtraction, MissingOrCutOffSectionsAreReported) {
    TestApp t;
    auto& f = t.app.form1;
    // No table at all: the long message, the grids stay hidden.
    t.platform.AnswerOpen(t.write("notable.log", Lines({" Symbolic Z-matrix:", " Charge =  0 Multiplicity = 1",
                                                        " He", " ", " Normal termination"})));
    EXPECT_FALSE(t.app.Dispatch([&] { f.GetLastZmatrix1Click(); }));
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_EQ(t.platform.messages[0].text.rfind("There seems no line involving \"Z-MATRIX (ANGSTROMS AND "
                                                 "DEGREES)\" ! In case the number of atoms exceeds 50, add "
                                                 "\"IOp(2/11=1)\" in the route section.",
                                                 0),
              0u);
    EXPECT_FALSE(f.StringGrid2.Visible());
    EXPECT_EQ(t.app.log.natoms, 1);
    EXPECT_EQ(f.StringGrid3.Cell(0, 1), "He");

    // A table cut off by the end of the file: both messages, nothing half-read.
    t.platform.AnswerOpen(t.write("cut.log", Lines({"                            Z-MATRIX (ANGSTROMS AND DEGREES)",
                                                    "   CD    Cent", " -----", "      1      1  H "})));
    EXPECT_FALSE(t.app.Dispatch([&] { f.GetLastZmatrix1Click(); }));
    auto texts = t.platform.MessageTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1], "Unexpected error! Discrimination error in reading the Z-matrix formatted output codes!");
    EXPECT_EQ(t.app.log.natoms, 0);  // no symbolic Z-matrix in that file

    // A symbolic Z-matrix cut off by the end of the file is dropped with its own message.
    t.platform.AnswerOpen(t.write("cutsym.log", Lines({" Symbolic Z-matrix:", " Charge =  0 Multiplicity = 1",
                                                       " O", " H 1 R1", "       Variables:", "  R1  0.96"})));
    t.app.Dispatch([&] { f.GetLastZmatrix1Click(); });
    texts = t.platform.MessageTexts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_NE(texts[3].find("cut off"), std::string::npos);
    EXPECT_EQ(t.app.log.natoms, 0);
    EXPECT_EQ(f.StringGrid3.Cell(0, 1), "");
}

TEST(ZmatrixExtraction, CancelAndShowToggle) {
    TestApp t;
    auto& f = t.app.form1;
    EXPECT_FALSE(f.StringGrid2.Visible());
    f.StringGrid3.SetCell(0, 1, "kept");
    f.GetLastZmatrix1Click();  // cancelled: grids shown with what they held
    EXPECT_TRUE(f.StringGrid2.Visible());
    EXPECT_TRUE(f.StringGrid3.Visible());
    EXPECT_EQ(f.StringGrid3.Cell(0, 1), "kept");
    EXPECT_EQ(f.ShowZmatrix1.Caption(), "Hide Z-matrix");
    ASSERT_TRUE(f.ShowZmatrix1.Click());
    EXPECT_FALSE(f.StringGrid2.Visible());
    EXPECT_FALSE(f.StringGrid3.Visible());
    EXPECT_EQ(f.ShowZmatrix1.Caption(), "Show Z-matrix");
    f.ShowZmatrix1Click();
    EXPECT_TRUE(f.StringGrid3.Visible());
    EXPECT_EQ(f.ShowZmatrix1.Caption(), "Hide Z-matrix");
}

TEST(ZmatrixExtraction, WritersWithoutExtractionWriteTheSkeleton) {
    TestApp t;
    auto out = (t.dir / "empty.com").string();
    t.platform.AnswerSave(out);
    t.app.form1.SaveZmatinConstrained1Click();
    EXPECT_EQ(ReadFile(out), Lines({"", "      Variables:"}) + kSevenEmpty);
}

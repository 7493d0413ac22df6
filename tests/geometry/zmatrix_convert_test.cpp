#include <gtest/gtest.h>

#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

const std::string kSevenEmpty = "\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

}  // namespace

TEST(ZmatrixConversion, NumericalInputBecomesNamedVariables) {
    TestApp t;
    auto& f = t.app.form1;
    auto input = TestApp::data("geometry/h2co_numerical.gjf");
    auto out = (t.dir / "h2co.com").string();
    t.platform.AnswerOpen(input);
    t.platform.AnswerSave(out);
    ASSERT_TRUE(t.app.Dispatch([&] { f.ConvertZmatrix1.Click(); }));
    EXPECT_EQ(t.platform.saveRequests.at(0).fileName, TestApp::data("geometry/h2co_numerical") + "_zmat.com");
    EXPECT_EQ(t.app.log.ndata, 4);
    EXPECT_EQ(t.app.log.nline, 14);
    EXPECT_EQ(t.app.log.FileDum, out);
    auto& g = f.StringGrid2;
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cell(2, 0), "Elem");
    EXPECT_EQ(g.Cell(0, 0), "");
    EXPECT_EQ(g.Cell(5, 0), "");
    EXPECT_EQ(g.Cell(10, 0), "Tors(deg)");
    EXPECT_EQ(g.Cell(7, 3), "121.90000000");
    EXPECT_EQ(g.Cell(12, 4), "0");
    EXPECT_EQ(g.Cell(9, 3), "");
    EXPECT_TRUE(g.Visible());
    EXPECT_EQ(ReadFile(out), Lines({"C", "O     1     R2", "H     1     R3     2     A3",
                                    "H     1     R4     2     A4     3     D4", "      Variables:",
                                    "R2=1.20500000", "R3=1.10100000", "R4=1.10100000", "A3=121.90000000",
                                    "A4=121.90000000", "D4=180.00000000"}) +
                                 kSevenEmpty);
}

TEST(ZmatrixConversion, SymbolicInputTakesItsVariableValues) {
    TestApp t;
    auto in = t.write("sym.gjf", Lines({"# hf/3-21g", "", "title", "", "0 1", "O", "H 1 roh", "H 1 roh 2 ahoh",
                                        "H 1 1.5 2 ahoh 3 -dih", "Variables:", "ROH=0.96", "ahoh 104.5",
                                        "dih 120.0", ""}));
    auto out = (t.dir / "sym_out.com").string();
    t.platform.AnswerOpen(in);
    t.platform.AnswerSave(out);
    ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.ConvertZmatrix1Click(); }));
    auto text = ReadFile(out);
    EXPECT_NE(text.find("\r\nR2=0.96\r\nR3=0.96\r\nR4=1.5\r\nA3=104.5\r\nA4=104.5\r\nD4=-120.0\r\n"),
              std::string::npos)
        << text;

    // A name with no value is refused rather than written as a number.
    t.platform.AnswerOpen(t.write("missing.gjf", Lines({"#p", "", "t", "", "0 1", "O", "H 1 r9", ""})));
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.ConvertZmatrix1Click(); }));
    EXPECT_NE(t.platform.MessageTexts().back().find("r9"), std::string::npos);
}

TEST(ZmatrixConversion, NotFoundAndCancelStillOfferTheSave) {
    TestApp t;
    auto& f = t.app.form1;
    // Route only, no empty lines: the not-found message, then the save dialog.
    auto in = t.write("route.gjf", "%chk=x.chk\n#p b3lyp/sto-3g geom=allcheck\n");
    t.platform.AnswerOpen(in);
    EXPECT_FALSE(t.app.Dispatch([&] { f.ConvertZmatrix1Click(); }));
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_EQ(t.platform.messages[0].text, "There seems no line involving \"Z-MATRIX (ANGSTROMS AND DEGREES)\" !");
    ASSERT_EQ(t.platform.saveRequests.size(), 1u);
    EXPECT_EQ(t.platform.saveRequests[0].fileName, (t.dir / "route_zmat.com").string());

    // A Z-matrix that the end of the file cuts off is not half-read.
    t.platform.AnswerOpen(t.write("cut.gjf", "#p\n\ntitle\n\n0 1\nO\nH 1 0.96"));
    EXPECT_FALSE(t.app.Dispatch([&] { f.ConvertZmatrix1Click(); }));
    ASSERT_EQ(t.platform.messages.size(), 2u);
    EXPECT_EQ(t.platform.messages[1].text, "The Z-matrix is cut off by the end of the file; nothing was converted.");
    EXPECT_EQ(t.app.form1.StringGrid2.RowCount(), 2);

    // Cancelled open: the save dialog is still offered with the current FileDum.
    t.app.log.FileDum = "/data/run.gjf";
    f.ConvertZmatrix1Click();
    ASSERT_EQ(t.platform.saveRequests.size(), 3u);
    EXPECT_EQ(t.platform.saveRequests[2].fileName, "/data/run_zmat.com");
}

TEST(ZmatrixConversion, OneCentreWritesOnlyItsElement) {
    TestApp t;
    auto out = (t.dir / "he.com").string();
    t.platform.AnswerOpen(t.write("he.gjf", "#p\n\nhelium\n\n0 1\nHe\n\n"));
    t.platform.AnswerSave(out);
    t.app.form1.ConvertZmatrix1Click();
    EXPECT_EQ(ReadFile(out), Lines({"He", "      Variables:"}) + kSevenEmpty);
}

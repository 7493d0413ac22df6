// The coefficient, PDOS and PDOS diagram windows driven as a user would, on the headless
// platform: sets built by double clicks, Compute PDOS and its refusals, the diagrams on
// the recording canvas, the legend and the saves.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/elements.h"
#include "core/number_text.h"
#include "pdos_test_support.h"

using namespace mavrolin;
using pdos_test::Fixture;
using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

// The fixture copied into the test's own folder (the computation writes files beside it)
// and its tables put into the coefficient window.
void LoadTables(TestApp& t, const std::string& fixture) {
    const std::string log = t.write(fixture, ReadFile(Fixture(fixture)));
    auto load = pdos_test::Load(log);
    ASSERT_TRUE(load.loaded);
    t.app.log.FileDum = log;
    t.app.form14.SetTables(std::move(load.tables));
    t.app.form15.CaptionSets();
}

void AddToSet(TestApp& t, int set, std::initializer_list<int> aos) {
    t.app.form15.pdos_selected.SetValue(set);
    for (int ao : aos) {
        t.app.form14.Num_AO.SetValue(ao);
        t.app.form14.StringGrid1DblClick();
    }
}

std::vector<ui::DrawOp> LinesIn(const ui::RecordingCanvas& cv, ui::Color color) {
    std::vector<ui::DrawOp> out;
    for (const auto& op : cv.Lines())
        if (op.pen.color == color) out.push_back(op);
    return out;
}

bool HasText(const ui::RecordingCanvas& cv, const std::string& text) {
    auto texts = cv.Texts();
    return std::any_of(texts.begin(), texts.end(), [&](const ui::DrawOp& op) { return op.text == text; });
}

}  // namespace

TEST(CoefficientWindow, DoubleClicksAndApplyToAllMirrorTheSetsInBothTables) {
    TestApp t;
    LoadTables(t, "open.log");
    auto& coeff = t.app.form14;
    auto& pdos = t.app.form15;
    EXPECT_TRUE(coeff.StringGrid2.Visible());
    EXPECT_EQ(coeff.StringGrid1.Height(), coeff.ClientHeight() / 2);

    AddToSet(t, 2, {5, 2});
    EXPECT_EQ(pdos.StringGrid1.Cell(1, 0), "PDOS-2");
    EXPECT_EQ(pdos.StringGrid1.Cell(1, 1), "2 " + coeff.Tables.alpha.Cell(0, 2).substr(3));
    EXPECT_TRUE(pdos.StringGrid1.Cell(1, 2).starts_with("5 "));
    EXPECT_TRUE(coeff.StringGrid1.Cell(0, 5).starts_with("#2 "));
    EXPECT_TRUE(coeff.StringGrid2.Cell(0, 5).starts_with("#2 "));

    // ApplyToAll over rows 4-6 of the beta table with set 3 selected: AO 5 leaves set 2,
    // AOs 4 and 6 join set 3.
    pdos.pdos_selected.SetValue(3);
    coeff.GridMouseDown(2, {ui::MouseButton::Right, false, true, false, 10, 10});
    EXPECT_EQ(t.platform.lastPopup, &coeff.PopupMenu1);
    coeff.StringGrid2.SetSelection({0, 4, 0, 6});
    coeff.AdoptAll1.Click();
    EXPECT_EQ(pdos.StringGrid1.Cell(1, 2), "");
    EXPECT_TRUE(pdos.StringGrid1.Cell(2, 1).starts_with("4 "));
    EXPECT_TRUE(pdos.StringGrid1.Cell(2, 2).starts_with("6 "));
    EXPECT_FALSE(coeff.StringGrid1.Cell(0, 5).starts_with("#"));

    // Alt + right click: the BS Names list around AO 2, with the marker.
    coeff.Num_AO.SetValue(2);
    coeff.GridMouseDown(1, {ui::MouseButton::Right, false, false, true, 40, 60});
    EXPECT_TRUE(t.app.form18.Visible());
    EXPECT_EQ(t.app.form18.StringGrid1.Cell(0, 10), coeff.Tables.alpha.Cell(0, 2) + "___here!");
    EXPECT_EQ(t.app.form18.StringGrid1.Cell(0, 7), "");
}

TEST(PdosWindow, SetsTwoAndFourTakeTheColoursOfTheirLegendColumns) {
    TestApp t;
    LoadTables(t, "closed.log");
    auto& pdos = t.app.form15;
    AddToSet(t, 2, {1, 2});
    AddToSet(t, 4, {3, 4, 5, 6, 7});
    // PDOS-4 painted pure green through the colour dialog.
    pdos.pdos_selected.SetValue(4);
    t.platform.AnswerColor(0x00FF00);
    pdos.StringGrid1DblClick();
    EXPECT_EQ(pdos.DBGrid1.Columns()[3].caption, "PDOS-4     65280");

    pdos.ComputePDOSClick();
    ASSERT_EQ(pdos.UsedSets().size(), 2u);
    EXPECT_EQ(pdos.UsedSets()[0].col, 1);
    EXPECT_EQ(pdos.UsedSets()[1].col, 3);
    const auto& cv = pdos.PaintBox1.Canvas();
    EXPECT_GE(LinesIn(cv, core::gcolor[1]).size(), 3000u);  // PDOS-2: red
    EXPECT_GE(LinesIn(cv, 0x00FF00).size(), 3000u);         // PDOS-4: the chosen green

    // Shortening the legend below PDOS-4 makes the set colourless: the redraw is refused.
    for (int i = 0; i < 7; ++i) pdos.DecreaseClick();
    EXPECT_FALSE(t.app.Dispatch([&] { pdos.RedrawDiagramClick(); }));
    EXPECT_NE(t.platform.MessageTexts().back().find("PDOS-4 has no legend column"), std::string::npos);
}

TEST(PdosWindow, ComputeAndRedrawRefuseWhatCannotBeDrawn) {
    struct Case {
        const char* name;
        std::string evMin, evMax, dens;
        std::string message;
        bool restoresMax;
    };
    const Case cases[] = {
        {"letters in the maximum", "-30", "abc", "1", "Typing error in the maximum eV setting! Try again!!", true},
        {"letters in the minimum", "x", "0", "1", "Typing error in the minimum eV setting! Try again!!", false},
        {"bad density", "-30", "0", "?", "Typing error in the maximum density setting! Try again!!", false},
        {"minimum above maximum", "-5", "-10", "1", "The mimimum should be lower than the maximum!! Try again!!", true},
        {"equal ends", "-10", "-10", "1", "The mimimum should be lower than the maximum!! Try again!!", true},
        {"above the data", "50", "60", "1", "Out of range!! Try again!!!", true},
        {"negative density", "-30", "0", "-1", "The maximum density should be positive!! Try again!!", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp t;
        auto& pdos = t.app.form15;
        LoadTables(t, "closed.log");
        // No set yet: the first refusal of Compute PDOS, at its place.
        pdos.ComputePDOSClick();
        ASSERT_EQ(t.platform.messages.size(), 1u);
        EXPECT_EQ(t.platform.messages[0].text, "Double clicking at the MO Coefficients Table is needed!");
        EXPECT_EQ(t.platform.messages[0].x, pdos.Left() + pdos.Width() / 2);
        EXPECT_FALSE(pdos.draw_switch);

        AddToSet(t, 1, {1, 2, 3});
        pdos.ComputePDOSClick();
        ASSERT_TRUE(pdos.draw_switch);
        const std::string shownMax = pdos.ev_max.Text();
        const size_t ops = pdos.PaintBox1.Canvas().Ops().size();
        pdos.ev_min.SetText(c.evMin);
        pdos.ev_max.SetText(c.evMax);
        pdos.dens_max.SetText(c.dens);
        const size_t before = t.platform.messages.size();
        pdos.RedrawDiagramClick();
        ASSERT_EQ(t.platform.messages.size(), before + 1);
        EXPECT_EQ(t.platform.messages.back().text, c.message);
        if (c.restoresMax) {
            EXPECT_EQ(pdos.ev_max.Text(), shownMax);
        }
        EXPECT_EQ(pdos.PaintBox1.Canvas().Ops().size(), ops);  // nothing drawn
    }
}

TEST(PdosWindow, SetsFromAnotherLogAreRefusedAgainstTheTablesOwnSize) {
    TestApp t;
    LoadTables(t, "closed.log");
    AddToSet(t, 1, {7});
    // A smaller table of another log: AO 7 no longer exists.
    auto small = t.app.form14.Tables;
    small.nbasis = 5;
    small.alpha = mavrolin::pdos::CoefficientGrid(5, small.nbsuse);
    t.app.form14.SetTables(small);
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form15.ComputePDOSClick(); }));
    EXPECT_FALSE(t.app.form15.draw_switch);
}

TEST(PdosDiagrams, OpenShellBetaCurvesAreMirroredBelowAndRightOfTheCentre) {
    TestApp t;
    LoadTables(t, "open.log");
    auto& pdos = t.app.form15;
    AddToSet(t, 1, {1, 2, 3, 4, 5, 6, 7});
    pdos.ComputePDOSClick();
    ASSERT_TRUE(pdos.draw_switch);

    const auto& h = pdos.PaintBox1.Canvas();
    const int centre = pdos.PaintBox1.Height() / 2;
    auto curve = LinesIn(h, core::gcolor[0]);
    const size_t n = static_cast<size_t>(pdos.Plot().curves.n);
    ASSERT_EQ(curve.size(), 2 * n);
    // Alpha above the centre line, beta below it, mirrored: the same distance from it.
    for (size_t i = 0; i < n; ++i) {
        EXPECT_LE(curve[i].y2, centre);
        EXPECT_GE(curve[n + i].y2, centre);
    }
    const auto peak = std::min_element(curve.begin(), curve.begin() + static_cast<long>(n),
                                       [](const auto& a, const auto& b) { return a.y2 < b.y2; });
    EXPECT_LT(peak->y2, centre - 10);
    const auto low = std::max_element(curve.begin() + static_cast<long>(n), curve.end(),
                                      [](const auto& a, const auto& b) { return a.y2 < b.y2; });
    EXPECT_GT(low->y2, centre + 10);
    // Occupied MOs inside the range: alpha 2-5 above, beta 2-4 below ("a5", "b4").
    EXPECT_TRUE(HasText(h, "a5"));
    EXPECT_TRUE(HasText(h, "b4"));
    EXPECT_FALSE(HasText(h, "a1"));  // at -563 eV, outside the range

    // The vertical diagram: alpha to the left of the centre, beta to its right.
    auto& diagram = t.app.form16;
    ASSERT_TRUE(diagram.Yaxis_eV.Checked());
    const int middle = diagram.PaintBox1.Width() / 2;
    auto vertical = LinesIn(diagram.PaintBox1.Canvas(), core::gcolor[0]);
    ASSERT_EQ(vertical.size(), 2 * n);
    for (size_t i = 0; i < n; ++i) {
        EXPECT_LE(vertical[i].x2, middle);
        EXPECT_GE(vertical[n + i].x2, middle);
    }
}

TEST(PdosWindow, RangeChangesRecomputeAndTheSaveKeepsTheComputedLog) {
    TestApp t;
    LoadTables(t, "open.log");
    auto& pdos = t.app.form15;
    AddToSet(t, 1, {1, 2});
    pdos.TotalDensity.SetChecked(true);
    pdos.ComputePDOSClick();
    const auto first = pdos.Plot().curves;
    ASSERT_EQ(first.dens[0].size(), 2u);  // the set and the total density

    // A narrower energy range: the grid is recomputed over it with the same N.
    pdos.ev_min.SetText("-25");
    pdos.RedrawDiagramClick();
    EXPECT_EQ(pdos.Plot().curves.gxmin, -25);
    EXPECT_EQ(pdos.Plot().curves.n, first.n);
    // A wider sigma changes the densities at the next redraw.
    pdos.SpinEdit1.SetValue(100);
    EXPECT_EQ(pdos.sigvalue.Text(), "0.1");
    const double before = pdos.Plot().curves.dens[0][0][first.n / 2];
    pdos.RedrawDiagramClick();
    EXPECT_NE(pdos.Plot().curves.dens[0][0][first.n / 2], before);

    const std::string computed = t.app.form14.Tables.file;
    t.app.log.FileDum = (t.dir / "other.log").string();  // a later scan of another log
    t.platform.AnswerSave((t.dir / "out_PDOS.txt").string());
    t.app.form16.SaveComputedPDOSData1.Click();
    ASSERT_EQ(t.platform.saveRequests.size(), 1u);
    EXPECT_EQ(t.platform.saveRequests[0].fileName, computed.substr(0, computed.size() - 4) + "_PDOS.txt");
    auto lines = pdos_test::Lines(ReadFile(t.dir / "out_PDOS.txt"));
    EXPECT_EQ(lines[1], " Projected Density of States generated from " + computed);
    // Open shell: index, energy, alpha and beta density.
    EXPECT_EQ(std::count(lines[5].begin(), lines[5].end(), '\t'), 3);
    for (const char* f : {"moenergy.txt", "computed_temp.txt", "projected_density.txt"})
        EXPECT_TRUE(std::filesystem::exists(t.dir / f)) << f;
}

TEST(PdosWindow, IncreaseDecreaseAndInitialiseReshapeTableAndLegend) {
    TestApp t;
    auto& pdos = t.app.form15;
    pdos.CaptionSets();
    pdos.IncreaseClick();
    EXPECT_EQ(pdos.StringGrid1.ColCount(), 11);
    EXPECT_EQ(pdos.StringGrid1.Cell(10, 0), "PDOS-11");
    ASSERT_EQ(pdos.DBGrid1.Columns().size(), 11u);
    EXPECT_EQ(pdos.DBGrid1.Columns()[10].color, 0x0000FFu);
    pdos.pdos_selected.SetValue(11);
    EXPECT_EQ(pdos.pdos_selected.Value(), 11);
    for (int i = 0; i < 15; ++i) pdos.DecreaseClick();
    EXPECT_EQ(pdos.StringGrid1.ColCount(), 1);
    EXPECT_EQ(pdos.pdos_selected.MaxValue(), 1);
    EXPECT_EQ(pdos.DBGrid1.Columns().size(), 1u);

    pdos.SpinEdit1.SetValue(50);
    pdos.InitializeAll1Click();
    EXPECT_EQ(pdos.DBGrid1.Columns().size(), 9u);
    EXPECT_EQ(pdos.pdos_selected.MaxValue(), 9);
    EXPECT_EQ(pdos.StringGrid1.Cell(0, 0), "");
    EXPECT_EQ(pdos.sigvalue.Text(), "0.02");
    EXPECT_TRUE(pdos.gau_chk);
}

TEST(CoefficientWindow, ImportsThroughTheirDialogsAndExportsUnderTheProposedName) {
    TestApp t;
    auto& coeff = t.app.form14;
    // Before any log: the import refuses instead of filling tables that do not exist.
    t.platform.AnswerOpen(Fixture("gfprint.log"));
    EXPECT_FALSE(t.app.Dispatch([&] { coeff.AONamesfromGFPRINTClick(); }));

    LoadTables(t, "closed.log");
    t.platform.AnswerOpen(Fixture("gfprint.log"));
    coeff.AONamesfromGFPRINT.Click();
    EXPECT_EQ(coeff.StringGrid1.Cell(0, 3), "O1_SP-PX");
    EXPECT_EQ(coeff.StringGrid1.Cell(0, 8), "Sum_Squares");
    EXPECT_EQ(coeff.StringGrid3.RowCount(), 5);
    EXPECT_EQ(coeff.StringGrid3.Cell(1, 1), "O1");
    const auto texts = t.platform.MessageTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "StringCode #1 and #2 ===> 7 ***AND*** basis ===> Succeeded!!"),
              texts.end());
    coeff.ShowGFPrintInfo1.Click();
    EXPECT_TRUE(coeff.StringGrid3.Visible());
    EXPECT_EQ(coeff.ShowGFPrintInfo1.Caption(), "HideGFPrintInto");

    t.platform.AnswerOpen(Fixture("closed.fchk"));
    coeff.ImportCoeffsfromfch1.Click();
    EXPECT_EQ(coeff.StringGrid1.Cell(1, 0), "1_ao -2.05543200E+01");
    EXPECT_EQ(coeff.StringGrid1.Cell(0, 3), "O1_SP-PX");  // the labels stay

    // A checkpoint file of another basis does not fit: the tables stay.
    std::string other = ReadFile(Fixture("closed.fchk"));
    other.replace(other.find("I                7"), 17, "I                9");
    t.platform.AnswerOpen(t.write("other.fchk", other));
    EXPECT_FALSE(t.app.Dispatch([&] { coeff.ImportCoeffsfromfch1Click(); }));
    EXPECT_EQ(coeff.StringGrid1.Cell(1, 0), "1_ao -2.05543200E+01");

    const std::string log = coeff.Tables.file;
    t.platform.AnswerSave((t.dir / "sq.txt").string());
    coeff.SaveAOxAOvsMO.Click();
    EXPECT_EQ(t.platform.saveRequests.back().fileName, log.substr(0, log.size() - 4) + "_AOxAOvsMO.txt");
    auto lines = pdos_test::Lines(ReadFile(t.dir / "sq.txt"));
    EXPECT_EQ(lines[0], "Alpha MO Coefficients");
    EXPECT_TRUE(lines[4].starts_with("O1_SP-S\t"));
}

TEST(PdosDiagrams, ClosedShellVerticalLabelsAlternateBesideTheRightEdge) {
    TestApp t;
    LoadTables(t, "closed.log");
    auto& pdos = t.app.form15;
    AddToSet(t, 1, {1, 2, 3, 4, 5, 6, 7});
    pdos.ComputePDOSClick();
    const auto& v = t.app.form16.PaintBox1.Canvas();
    // MO 4 (even) 7 pixels and MO 5 (odd) 31 pixels from the density maximum at x = 0.
    for (const auto& op : v.Texts()) {
        if (op.text == "*4") {
            EXPECT_EQ(op.x1, 7);
        }
        if (op.text == "*5") {
            EXPECT_EQ(op.x1, 31);
        }
    }
    EXPECT_TRUE(HasText(v, "*4"));
    EXPECT_TRUE(HasText(v, "*5"));
    // Marker lines are horizontal, from the right edge to the left.
    auto markers = LinesIn(v, mavrolin::pdos::kMoMarkerColor);
    ASSERT_FALSE(markers.empty());
    EXPECT_EQ(markers[0].y1, markers[0].y2);
    EXPECT_EQ(markers[0].x1, t.app.form16.PaintBox1.Width());
    EXPECT_EQ(markers[0].x2, 0);

    // Unchecking "Show MO Number" removes the markers and every label.
    pdos.MODisp.SetChecked(false);
    pdos.RedrawDiagramClick();
    EXPECT_TRUE(LinesIn(v, mavrolin::pdos::kMoMarkerColor).empty());
    EXPECT_TRUE(v.Texts().empty());
}

TEST(CoefficientHandOver, TheScanFillsTheGridsAndTheDiagramCommandOpensBothWindows) {
    TestApp t;
    auto& coeff = t.app.form14;
    auto scan = [&](const std::string& fixture) {
        t.platform.AnswerOpen(t.write(fixture, ReadFile(Fixture(fixture))));
        return t.app.Dispatch([&] { t.app.form1.OpenLOG1Click(); });
    };
    ASSERT_TRUE(scan("closed.log"));
    EXPECT_EQ(coeff.StringGrid1.RowCount(), 9);
    EXPECT_EQ(coeff.StringGrid1.ColCount(), 8);
    EXPECT_EQ(coeff.StringGrid1.Cell(1, 0), "1_ao  -20.55432");
    EXPECT_EQ(coeff.StringGrid1.Cell(0, 8), "Squares_Sum");
    EXPECT_FALSE(coeff.StringGrid2.Visible());
    AddToSet(t, 1, {1});

    // Open shell: both tables, and the sets of the closed-shell run are emptied.
    ASSERT_TRUE(scan("open.log"));
    EXPECT_TRUE(coeff.StringGrid2.Visible());
    EXPECT_FALSE(coeff.StringGrid2.Cell(1, 0).empty());
    EXPECT_EQ(t.app.form15.StringGrid1.Cell(0, 1), "");

    // Default population output: the printed orbitals are loaded and the user is told.
    const size_t before = t.platform.messages.size();
    scan("regular.log");
    EXPECT_EQ(coeff.Tables.nbasis, 13);
    bool told = false;
    for (size_t i = before; i < t.platform.messages.size(); ++i)
        told = told || t.platform.messages[i].text.find("Pop=Full") != std::string::npos;
    EXPECT_TRUE(told);

    auto& pdos = t.app.form15;
    t.platform.monitor = {1600, 900};
    t.app.form7.MOCoefficients1.Click();
    EXPECT_TRUE(coeff.Visible());
    EXPECT_TRUE(pdos.Visible());
    EXPECT_EQ(coeff.Left(), 0);
    EXPECT_EQ(pdos.Top(), 900 - pdos.Height());
    EXPECT_EQ(pdos.StringGrid1.Cell(9, 0), "PDOS-10");
}

// The coefficient and PDOS windows follow each scan: curves computed from one log's tables
// are dropped when another log's tables arrive, and the windows are hidden when a log
// brings none; each status line names the log its data came from.
TEST(CoefficientHandOver, WindowsFollowEveryScan) {
    TestApp t;
    auto scan = [&t](const std::string& log) {
        t.platform.AnswerOpen(log);
        return t.app.Dispatch([&] { t.app.form1.OpenLOG1Click(); });
    };
    const std::string closed = t.write("closed.log", ReadFile(Fixture("closed.log")));
    const std::string open = t.write("open.log", ReadFile(Fixture("open.log")));
    ASSERT_TRUE(scan(closed));
    auto& coeff = t.app.form14;
    auto& pdos = t.app.form15;
    for (ui::Form* f : {static_cast<ui::Form*>(&coeff), static_cast<ui::Form*>(&pdos)}) f->Show();
    pdos.CaptionSets();
    AddToSet(t, 1, {1, 2});
    pdos.ComputePDOSClick();
    ASSERT_EQ(pdos.ComputedLog(), closed);
    t.app.form16.Show();
    EXPECT_EQ(t.app.form16.Status.Text(), "Log: " + closed);

    ASSERT_TRUE(scan(open));
    EXPECT_EQ(coeff.Tables.file, open);
    EXPECT_TRUE(coeff.Visible());
    EXPECT_EQ(coeff.Status.Text(), "Log: " + open);
    EXPECT_TRUE(pdos.Visible());
    EXPECT_EQ(pdos.ComputedLog(), "");
    EXPECT_TRUE(pdos.PaintBox1.Canvas().Ops().empty());
    EXPECT_FALSE(t.app.form16.Visible());
    t.platform.AnswerSave((t.dir / "stale.png").string());
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form16.SavePicture1Click(); }));

    ASSERT_TRUE(scan(TestApp::data("profile/water_opt.log")));  // prints no orbitals
    EXPECT_FALSE(coeff.Visible());
    EXPECT_FALSE(pdos.Visible());
}

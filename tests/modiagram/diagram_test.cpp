// The MO level diagram on the recording canvas and the settings window's reactions.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/number_text.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::TestApp;
using ui::DrawOp;

namespace {

// Fills the MO table directly, one vector per column (header first).
void Fill(TestApp& t, const std::vector<std::vector<std::string>>& columns, std::vector<std::string> files = {}) {
    auto& g = t.app.form6.StringGrid1;
    size_t rows = 0;
    for (const auto& c : columns) rows = std::max(rows, c.size());
    g.SetColCount(static_cast<int>(columns.size()));
    g.SetRowCount(static_cast<int>(rows));
    for (size_t c = 0; c < columns.size(); ++c)
        for (size_t r = 0; r < columns[c].size(); ++r) g.SetCell(static_cast<int>(c), static_cast<int>(r), columns[c][r]);
    t.app.form6.RecountSets();
    for (size_t k = 0; k < files.size(); ++k) t.app.log.FileMem[k + 1] = files[k];
}

// Paint box of w x h pixels, hartree as display unit (so cells read as they are drawn).
void Prepare(TestApp& t, int w = 400, int h = 300) {
    t.app.form7.PaintBox1.SetBounds(0, 0, w, h);
    t.app.form8.Energy_Unit.SetValue(2);
}

// Level lines of a colour (the blue range bracket stands left of every slot).
std::vector<DrawOp> LinesOf(const TestApp& t, ui::Color color) {
    std::vector<DrawOp> out;
    for (const auto& op : t.app.form7.PaintBox1.Canvas().Lines())
        if (op.pen.color == color && op.x1 > t.app.form7.fx(0)) out.push_back(op);
    return out;
}

std::vector<std::string> TextsOf(const TestApp& t) {
    std::vector<std::string> out;
    for (const auto& op : t.app.form7.PaintBox1.Canvas().Texts()) out.push_back(op.text);
    return out;
}

constexpr ui::Color kAlphaOcc = 16711680, kAlphaVirt = 16711935, kBetaOcc = 32768, kBetaVirt = 255;

}  // namespace

TEST(MoDiagram, ThreeClosedShellSetsInSlotsOfFour) {
    TestApp t;
    Prepare(t);
    Fill(t, {{"Alpha", "ao  -1.0", "av  1.0"}, {"Alpha", "ao  -2.0", "av  0.5"}, {"Alpha", "ao  -0.5", "av  2.0"}});
    t.app.form6.ViewMOClick();
    auto& f = t.app.form7;
    EXPECT_DOUBLE_EQ(f.Frame().x.dmax, 12);
    EXPECT_DOUBLE_EQ(f.Frame().x.gmin, -0.3);
    EXPECT_DOUBLE_EQ(f.Frame().x.gmax, 12.18);
    EXPECT_EQ(t.app.form8.Disp_ymin.Text(), "-2");
    EXPECT_EQ(t.app.form8.Disp_ymax.Text(), "2");
    auto occ = LinesOf(t, kAlphaOcc);
    ASSERT_EQ(occ.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(occ[static_cast<size_t>(k)].x1, f.fx(4 * k + 1));
        EXPECT_EQ(occ[static_cast<size_t>(k)].x2, f.fx(4 * k + 3));
    }
    EXPECT_EQ(occ[1].y1, f.fy(-2.0));
    EXPECT_EQ(LinesOf(t, kAlphaVirt).size(), 3u);
    EXPECT_EQ(TextsOf(t), (std::vector<std::string>{"2 hartree", "-2 hartree"}));

    // Levels outside the boxes are left out; the labels show the boxes as they are.
    t.app.form8.Disp_ymin.SetText("-1.5");
    t.app.form8.Disp_ymax.SetText("1.2");
    t.app.form8.ReDrawClick();
    EXPECT_EQ(LinesOf(t, kAlphaOcc).size(), 2u);
    EXPECT_EQ(LinesOf(t, kAlphaVirt).size(), 2u);
    EXPECT_EQ(TextsOf(t), (std::vector<std::string>{"1.2 hartree", "-1.5 hartree"}));
}

TEST(MoDiagram, OpenShellSetInEachOverlayMode) {
    struct Case {
        int overlay;
        int alpha1, alpha2, beta1, beta2;
        const char* shown;
        ui::Color back;
    };
    for (auto c : {Case{2, 1, 5, 3, 7, "ON(Shift)", 0x008000}, Case{1, 1, 7, 1, 7, "ON(Simple)", ui::kBlue},
                   Case{0, 1, 7, 9, 15, "OFF", ui::kRed}}) {
        TestApp t;
        Prepare(t);
        Fill(t, {{"Alpha", "ao  -1.0", "av  1.0"}, {"Beta", "bo  -0.9", "bv  1.1"}});
        t.app.form8.MODiv.SetValue(8);
        t.app.form8.Overlay_SW.SetValue(c.overlay);
        t.app.form6.ViewMOClick();
        auto& f = t.app.form7;
        EXPECT_EQ(t.app.form8.OverlayMode.Text(), c.shown);
        EXPECT_EQ(t.app.form8.OverlayMode.BackColor(), c.back);
        auto a = LinesOf(t, kAlphaOcc), b = LinesOf(t, kBetaOcc);
        ASSERT_EQ(a.size(), 1u);
        ASSERT_EQ(b.size(), 1u);
        EXPECT_EQ(a[0].x1, f.fx(c.alpha1)) << c.overlay;
        EXPECT_EQ(a[0].x2, f.fx(c.alpha2)) << c.overlay;
        EXPECT_EQ(b[0].x1, f.fx(c.beta1)) << c.overlay;
        EXPECT_EQ(b[0].x2, f.fx(c.beta2)) << c.overlay;
        EXPECT_EQ(LinesOf(t, kBetaVirt).size(), 1u);
    }
}

TEST(MoDiagram, OverlayNeedsABetaColumn) {
    TestApp t;
    Prepare(t);
    Fill(t, {{"Alpha", "ao  -1.0"}});
    t.app.form8.Overlay_SW.SetValue(2);
    EXPECT_EQ(t.app.form8.Overlay_SW.Value(), 0);
    EXPECT_EQ(t.app.form8.OverlayMode.Text(), "OFF");
}

TEST(MoDiagram, WideLevelsStackUpwardAndLabelsRise) {
    TestApp t;
    Prepare(t);
    Fill(t, {{"Alpha", "ao  -10.1893245", "av  1.5"}});
    t.app.form8.LineWidthOcc.SetValue(3);
    t.app.form8.LineStyleOcc.SetValue(2);
    t.app.form8.Energy_SW.SetValue(1);
    EXPECT_EQ(t.app.form8.MOEnergyDisp.Text(), "ON");
    EXPECT_EQ(t.app.form8.LineStyleOccEdit.Text(), "Dotted");
    t.app.form6.ViewMOClick();
    auto& f = t.app.form7;
    const int y = f.fy(-10.1893245);
    auto occ = LinesOf(t, kAlphaOcc);
    ASSERT_EQ(occ.size(), 3u);
    for (int w = 0; w < 3; ++w) {
        EXPECT_EQ(occ[static_cast<size_t>(w)].y1, y - w);
        EXPECT_EQ(occ[static_cast<size_t>(w)].pen.style, ui::psDot);
        EXPECT_EQ(occ[static_cast<size_t>(w)].pen.width, 1);
    }
    const auto texts = f.PaintBox1.Canvas().Texts();
    auto label = std::find_if(texts.begin(), texts.end(), [](const DrawOp& op) { return op.text == "-10.1893"; });
    ASSERT_NE(label, texts.end());
    EXPECT_EQ(label->y1, y - 13 - 2);  // Round(1.6 * 8) and two more for the width
    EXPECT_EQ(label->font.color, kAlphaOcc);
    t.app.form8.NDigits.SetValue(4);
    EXPECT_NE(std::find(TextsOf(t).begin(), TextsOf(t).end(), "-10."), TextsOf(t).end());
}

TEST(MoDiagram, FileNamesOnlyOverAlphaColumnsWithVisibleLevels) {
    TestApp t;
    Prepare(t);
    Fill(t, {{"Alpha", "ao  -1.0"}, {"Alpha", "ao  -5.0"}, {"Beta", "bo  -5.0"}},
         {"/runs/first.log", "/runs/second.log"});
    t.app.form8.FileName_SW.SetValue(1);
    t.app.form6.ViewMOClick();
    t.app.form8.Disp_ymin.SetText("-2");
    t.app.form8.ReDrawClick();
    auto texts = TextsOf(t);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "first.log"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "second.log"), 0);
}

TEST(MoDiagram, KeepsItsOwnRangesWhateverOtherWindowsDraw) {
    TestApp t;
    Prepare(t);
    Fill(t, {{"Alpha", "ao  -1.0", "av  1.0"}});
    t.app.form6.ViewMOClick();
    const auto before = t.app.form7.PaintBox1.Canvas().Lines();
    auto& log = t.app.log;
    log.gxmin = 50, log.gxmax = 51, log.gymin = -1e6, log.gymax = 3, log.gwidth = 7, log.gheight = 9;
    t.app.form7.FormResize();
    const auto after = t.app.form7.PaintBox1.Canvas().Lines();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i].x1, before[i].x1);
}

TEST(MoDiagram, FlatRangeAndNoRangeYetStillDraw) {
    TestApp t;
    Prepare(t, 200, 100);
    Fill(t, {{"Alpha", "ao  -1.0"}});
    t.app.form8.Disp_ymin.SetText("-1");
    t.app.form8.Disp_ymax.SetText("-1");  // typed before any range was computed
    t.app.form7.DrawMODiagramsClick();
    auto occ = LinesOf(t, kAlphaOcc);
    ASSERT_EQ(occ.size(), 1u);
    EXPECT_EQ(occ[0].y1, 50);
    EXPECT_EQ(occ[0].x1, t.app.form7.fx(1));
    EXPECT_GT(occ[0].x2, occ[0].x1);
}

TEST(MoSettingsWindow, RangeBoxesFollowTheUnit) {
    TestApp t;
    Fill(t, {{"Alpha", "ao  -1.0", "av  0.2"}});
    t.app.form6.ViewMOClick();
    auto& s = t.app.form8;
    s.Disp_ymin.SetText("-20");
    s.Disp_ymax.SetText("5");
    s.Energy_Unit.SetValue(3);
    EXPECT_EQ(s.EnUnitEdit.Text(), "kcal/mol");
    EXPECT_NEAR(core::ParseDouble(s.Disp_ymin.Text()), -461.21111, 1e-5);
    EXPECT_NEAR(core::ParseDouble(s.Disp_ymax.Text()), 115.30278, 1e-5);
    s.Energy_Unit.SetValue(1);
    EXPECT_EQ(s.Disp_ymin.Text(), "-20");
    EXPECT_EQ(s.Disp_ymax.Text(), "5");
    t.app.form6.InitializeAll1Click();  // no table: the boxes still change unit only once
    s.Disp_ymin.SetText("-1");
    s.Disp_ymax.SetText("1");
    s.Energy_Unit.SetValue(2);
    s.Energy_Unit.SetValue(1);
    EXPECT_EQ(s.Disp_ymax.Text(), "1");
}

TEST(MoSettingsWindow, RestoreDefaultAndColourBoxes) {
    TestApp t;
    auto& s = t.app.form8;
    EXPECT_EQ(s.NDigits.Value(), 8);
    t.platform.AnswerColor(0x00FFFF);
    s.AlphaOccColorClick();
    EXPECT_EQ(s.AlphaOccColor.Text(), "65535");
    EXPECT_EQ(s.AlphaOccColor.BackColor(), 0x00FFFFu);
    s.MODiv.SetValue(9);
    s.Energy_SW.SetValue(1);
    s.RestoreDefaltSettingsClick();
    EXPECT_EQ(s.NDigits.Value(), 10);
    EXPECT_EQ(s.MODiv.Value(), 4);
    EXPECT_EQ(s.AlphaOccColor.Text(), "16711680");
    EXPECT_EQ(s.MOEnergyDisp.Text(), "OFF");
    EXPECT_EQ(s.MOEnergyDisp.BackColor(), ui::kRed);
}

TEST(MoSettingsWindow, SettingsFileSavedAndReadAtFirstViewMO) {
    TestApp t;
    Fill(t, {{"Alpha", "ao  -1.0"}});
    auto& s = t.app.form8;
    t.app.form6.ViewMOClick();  // no default file yet
    EXPECT_EQ(t.platform.MessageTexts().back(),
              "The file missing: " + (t.dir / "moview_graphics.inf").string());
    EXPECT_FALSE(t.app.log.read_moview_setting_chk);

    s.LineWidthVirt.SetValue(4);
    s.MODiv.SetValue(12);
    s.Energy_Unit.SetValue(4);
    t.platform.AnswerSave((t.dir / "moview_graphics.inf").string());
    s.SaveSettings1Click();
    EXPECT_EQ(t.platform.saveRequests.back().initialDir, t.dir.path().string());

    TestApp other;  // a new session whose start directory holds that file
    std::filesystem::copy_file(t.dir / "moview_graphics.inf", other.dir / "moview_graphics.inf");
    Fill(other, {{"Alpha", "ao  -1.0"}});
    other.app.form6.ViewMOClick();
    EXPECT_TRUE(other.app.log.read_moview_setting_chk);
    EXPECT_EQ(other.app.form8.LineWidthVirt.Value(), 4);
    EXPECT_EQ(other.app.form8.MODiv.Value(), 12);
    EXPECT_EQ(other.app.form8.EnUnitEdit.Text(), "kJ/mol");
    EXPECT_DOUBLE_EQ(other.app.form7.Frame().x.dmax, 12);
}

TEST(MoDiagramWindow, SheetAndPictureThroughTheMenu) {
    TestApp t;
    Prepare(t);
    Fill(t, {{"Alpha", "ao  -1.0", "av  1.0"}, {"Beta", "bv  0.5", "bv  1"}}, {"/runs/h.log"});
    t.app.form8.Overlay_SW.SetValue(2);
    t.app.form8.MODiv.SetValue(8);
    t.app.form6.ViewMOClick();
    const auto sheet = t.dir / "sheet.txt";
    t.platform.AnswerSave(sheet.string());
    ASSERT_TRUE(t.app.form7.SaveExcelSheet1.Click());
    EXPECT_EQ(ReadFile(sheet), "/runs/h.log\tAlpha\t1\t-1\t1\r\n  \tAlpha\t5\t-1\t1\r\n"
                               "  \tBeta\t3\t  \t  \t0.5\t1\r\n  \tBeta\t7\t  \t  \t0.5\t1\r\n");
    std::string written;
    t.platform.pictureWriter = [&written](const ui::RecordingCanvas&, int w, int h, const std::string& path) {
        written = path + " " + std::to_string(w) + "x" + std::to_string(h);
    };
    t.platform.AnswerSave((t.dir / "mo.svg").string());
    ASSERT_TRUE(t.app.form7.SavePicture1.Click());
    EXPECT_EQ(written, (t.dir / "mo.svg").string() + " 400x300");
}

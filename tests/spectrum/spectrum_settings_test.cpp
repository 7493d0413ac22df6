// The spectrum settings window: range Apply buttons, the settings file round trip,
// clamping and bad lines, the first-opening file and "Restore Default".
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "spectrum/spectrum_settings_file.h"
#include "spectrum_test_support.h"

using spectrum_test::HasMessage;
using spectrum_test::Scan;
using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

// The settings file of a fresh window with the values of some lines replaced and the
// labels misspelt (only the text from the 41st character counts), cut after `lines`.
std::string SettingsText(const std::map<int, std::string>& values, int lines = 48) {
    TestApp fresh;
    const auto path = (fresh.dir.path() / "defaults.inf").string();
    fresh.platform.AnswerSave(path);
    fresh.app.form10.SaveSettings1Click();
    std::istringstream in(ReadFile(path));
    std::string text, line;
    std::getline(in, line);
    text = "Title: hand-written\r\n";
    for (int n = 1; n <= lines && std::getline(in, line); ++n) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto it = values.find(n);
        std::string label = "misspelt label " + std::to_string(n);
        label.resize(40, ' ');
        text += label + (it == values.end() ? line.substr(40) : it->second) + "\r\n";
    }
    return text;
}

}  // namespace

TEST(SpectrumSettings, ApplyButtonsConvertAndRefuseBoundsOfZero) {
    TestApp t;
    auto& s = t.app.form10;
    s.EV_Max.SetText("12");
    s.ApplyEVMaxClick();
    EXPECT_EQ(s.NM_Min.Text(), "103.3");
    EXPECT_EQ(s.kayser_max.Caption(), "Maximum Wavenumber (cm-1) = 96786.43");

    s.NM_Min.SetText("0");
    s.ApplyNMMinClick();
    EXPECT_TRUE(HasMessage(t, "Zero should be avoided!"));
    EXPECT_EQ(s.NM_Min.Text(), "10");
    EXPECT_EQ(s.EV_Max.Text(), "123.984329");
    EXPECT_EQ(s.kayser_max.Caption(), "Maximum Wavenumber (cm-1) = 1000000");

    // The upper energy and wavelength bounds of 0 would divide by zero: the last good text returns.
    s.EV_Max.SetText("0");
    s.ApplyEVMaxClick();
    EXPECT_EQ(s.EV_Max.Text(), "123.984329");
    s.NM_Max.SetText("-5");
    s.ApplyNMMaxClick();
    EXPECT_EQ(s.NM_Max.Text(), "1240");
    EXPECT_EQ(s.EV_Min.Text(), "0.999874");
}

TEST(SpectrumSettings, ReactionsOfTheSpinEdits) {
    TestApp t;
    auto& s = t.app.form10;
    s.SigmaValue.SetValue(0);
    EXPECT_EQ(s.SigmaValue.Value(), 10);
    EXPECT_EQ(s.SigmaText.Text(), "0.01");
    s.XUnit.SetValue(3);
    EXPECT_EQ(s.XUnitText.Text(), "cm-1");
    s.LineStyleFrm.SetValue(3);
    EXPECT_EQ(s.LineStyleFrmEdit.Text(), "DashDot");
    s.Monochro_SW.SetValue(1);
    EXPECT_EQ(s.MonochroDisp.Text(), "ON");
    EXPECT_EQ(s.MonochroDisp.BackColor(), 65280u);
    s.fthreshold.SetValue(25);
    EXPECT_EQ(s.f_threstext.Text(), "0.0025");
}

TEST(SpectrumSettings, SavedFileRestoresEverySetting) {
    TestApp t;
    auto& s = t.app.form10;
    s.SpecPoints.SetValue(500);
    s.SigmaValue.SetValue(150);
    s.XUnit.SetValue(2);
    s.XaxisAuto_SW.SetValue(0);
    s.EV_Min.SetText("2.5");
    mavrolin::TForm10::SetColor(s.linecolor(3), 12345);
    mavrolin::TForm10::SetColor(s.linecolorfrm, 255);
    s.LineWidthFrm.SetValue(4);
    s.PaintBoxFontStyle.SetText("Italic");
    s.Monochro_SW.SetValue(1);
    const auto path = (t.dir.path() / "mine.inf").string();
    t.platform.AnswerSave(path);
    s.SaveSettings1Click();

    std::istringstream in(ReadFile(path));
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines[0], "Title: Created on 2026/12/09 12:00:00\r");
    EXPECT_EQ(lines[1], "Number of spectral data points          500\r");
    EXPECT_EQ(lines[12], "Line Color  #3                          12345\r");
    EXPECT_EQ(lines[20], "Line Color #11                          32768\r");
    EXPECT_EQ(lines[41], "Display Trnasition Energies (ON/OFF)    0\r");
    EXPECT_EQ(lines[49], "--------------------------------------------     end of settings\r");

    s.RestoreDefault1Click();
    EXPECT_EQ(s.SpecPoints.Value(), 300);
    EXPECT_EQ(s.linecolor(3).Text(), "8404992");
    EXPECT_EQ(s.EV_Max.Text(), "9.8");
    s.ReadSettings(path);
    EXPECT_EQ(s.SpecPoints.Value(), 500);
    EXPECT_EQ(s.SigmaValue.Value(), 150);
    EXPECT_EQ(s.XUnitText.Text(), "nm");
    EXPECT_EQ(s.XaxisAuto_SW.Value(), 0);
    EXPECT_EQ(s.EV_Min.Text(), "2.5");
    EXPECT_EQ(s.linecolor(3).Text(), "12345");
    EXPECT_EQ(s.linecolor(3).BackColor(), 12345u);
    EXPECT_EQ(s.linecolor(11).Text(), "32768");
    EXPECT_EQ(s.linecolorfrm.Text(), "255");
    EXPECT_EQ(s.LineWidthFrm.Value(), 4);
    EXPECT_EQ(s.PaintBoxFontStyle.Text(), "Italic");
    EXPECT_EQ(s.Monochro_SW.Value(), 1);
    EXPECT_TRUE(t.platform.MessageTexts().empty());
}

TEST(SpectrumSettings, OutOfRangeValuesAreClampedAndBadLinesReportedByNumber) {
    TestApp t;
    auto& s = t.app.form10;
    auto path = t.write("bad.inf", SettingsText({{1, "50"}, {2, "0"}, {3, "abc"}, {6, "0"}, {10, "blue"},
                                                 {44, "99"}, {45, "Courier"}},
                                                45));
    s.ReadSettings(path);
    EXPECT_EQ(s.SpecPoints.Value(), 100);
    EXPECT_EQ(s.SigmaValue.Value(), 10);
    EXPECT_EQ(s.ScaleFactor.Value(), 90);  // kept
    EXPECT_EQ(s.EV_Max.Text(), "12");      // a bound of 0 is refused
    EXPECT_EQ(s.linecolor(1).Text(), "16711680");
    EXPECT_EQ(s.FrameFontSize.Value(), 20);
    EXPECT_EQ(s.PaintBox_Font.Text(), "Courier");
    EXPECT_EQ(s.PaintBoxFontStyle.Text(), "Bold");  // past the end of the short file
    EXPECT_TRUE(HasMessage(t, "has no valid value on line 3, 6, 10"));
}

TEST(SpectrumSettings, TheStartDirectoryFileIsReadAtTheFirstOpening) {
    TestApp t;
    t.write("tddft_graphics.inf", SettingsText({{1, "400"}, {4, "2"}, {44, "12"}}));
    ASSERT_TRUE(Scan(t, "td_closed.log"));
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.SpectraTDDFTResults1Click(); }));
    EXPECT_TRUE(t.app.log.read_tddft_setting_chk);
    EXPECT_EQ(t.app.form10.SpecPoints.Value(), 400);
    EXPECT_EQ(t.app.form9.Frame().unit, 2);
    EXPECT_EQ(t.app.log.calc2.size(), 400u);
}

TEST(SpectrumSettingsFile, LabelsAreFortyCharacters) {
    for (int n = 1; n <= mavrolin::spectrum::kSettingLines; ++n)
        EXPECT_EQ(mavrolin::spectrum::SettingLabel(n).size(), 40u) << n;
    EXPECT_EQ(mavrolin::spectrum::SettingLabel(19), "Line Color #10                          ");
}

TEST(SpectrumSettings, ColourAndFontDialogs) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_closed.log"));
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.SpectraTDDFTResults1Click(); }));
    auto& s = t.app.form10;
    t.platform.AnswerColor(std::nullopt);  // cancelled: nothing changes
    s.linecolor(2).Click();
    EXPECT_EQ(s.linecolor(2).Text(), "16711935");
    t.platform.AnswerColor(4227327);
    s.linecolor(2).Click();
    EXPECT_EQ(s.linecolor(2).Text(), "4227327");
    EXPECT_EQ(s.linecolor(2).BackColor(), 4227327u);
    bool recoloured = false;  // state 1 takes Line Color #2
    for (const auto& op : t.app.form9.PaintBox1.Canvas().Lines()) recoloured |= op.pen.color == 4227327u;
    EXPECT_TRUE(recoloured);

    ui::FontSpec chosen;
    chosen.name = "Courier New";
    chosen.size = 11;
    chosen.bold = chosen.italic = true;
    t.platform.AnswerFont(chosen);
    s.PaintBox_Font.Click();
    EXPECT_EQ(s.PaintBox_Font.Text(), "Courier New");
    EXPECT_EQ(s.FrameFontSize.Value(), 11);
    EXPECT_EQ(s.PaintBoxFontStyle.Text(), "Bold+Italic");
    const auto last = t.app.form9.PaintBox1.Canvas().Texts().back();
    EXPECT_EQ(last.font.name, "Courier New");
    EXPECT_TRUE(last.font.bold && last.font.italic);
}

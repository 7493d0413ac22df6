// The spectrum window driven as a user would: opening, zoom, double-click, Ctrl-click
// contributions, the saved spectrum and its own range.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "core/loaded_log.h"
#include "core/number_text.h"
#include "spectrum/excited_states.h"
#include "spectrum/spectrum_calc.h"
#include "spectrum/zoom_drag.h"
#include "spectrum_test_support.h"

using mavrolin::Application;
using spectrum_test::HasMessage;
using spectrum_test::Scan;
using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

// States put straight into the record, as the import would leave them.
void LoadStates(Application& app, const std::vector<double>& ev, const std::vector<double>& f) {
    auto& log = app.log;
    const int n = static_cast<int>(ev.size());
    log.nexstt = n;
    for (auto* v : {&log.nm, &log.kz, &log.en_ev, &log.f}) core::SizeArray(*v, n, 10);
    core::SizeArray(log.exctd_pos, n);
    core::SizeArray(log.nci_coeff, n);
    for (int i = 1; i <= n; ++i) {
        const auto u = static_cast<size_t>(i);
        log.en_ev[u] = ev[u - 1];
        log.nm[u] = mavrolin::spectrum::kHcEvNm / ev[u - 1];
        log.kz[u] = ev[u - 1] * mavrolin::spectrum::kCmPerEv;
        log.f[u] = f[u - 1];
    }
}

ui::MouseEvent Mouse(int x, int y, bool shift = false, bool ctrl = false,
                     ui::MouseButton b = ui::MouseButton::Left) {
    ui::MouseEvent e;
    e.x = x, e.y = y, e.shift = shift, e.ctrl = ctrl, e.button = b;
    return e;
}

std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(path));
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

struct Opened {
    TestApp t;
    mavrolin::TForm9& form = t.app.form9;
    mavrolin::TForm10& settings = t.app.form10;
    explicit Opened(const std::string& fixture) {
        EXPECT_TRUE(Scan(t, fixture));
        EXPECT_TRUE(t.app.Dispatch([this] { t.app.form1.SpectraTDDFTResults1Click(); }));
    }
};

}  // namespace

TEST(SpectrumWindow, OpeningWithoutStatesOrSettingsFile) {
    TestApp t;
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form1.SpectraTDDFTResults1Click(); }));
    EXPECT_TRUE(HasMessage(t, "Excited states computed not found!"));
    EXPECT_FALSE(t.app.form9.Visible());

    ASSERT_TRUE(Scan(t, "td_closed.log"));
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.SpectraTDDFTResults1Click(); }));
    EXPECT_TRUE(HasMessage(t, "The file missing: " + (t.dir.path() / "tddft_graphics.inf").string()));
    EXPECT_FALSE(t.app.log.read_tddft_setting_chk);
    EXPECT_TRUE(t.app.form9.Visible());
    EXPECT_FALSE(t.app.form9.PaintBox1.Canvas().Ops().empty());
}

TEST(SpectrumWindow, ShiftDragZoomsAndDoubleClickRestores) {
    Opened o("td_closed.log");
    auto& form = o.form;
    const auto before = form.Frame();
    ASSERT_TRUE(before.valid);
    form.PaintBox1MouseDown(Mouse(300, 200, true));
    form.PaintBox1MouseMove(Mouse(400, 300, true));
    form.PaintBox1MouseMove(Mouse(500, 400, true));
    int band = 0;
    for (const auto& op : form.PaintBox1.Canvas().Lines()) band += op.pen.color == 32896;
    EXPECT_EQ(band, 8);  // two rubber-band rectangles of four edges
    // Each 200-pixel step pauses Round(sqrt(10) * 1.9947 * (sqrt(200) + 5)) ms.
    EXPECT_EQ(std::count(o.t.platform.events.begin(), o.t.platform.events.end(), "pause 121"), 2);
    form.PaintBox1MouseUp(Mouse(500, 400, true));

    EXPECT_EQ(o.settings.XaxisAuto_SW.Value(), 0);
    EXPECT_EQ(o.settings.YaxisAuto_SW.Value(), 0);
    const auto after = form.Frame();
    const double pixel = (before.plot.x.gmax - before.plot.x.gmin) / before.plot.gwidth;
    EXPECT_NEAR(after.plot.x.dmax, before.GetX(300), 3 * pixel);
    EXPECT_NEAR(after.plot.x.dmin, before.GetX(500), 3 * pixel);
    EXPECT_LT(after.plot.x.dmax - after.plot.x.dmin, before.plot.x.dmax - before.plot.x.dmin);
    EXPECT_NEAR(after.plot.y.dmax, before.GetY(200), 3 * (before.plot.y.gmax - before.plot.y.gmin) / before.plot.gheight);

    form.PaintBox1DblClick();
    EXPECT_EQ(o.settings.XaxisAuto_SW.Value(), 1);
    EXPECT_EQ(o.settings.YaxisAuto_SW.Value(), 1);
    EXPECT_EQ(o.settings.Disp_ymax.Text(), "");
    EXPECT_DOUBLE_EQ(form.Frame().plot.x.dmin, before.plot.x.dmin);
    EXPECT_DOUBLE_EQ(form.Frame().plot.y.dmax, before.plot.y.dmax);
}

TEST(SpectrumWindow, DragsThatSpanNothingOrGoBackwardsZoomNothing) {
    struct Case {
        const char* name;
        int x1, y1;
    };
    const Case cases[] = {{"only sideways", 500, 200}, {"only down", 300, 400}, {"one pixel high", 500, 201},
                          {"up and left", 100, 50}};
    for (const auto& c : cases) {
        Opened o("td_closed.log");
        o.form.PaintBox1MouseDown(Mouse(300, 200, true));
        o.form.PaintBox1MouseMove(Mouse(c.x1, c.y1, true));
        o.form.PaintBox1MouseUp(Mouse(c.x1, c.y1, true));
        EXPECT_EQ(o.settings.XaxisAuto_SW.Value(), 1) << c.name;
        EXPECT_TRUE(o.form.DrawSpecClick()) << c.name;
        EXPECT_EQ(o.form.zoom.preX, -100) << c.name;
    }
}

TEST(SpectrumWindow, CtrlClickShowsTheContributionsOfTheNearestTransition) {
    Opened o("td_closed.log");
    auto& log = o.t.app.log;
    auto& c = o.t.app.form12;
    const int x = o.form.GetXPoint(1);
    o.form.PaintBox1MouseDown(Mouse(x + 3, 300, false, true));
    ASSERT_TRUE(c.Visible());
    ASSERT_EQ(c.StringGrid1.RowCount(), 4);
    EXPECT_EQ(c.Height(), 131);
    EXPECT_EQ(c.StringGrid1.Cell(0, 0), core::FloatText(log.en_ev[1]) + " eV  f=0.05");
    EXPECT_EQ(c.StringGrid1.Cell(0, 1), "MO5 -> MO6: 0.68000 (92.61%)");
    EXPECT_EQ(c.StringGrid1.Cell(0, 2), "MO5 -> MO7: -0.15000 (4.506%)");
    c.Copy1Click();
    EXPECT_EQ(o.t.platform.clipboard, c.StringGrid1.Cell(0, 0) + "\n" + c.StringGrid1.Cell(0, 1) + "\n" +
                                          c.StringGrid1.Cell(0, 2) + "\n" + c.StringGrid1.Cell(0, 3));
    // Five pixels away is too far: the window goes.
    o.form.PaintBox1MouseDown(Mouse(x + 5, 300, false, true));
    EXPECT_FALSE(c.Visible());
}

TEST(SpectrumWindow, YAutoOffCopiesTheLastRangeAndSavedSpectrumIsTheWorkedExample) {
    TestApp t;
    LoadStates(t.app, {3.0}, {0.5});
    t.app.log.tddft_file = (t.dir.path() / "job.log").string();
    ASSERT_TRUE(t.app.form9.DrawSpecClick());
    t.app.form10.YaxisAuto_SW.SetValue(0);
    EXPECT_EQ(t.app.form10.Disp_ymax.Text(), "0.525");
    EXPECT_EQ(t.app.form10.Disp_ymin.Text(), "0");
    t.app.form10.YaxisAuto_SW.SetValue(1);

    // Another window drawing in between writes the shared range; the saved file keeps this one.
    t.app.log.dxmin = 1;
    t.app.log.dxmax = 13;
    t.app.log.gxmin = 0;
    const auto out = (t.dir.path() / "job.log.calcd.txt").string();
    t.platform.AnswerSave(out);
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form9.SaveCalculatedSpectrum1Click(); }));
    EXPECT_EQ(t.platform.saveRequests.back().fileName, out);
    auto lines = FileLines(out);
    const size_t summary = static_cast<size_t>(t.app.form4.StringGrid3.RowCount() - 1);
    ASSERT_EQ(lines.size(), 11u + 1 + 300 + 1 + 1 + summary + 3);
    EXPECT_EQ(lines[0], "File Name: " + t.app.log.tddft_file);
    EXPECT_EQ(lines[2], "Sigma value used to calculate: 0.2");
    EXPECT_EQ(lines[11], "Transition Energy (eV)\tAbsorption Intensity");
    EXPECT_EQ(lines[12], "    2.3930\t    0.00500000");
    EXPECT_TRUE(lines[311].starts_with("    3.6070\t"));
    EXPECT_EQ(lines[312], std::string(55, '-'));

    t.app.form10.XUnit.SetValue(3);
    t.platform.AnswerSave(out);
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form9.SaveCalculatedSpectrum1Click(); }));
    lines = FileLines(out);
    EXPECT_EQ(lines[11], "Wavenumber (cm-1)\tAbsorption Intensity");
    EXPECT_TRUE(lines[12].starts_with("   19301.1\t")) << lines[12];
}

TEST(SpectrumWindow, AllDarkStatesDrawNothingAndSaveNothing) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "td_dark.log"));
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form1.SpectraTDDFTResults1Click(); }));
    EXPECT_TRUE(HasMessage(t, "Error termination!!"));
    EXPECT_FALSE(t.app.form9.Frame().valid);
    EXPECT_TRUE(t.app.form9.PaintBox1.Canvas().Ops().empty());
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form9.SaveCalculatedSpectrum1Click(); }));
    EXPECT_TRUE(t.platform.saveRequests.empty());
}

TEST(SpectrumWindow, StaysFastWhileASpinEditIsHeld) {
    Opened o("td_closed.log");
    // Forty steps of a held spin edit: each one redraws, none leaves stale drawing behind.
    for (int v = 201; v <= 240; ++v) o.settings.SigmaValue.SetValue(v);
    EXPECT_EQ(o.settings.SigmaText.Text(), "0.24");
    EXPECT_DOUBLE_EQ(o.t.app.log.sigma, 0.24);
    EXPECT_EQ(o.form.PaintBox1.Canvas().Texts().back().font.size, 14);
}

// Each rubber-band step pauses Round(sqrt(10) * scaling * (sqrt(step) + 5)) ms, the first
// step measured from the press; a band so narrow that the pause would freeze the window is
// held to the cap.
TEST(SpectrumWindow, RubberBandPausesFollowTheStepAndTheBandWidth) {
    const int cap = mavrolin::spectrum::kMaxRubberBandPauseMs;
    struct Case {
        int sigma, x1, y2, first, second;  // sigma in meV; moves to (x1, 200), then (x1, y2)
    } const cases[] = {{200, 316, 216, 57, 57}, {200, 301, 200, 38, 32}, {1, 316, 200, cap, cap}};
    for (const auto& c : cases) {
        Opened o("td_closed.log");
        o.settings.SigmaValue.SetValue(c.sigma);
        o.form.PaintBox1MouseDown(Mouse(300, 200, true));
        o.t.platform.events.clear();
        o.form.PaintBox1MouseMove(Mouse(c.x1, 200, true));
        o.form.PaintBox1MouseMove(Mouse(c.x1, c.y2, true));
        EXPECT_EQ(o.t.platform.events, (std::vector<std::string>{"pause " + std::to_string(c.first),
                                                                 "pause " + std::to_string(c.second)})) << c.sigma;
    }
    EXPECT_EQ(mavrolin::spectrum::WaitTime(10, 16, 0), 0);  // nothing drawn yet
}

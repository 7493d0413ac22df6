#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>

#include "core/errors.h"
#include "optprofile/profile_window.h"
#include "support/test_app.h"

using mavrolin::ProfileValueText;
using testing_support::ReadFile;
using testing_support::TestApp;
using ui::DrawOp;

namespace {

constexpr ui::Color kPurple = 0x800080;

// The values a log scan leaves for the window, set directly.
struct Profile {
    std::vector<double> energies;
    std::vector<std::array<double, 5>> steps;  // max force, RMS force, max displ., RMS displ., predicted change
    std::array<double, 4> thresholds{0.00045, 0.0003, 0.0018, 0.0012};
};

void Load(TestApp& t, const Profile& p) {
    auto& l = t.app.log;
    l.ndone = static_cast<int>(p.energies.size());
    core::SizeArray(l.scfengy, l.ndone);
    for (size_t i = 0; i < p.energies.size(); ++i) l.scfengy[i + 1] = p.energies[i];
    l.pick_energy_check = true;
    l.nforce2 = static_cast<int>(p.steps.size());
    std::vector<double>* arrays[] = {&l.maxfrce, &l.rmsfrce, &l.maxdisp, &l.rmsdisp, &l.prdcten};
    for (int k = 0; k < 5; ++k) {
        core::SizeArray(*arrays[k], l.nforce2);
        for (size_t i = 0; i < p.steps.size(); ++i) (*arrays[k])[i + 1] = p.steps[i][static_cast<size_t>(k)];
    }
    l.maxf_thres = p.thresholds[0];
    l.rmsf_thres = p.thresholds[1];
    l.maxd_thres = p.thresholds[2];
    l.rmsd_thres = p.thresholds[3];
}

// Opens the window and gives its paint box the size w x h.
mavrolin::TForm2& OpenAt(TestApp& t, int w, int h) {
    t.app.form1.SCFEnergies1Click();
    auto& f = t.app.form2;
    f.SetBounds(f.Left(), f.Top(), w, h + 65);
    return f;
}

// Five energies from -100 to -104 and three steps of powers of ten.
Profile Simple() {
    return {{-100, -101, -102, -103, -104},
            {{1e-1, 1e-2, 1e-1, 1e-2, 1e-2}, {1e-2, 1e-3, 1e-2, 1e-3, 1e-3}, {1e-3, 1e-4, 1e-3, 1e-4, 1e-5}},
            {1e-3, 1e-3, 1e-2, 1e-2}};
}

std::vector<std::array<int, 4>> LinesOf(const std::vector<DrawOp>& ops, ui::Color color, int style = ui::psSolid) {
    std::vector<std::array<int, 4>> out;
    for (const auto& op : ops)
        if (op.kind == DrawOp::Line && op.pen.color == color && op.pen.style == style)
            out.push_back({op.x1, op.y1, op.x2, op.y2});
    return out;
}

const DrawOp* TextOp(const std::vector<DrawOp>& ops, const std::string& text) {
    for (const auto& op : ops)
        if (op.kind == DrawOp::Text && op.text == text) return &op;
    return nullptr;
}

}  // namespace

TEST(ProfileWindow, OpeningRefusals) {
    TestApp t;
    Load(t, {{-76.0}, {}});
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.SCFEnergies1Click(); }));
    EXPECT_EQ(t.platform.MessageTexts().back(),
              "Graphic representaion does not make sense for only 1 cycle of SCF treatment");

    const std::string refusal =
        "You do not have appropriate data loaded for this mode!! Before this, energy changes should be picked up "
        "from the Log file!";
    Load(t, Simple());
    t.app.log.pick_energy_check = false;
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.SCFEnergies1Click(); }));
    EXPECT_EQ(t.platform.MessageTexts().back(), refusal);

    // Reading a final orientation clears what the scan picked up.
    t.app.log.pick_energy_check = true;
    t.platform.AnswerOpen(TestApp::data("profile/water_opt.log"));
    t.app.form1.GetLastStdOrient1Click();
    EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.SCFEnergies1Click(); }));
    EXPECT_EQ(t.platform.MessageTexts().back(), refusal);
    EXPECT_FALSE(t.app.form2.Visible());
    EXPECT_TRUE(t.app.form2.PaintBox1.Canvas().Ops().empty());
}

TEST(ProfileWindow, OpeningSizesTheWindowFromTheMonitorAndSelectsTheMiddleStep) {
    TestApp t;
    Load(t, Simple());
    t.app.form1.SetBounds(100, 50, 800, 500);
    t.platform.monitor = {1920, 1080};
    ASSERT_TRUE(t.app.form1.SCFEnergies1.Click());
    auto& f = t.app.form2;
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.Top(), 50);
    EXPECT_EQ(f.Left(), 100 + 182);
    EXPECT_EQ(f.Height(), 1026);
    EXPECT_EQ(f.Width(), 1638);
    EXPECT_EQ(f.SpinEdit1.MinValue(), 1);
    EXPECT_EQ(f.SpinEdit1.MaxValue(), 5);
    EXPECT_EQ(f.SpinEdit1.Value(), 2);
    // Layout: the paint box under the 25-pixel strip, the controls in the 65 pixels below it.
    EXPECT_EQ(f.PaintBox1.Top(), 25);
    EXPECT_EQ(f.PaintBox1.Width(), 1638);
    EXPECT_EQ(f.PaintBox1.Height(), 1026 - 65);
    const int ph = f.PaintBox1.Height();
    EXPECT_EQ(f.Button1.Top(), ph + 15);
    EXPECT_EQ(f.SpinEdit1.Top(), ph + 17);
    EXPECT_EQ(f.Label5.Top(), ph + 20);
    EXPECT_EQ(f.Label5.Caption(), "1");
    EXPECT_EQ(f.Label6.Caption(), "5");
    EXPECT_EQ(f.Label6.Left(), 1638 - f.Label6.Width() - 8);
    EXPECT_EQ(f.SpinEdit1.Left(), 8 + f.Label5.Width() + 15);
    EXPECT_EQ(f.Button1.Left(), f.SpinEdit1.Left() + f.SpinEdit1.Width() + 5);
    EXPECT_EQ(t.app.log.gwidth, 1638);
    EXPECT_EQ(t.app.log.gheight, ph);
}

TEST(ProfileWindow, EnergyPanelSpansTheLowerHalf) {
    TestApp t;
    Load(t, Simple());
    auto& f = OpenAt(t, 1000, 600);
    f.SpinEdit1.SetValue(3);
    const auto& l = t.app.log;
    EXPECT_DOUBLE_EQ(l.gxmin, 1 - 0.015 * 4);
    EXPECT_DOUBLE_EQ(l.gxmax, 5 + 0.015 * 4);
    EXPECT_DOUBLE_EQ(l.gymin, -104 - 0.025 * 4);
    EXPECT_DOUBLE_EQ(l.gymax, -100 + 0.025 * 4);
    // fx(1, 1) = Round(1000 * 0.06 / 4.12) = 15; fy(1, -104) = 600 - Round(600 * 0.1 / 4.2 / 2) = 593.
    EXPECT_EQ(f.fx(1, 1), 15);
    EXPECT_EQ(f.fx(1, 5), 985);
    EXPECT_EQ(f.fy(1, -104), 593);
    EXPECT_EQ(f.fy(1, -100), 307);
    EXPECT_EQ(f.fx(4, 1), 0);
    EXPECT_EQ(f.fy(0, 1), 0);

    const auto ops = f.PaintBox1.Canvas().Ops();
    // The erase of the lower half comes first.
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops[0].kind, DrawOp::Rect);
    EXPECT_EQ((std::array<int, 4>{ops[0].x1, ops[0].y1, ops[0].x2, ops[0].y2}), (std::array<int, 4>{0, 600, 1000, 300}));
    EXPECT_EQ(ops[0].pen.color, ui::kWhite);

    auto blue = LinesOf(ops, ui::kBlue);
    ASSERT_GE(blue.size(), 8u);
    // The frame, then the four segments between the five points.
    EXPECT_EQ(blue[0], (std::array<int, 4>{15, 593, 15, 307}));
    EXPECT_EQ(blue[1], (std::array<int, 4>{15, 307, 985, 307}));
    EXPECT_EQ(blue[3], (std::array<int, 4>{985, 593, 15, 593}));
    EXPECT_EQ(blue[4], (std::array<int, 4>{15, 307, f.fx(1, 2), f.fy(1, -101)}));
    EXPECT_EQ(blue[7], (std::array<int, 4>{f.fx(1, 4), f.fy(1, -103), 985, 593}));

    int circles = 0;
    for (const auto& op : ops)
        if (op.kind == DrawOp::Ellipse && op.pen.color == ui::kRed && op.y1 >= 300) {
            ++circles;
            EXPECT_EQ(op.x2 - op.x1, 6);
            EXPECT_EQ(op.brush.color, mavrolin::TForm2::kWindowColor);
        }
    EXPECT_EQ(circles, 5);

    auto green = LinesOf(ops, ui::kGreen);  // the marker, then the maximum displacement series
    ASSERT_EQ(green.size(), 3u);
    EXPECT_EQ(green.front(), (std::array<int, 4>{f.fx(1, 3), 593, f.fx(1, 3), 307}));

    auto* title = TextOp(ops, "SCF Energy (hartree)");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->x1, 25);
    EXPECT_EQ(title->y1, 593 - 25);
    EXPECT_EQ(title->font.color, ui::kBlue);
    auto* first = TextOp(ops, "-100 (#1)");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->x1, 35);
    EXPECT_EQ(first->y1, 312);
    auto* last = TextOp(ops, "-104 (#5)");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->x1, 985 - 140);
    EXPECT_EQ(last->font.color, ui::kBlack);
}

TEST(ProfileWindow, ForcePanelUsesLogarithmsAndThresholds) {
    TestApp t;
    Load(t, Simple());
    auto& f = OpenAt(t, 1000, 600);
    const auto& l = t.app.log;
    EXPECT_DOUBLE_EQ(l.dy2min, -4);
    EXPECT_DOUBLE_EQ(l.dy2max, -1);
    EXPECT_DOUBLE_EQ(l.gx2min, 1 - 0.03 * 2);
    EXPECT_DOUBLE_EQ(l.gx2max, 3 + 0.04 * 2);
    EXPECT_DOUBLE_EQ(l.gy2min, -4 - 20 * 3.0 / (300 - 20));
    EXPECT_DOUBLE_EQ(l.gy2max, -1 + 0.014 * 3);
    // fx(2, 1) = Round(1000 * 0.06 / 2.14 / 2) = 14; the right panel starts at half the width.
    EXPECT_EQ(f.fx(2, 1), 14);
    EXPECT_EQ(f.fx(2, 3), 481);
    EXPECT_EQ(f.fx(3, 1), 514);

    const auto ops = f.PaintBox1.Canvas().Ops();
    // Each series is a line through its points in its colour, then a dotted threshold line.
    const ui::Color colors[] = {ui::kBlue, ui::kRed, ui::kGreen, kPurple};
    const double thresholds[] = {1e-3, 1e-3, 1e-2, 1e-2};
    for (int k = 0; k < 4; ++k) {
        auto dotted = LinesOf(ops, colors[k], ui::psDot);
        ASSERT_EQ(dotted.size(), 1u) << k;
        int y = f.fy(2, std::log10(thresholds[k]));
        EXPECT_EQ(dotted[0], (std::array<int, 4>{14, y, 481, y})) << k;
    }
    auto red = LinesOf(ops, ui::kRed);
    ASSERT_EQ(red.size(), 2u);  // the RMS force: 1e-2, 1e-3, 1e-4
    EXPECT_EQ(red[0], (std::array<int, 4>{14, f.fy(2, -2), f.fx(2, 2), f.fy(2, -3)}));
    EXPECT_EQ(red[1], (std::array<int, 4>{f.fx(2, 2), f.fy(2, -3), 481, f.fy(2, -4)}));

    const struct {
        const char* text;
        int dx;
        ui::Color color;
    } legend[] = {{"MaxForce", 10, ui::kBlue}, {"RmsForce", 90, ui::kRed}, {"MaxDispl", 175, ui::kGreen},
                  {"RmsDispl", 250, kPurple}};
    for (const auto& item : legend) {
        auto* op = TextOp(ops, item.text);
        ASSERT_TRUE(op) << item.text;
        EXPECT_EQ(op->x1, 14 + item.dx);
        EXPECT_EQ(op->y1, f.fy(2, -4) - 20);
        EXPECT_EQ(op->font.color, item.color);
    }
    EXPECT_EQ(f.Label2.Caption(), "-1 in log (#3)");
    EXPECT_EQ(f.Label2.Left(), 14);
    EXPECT_EQ(f.Label2.Top(), 4);
    auto* low = TextOp(ops, "-4 in log");
    ASSERT_TRUE(low);
    EXPECT_EQ(low->x1, 14);
    EXPECT_EQ(low->y1, f.fy(2, -4) + 3);

    // The energy-change panel: prdcten alone, 1e-2 .. 1e-5.
    EXPECT_DOUBLE_EQ(l.dy3min, -5);
    EXPECT_DOUBLE_EQ(l.dy3max, -2);
    EXPECT_EQ(f.Label4.Caption(), "-2 in log (#3)");
    EXPECT_EQ(f.Label4.Left(), 514);
    auto* change = TextOp(ops, "Expected Change in E");
    ASSERT_TRUE(change);
    EXPECT_EQ(change->x1, 524);
    EXPECT_EQ(change->y1, f.fy(3, -5) - 23);
    EXPECT_NE(TextOp(ops, "-5 in log"), nullptr);
}

TEST(ProfileWindow, LowerMarginOfTheUpperPanelsIsTwentyPixels) {
    for (int h : {240, 600, 1000, 1600}) {
        TestApp t;
        Load(t, Simple());
        auto& f = OpenAt(t, 900, h);
        const auto& l = t.app.log;
        double conv = (l.dy2max - l.dy2min) / (h / 2.0 - 20);
        EXPECT_DOUBLE_EQ(l.gy2min, l.dy2min - 20 * conv) << h;
        EXPECT_NEAR(f.fy(2, l.dy2min), h / 2 - 20, 1) << h;
        EXPECT_NEAR(f.fy(3, l.dy3min), h / 2 - 20, 1) << h;
        // The upper margin is 1.4 % of the span.
        EXPECT_DOUBLE_EQ(l.gy3max, l.dy3max + 0.014 * (l.dy3max - l.dy3min)) << h;
    }
}

TEST(ProfileWindow, LabelsRoundToFourDecimals) {
    EXPECT_EQ(ProfileValueText(-1234.567849), "-1234.5678");
    EXPECT_EQ(ProfileValueText(-76.0), "-76");
    EXPECT_EQ(ProfileValueText(-76.40849), "-76.4085");
    EXPECT_EQ(ProfileValueText(-2.30103), "-2.301");

    TestApp t;
    Load(t, {{-1234.567849, -1234.60001}, {}});
    auto& f = OpenAt(t, 800, 500);
    EXPECT_NE(TextOp(f.PaintBox1.Canvas().Ops(), "-1234.5678 (#1)"), nullptr);
    EXPECT_NE(TextOp(f.PaintBox1.Canvas().Ops(), "-1234.6 (#2)"), nullptr);
}

TEST(ProfileWindow, SpinEditMovesOnlyTheGreenLine) {
    TestApp t;
    Load(t, Simple());
    auto& f = OpenAt(t, 1000, 600);
    f.SpinEdit1.SetValue(1);
    const auto before = f.PaintBox1.Canvas().Ops();
    f.SpinEdit1.SetValue(4);
    const auto after = f.PaintBox1.Canvas().Ops();
    ASSERT_EQ(before.size(), after.size());
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        const auto &a = before[i], &b = after[i];
        bool same = a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
                    a.text == b.text && a.pen == b.pen && a.font == b.font;
        if (same) continue;
        ++changed;
        EXPECT_EQ(b.kind, DrawOp::Line);
        EXPECT_EQ(b.pen.color, ui::kGreen);
        EXPECT_EQ(a.x1, f.fx(1, 1));
        EXPECT_EQ(b.x1, f.fx(1, 4));
        EXPECT_EQ(b.x2, b.x1);
    }
    EXPECT_EQ(changed, 1);
    // A value outside the steps is clamped by the spin edit.
    f.SpinEdit1.SetValue(99);
    EXPECT_EQ(LinesOf(f.PaintBox1.Canvas().Ops(), ui::kGreen).front()[0], f.fx(1, 5));
    // A click on the plot redraws the same picture.
    f.PaintBox1.OnMouseDown(ui::MouseEvent{});
    EXPECT_EQ(f.PaintBox1.Canvas().Ops().size(), after.size());
}

TEST(ProfileWindow, WithoutConvergenceTablesOnlyTheEnergyPanelIsDrawn) {
    TestApp t;
    Load(t, Simple());
    auto& f = OpenAt(t, 1000, 600);
    ASSERT_EQ(f.Label2.Caption(), "-1 in log (#3)");
    Profile p = Simple();
    p.steps.clear();
    Load(t, p);
    f.Button2Click();
    const auto ops = f.PaintBox1.Canvas().Ops();
    for (const auto& op : ops) EXPECT_GE(std::max(op.y1, op.y2), 300) << op.kind << " " << op.text;
    EXPECT_EQ(TextOp(ops, "MaxForce"), nullptr);
    EXPECT_EQ(f.Label2.Caption(), "-1 in log (#3)");  // keeps its previous text
}

TEST(ProfileWindow, ZeroSpansAreDrawnWithAUnitSpan) {
    TestApp t;
    // Two equal energies and one convergence step (a cut optimisation): the upper panels open by a unit.
    Load(t, {{-76.0, -76.0}, {{1e-3, 1e-3, 1e-3, 1e-3, 1e-3}}, {1e-3, 1e-3, 1e-3, 1e-3}});
    auto& f = OpenAt(t, 1000, 600);
    const auto& l = t.app.log;
    EXPECT_DOUBLE_EQ(l.gymin, -76.025);
    EXPECT_DOUBLE_EQ(l.gymax, -75.975);
    EXPECT_DOUBLE_EQ(l.gx2min, 0.47);
    EXPECT_DOUBLE_EQ(l.gx2max, 1.54);
    EXPECT_DOUBLE_EQ(l.dy3max - l.dy3min, 1);
    EXPECT_EQ(f.Label4.Caption(), "-3 in log (#1)");  // the value, not the opened edge
    EXPECT_EQ(f.fy(1, -76.0), 600 - 150);  // the middle of the lower half
    EXPECT_EQ(f.fx(2, 1), 248);            // the middle of the panel's data width
    EXPECT_GT(f.fy(2, -3), 0);  // inside the upper half
    EXPECT_LT(f.fy(2, -3), 300);
    for (const auto& op : f.PaintBox1.Canvas().Ops()) {
        EXPECT_TRUE(op.x1 >= 0 && op.x2 <= 1000 && op.y1 >= 0 && op.y2 <= 600) << op.kind << " " << op.text;
    }
    // A criterion without a logarithm (zero) is drawn on the lower data edge, not at infinity.
    t.app.log.prdcten[1] = 0;
    f.Button2Click();
    EXPECT_EQ(t.app.log.dy3min, -0.5);
    for (const auto& op : f.PaintBox1.Canvas().Ops()) EXPECT_LT(std::abs(op.y1), 10000);
}

TEST(ProfileWindow, CountsLargerThanTheArraysAreNotReadPastTheirEnd) {
    TestApp t;
    Load(t, Simple());
    auto& l = t.app.log;
    l.scfengy.resize(6);
    for (auto* v : {&l.maxfrce, &l.rmsfrce, &l.maxdisp, &l.rmsdisp, &l.prdcten}) v->resize(4);
    l.ndone = 50;
    l.nforce2 = 40;
    auto& f = OpenAt(t, 800, 500);
    EXPECT_DOUBLE_EQ(t.app.log.dxmax, 5);
    EXPECT_DOUBLE_EQ(t.app.log.dx2max, 3);
    EXPECT_FALSE(f.PaintBox1.Canvas().Ops().empty());
}

TEST(ProfileWindow, SaveCartesianForSelectedNumber) {
    TestApp t;
    auto log = (t.dir / "run.log").string();
    std::filesystem::copy_file(TestApp::data("profile/water_opt.log"), log);
    Load(t, Simple());
    t.app.log.FileDum = log;
    auto& grid = t.app.form1.StringGrid1;
    grid.SetColCount(11);
    grid.SetRowCount(6);
    const char* headers[] = {"37", "86", "0", "", "184"};
    for (int r = 1; r <= 5; ++r) grid.SetCell(3, r, headers[r - 1]);
    auto& f = OpenAt(t, 800, 500);

    f.SpinEdit1.SetValue(2);
    t.platform.events.clear();
    ASSERT_TRUE(f.SaveCartesian1.Click());
    EXPECT_EQ(ReadFile(log + "_opt_2.abc"),
              "O1     0.000000     -0.000000     0.000000\r\n"
              "H2     0.759130     -0.000000     0.603839\r\n"
              "H3     -0.759130     -0.000000     0.603839\r\n");
    EXPECT_EQ(f.StringGrid1.RowCount(), 4);
    EXPECT_EQ(f.StringGrid1.Cell(0, 0), "Label");
    EXPECT_EQ(f.StringGrid1.Cell(0, 3), "H3");
    EXPECT_EQ(t.app.log.ndata, 3);
    EXPECT_DOUBLE_EQ(t.app.log.c[2], 0.603839);
    EXPECT_TRUE(t.platform.messages.empty());
    EXPECT_TRUE(t.app.log.pick_energy_check);

    // The file is replaced without asking.
    testing_support::WriteFile(log + "_opt_5.abc", "old");
    f.SpinEdit1.SetValue(5);
    f.Button1.Click();
    EXPECT_EQ(ReadFile(log + "_opt_5.abc").substr(0, 4), "O1  ");

    // Step 3 has no orientation; step 4's cell is empty.
    f.SpinEdit1.SetValue(3);
    EXPECT_FALSE(t.app.Dispatch([&] { f.Button1Click(); }));
    EXPECT_EQ(t.platform.MessageTexts().back(),
              "Standard Orientation for this number could not be found! Please check the log file directly.");
    EXPECT_FALSE(std::filesystem::exists(log + "_opt_3.abc"));
    f.SpinEdit1.SetValue(4);
    EXPECT_FALSE(t.app.Dispatch([&] { f.Button1Click(); }));
    EXPECT_EQ(t.platform.MessageTexts().back(), "No optimisation steps in this log: step 4 has no orientation to save.");
    EXPECT_FALSE(std::filesystem::exists(log + "_opt_4.abc"));

    // A header past the end of the file is refused rather than half-read.
    grid.SetCell(3, 4, "100000");
    EXPECT_FALSE(t.app.Dispatch([&] { f.Button1Click(); }));
    EXPECT_FALSE(std::filesystem::exists(log + "_opt_4.abc"));
}

TEST(ProfileWindow, ShowCartesianExitAndMenu) {
    TestApp t;
    Load(t, Simple());
    auto& f = OpenAt(t, 800, 500);
    ASSERT_NE(f.Menu.Find("Save Cartesian for Selected Number"), nullptr);
    ASSERT_NE(f.Menu.Find("Save Picture\u2026"), nullptr);
    ASSERT_NE(f.Menu.Find("Exit"), nullptr);
    EXPECT_FALSE(f.StringGrid1.Visible());
    f.ShowCartesian1.Click();
    EXPECT_TRUE(f.StringGrid1.Visible());
    EXPECT_EQ(f.ShowCartesian1.Caption(), "Hide Cartesian");
    EXPECT_EQ(f.StringGrid1.Width(), f.ClientWidth());  // covers the plot
    f.ShowCartesian1.Click();
    EXPECT_FALSE(f.StringGrid1.Visible());
    EXPECT_EQ(f.ShowCartesian1.Caption(), "Show Cartesian");
    f.Menu.Find("Exit")->Click();
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.SpinEdit1.MaxValue(), 5);  // kept for the next opening
}

TEST(ProfileWindow, SavePictureWritesTheCurrentDrawing) {
    TestApp t;
    Load(t, Simple());
    t.app.log.FileDum = (t.dir / "run.log").string();
    auto& f = OpenAt(t, 1000, 600);
    int calls = 0;
    size_t ops = 0;
    t.platform.pictureWriter = [&](const ui::RecordingCanvas& c, int w, int h, const std::string& path) {
        ++calls;
        ops = c.Ops().size();
        EXPECT_EQ(w, 1000);
        EXPECT_EQ(h, 600);
        EXPECT_EQ(path, (t.dir / "p.svg").string());
    };
    t.platform.AnswerSave((t.dir / "p.svg").string());
    ASSERT_TRUE(f.SavePicture1.Click());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ops, f.PaintBox1.Canvas().Ops().size());
    EXPECT_EQ(t.platform.saveRequests.back().fileName, (t.dir / "run_profile.png").string());
    f.SavePicture1.Click();  // cancelled
    EXPECT_EQ(calls, 1);
}

TEST(ProfileWindow, AResizeRedrawsButNeverShowsAHiddenWindow) {
    TestApp t;
    Load(t, Simple());
    auto& f = t.app.form2;
    f.SetBounds(0, 0, 700, 465);
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.PaintBox1.Height(), 400);
    EXPECT_EQ(t.app.log.gheight, 400);
    EXPECT_FALSE(f.PaintBox1.Canvas().Ops().empty());
    f.SetBounds(0, 0, 50, 40);  // smaller than the control strip: nothing negative
    EXPECT_EQ(f.PaintBox1.Height(), 0);
}

TEST(ProfileWindow, KeepsItsOwnMappingWhenAnotherWindowOverwritesTheSharedRanges) {
    TestApp t;
    Load(t, Simple());
    auto& f = OpenAt(t, 1000, 600);
    const int x1 = f.fx(1, 1), y1 = f.fy(1, -104), x2 = f.fx(2, 1), x3 = f.fx(3, 1), y3 = f.fy(3, -5);
    // What the MO diagram leaves behind when it draws after the profile.
    auto& l = t.app.log;
    l.gxmin = -0.3;
    l.gxmax = 12.18;
    l.gymin = l.gymax = 7;
    l.gx2min = l.gx3max = 0;
    l.gwidth = 517;
    l.gheight = 771;
    EXPECT_EQ(f.fx(1, 1), x1);
    EXPECT_EQ(f.fy(1, -104), y1);
    EXPECT_EQ(f.fx(2, 1), x2);
    EXPECT_EQ(f.fx(3, 1), x3);
    EXPECT_EQ(f.fy(3, -5), y3);
    // Its next drawing publishes its own ranges again.
    f.Button2Click();
    EXPECT_DOUBLE_EQ(l.gxmin, 1 - 0.015 * 4);
    EXPECT_EQ(l.gwidth, 1000);
    EXPECT_EQ(l.gheight, 600);
}

#include "optprofile/profile_window.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "app/application.h"
#include "app/main_window.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "geometry/orientation.h"

namespace mavrolin {

namespace {

constexpr ui::Color kPurple = 0x800080;
constexpr int maru = 3;  // radius of the circle around a data point

// Values the window can draw: the counts, limited to what the arrays really hold.
int EnergyCount(const core::LoadedLog& log) {
    return std::max(0, std::min(log.ndone, static_cast<int>(log.scfengy.size()) - 1));
}

int StepCount(const core::LoadedLog& log) {
    int n = log.nforce2;
    for (const auto* v : {&log.maxfrce, &log.rmsfrce, &log.maxdisp, &log.rmsdisp, &log.prdcten})
        n = std::min(n, static_cast<int>(v->size()) - 1);
    return std::max(0, n);
}

// A span of zero (one step, all values equal) is taken as one unit, so every panel keeps
// a finite scale.
double Span(double lo, double hi) {
    double s = hi - lo;
    return s > 0 && std::isfinite(s) ? s : 1.0;
}

// Decimal logarithm of a plotted criterion; a value that has none (zero or negative) is NaN,
// left out of the ranges and drawn on the lower edge of the data.
double Lg(double v) { return v > 0 && std::isfinite(v) ? std::log10(v) : std::numeric_limits<double>::quiet_NaN(); }

struct Extent {
    double lo = 1e8, hi = -1e8;
    void Take(double v) {
        if (std::isnan(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    void Finish() {
        if (lo > hi) lo = hi = 0;  // nothing to take
    }
};

// Rounds a pixel position; positions far outside any screen are clamped first.
int Pixel(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(core::RoundHalfEven(std::clamp(v, -1e7, 1e7)));
}

}  // namespace

std::string ProfileValueText(double v) {
    return core::FloatText(static_cast<double>(core::RoundHalfEven(v * 10000)) / 10000);
}

TForm2::TForm2(Application& app)
    : ui::Form("Form2", "SCF Energy Change Profile during Opt (No chemical meaning!)"),
      PaintBox1(this, "PaintBox1"),
      SpinEdit1(this, "SpinEdit1"),
      Button1(this, "Button1"),
      Button2(this, "Button2"),
      Label2(this, "Label2"),
      Label4(this, "Label4"),
      Label5(this, "Label5"),
      Label6(this, "Label6"),
      StringGrid1(this, "StringGrid1"),
      app_(app) {
    SetBounds(0, 0, 1000, 700);
    PaintBox1.SetBounds(0, 25, 1000, 635);
    SpinEdit1.SetBounds(60, 652, 60, 22);
    Button1.SetBounds(125, 650, 230, 25);
    Button1.SetCaption("Save Cartesian for Selected Number");
    Button2.SetBounds(360, 652, 75, 25);
    Button2.SetCaption("Draw Graph");
    Button2.SetVisible(false);
    for (auto* l : {&Label2, &Label4, &Label5, &Label6}) l->SetBounds(8, 4, 0, 13);
    StringGrid1.SetVisible(false);
    StringGrid1.SetAlign(ui::Align::Client);
    StringGrid1.SetColCount(4);
    StringGrid1.SetRowCount(2);
    StringGrid1.SetFixedCols(0);
    StringGrid1.SetDefaultColWidth(96);

    Menu.Add(File1);
    File1.Add(SaveCartesian1);
    File1.Add(SavePicture1);
    File1.AddSeparator();
    File1.Add(Exit1);
    Menu.Add(ShowCartesian1);

    SaveCartesian1.OnClick = [this] { Button1Click(); };
    SavePicture1.OnClick = [this] { SavePicture1Click(); };
    Exit1.OnClick = [this] { Exit1Click(); };
    ShowCartesian1.OnClick = [this] { ShowCartesian1Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    SpinEdit1.OnChange = [this] { SpinEdit1Change(); };
    PaintBox1.OnMouseDown = [this](const ui::MouseEvent& e) { PaintBox1MouseDown(e); };
    OnResize = [this] { FormResize(); };
}

// ---------------------------------------------------------------- mapping

int TForm2::fx(int gg, double x) const {
    const auto& l = app_.log;
    switch (gg) {
        case 1: return Pixel(l.gwidth * (x - l.gxmin) / (l.gxmax - l.gxmin));
        case 2: return Pixel(l.gwidth * (x - l.gx2min) / (l.gx2max - l.gx2min) / 2);
        case 3: return Pixel(l.gwidth * (x - l.gx3min) / (l.gx3max - l.gx3min) / 2) + l.gwidth / 2;
        default: return 0;
    }
}

int TForm2::fy(int gg, double y) const {
    const auto& l = app_.log;
    switch (gg) {
        case 1: return l.gheight - Pixel(l.gheight * (y - l.gymin) / (l.gymax - l.gymin) / 2);
        case 2: return l.gheight / 2 - Pixel(l.gheight * (y - l.gy2min) / (l.gy2max - l.gy2min) / 2);
        case 3: return l.gheight / 2 - Pixel(l.gheight * (y - l.gy3min) / (l.gy3max - l.gy3min) / 2);
        default: return 0;
    }
}

// ---------------------------------------------------------------- drawing

void TForm2::Circle(int x, int y) {
    auto& cv = PaintBox1.Canvas();
    cv.Brush = {kWindowColor, ui::BrushStyle::Solid};
    cv.Ellipse(x - maru, y - maru, x + maru, y + maru);
}

void TForm2::SetLabel(ui::Label& label, const std::string& caption) {
    label.SetCaption(caption);
    // Labels size themselves to their text in the window font, with two blanks to spare
    // for the toolkit's own label margins.
    auto& cv = PaintBox1.Canvas();
    ui::FontSpec used = cv.Font;
    cv.Font = ui::FontSpec{};
    label.SetWidth(cv.TextWidth(caption + "  "));
    cv.Font = used;
}

void TForm2::Button2Click() {
    const int n = EnergyCount(app_.log);
    if (n < 1) return;  // nothing picked up: nothing to draw
    auto& cv = PaintBox1.Canvas();
    cv.Clear();  // every drawing is complete in itself; the record holds the current picture
    cv.Pen = ui::PenSpec{};
    cv.Brush = {kWindowColor, ui::BrushStyle::Solid};
    cv.Font = ui::FontSpec{};
    DrawEnergyPanel(n);
    const int steps = StepCount(app_.log);
    if (steps > 0) {
        DrawForcePanel(steps);
        DrawChangePanel(steps);
    }
    Refresh();
}

void TForm2::DrawEnergyPanel(int n) {
    auto& l = app_.log;
    auto& cv = PaintBox1.Canvas();
    l.dxmin = 1;
    l.dxmax = n;
    Extent e;
    for (int i = 1; i <= n; ++i) e.Take(l.scfengy[static_cast<size_t>(i)]);
    e.Finish();
    l.dymin = e.lo;
    l.dymax = e.hi;
    double xs = Span(l.dxmin, l.dxmax), ys = Span(l.dymin, l.dymax);
    l.gxmin = l.dxmin - 0.015 * xs;
    l.gxmax = l.dxmax + 0.015 * xs;
    l.gymin = l.dymin - 0.025 * ys;
    l.gymax = l.dymax + 0.025 * ys;
    SetLabel(Label5, core::FloatText(l.dxmin));
    SetLabel(Label6, core::FloatText(l.dxmax));
    l.gheight = PaintBox1.Height();
    l.gwidth = PaintBox1.Width();

    cv.Pen.color = ui::kWhite;
    cv.Brush = {kWindowColor, ui::BrushStyle::Solid};
    cv.Rectangle(fx(1, l.gxmin), fy(1, l.gymin), fx(1, l.gxmax), fy(1, l.gymax));

    cv.Font.color = ui::kBlue;
    cv.TextOut(fx(1, l.dxmin) + 10, fy(1, l.dymin) - 25, "SCF Energy (hartree)");
    cv.Font.color = ui::kBlack;
    cv.TextOut(fx(1, l.dxmin) + 20, fy(1, l.dymax) + 5, ProfileValueText(l.scfengy[1]) + " (#1)");
    cv.TextOut(fx(1, l.dxmax) - 140, fy(1, l.dymin) - 25,
               ProfileValueText(l.scfengy[static_cast<size_t>(n)]) + " (#" + core::IntText(l.ndone) + ")");

    cv.Pen.width = 1;
    cv.Pen.color = ui::kBlue;
    cv.MoveTo(fx(1, l.dxmin), fy(1, l.dymin));
    cv.LineTo(fx(1, l.dxmin), fy(1, l.dymax));
    cv.LineTo(fx(1, l.dxmax), fy(1, l.dymax));
    cv.LineTo(fx(1, l.dxmax), fy(1, l.dymin));
    cv.LineTo(fx(1, l.dxmin), fy(1, l.dymin));

    cv.MoveTo(fx(1, 1), fy(1, l.scfengy[1]));
    cv.Pen.color = ui::kRed;
    Circle(fx(1, 1), fy(1, l.scfengy[1]));
    for (int i = 2; i <= n; ++i) {
        int x = fx(1, i), y = fy(1, l.scfengy[static_cast<size_t>(i)]);
        cv.Pen.color = ui::kBlue;
        cv.LineTo(x, y);
        cv.Pen.color = ui::kRed;
        Circle(x, y);
    }

    cv.Pen.color = ui::kGreen;
    int marker = fx(1, SpinEdit1.Value());
    cv.MoveTo(marker, fy(1, l.dymin));
    cv.LineTo(marker, fy(1, l.dymax));
}

namespace {

// Ranges of an upper panel: x from 1 to the step count, y over the logarithms, with a lower
// margin of 20 pixels whatever the height of the paint box.
void UpperRanges(const Extent& e, int steps, int boxHeight, double& dxmin, double& dxmax, double& dymin,
                 double& dymax, double& gxmin, double& gxmax, double& gymin, double& gymax) {
    dxmin = 1;
    dxmax = steps;
    dymin = e.lo;
    dymax = e.hi;
    double xs = Span(dxmin, dxmax), ys = Span(dymin, dymax);
    gxmin = dxmin - 0.03 * xs;
    gxmax = dxmax + 0.04 * xs;
    double pixels = std::max(boxHeight / 2.0 - 20, 1.0);  // a box too small keeps a positive scale
    double conv_ratio = ys / pixels;                      // data units per pixel
    gymin = dymin - 20 * conv_ratio;
    gymax = dymax + 0.014 * ys;
}

}  // namespace

void TForm2::DrawForcePanel(int steps) {
    auto& l = app_.log;
    auto& cv = PaintBox1.Canvas();
    struct Series {
        const std::vector<double>& values;
        ui::Color color;
        double threshold;
    };
    const Series series[] = {{l.maxfrce, ui::kBlue, l.maxf_thres},
                             {l.rmsfrce, ui::kRed, l.rmsf_thres},
                             {l.maxdisp, ui::kGreen, l.maxd_thres},
                             {l.rmsdisp, kPurple, l.rmsd_thres}};
    Extent e;
    for (const auto& s : series) {
        for (int i = 1; i <= steps; ++i) e.Take(Lg(s.values[static_cast<size_t>(i)]));
        e.Take(Lg(s.threshold));
    }
    e.Finish();
    UpperRanges(e, steps, PaintBox1.Height(), l.dx2min, l.dx2max, l.dy2min, l.dy2max, l.gx2min, l.gx2max,
                l.gy2min, l.gy2max);
    auto y = [&](double v) {
        double g = Lg(v);
        return fy(2, std::isnan(g) ? l.dy2min : g);
    };

    cv.Pen.color = ui::kWhite;
    cv.Brush = {kWindowColor, ui::BrushStyle::Solid};
    cv.Rectangle(fx(2, l.gx2min), fy(2, l.gy2min), fx(2, l.gx2max), fy(2, l.gy2max));

    SetLabel(Label2, ProfileValueText(l.dy2max) + " in log (#" + core::IntText(l.nforce2) + ")");
    Label2.SetTop(4);
    Label2.SetLeft(fx(2, l.dx2min));
    cv.Font.color = ui::kBlack;
    cv.TextOut(fx(2, l.dx2min), fy(2, l.dy2min) + 3, ProfileValueText(l.dy2min) + " in log");

    const int ly = fy(2, l.dy2min) - 20, lx = fx(2, l.dx2min);
    const struct {
        const char* text;
        int dx;
        ui::Color color;
    } legend[] = {{"MaxForce", 10, ui::kBlue}, {"RmsForce", 90, ui::kRed}, {"MaxDispl", 175, ui::kGreen},
                  {"RmsDispl", 250, kPurple}};
    for (const auto& item : legend) {
        cv.Font.color = item.color;
        cv.TextOut(lx + item.dx, ly, item.text);
    }

    cv.Pen.width = 1;
    cv.Pen.color = ui::kBlue;
    cv.MoveTo(fx(2, l.dx2min), fy(2, l.dy2min));
    cv.LineTo(fx(2, l.dx2min), fy(2, l.dy2max));
    cv.LineTo(fx(2, l.dx2max), fy(2, l.dy2max));
    cv.LineTo(fx(2, l.dx2max), fy(2, l.dy2min));
    cv.LineTo(fx(2, l.dx2min), fy(2, l.dy2min));

    for (const auto& s : series) {
        cv.MoveTo(fx(2, 1), y(s.values[1]));
        cv.Pen.color = s.color;
        Circle(fx(2, 1), y(s.values[1]));
        for (int i = 2; i <= steps; ++i) {
            int px = fx(2, i), py = y(s.values[static_cast<size_t>(i)]);
            cv.LineTo(px, py);
            Circle(px, py);
        }
        cv.Pen.style = ui::psDot;
        int ty = y(s.threshold);
        cv.MoveTo(fx(2, l.dx2min), ty);
        cv.LineTo(fx(2, l.dx2max), ty);
        cv.Pen.style = ui::psSolid;
    }
}

void TForm2::DrawChangePanel(int steps) {
    auto& l = app_.log;
    auto& cv = PaintBox1.Canvas();
    Extent e;
    for (int i = 1; i <= steps; ++i) e.Take(Lg(l.prdcten[static_cast<size_t>(i)]));
    e.Finish();
    UpperRanges(e, steps, PaintBox1.Height(), l.dx3min, l.dx3max, l.dy3min, l.dy3max, l.gx3min, l.gx3max,
                l.gy3min, l.gy3max);
    auto y = [&](double v) {
        double g = Lg(v);
        return fy(3, std::isnan(g) ? l.dy3min : g);
    };

    cv.Pen.color = ui::kWhite;
    cv.Brush = {kWindowColor, ui::BrushStyle::Solid};
    cv.Rectangle(fx(3, l.gx3min), fy(3, l.gy3min), fx(3, l.gx3max), fy(3, l.gy3max));

    SetLabel(Label4, ProfileValueText(l.dy3max) + " in log (#" + core::IntText(l.nforce2) + ")");
    Label4.SetTop(4);
    Label4.SetLeft(fx(3, l.dx3min));
    cv.Font.color = ui::kBlack;
    cv.TextOut(fx(3, l.dx3min), fy(3, l.dy3min) + 3, ProfileValueText(l.dy3min) + " in log");

    cv.Pen.width = 1;
    cv.Pen.color = ui::kBlue;
    cv.MoveTo(fx(3, l.dx3min), fy(3, l.dy3min));
    cv.LineTo(fx(3, l.dx3min), fy(3, l.dy3max));
    cv.LineTo(fx(3, l.dx3max), fy(3, l.dy3max));
    cv.LineTo(fx(3, l.dx3max), fy(3, l.dy3min));
    cv.LineTo(fx(3, l.dx3min), fy(3, l.dy3min));
    cv.Font.color = ui::kBlue;
    cv.TextOut(fx(3, l.dx3min) + 10, fy(3, l.dy3min) - 23, "Expected Change in E");

    cv.MoveTo(fx(3, 1), y(l.prdcten[1]));
    cv.Pen.color = ui::kBlue;
    Circle(fx(3, 1), y(l.prdcten[1]));
    for (int i = 2; i <= steps; ++i) {
        int px = fx(3, i), py = y(l.prdcten[static_cast<size_t>(i)]);
        cv.LineTo(px, py);
        Circle(px, py);
    }
}

// ---------------------------------------------------------------- events

void TForm2::SpinEdit1Change() { Button2Click(); }

void TForm2::PaintBox1MouseDown(const ui::MouseEvent&) { Button2Click(); }

void TForm2::FormResize() {
    const int cw = ClientWidth();
    PaintBox1.SetBounds(0, 25, std::max(cw, 0), std::max(ClientHeight() - 65, 0));
    Label2.SetTop(4);
    Label2.SetLeft(fx(2, app_.log.dx2min));
    Label4.SetTop(4);
    Label4.SetLeft(fx(3, app_.log.dx3min));
    const int ph = PaintBox1.Height();
    Button1.SetTop(ph + 15);
    Button2.SetTop(ph + 17);
    SpinEdit1.SetTop(ph + 17);
    Label5.SetTop(ph + 20);
    Label6.SetTop(ph + 20);
    Label5.SetLeft(8);
    Label6.SetLeft(cw - Label6.Width() - 8);
    SpinEdit1.SetLeft(Label5.Left() + Label5.Width() + 15);
    Button1.SetLeft(SpinEdit1.Left() + SpinEdit1.Width() + 5);
    // A resize while hidden (the toolkit settling the frame) redraws but does not show the window.
    Button2Click();
    Refresh();
    Button2Click();
}

void TForm2::ShowCartesian1Click() {
    if (StringGrid1.Visible()) {
        StringGrid1.SetVisible(false);
        Refresh();
        ShowCartesian1.SetCaption("Show Cartesian");
        Button2Click();
    } else {
        StringGrid1.SetVisible(true);
        ShowCartesian1.SetCaption("Hide Cartesian");
    }
}

void TForm2::Exit1Click() { Hide(); }

void TForm2::Button1Click() {
    auto& log = app_.log;
    const int n = SpinEdit1.Value();
    const std::string& cell = app_.form1.StringGrid1.Cell(3, n);
    long long header = 0;
    if (!core::TryParseInt(cell, header))
        throw core::ConversionError("'" + cell + "' (orientation line of step " + core::IntText(n) +
                                    " in the SCF table) is not a valid integer value");
    if (header == 0) {
        app_.ShowMessagePos(
            "Standard Orientation for this number could not be found! Please check the log file directly.");
        app_.Fail();
        return;
    }
    auto block = geometry::BlockAtHeader(log.FileDum, header);
    app_.Pause(log.sleeptime);
    if (!block) {
        app_.ShowMessagePos("The orientation at line " + core::IntText(header) +
                            " is cut off by the end of the file and was not read.");
        app_.Fail();
        return;
    }
    auto atoms = geometry::ReadOrientationAtoms(log.FileDum, *block);
    app_.Pause(log.sleeptime);
    geometry::StoreAtoms(log, atoms);
    geometry::FillCoordinateGrid(StringGrid1, atoms);

    // The file sits next to the log and carries its full name: run.log gives run.log_opt_12.abc.
    core::TextWriter writer(log.FileDum + "_opt_" + core::IntText(n) + ".abc");
    for (int i = 1; i <= log.ndata; ++i)
        writer.WriteLine(StringGrid1.Cell(0, i) + "     " + StringGrid1.Cell(1, i) + "     " + StringGrid1.Cell(2, i) +
                         "     " + StringGrid1.Cell(3, i));
    writer.Close();
    app_.Pause(log.sleeptime);
}

void TForm2::SavePicture1Click() {
    const auto& log = app_.log;
    std::string stem = log.FileDum.empty() ? std::string("profile") : core::StemOf4(log.FileDum) + "_profile";
    auto chosen = app_.platform.SaveFileDialog(
        {"Save Picture", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo, stem + ".png",
         "PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf"});
    if (!chosen) return;
    Button2Click();
    app_.platform.SavePicture(PaintBox1.Canvas(), PaintBox1.Width(), PaintBox1.Height(), *chosen);
}

// ---------------------------------------------------------------- main-window command

void TForm1::SCFEnergies1Click() {
    auto& log = app_.log;
    auto& form = app_.form2;
    if (log.ndone == 1) {
        app_.ShowMessagePos("Graphic representaion does not make sense for only 1 cycle of SCF treatment");
        app_.Fail();
        return;
    }
    if (!log.pick_energy_check || EnergyCount(log) < 1) {
        app_.ShowMessagePos(
            "You do not have appropriate data loaded for this mode!! Before this, energy changes should be "
            "picked up from the Log file!");
        app_.Fail();
        return;
    }
    form.SpinEdit1.SetMaxValue(log.ndone);
    form.SpinEdit1.SetMinValue(1);
    form.SpinEdit1.SetValue(log.ndone / 2);
    form.Button2Click();
    auto monitor = app_.platform.MonitorSize(*this);
    form.SetBounds(Left() + static_cast<int>(core::RoundHalfEven(0.1 * (monitor.width - Left()))), Top(),
                   static_cast<int>(core::RoundHalfEven(0.9 * (monitor.width - Left()))),
                   static_cast<int>(core::RoundHalfEven(0.95 * monitor.height)));
    form.Refresh();
    form.Show();
    form.Button2Click();
}

}  // namespace mavrolin

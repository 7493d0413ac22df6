#include "optprofile/profile_window.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "app/application.h"
#include "app/figure_export.h"
#include "app/main_window.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "core/text_file.h"
#include "geometry/orientation_menu.h"
#include "optprofile/profile_figure.h"
#include "geometry/trajectory.h"

namespace mavrolin {

namespace {

constexpr ui::Color kPurple = 0x800080;
constexpr int maru = 3;  // radius of the circle around a data point

// Values the window can draw: the counts, limited to what the arrays really hold.
int EnergyCount(const core::LoadedLog& log) {
    return std::max(0, std::min(log.ndone, static_cast<int>(log.scfengy.size()) - 1));
}

// The main table holds the SCF steps of the scanned log (not coordinates read since).
bool HasSteps(const core::LoadedLog& log) { return log.pick_energy_check && log.ndone > 1 && EnergyCount(log) > 0; }

int StepCount(const core::LoadedLog& log) {
    int n = log.nforce2;
    for (const auto* v : {&log.maxfrce, &log.rmsfrce, &log.maxdisp, &log.rmsdisp, &log.prdcten})
        n = std::min(n, static_cast<int>(v->size()) - 1);
    return std::max(0, n);
}

// A panel of a single step (an optimisation cut after its first convergence table) or of
// equal values has data edges that coincide: they are opened by the one unit the axis
// takes for such a span, centred on the value, so the frame and its points keep a size.
void OpenZeroSpan(ui::Axis& a) {
    if (a.dmax - a.dmin > 0) return;
    const double half = a.Span() / 2;
    a.dmin -= half;
    a.dmax += half;
}

}  // namespace

std::string ProfileValueText(double v) { return ui::RoundedText(v * 10000, 10000); }

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
    File1.Add(SaveFigure1);
    File1.Add(SaveFigureData1);
    ConnectFigureItems(app_, SaveFigure1, SaveFigureData1,
                       {[this] {
                            const auto& f = app_.log.FileDum;
                            return f.empty() ? std::string("profile") : core::StemOf4(f) + "_profile";
                        },
                        {},
                        [this](const std::vector<std::string>&) -> std::optional<ui::fig::Figure> {
                            if (!HasSteps(app_.log)) {
                                app_.ShowMessagePos("The main table holds no SCF steps to draw: open a log first.");
                                return std::nullopt;
                            }
                            return optprofile::ProfileFigure(app_.log);
                        }});
    File1.Add(SaveTrajectory1);
    File1.AddSeparator();
    File1.Add(Exit1);
    Menu.Add(ShowCartesian1);

    SaveCartesian1.OnClick = [this] { Button1Click(); };
    SavePicture1.OnClick = [this] { SavePicture1Click(); };
    SaveTrajectory1.OnClick = [this] { SaveTrajectory1Click(); };
    Exit1.OnClick = [this] { Exit1Click(); };
    ShowCartesian1.OnClick = [this] { ShowCartesian1Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    SpinEdit1.OnChange = [this] { SpinEdit1Change(); };
    PaintBox1.OnMouseDown = [this](const ui::MouseEvent& e) { PaintBox1MouseDown(e); };
    OnResize = [this] { FormResize(); };

    force_.y.scale = change_.y.scale = ui::Scale::Log10;
}

// ---------------------------------------------------------------- mapping

const ui::PlotFrame* TForm2::Panel(int gg) const {
    switch (gg) {
        case 1: return &energy_;
        case 2: return &force_;
        case 3: return &change_;
        default: return nullptr;
    }
}

int TForm2::fx(int gg, double x) const {
    const auto* p = Panel(gg);
    return p ? p->fx(x) : 0;
}

int TForm2::fy(int gg, double y) const {
    const auto* p = Panel(gg);
    return p ? p->fy(y) : 0;
}

// The energy panel spans the full width and the lower half, the force/displacement panel the
// upper-left quarter and the energy-change panel the upper-right quarter.
void TForm2::PlaceFrames() {
    const int w = PaintBox1.Width(), h = PaintBox1.Height();
    for (auto* p : {&energy_, &force_, &change_}) p->Place(w, h);
    energy_.x.Increasing(0, w);
    energy_.y.Decreasing(h, h / 2.0);
    force_.x.Increasing(0, w / 2.0);
    change_.x.Increasing(w / 2, w / 2.0);
    for (auto* p : {&force_, &change_}) p->y.Decreasing(h / 2, h / 2.0);
}

// ---------------------------------------------------------------- drawing

// One plotted criterion: its values at steps 1 … count, its colour and, in the
// force/displacement panel, its convergence threshold.
struct TForm2::Series {
    const std::vector<double>* values;
    ui::Color color;
    std::optional<double> threshold;
};

// What tells the two upper panels apart.
struct TForm2::UpperPanel {
    std::vector<Series> series;
    ui::Label& label;                          // caption above the panel: the largest logarithm
    std::span<const ui::LegendEntry> legend;  // above the lower data edge
    const char* title;                         // above the lower data edge, or none
};

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
        auto& l = app_.log;
        const ui::LegendEntry legend[] = {{"MaxForce", 10, ui::kBlue},
                                          {"RmsForce", 90, ui::kRed},
                                          {"MaxDispl", 175, ui::kGreen},
                                          {"RmsDispl", 250, kPurple}};
        DrawUpperPanel(force_,
                       {{{&l.maxfrce, ui::kBlue, l.maxf_thres},
                         {&l.rmsfrce, ui::kRed, l.rmsf_thres},
                         {&l.maxdisp, ui::kGreen, l.maxd_thres},
                         {&l.rmsdisp, kPurple, l.rmsd_thres}},
                        Label2,
                        legend,
                        nullptr},
                       steps);
        force_.x.CopyTo(l.dx2min, l.dx2max, l.gx2min, l.gx2max);
        force_.y.CopyTo(l.dy2min, l.dy2max, l.gy2min, l.gy2max);
        DrawUpperPanel(change_, {{{&l.prdcten, ui::kBlue, std::nullopt}}, Label4, {}, "Expected Change in E"}, steps);
        change_.x.CopyTo(l.dx3min, l.dx3max, l.gx3min, l.gx3max);
        change_.y.CopyTo(l.dy3min, l.dy3max, l.gy3min, l.gy3max);
    }
    Refresh();
}

// Moves to the first point, then a line to each next one, every point circled.
void TForm2::DrawSeries(const ui::PlotFrame& p, const Series& s, int count, ui::Color lineColor) {
    auto& cv = PaintBox1.Canvas();
    const auto& v = *s.values;
    cv.MoveTo(p.fx(1), p.fyValue(v[1]));
    cv.Pen.color = s.color;
    Circle(p.fx(1), p.fyValue(v[1]));
    for (int i = 2; i <= count; ++i) {
        const int x = p.fx(i), y = p.fyValue(v[static_cast<size_t>(i)]);
        cv.Pen.color = lineColor;
        cv.LineTo(x, y);
        cv.Pen.color = s.color;
        Circle(x, y);
    }
}

void TForm2::DrawEnergyPanel(int n) {
    auto& l = app_.log;
    auto& cv = PaintBox1.Canvas();
    ui::Extent e;
    for (int i = 1; i <= n; ++i) e.Take(l.scfengy[static_cast<size_t>(i)]);
    energy_.x.dmin = 1;
    energy_.x.dmax = n;
    energy_.x.SetMargins(0.015, 0.015);
    energy_.y.SetData(e);
    energy_.y.SetMargins(0.025, 0.025);
    energy_.x.CopyTo(l.dxmin, l.dxmax, l.gxmin, l.gxmax);
    energy_.y.CopyTo(l.dymin, l.dymax, l.gymin, l.gymax);
    SetLabel(Label5, core::FloatText(energy_.x.dmin));
    SetLabel(Label6, core::FloatText(energy_.x.dmax));
    PlaceFrames();
    l.gheight = energy_.gheight;
    l.gwidth = energy_.gwidth;

    energy_.Erase(cv, kWindowColor);
    cv.Font.color = ui::kBlue;
    energy_.LabelAt(cv, ui::Corner::XminYmin, 10, -25, "SCF Energy (hartree)");
    cv.Font.color = ui::kBlack;
    energy_.LabelAt(cv, ui::Corner::XminYmax, 20, 5, ProfileValueText(l.scfengy[1]) + " (#1)");
    energy_.LabelAt(cv, ui::Corner::XmaxYmin, -140, -25,
                    ProfileValueText(l.scfengy[static_cast<size_t>(n)]) + " (#" + core::IntText(l.ndone) + ")");

    cv.Pen.width = 1;
    cv.Pen.color = ui::kBlue;
    energy_.DrawDataFrame(cv);
    DrawSeries(energy_, {&l.scfengy, ui::kRed, std::nullopt}, n, ui::kBlue);

    cv.Pen.color = ui::kGreen;
    energy_.VLine(cv, SpinEdit1.Value());
}

// An upper panel plots decimal logarithms: x from 1 to the step count, y over the logarithms
// of its series and thresholds, with a lower margin of 20 pixels whatever the height of the
// paint box.
void TForm2::DrawUpperPanel(ui::PlotFrame& p, const UpperPanel& panel, int steps) {
    auto& cv = PaintBox1.Canvas();
    ui::Extent e;
    for (const auto& s : panel.series) {
        for (int i = 1; i <= steps; ++i) e.Take(p.y.Coord((*s.values)[static_cast<size_t>(i)]));
        if (s.threshold) e.Take(p.y.Coord(*s.threshold));
    }
    p.x.dmin = 1;
    p.x.dmax = steps;
    OpenZeroSpan(p.x);
    p.x.SetMargins(0.03, 0.04);
    p.y.SetData(e);
    const double lowest = p.y.dmin, highest = p.y.dmax;  // the labels give the values themselves
    OpenZeroSpan(p.y);
    const double pixels = std::max(PaintBox1.Height() / 2.0 - 20, 1.0);  // a box too small keeps a positive scale
    const double conv_ratio = p.y.Span() / pixels;                        // data units per pixel
    p.y.Pad(20 * conv_ratio, 0.014 * p.y.Span());

    p.Erase(cv, kWindowColor);
    SetLabel(panel.label, ProfileValueText(highest) + " in log (#" + core::IntText(app_.log.nforce2) + ")");
    panel.label.SetTop(4);
    panel.label.SetLeft(p.fx(p.x.dmin));
    cv.Font.color = ui::kBlack;
    p.LabelAt(cv, ui::Corner::XminYmin, 0, 3, ProfileValueText(lowest) + " in log");
    const ui::Point low = p.CornerPoint(ui::Corner::XminYmin);
    ui::DrawLegend(cv, {low.x, low.y - 20}, panel.legend);

    cv.Pen.width = 1;
    cv.Pen.color = ui::kBlue;
    p.DrawDataFrame(cv);
    if (panel.title) {
        cv.Font.color = ui::kBlue;
        p.LabelAt(cv, ui::Corner::XminYmin, 10, -23, panel.title);
    }

    for (const auto& s : panel.series) {
        DrawSeries(p, s, steps, s.color);
        if (!s.threshold) continue;
        cv.Pen.style = ui::psDot;
        p.HLine(cv, p.y.Plotted(*s.threshold));
        cv.Pen.style = ui::psSolid;
    }
}

// ---------------------------------------------------------------- events

void TForm2::SpinEdit1Change() { Button2Click(); }

void TForm2::PaintBox1MouseDown(const ui::MouseEvent&) { Button2Click(); }

void TForm2::FormResize() {
    const int cw = ClientWidth();
    PaintBox1.SetBounds(0, 25, std::max(cw, 0), std::max(ClientHeight() - 65, 0));
    Label2.SetTop(4);
    Label2.SetLeft(force_.fx(force_.x.dmin));
    Label4.SetTop(4);
    Label4.SetLeft(change_.fx(change_.x.dmin));
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

bool TForm2::Reload() {
    // The Cartesian view shows a step of the log drawn before.
    StringGrid1.ClearCells();
    StringGrid1.SetRowCount(2);
    // A hidden profile forgets its picture and is drawn afresh when it is shown again.
    if (!HasSteps(app_.log) || !Visible()) {
        PaintBox1.Canvas().Clear();
        return HasSteps(app_.log);
    }
    SpinEdit1.SetMinValue(1);
    SpinEdit1.SetMaxValue(app_.log.ndone);
    Button2Click();
    return true;
}

void TForm2::Button1Click() {
    auto& log = app_.log;
    const int n = SpinEdit1.Value();
    if (!HasSteps(log)) {
        app_.ShowMessagePos(
            "The main table holds no SCF steps of a scanned log (coordinates were read since): open the log with "
            "\"Open Log/Out File (Opt,Freq)\" to save the orientation of a step.");
        app_.Fail();
        return;
    }
    const std::string& cell = app_.form1.StringGrid1.Cell(3, n);
    long long header = 0;
    if (core::IsBlank(cell)) {
        app_.ShowMessagePos("No optimisation steps in this log: step " + core::IntText(n) +
                            " has no orientation to save.");
        app_.Fail();
        return;
    }
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
    app_.SavePicture(PaintBox1, stem, [this] {
        if (!HasSteps(app_.log)) {
            app_.ShowMessagePos("The main table holds no SCF steps to draw: open a log first.");
            app_.Fail();
            return false;
        }
        Button2Click();
        return true;
    });
}

void TForm2::SaveTrajectory1Click() {
    auto& log = app_.log;
    if (log.FileDum.empty()) {
        app_.ShowMessagePos("No log is loaded: open a log first to save its trajectory.");
        app_.Fail();
        return;
    }
    auto chosen = app_.platform.SaveFileDialog(
        app_.form1.DialogOptions("Save Trajectory as XYZ", "XYZ files (*.xyz)|*.xyz|All files (*.*)|*.*",
                                 core::StemOf4(log.FileDum) + "_trajectory.xyz"));
    if (!chosen) return;
    // Read whole before anything is written, so a bad block leaves no half file.
    auto trajectory = geometry::ReadTrajectory(log.FileDum);
    app_.Pause(log.sleeptime);
    if (trajectory.frames.empty()) {
        app_.ShowMessagePos("There seems no orientation block in \"" + log.FileDum + "\": no trajectory to save.");
        app_.Fail();
        return;
    }
    if (trajectory.cutOffHeader > 0)
        app_.ShowMessagePos("The orientation at line " + core::IntText(trajectory.cutOffHeader) +
                            " is cut off by the end of the file; the trajectory ends with the step before it.");
    geometry::WriteTrajectoryXyz(*chosen, trajectory);
    app_.Pause(log.sleeptime);
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

#include "spectrum/ecd_window.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/application.h"
#include "app/figure_export.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "spectrum/window_inputs.h"
#include "ui/figure.h"

namespace mavrolin {

namespace {

using core::FloatText;

constexpr int kControlsHeight = 34;
constexpr ui::Color kGrey = 0xA0A0A0;
constexpr ui::Color kStickBlue = 0xC05000;  // 0x00BBGGRR: a dark blue

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// What one drawing shows, all in the axis unit and already signed as drawn.
struct EcdPicture {
    const std::vector<double>*x, *y;
    std::vector<double> stickX, stickR, overlayX, overlayY;
    std::string caption, xTitle;
    bool autoY = true;
    double ymin = 0, ymax = 1;
};

// Caption above, Δε on the left axis, R on the right one (sticks scaled so that the largest
// reaches the curve's largest |Δε|, both axes meeting zero at the same height), a zero line.
ui::PlotFrame DrawEcd(ui::Canvas& cv, int width, int height, const EcdPicture& pic) {
    ui::PlotFrame f;
    const auto& xs = *pic.x;
    const auto& ys = *pic.y;
    ui::ClearPlotPage(cv, width, height);
    const int lineH = cv.TextHeight("Xg") + 2;
    cv.Font.bold = true;
    cv.TextOut(8, 4, pic.caption);
    cv.Font.bold = false;

    const double top = spectrum::LargestMagnitude(ys);
    const double rmax = spectrum::LargestMagnitude(pic.stickR);
    const double perR = rmax > 0 ? (top > 0 ? top : 1) / rmax : 1;
    double lo = 0, hi = 0;
    for (double v : ys) lo = std::min(lo, v), hi = std::max(hi, v);
    for (double v : pic.overlayY) lo = std::min(lo, v), hi = std::max(hi, v);
    for (double r : pic.stickR) lo = std::min(lo, r * perR), hi = std::max(hi, r * perR);
    if (!(hi > lo)) lo = -1, hi = 1;
    const double pad = 0.05 * (hi - lo);
    lo = lo < 0 ? lo - pad : 0, hi = hi > 0 ? hi + pad : 0;
    if (!pic.autoY && pic.ymin < pic.ymax) lo = pic.ymin, hi = pic.ymax;

    const int left = 64, right = 64, topPx = 4 + 2 * lineH, bottom = 2 * lineH + 12;
    f.Place(width, height);
    f.x.dmin = f.x.gmin = xs.front();
    f.x.dmax = f.x.gmax = xs.back();
    f.y.dmin = f.y.gmin = lo;
    f.y.dmax = f.y.gmax = hi;
    f.x.Increasing(left, std::max(width - left - right, 1));
    f.y.Decreasing(height - bottom, std::max(height - bottom - topPx, 1));
    const int x0 = f.fx(xs.front()), x1 = f.fx(xs.back()), yTop = f.fy(hi), yBottom = f.fy(lo);
    auto clampY = [&](double v) { return std::clamp(f.fy(v), yTop, yBottom); };
    auto polyline = [&](const std::vector<double>& px, const std::vector<double>& py) {
        bool down = false;
        for (size_t i = 0; i < px.size(); ++i) {
            if (px[i] < f.x.dmin || px[i] > f.x.dmax) {
                down = false;
                continue;
            }
            if (down) cv.LineTo(f.fx(px[i]), clampY(py[i]));
            else cv.MoveTo(f.fx(px[i]), clampY(py[i]));
            down = true;
        }
    };
    if (lo < 0 && hi > 0) {
        cv.Pen = {kGrey, 1, ui::psDot};
        f.HLine(cv, 0);
    }
    if (!pic.overlayX.empty()) {
        cv.Pen = {kGrey, 2, ui::psSolid};
        polyline(pic.overlayX, pic.overlayY);
    }
    cv.Pen = {kStickBlue, 1, ui::psSolid};
    for (size_t i = 0; i < pic.stickX.size(); ++i) {
        if (pic.stickX[i] < f.x.dmin || pic.stickX[i] > f.x.dmax) continue;
        cv.MoveTo(f.fx(pic.stickX[i]), clampY(0));
        cv.LineTo(f.fx(pic.stickX[i]), clampY(pic.stickR[i] * perR));
    }
    cv.Pen = {ui::kRed, 2, ui::psSolid};
    polyline(xs, ys);

    cv.Pen = {ui::kBlack, 1, ui::psSolid};
    f.DrawDataFrame(cv, 1);
    cv.Font.color = ui::kBlack;
    const auto xt = ui::fig::LinearTicks(f.x.dmin, f.x.dmax, 5);
    for (size_t i = 0; i < xt.major.size(); ++i) {
        const int px = f.fx(xt.major[i]);
        cv.MoveTo(px, yBottom + 1);
        cv.LineTo(px, yBottom + 6);
        ui::PlaceText(cv, px, yBottom + 7, xt.labels[i], ui::HAlign::Center);
    }
    ui::PlaceText(cv, (x0 + x1) / 2, yBottom + 7 + lineH, pic.xTitle, ui::HAlign::Center);
    const auto yt = ui::fig::LinearTicks(lo, hi, 4);
    for (size_t i = 0; i < yt.major.size(); ++i) {
        const int py = f.fy(yt.major[i]);
        cv.MoveTo(x0 - 6, py);
        cv.LineTo(x0 - 1, py);
        ui::PlaceText(cv, x0 - 8, py - lineH / 2, yt.labels[i], ui::HAlign::Right);
    }
    if (!pic.stickR.empty()) {
        const auto rt = ui::fig::LinearTicks(lo / perR, hi / perR, 4);
        cv.Font.color = kStickBlue;
        for (size_t i = 0; i < rt.major.size(); ++i) {
            const int py = f.fy(rt.major[i] * perR);
            cv.MoveTo(x1 + 1, py);
            cv.LineTo(x1 + 6, py);
            ui::PlaceText(cv, x1 + 8, py - lineH / 2, rt.labels[i]);
        }
        ui::PlaceText(cv, x1, 4 + lineH, "R / 1e-40 erg esu cm/G", ui::HAlign::Right);
    }
    cv.Font.color = ui::kBlack;
    ui::PlaceText(cv, x0 + 6, 4 + lineH, "\u0394\u03B5 / L mol-1 cm-1");
    return f;
}

}  // namespace

EcdWindow::EcdWindow(Application& app)
    : ui::Form("EcdWindow", "ECD Spectrum"),
      SigmaLabel(this, "SigmaLabel"),
      ShiftLabel(this, "ShiftLabel"),
      FromLabel(this, "FromLabel"),
      ToLabel(this, "ToLabel"),
      PointsLabel(this, "PointsLabel"),
      Sigma(this, "Sigma"),
      Shift(this, "Shift"),
      XAuto(this, "XAuto"),
      XMin(this, "XMin"),
      XMax(this, "XMax"),
      Points(this, "Points"),
      Redraw(this, "Redraw"),
      PaintBox1(this, "PaintBox1"),
      app_(app) {
    SetBounds(60, 60, 1000, 700);
    Sigma.SetText("0.3");
    Shift.SetText("0");
    XAuto.SetCaption("Automatic range");
    XAuto.SetChecked(true);
    XMin.SetText("200");
    XMax.SetText("400");
    Points.SetMinValue(2);
    Points.SetMaxValue(100000);
    Points.SetValue(1000);
    Redraw.SetCaption("Redraw");
    Layout();

    Menu.Add(File1);
    for (auto* item : {&SaveEcd1, &SavePicture1, &SaveFigure1, &SaveFigureData1}) File1.Add(*item);
    ConnectFigureItems(app_, SaveFigure1, SaveFigureData1,
                       {[this] { return core::StemOf4(FileName(log_)) + "_ecd"; },
                        {{"Rotatory strengths as sticks (yes/no)", "yes"},
                         {"Measured spectrum scaled to the calculated (yes/no)", "yes"}},
                        [this](const std::vector<std::string>& a) -> std::optional<ui::fig::Figure> {
                            if (!drawnOk_) {
                                app_.ShowMessagePos("There is no ECD spectrum: open a log with rotatory strengths first.");
                                return std::nullopt;
                            }
                            spectrum::EcdFigureOptions o = drawn_;
                            o.sticks = IsYes(a[0]);
                            o.normalise = IsYes(a[1]);
                            return spectrum::EcdFigure(strengths_, o, Overlay());
                        }});
    File1.AddSeparator();
    File1.Add(Overlay1);
    File1.Add(RemoveOverlay1);
    File1.AddSeparator();
    File1.Add(Exit1);
    Menu.Add(Ecd1);
    for (auto* item : {&Velocity1, &Length1}) Ecd1.Add(*item);
    Ecd1.AddSeparator();
    for (auto* item : {&Nm1, &Ev1}) Ecd1.Add(*item);
    Ecd1.AddSeparator();
    for (auto* item : {&Mirror1, &Sticks1}) Ecd1.Add(*item);
    Menu.Add(Help1);
    Velocity1.SetChecked(true);
    Nm1.SetChecked(true);
    Sticks1.SetChecked(true);
    RemoveOverlay1.SetEnabled(false);

    SaveEcd1.OnClick = [this] { SaveEcd1Click(); };
    SavePicture1.OnClick = [this] { SavePicture1Click(); };
    Overlay1.OnClick = [this] { Overlay1Click(); };
    RemoveOverlay1.OnClick = [this] { RemoveOverlay1Click(); };
    Exit1.OnClick = [this] { Hide(); };
    Velocity1.OnClick = [this] { SetForm(spectrum::RotatoryForm::Velocity); };
    Length1.OnClick = [this] { SetForm(spectrum::RotatoryForm::Length); };
    Nm1.OnClick = [this] { SetUnit(spectrum::kUnitNm); };
    Ev1.OnClick = [this] { SetUnit(spectrum::kUnitEv); };
    auto toggle = [this](ui::MenuItem& item) {
        item.SetChecked(!item.Checked());
        if (&item == &Mirror1) autoY_ = true;
        DrawSpectrum();
    };
    Mirror1.OnClick = [this, toggle] { toggle(Mirror1); };
    Sticks1.OnClick = [this, toggle] { toggle(Sticks1); };
    Help1.OnClick = [this] {
        app_.ShowMessagePos(
            "Shift+LeftButton = To Define Magnification Area; DoubleClick = To Revert Magnification; "
            "Redraw = To Apply the Width, Shift, Range and Points; Mirror = The Other Enantiomer.");
    };
    Redraw.OnClick = [this] { DrawSpectrum(); };
    XAuto.OnClick = [this] { DrawSpectrum(); };
    PaintBox1.OnMouseDown = [this](const ui::MouseEvent& e) { PaintBox1MouseDown(e); };
    PaintBox1.OnMouseMove = [this](const ui::MouseEvent& e) { PaintBox1MouseMove(e); };
    PaintBox1.OnMouseUp = [this](const ui::MouseEvent& e) { PaintBox1MouseUp(e); };
    PaintBox1.OnDblClick = [this] { PaintBox1DblClick(); };
    OnResize = [this] { FormResize(); };
}

void EcdWindow::Layout() {
    auto place = [](ui::Control& c, int x, int y, int w) { c.SetBounds(x, y, w, 22); };
    SigmaLabel.SetCaption("\u03C3 (eV)");
    ShiftLabel.SetCaption("Shift (eV)");
    FromLabel.SetCaption("from");
    ToLabel.SetCaption("to");
    PointsLabel.SetCaption("Points");
    place(SigmaLabel, 8, 7, 50);
    place(Sigma, 60, 4, 55);
    place(ShiftLabel, 125, 7, 70);
    place(Shift, 198, 4, 55);
    place(XAuto, 265, 4, 140);
    place(FromLabel, 410, 7, 40);
    place(XMin, 452, 4, 70);
    place(ToLabel, 528, 7, 20);
    place(XMax, 550, 4, 70);
    place(PointsLabel, 632, 7, 50);
    place(Points, 684, 4, 80);
    place(Redraw, 780, 4, 90);
    FormResize();
}

void EcdWindow::FormResize() {
    PaintBox1.SetBounds(0, kControlsHeight, std::max(ClientWidth(), 100),
                        std::max(ClientHeight() - kControlsHeight, 100));
    if (Visible() && drawnOk_) DrawSpectrum();
}

// ---------------------------------------------------------------- data and options

void EcdWindow::TakeStrengths(const std::string& log, spectrum::RotatoryStrengths rs) {
    log_ = rs.Empty() ? std::string() : log;
    strengths_ = std::move(rs);
    x_.clear(), y_.clear();
    frame_ = {};
    drawnOk_ = false;
    autoY_ = true;
    Velocity1.SetEnabled(strengths_.hasVelocity);
    Length1.SetEnabled(strengths_.hasLength);
    if (!strengths_.Empty() && !strengths_.Has(Options().ecd.form)) {  // the other form is all there is
        Velocity1.SetChecked(strengths_.hasVelocity);
        Length1.SetChecked(!strengths_.hasVelocity);
    }
    if (strengths_.Empty()) {
        PaintBox1.Canvas().Clear();
        Hide();
    } else if (Visible()) {
        DrawSpectrum();
    }
}

spectrum::EcdFigureOptions EcdWindow::Options() const {
    spectrum::EcdFigureOptions o;
    o.ecd.form = Length1.Checked() ? spectrum::RotatoryForm::Length : spectrum::RotatoryForm::Velocity;
    o.ecd.unit = Ev1.Checked() ? spectrum::kUnitEv : spectrum::kUnitNm;
    o.mirror = Mirror1.Checked();
    o.sticks = Sticks1.Checked();
    o.points = Points.Value();
    return o;
}

bool EcdWindow::ShowSpectrum() {
    if (strengths_.Empty()) {
        app_.ShowMessagePos("The log prints no rotatory strengths for its excited states: there is no ECD spectrum.");
        app_.Fail();
        return false;
    }
    app_.ShowStatus();
    Show();
    BringToFront();
    app_.platform.ProcessMessages();
    return DrawSpectrum();
}

// ---------------------------------------------------------------- drawing

bool EcdWindow::DrawSpectrum() {
    if (strengths_.Empty()) return false;
    spectrum::EcdFigureOptions o = Options();
    o.ecd.sigmaEv = EditNumber(Sigma, "band width");
    o.ecd.shiftEv = EditNumber(Shift, "shift");
    if (!(o.ecd.sigmaEv > 0)) {
        app_.ShowMessagePos("The band width must be larger than 0 eV.");
        app_.Fail();
        return false;
    }
    if (!XAuto.Checked()) {
        o.lo = EditNumber(XMin, "lower bound"), o.hi = EditNumber(XMax, "upper bound");
        if (!(o.lo < o.hi) || (o.ecd.unit == spectrum::kUnitNm && !(o.lo > 0))) {
            app_.ShowMessagePos("The range must run from a lower to a higher bound (wavelengths above 0).");
            app_.Fail();
            return false;
        }
    }
    x_ = spectrum::EcdGrid(strengths_, o.ecd, o.lo, o.hi, o.points);
    y_ = spectrum::EcdCurve(strengths_, o.ecd, x_);
    const double sign = o.mirror ? -1 : 1;
    for (double& v : y_) v *= sign;
    o.lo = x_.front(), o.hi = x_.back();
    drawn_ = o;
    drawnOk_ = true;
    if (XAuto.Checked()) {
        XMin.SetText(FloatText(std::round(o.lo * 100) / 100));
        XMax.SetText(FloatText(std::round(o.hi * 100) / 100));
    }

    EcdPicture pic{&x_, &y_, {}, {}, {}, {}, {}, {}, autoY_, ymin_, ymax_};
    if (o.sticks)
        for (int i = 0; i < strengths_.Count(); ++i) {
            const double e = strengths_.ev[static_cast<size_t>(i)] + o.ecd.shiftEv;
            if (!(e > 0)) continue;
            pic.stickX.push_back(spectrum::EcdPosition(o.ecd.unit, e));
            pic.stickR.push_back(sign * strengths_.Of(o.ecd.form)[static_cast<size_t>(i)]);
        }
    if (overlay_) {
        auto points = spectrum::ExperimentalIn(*overlay_, o.ecd.unit);
        spectrum::ScaleToLargestMagnitude(points, spectrum::LargestMagnitude(y_));
        pic.overlayX = std::move(points.x);
        pic.overlayY = std::move(points.y);
    }
    pic.caption = "ECD of " + FileName(log_) + ": " + spectrum::FormName(o.ecd.form) + " form, \u03C3 " +
                  FloatText(o.ecd.sigmaEv) + " eV" +
                  (o.ecd.shiftEv != 0 ? ", shift " + FloatText(o.ecd.shiftEv) + " eV" : std::string()) +
                  (o.mirror ? ", mirror image" : "") +
                  (overlay_ ? "; grey: " + overlay_->name + ", scaled to the computed |\u0394\u03B5| maximum" : "");
    pic.xTitle = o.ecd.unit == spectrum::kUnitNm ? "Wavelength / nm" : "Energy / eV";
    auto& cv = PaintBox1.Canvas();
    cv.Clear();
    frame_ = DrawEcd(cv, PaintBox1.Width(), PaintBox1.Height(), pic);
    Refresh();
    return true;
}

void EcdWindow::SetForm(spectrum::RotatoryForm form) {
    if (!strengths_.Has(form)) {
        app_.ShowMessagePos("The log prints no rotatory strengths in the " + spectrum::FormName(form) + " form.");
        app_.Fail();
        return;
    }
    Velocity1.SetChecked(form == spectrum::RotatoryForm::Velocity);
    Length1.SetChecked(form == spectrum::RotatoryForm::Length);
    autoY_ = true;
    DrawSpectrum();
}

// A change of unit starts from the automatic range again: the bounds were in the other unit.
void EcdWindow::SetUnit(int unit) {
    Nm1.SetChecked(unit == spectrum::kUnitNm);
    Ev1.SetChecked(unit == spectrum::kUnitEv);
    autoY_ = true;
    if (XAuto.Checked()) DrawSpectrum();
    else XAuto.SetChecked(true);
}

// ---------------------------------------------------------------- files

void EcdWindow::SaveEcd1Click() {
    if (!drawnOk_) {
        app_.ShowMessagePos("There is no ECD spectrum to save: draw it first.");
        app_.Fail();
        return;
    }
    const auto& log = app_.log;
    auto chosen = app_.platform.SaveFileDialog({"Save ECD Spectrum", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo,
                                                FileName(log_) + ".ecd.txt",
                                                "Text files (*.txt)|*.txt|All files (*.*)|*.*"});
    if (!chosen) return;
    core::TextWriter out(*chosen);
    for (const auto& line : spectrum::EcdTextLines(log_, drawn_.ecd, drawn_.mirror, x_, y_)) out.WriteLine(line);
    out.Close();
}

void EcdWindow::SavePicture1Click() {
    if (strengths_.Empty()) {
        app_.ShowMessagePos("There is no ECD spectrum to save: open a log with rotatory strengths first.");
        app_.Fail();
        return;
    }
    app_.SavePicture(PaintBox1, core::StemOf4(FileName(log_)) + "_ecd", [this] { return DrawSpectrum(); });
}

void EcdWindow::Overlay1Click() {
    auto measured = AskExperimentalSpectrum(app_, Options().ecd.unit);
    if (!measured) return;
    overlay_ = std::move(measured);
    RemoveOverlay1.SetEnabled(true);
    autoY_ = true;
    DrawSpectrum();
}

void EcdWindow::RemoveOverlay1Click() {
    overlay_.reset();
    RemoveOverlay1.SetEnabled(false);
    autoY_ = true;
    DrawSpectrum();
}

// ---------------------------------------------------------------- mouse

void EcdWindow::PaintBox1MouseDown(const ui::MouseEvent& e) {
    zoom.Press(e);
    if (zoom.ssKey == 0 && zoom.whichbtn == 1) DrawSpectrum();
}

void EcdWindow::PaintBox1MouseMove(const ui::MouseEvent& e) {
    if (!zoom.Dragging()) return;
    zoom.Move(e.x, e.y, PaintBox1.Canvas());
    Refresh();
    app_.Pause(spectrum::kRubberBandPauseMs);
}

// The rubber band's corners with the mapping of this window's last drawing: the range
// becomes manual and the vertical range follows the band (Δε takes both signs).
void EcdWindow::PaintBox1MouseUp(const ui::MouseEvent& e) {
    auto r = zoom.Release(e.x, e.y);
    if (!r || !drawnOk_ || frame_.gwidth == 0) return;
    const double a = frame_.x.ValueAt(r->x0), b = frame_.x.ValueAt(r->x1);
    const double y0 = frame_.y.ValueAt(r->y0), y1 = frame_.y.ValueAt(r->y1);
    XMin.SetText(FloatText(std::round(std::max(std::min(a, b), frame_.x.dmin) * 1000) / 1000));
    XMax.SetText(FloatText(std::round(std::min(std::max(a, b), frame_.x.dmax) * 1000) / 1000));
    autoY_ = false;
    ymin_ = std::min(y0, y1), ymax_ = std::max(y0, y1);
    if (XAuto.Checked())
        XAuto.SetChecked(false);  // its reaction redraws
    else
        DrawSpectrum();
}

void EcdWindow::PaintBox1DblClick() {
    autoY_ = true;
    if (XAuto.Checked()) DrawSpectrum();
    else XAuto.SetChecked(true);
}

}  // namespace mavrolin

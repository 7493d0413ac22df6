#include "irraman/ir_window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "app/application.h"
#include "app/figure_export.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "irraman/ir_figure.h"
#include "irraman/ir_spectrum_file.h"
#include "spectrum/window_inputs.h"

namespace mavrolin {

namespace {

using core::FloatText;

constexpr int kControlsHeight = 60;  // two rows of controls above the plot
constexpr int kInfoHeight = 22;      // the mode line below it

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

TForm19::TForm19(Application& app)
    : ui::Form("Form19", "IR/Raman Spectra"),
      WidthLabel(this, "WidthLabel"),
      ScaleLabel(this, "ScaleLabel"),
      FromLabel(this, "FromLabel"),
      ToLabel(this, "ToLabel"),
      LaserLabel(this, "LaserLabel"),
      KelvinLabel(this, "KelvinLabel"),
      Width(this, "Width"),
      Scale(this, "Scale"),
      XAuto(this, "XAuto"),
      XMin(this, "XMin"),
      XMax(this, "XMax"),
      PointsAuto(this, "PointsAuto"),
      Points(this, "Points"),
      Laser(this, "Laser"),
      Kelvin(this, "Kelvin"),
      Redraw(this, "Redraw"),
      PaintBox1(this, "PaintBox1"),
      ModeInfo(this, "ModeInfo"),
      app_(app) {
    SetBounds(40, 40, 1000, 720);
    Width.SetText("10");
    Scale.SetText("1");
    XAuto.SetCaption("Automatic range");
    XAuto.SetChecked(true);
    XMin.SetText("400");
    XMax.SetText("4000");
    PointsAuto.SetCaption("Automatic points");
    PointsAuto.SetChecked(true);
    Points.SetMinValue(2);
    Points.SetMaxValue(100000);
    Points.SetValue(2000);
    Laser.SetText("532");
    Kelvin.SetText("298.15");
    Redraw.SetCaption("Redraw");
    Layout();

    Menu.Add(File1);
    for (auto* item : {&SaveSpectrum1, &SavePicture1, &SaveFigure1, &SaveFigureData1, &SaveMolden1}) File1.Add(*item);
    ConnectFigureItems(app_, SaveFigure1, SaveFigureData1,
                       {[this] { return core::StemOf4(FileName(log_)) + (Raman1.Checked() ? "_raman" : "_ir"); },
                        {{"Sticks (yes/no)", "yes"}, {"Transmittance (yes/no)", "no"}},
                        [this](const std::vector<std::string>& a) -> std::optional<ui::fig::Figure> {
                            if (log_.empty() || !curve_.Ok()) {
                                app_.ShowMessagePos("There is no spectrum: open the IR/Raman spectra of a log first.");
                                return std::nullopt;
                            }
                            irraman::IrFigureOptions o;
                            o.sticks = IsYes(a[0]);
                            o.transmittance = IsYes(a[1]);
                            return irraman::IrFigure(curve_, drawn_, o, Overlay());
                        }});
    File1.AddSeparator();
    File1.Add(Overlay1);
    File1.Add(RemoveOverlay1);
    File1.AddSeparator();
    File1.Add(Exit1);
    Menu.Add(Spectrum1);
    Spectrum1.Add(IR1);
    Spectrum1.Add(Raman1);
    Spectrum1.AddSeparator();
    Spectrum1.Add(Lorentzian1);
    Spectrum1.Add(Gaussian1);
    Spectrum1.AddSeparator();
    for (auto* item : {&Sticks1, &Transmittance1, &RamanIntensities1}) Spectrum1.Add(*item);
    Menu.Add(Help1);
    IR1.SetChecked(true);
    Raman1.SetEnabled(false);
    Lorentzian1.SetChecked(true);
    Sticks1.SetChecked(true);
    RamanIntensities1.SetEnabled(false);
    RemoveOverlay1.SetEnabled(false);

    SaveSpectrum1.OnClick = [this] { SaveSpectrum1Click(); };
    SavePicture1.OnClick = [this] { SavePicture1Click(); };
    SaveMolden1.OnClick = [this] { SaveMolden1Click(); };
    Overlay1.OnClick = [this] { Overlay1Click(); };
    RemoveOverlay1.OnClick = [this] { RemoveOverlay1Click(); };
    Exit1.OnClick = [this] { Hide(); };
    IR1.OnClick = [this] { SetRaman(false); };
    Raman1.OnClick = [this] { SetRaman(true); };
    Lorentzian1.OnClick = [this] { SetShape(irraman::BandShape::Lorentzian); };
    Gaussian1.OnClick = [this] { SetShape(irraman::BandShape::Gaussian); };
    auto toggle = [this](ui::MenuItem& item) {
        item.SetChecked(!item.Checked());
        DrawSpectrum();
    };
    Sticks1.OnClick = [this, toggle] { toggle(Sticks1); };
    Transmittance1.OnClick = [this, toggle] { toggle(Transmittance1); };
    RamanIntensities1.OnClick = [this, toggle] { toggle(RamanIntensities1); };
    Help1.OnClick = [this] {
        app_.ShowMessagePos(
            "Click on a stick = To Show its Mode; Shift+LeftButton = To Define Magnification Area; "
            "DoubleClick = To Revert Magnification; Redraw = To Apply the Width, Scale, Range and Points.");
    };
    Redraw.OnClick = [this] { DrawSpectrum(); };
    XAuto.OnClick = [this] { DrawSpectrum(); };
    PointsAuto.OnClick = [this] { DrawSpectrum(); };
    PaintBox1.OnMouseDown = [this](const ui::MouseEvent& e) { PaintBox1MouseDown(e); };
    PaintBox1.OnMouseMove = [this](const ui::MouseEvent& e) { PaintBox1MouseMove(e); };
    PaintBox1.OnMouseUp = [this](const ui::MouseEvent& e) { PaintBox1MouseUp(e); };
    PaintBox1.OnDblClick = [this] { PaintBox1DblClick(); };
    OnResize = [this] { FormResize(); };
}

void TForm19::Layout() {
    auto place = [](ui::Control& c, int x, int y, int w) { c.SetBounds(x, y, w, 22); };
    WidthLabel.SetCaption("FWHM (cm-1)");
    ScaleLabel.SetCaption("Scale factor");
    FromLabel.SetCaption("from (cm-1)");
    ToLabel.SetCaption("to");
    LaserLabel.SetCaption("Excitation (nm)");
    KelvinLabel.SetCaption("Temperature (K)");
    place(WidthLabel, 8, 7, 90);
    place(Width, 100, 4, 60);
    place(ScaleLabel, 175, 7, 80);
    place(Scale, 258, 4, 60);
    place(XAuto, 335, 4, 140);
    place(FromLabel, 480, 7, 80);
    place(XMin, 562, 4, 70);
    place(ToLabel, 640, 7, 20);
    place(XMax, 662, 4, 70);
    place(PointsAuto, 8, 32, 140);
    place(Points, 150, 32, 80);
    place(LaserLabel, 245, 35, 110);
    place(Laser, 358, 32, 60);
    place(KelvinLabel, 430, 35, 110);
    place(Kelvin, 543, 32, 70);
    place(Redraw, 662, 32, 90);
    FormResize();
}

void TForm19::FormResize() {
    const int w = std::max(ClientWidth(), 100), h = std::max(ClientHeight() - kControlsHeight - kInfoHeight, 100);
    PaintBox1.SetBounds(0, kControlsHeight, w, h);
    ModeInfo.SetBounds(8, kControlsHeight + h + 2, w - 16, kInfoHeight - 4);
    if (Visible() && !curve_.x.empty()) DrawSpectrum();
}

// ---------------------------------------------------------------- data and request

bool TForm19::ShowSpectra(const std::string& log) {
    irraman::VibModes modes = irraman::ReadVibrationalModes(log);
    if (modes.Empty()) {
        app_.ShowMessagePos("No vibrational frequencies were found in " + log + ".");
        app_.Fail();
        return false;
    }
    TakeModes(log, std::move(modes));
    app_.ShowStatus();  // the status line names the log shown
    Show();
    app_.platform.ProcessMessages();
    return DrawSpectrum();
}

bool TForm19::Reload(const std::string& log) {
    if (log == log_) return true;
    irraman::VibModes modes;
    try {
        modes = irraman::ReadVibrationalModes(log);
    } catch (const core::MavrolinError&) {
        return false;  // the scan itself has reported what is wrong with the file
    }
    if (modes.Empty()) return false;
    TakeModes(log, std::move(modes));
    return DrawSpectrum();
}

void TForm19::TakeModes(const std::string& log, irraman::VibModes modes) {
    log_ = log;
    modes_ = std::move(modes);
    curve_ = {};
    frame_ = {};
    ModeInfo.SetCaption("");
    Raman1.SetEnabled(modes_.hasRaman);
    RamanIntensities1.SetEnabled(modes_.hasRaman);
    if (!modes_.hasRaman) {
        IR1.SetChecked(true);
        Raman1.SetChecked(false);
    }
    autoY_ = true;
}

irraman::CurveRequest TForm19::Request() const {
    irraman::CurveRequest r;
    r.raman = Raman1.Checked();
    r.ramanIntensities = r.raman && RamanIntensities1.Checked();
    r.shape = Gaussian1.Checked() ? irraman::BandShape::Gaussian : irraman::BandShape::Lorentzian;
    r.fwhm = EditNumber(Width, "width");
    r.scale = EditNumber(Scale, "scale factor");
    r.autoRange = XAuto.Checked();
    if (!r.autoRange) {
        r.xmin = EditNumber(XMin, "lower wavenumber");
        r.xmax = EditNumber(XMax, "upper wavenumber");
    }
    r.autoPoints = PointsAuto.Checked();
    r.points = Points.Value();
    if (r.ramanIntensities) {
        r.laserNm = EditNumber(Laser, "excitation wavelength");
        r.kelvin = EditNumber(Kelvin, "temperature");
    }
    return r;
}

std::vector<std::string> TForm19::Notes() const {
    std::vector<std::string> notes;
    if (!modes_.imaginary.empty()) {
        std::string t = "Imaginary modes left out of the curve:";
        for (const auto& m : modes_.imaginary)
            t += " " + core::IntText(m.number) + " (" + irraman::NumberText(m.frequency) + " cm-1)";
        notes.push_back(t);
    }
    const auto leftOut = irraman::ModesLeftOut(modes_, Raman1.Checked());
    if (!leftOut.empty()) {
        std::string t = core::IntText(static_cast<long long>(leftOut.size())) +
                        " mode(s) left out: a value was printed as asterisks or could not be read (modes";
        for (int n : leftOut) t += " " + core::IntText(n);
        notes.push_back(t + ").");
    }
    if (overlay_) notes.push_back("Grey: " + overlay_->name + ", scaled to the computed maximum.");
    return notes;
}

// ---------------------------------------------------------------- drawing

bool TForm19::DrawSpectrum() {
    if (log_.empty()) return false;
    const irraman::CurveRequest rq = Request();
    irraman::IrCurve c = irraman::ComputeIrCurve(modes_, rq);
    if (!c.Ok()) {
        app_.ShowMessagePos(c.error);
        app_.Fail();
        return false;
    }
    curve_ = std::move(c);
    drawn_ = rq;
    if (rq.autoRange) {
        XMin.SetText(FloatText(curve_.xmin));
        XMax.SetText(FloatText(curve_.xmax));
    }
    if (rq.autoPoints) Points.SetValue(static_cast<int>(curve_.x.size()));

    irraman::IrPicture pic;
    pic.curve = &curve_;
    pic.sticks = Sticks1.Checked();
    pic.transmittance = Transmittance1.Checked();
    pic.autoY = autoY_;
    pic.ymin = ymin_, pic.ymax = ymax_;
    const std::string kind = rq.raman ? "Raman" : "IR";
    pic.caption = kind + " spectrum of " + FileName(log_) + ": " + irraman::ShapeName(rq.shape) + ", FWHM " +
                  irraman::NumberText(rq.fwhm) + " cm-1, scale factor " + irraman::NumberText(rq.scale);
    if (rq.ramanIntensities)
        pic.caption += ", intensities at " + irraman::NumberText(rq.laserNm) + " nm and " +
                       irraman::NumberText(rq.kelvin) + " K";
    pic.notes = Notes();
    pic.yTitle = (rq.raman ? (rq.ramanIntensities ? "Raman intensity / " : "Raman activity / ") : "IR intensity / ") +
                 irraman::IntensityUnit(rq);
    if (overlay_) {
        auto points = spectrum::ExperimentalIn(*overlay_, spectrum::kUnitCm);
        spectrum::ScaleToMaximum(points, irraman::CurveMax(curve_.y));
        pic.overlayX = std::move(points.x);
        pic.overlayY = std::move(points.y);
    }
    auto& cv = PaintBox1.Canvas();
    cv.Clear();
    frame_ = irraman::DrawIrSpectrum(cv, PaintBox1.Width(), PaintBox1.Height(), pic);
    Refresh();
    return true;
}

void TForm19::SetRaman(bool raman) {
    if (raman && !modes_.hasRaman) {
        app_.ShowMessagePos("This log holds no Raman activities.");
        app_.Fail();
        return;
    }
    IR1.SetChecked(!raman);
    Raman1.SetChecked(raman);
    autoY_ = true;
    DrawSpectrum();
}

void TForm19::SetShape(irraman::BandShape shape) {
    Lorentzian1.SetChecked(shape == irraman::BandShape::Lorentzian);
    Gaussian1.SetChecked(shape == irraman::BandShape::Gaussian);
    autoY_ = true;
    DrawSpectrum();
}

// ---------------------------------------------------------------- files

void TForm19::SaveSpectrum1Click() {
    if (curve_.x.empty()) {
        app_.ShowMessagePos("There is no computed spectrum to save: draw the spectrum first.");
        app_.Fail();
        return;
    }
    const auto& log = app_.log;
    const std::string suffix = drawn_.raman ? ".raman.txt" : ".ir.txt";
    auto chosen = app_.platform.SaveFileDialog({"Save Spectrum", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo,
                                                FileName(log_) + suffix,
                                                "Text files (*.txt)|*.txt|All files (*.*)|*.*"});
    if (!chosen) return;
    irraman::IrSpectrumHeader h{log_, &drawn_, irraman::IntensityUnit(drawn_)};
    core::TextWriter out(*chosen);
    for (const auto& line : irraman::IrSpectrumLines(h, curve_)) out.WriteLine(line);
    out.Close();
}

void TForm19::SavePicture1Click() {
    if (log_.empty()) {
        app_.ShowMessagePos("There is no spectrum to save: open the IR/Raman spectra of a log first.");
        app_.Fail();
        return;
    }
    const std::string stem = core::StemOf4(FileName(log_)) + (Raman1.Checked() ? "_raman" : "_ir");
    app_.SavePicture(PaintBox1, stem, [this] { return DrawSpectrum(); });
}

void TForm19::Overlay1Click() {
    auto measured = AskExperimentalSpectrum(app_, spectrum::kUnitCm);
    if (!measured) return;
    overlay_ = std::move(measured);
    RemoveOverlay1.SetEnabled(true);
    DrawSpectrum();
}

void TForm19::RemoveOverlay1Click() {
    overlay_.reset();
    RemoveOverlay1.SetEnabled(false);
    DrawSpectrum();
}

// ---------------------------------------------------------------- mouse

int TForm19::StickAt(int x) const {
    if (!frame_.valid) return -1;
    int best = -1, dist = 5;
    for (size_t i = 0; i < curve_.sticks.size(); ++i) {
        const double sx = curve_.sticks[i].x;
        if (sx < curve_.xmin || sx > curve_.xmax) continue;
        const int d = std::abs(frame_.X(sx) - x);
        if (d < dist) dist = d, best = static_cast<int>(i);
    }
    return best;
}

void TForm19::ShowMode(int stick) {
    const int number = curve_.stickModes[static_cast<size_t>(stick)];
    for (const auto& m : modes_.modes) {
        if (m.number != number) continue;
        std::string t = "Mode " + core::IntText(m.number) + ": " + irraman::NumberText(m.frequency) + " cm-1";
        if (drawn_.scale != 1) t += " (scaled " + irraman::NumberText(curve_.sticks[static_cast<size_t>(stick)].x) + ")";
        t += m.irRead ? ", IR intensity " + irraman::NumberText(m.ir) + " km/mol" : ", IR intensity not readable";
        if (modes_.hasRaman)
            t += m.ramanRead ? ", Raman activity " + irraman::NumberText(m.raman) + " A^4/amu"
                             : ", Raman activity not readable";
        t += ", symmetry " + (m.symmetry.empty() ? std::string("not printed") : m.symmetry);
        ModeInfo.SetCaption(t);
        return;
    }
}

void TForm19::PaintBox1MouseDown(const ui::MouseEvent& e) {
    zoom.Press(e);
    if (zoom.ssKey == 0 && zoom.whichbtn == 1) {
        if (int s = StickAt(e.x); s >= 0) return ShowMode(s);
        ModeInfo.SetCaption("");
        DrawSpectrum();
    }
}

void TForm19::PaintBox1MouseMove(const ui::MouseEvent& e) {
    if (!zoom.Dragging()) return;
    zoom.Move(e.x, e.y, PaintBox1.Canvas());
    Refresh();
    app_.Pause(spectrum::kRubberBandPauseMs);
}

// The rubber band's corners with the mapping of this window's last drawing: the range
// becomes manual (wavenumber is larger at the left), the vertical range follows the band.
void TForm19::PaintBox1MouseUp(const ui::MouseEvent& e) {
    auto r = zoom.Release(e.x, e.y);
    if (!r || !frame_.valid) return;
    const double a = frame_.GetX(r->x0), b = frame_.GetX(r->x1);
    const double y0 = frame_.GetY(r->y0), y1 = frame_.GetY(r->y1);
    XMin.SetText(FloatText(std::max(std::min(a, b), curve_.xmin)));
    XMax.SetText(FloatText(std::min(std::max(a, b), curve_.xmax)));
    autoY_ = false;
    ymin_ = std::max(0.0, std::min(y0, y1));
    ymax_ = std::max(y0, y1);
    if (XAuto.Checked())
        XAuto.SetChecked(false);  // its reaction redraws
    else
        DrawSpectrum();
}

void TForm19::PaintBox1DblClick() {
    autoY_ = true;
    if (XAuto.Checked()) DrawSpectrum();
    else XAuto.SetChecked(true);
}

}  // namespace mavrolin

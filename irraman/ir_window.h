#pragma once
// The IR/Raman window: the simulated IR spectrum of the last scanned log with frequencies
// and, when the log prints Raman activities, its Raman spectrum. The controls above the
// plot hold the width, scale factor, range and points; the menus switch IR/Raman, the band
// shape, the sticks and the transmittance-style display. The mouse works as in the UV-vis
// window (Shift-drag zooms, a double-click returns to the automatic ranges); a click on a
// stick shows its mode below the plot.
#include <optional>
#include <string>

#include "irraman/band_curve.h"
#include "irraman/ir_plot.h"
#include "irraman/vibrational_modes.h"
#include "spectrum/experimental_spectrum.h"
#include "spectrum/zoom_drag.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

class TForm19 : public ui::Form {
public:
    explicit TForm19(Application& app);

    ui::Label WidthLabel, ScaleLabel, FromLabel, ToLabel, LaserLabel, KelvinLabel;
    ui::Edit Width;    // FWHM in cm-1
    ui::Edit Scale;    // frequency scale factor
    ui::CheckBox XAuto;
    ui::Edit XMin, XMax;
    ui::CheckBox PointsAuto;
    ui::SpinEdit Points;
    ui::Edit Laser;    // excitation wavelength, nm
    ui::Edit Kelvin;   // temperature, K
    ui::Button Redraw;
    ui::PaintBox PaintBox1;
    ui::Label ModeInfo;  // the mode of the last stick clicked

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveSpectrum1{"Save Spectrum\u2026", "SaveSpectrum1"};
    ui::MenuItem SavePicture1{"Save Picture\u2026", "SavePicture1"};
    ui::MenuItem SaveFigure1{"Save Figure\u2026", "SaveFigure1"};
    ui::MenuItem SaveFigureData1{"Save Figure Data\u2026", "SaveFigureData1"};
    ui::MenuItem SaveMolden1{"Save as Molden\u2026", "SaveMolden1"};
    ui::MenuItem Overlay1{"Overlay Experimental Spectrum\u2026", "Overlay1"};
    ui::MenuItem RemoveOverlay1{"Remove Overlay", "RemoveOverlay1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem Spectrum1{"Spectrum", "Spectrum1"};
    ui::MenuItem IR1{"IR", "IR1"};
    ui::MenuItem Raman1{"Raman", "Raman1"};
    ui::MenuItem Lorentzian1{"Lorentzian", "Lorentzian1"};
    ui::MenuItem Gaussian1{"Gaussian", "Gaussian1"};
    ui::MenuItem Sticks1{"Sticks", "Sticks1"};
    ui::MenuItem Transmittance1{"Transmittance", "Transmittance1"};
    ui::MenuItem RamanIntensities1{"Raman Intensities (Excitation, Temperature)", "RamanIntensities1"};
    ui::MenuItem Help1{"Help", "Help1"};

    // Reads the modes of `log` and shows the window; a log without frequencies is refused
    // with a message (false).
    bool ShowSpectra(const std::string& log);
    // After another log was scanned: shows its modes, or false (the window is then hidden)
    // when it has none.
    bool Reload(const std::string& log);
    // Computes and draws; false when nothing could be drawn (the reason is in a message).
    bool DrawSpectrum();
    void SetRaman(bool raman);
    void SetShape(irraman::BandShape shape);
    void SaveSpectrum1Click();
    void SavePicture1Click();
    // The structure and normal modes for molecular viewers (molden/molden_export.cpp).
    void SaveMolden1Click();
    void Overlay1Click();
    void RemoveOverlay1Click();
    void FormResize();

    void PaintBox1MouseDown(const ui::MouseEvent& e);
    void PaintBox1MouseMove(const ui::MouseEvent& e);
    void PaintBox1MouseUp(const ui::MouseEvent& e);
    void PaintBox1DblClick();

    // The request the controls describe (a width, scale or bound that is not a number
    // raises ConversionError).
    irraman::CurveRequest Request() const;
    const irraman::VibModes& Modes() const { return modes_; }
    const irraman::IrCurve& Curve() const { return curve_; }
    const irraman::IrFrame& Frame() const { return frame_; }
    const std::string& LogFile() const { return log_; }
    bool HasOverlay() const { return overlay_.has_value(); }
    const spectrum::ExperimentalSpectrum* Overlay() const { return overlay_ ? &*overlay_ : nullptr; }
    // Index of the stick within 4 pixels of column x (the nearest), or -1.
    int StickAt(int x) const;

    spectrum::ZoomDrag zoom;

private:
    void Layout();
    void TakeModes(const std::string& log, irraman::VibModes modes);
    void ShowMode(int stick);
    std::vector<std::string> Notes() const;
    Application& app_;
    std::string log_;
    irraman::VibModes modes_;
    irraman::IrCurve curve_;
    irraman::CurveRequest drawn_;  // the request of the last drawing
    irraman::IrFrame frame_;
    std::optional<spectrum::ExperimentalSpectrum> overlay_;
    bool autoY_ = true;
    double ymin_ = 0, ymax_ = 1;
};

}  // namespace mavrolin

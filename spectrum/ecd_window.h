#pragma once
// The ECD window: the circular dichroism spectrum of the excited states of the scanned log,
// from the rotatory strengths printed before them. The controls above the plot hold the band
// width, the shift, the range and the points; the menus choose the velocity or length form,
// nm or eV, the mirror image (the other enantiomer) and the sticks. The mouse works as in
// the UV-vis window: Shift-drag zooms, a double-click returns to the automatic ranges.
#include <optional>
#include <string>
#include <vector>

#include "spectrum/ecd_figure.h"
#include "spectrum/experimental_spectrum.h"
#include "spectrum/rotatory_strengths.h"
#include "spectrum/zoom_drag.h"
#include "ui/controls.h"
#include "ui/plot_frame.h"

namespace mavrolin {

class Application;

class EcdWindow : public ui::Form {
public:
    explicit EcdWindow(Application& app);

    ui::Label SigmaLabel, ShiftLabel, FromLabel, ToLabel, PointsLabel;
    ui::Edit Sigma;  // half-width at 1/e, eV
    ui::Edit Shift;  // eV, added to every state
    ui::CheckBox XAuto;
    ui::Edit XMin, XMax;
    ui::SpinEdit Points;
    ui::Button Redraw;
    ui::PaintBox PaintBox1;

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveEcd1{"Save ECD Spectrum\u2026", "SaveEcd1"};
    ui::MenuItem SavePicture1{"Save Picture\u2026", "SavePicture1"};
    ui::MenuItem SaveFigure1{"Save Figure\u2026", "SaveFigure1"};
    ui::MenuItem SaveFigureData1{"Save Figure Data\u2026", "SaveFigureData1"};
    ui::MenuItem Overlay1{"Overlay Experimental Spectrum\u2026", "Overlay1"};
    ui::MenuItem RemoveOverlay1{"Remove Overlay", "RemoveOverlay1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem Ecd1{"ECD", "Ecd1"};
    ui::MenuItem Velocity1{"Velocity Form", "Velocity1"};
    ui::MenuItem Length1{"Length Form", "Length1"};
    ui::MenuItem Nm1{"Wavelength (nm)", "Nm1"};
    ui::MenuItem Ev1{"Energy (eV)", "Ev1"};
    ui::MenuItem Mirror1{"Mirror", "Mirror1"};
    ui::MenuItem Sticks1{"Rotatory Strengths", "Sticks1"};
    ui::MenuItem Help1{"Help", "Help1"};

    // The strengths of the scanned log's last block of states (the excited-state phase
    // hands them over; an empty value forgets the last ones). The window redraws when open.
    void TakeStrengths(const std::string& log, spectrum::RotatoryStrengths rs);
    bool HasStrengths() const { return !strengths_.Empty(); }
    const spectrum::RotatoryStrengths& Strengths() const { return strengths_; }
    const std::string& LogFile() const { return log_; }

    // Shows the window and draws; a log without rotatory strengths is refused (false).
    bool ShowSpectrum();
    // Computes and draws; false when nothing could be drawn (the reason is in a message).
    bool DrawSpectrum();
    // The options the controls and menus describe (a width, shift or bound that is not a
    // number raises ConversionError).
    spectrum::EcdFigureOptions Options() const;
    void SetForm(spectrum::RotatoryForm form);
    void SetUnit(int unit);
    void SaveEcd1Click();
    void SavePicture1Click();
    void Overlay1Click();
    void RemoveOverlay1Click();
    void FormResize();
    const spectrum::ExperimentalSpectrum* Overlay() const { return overlay_ ? &*overlay_ : nullptr; }

    void PaintBox1MouseDown(const ui::MouseEvent& e);
    void PaintBox1MouseMove(const ui::MouseEvent& e);
    void PaintBox1MouseUp(const ui::MouseEvent& e);
    void PaintBox1DblClick();

    // The curve of the last drawing (mirrored when Mirror is checked) and its mapping.
    const std::vector<double>& CurveX() const { return x_; }
    const std::vector<double>& CurveY() const { return y_; }
    const ui::PlotFrame& Frame() const { return frame_; }
    // The options of the last drawing (its range filled in).
    const spectrum::EcdFigureOptions& Drawn() const { return drawn_; }

    spectrum::ZoomDrag zoom;

private:
    void Layout();
    Application& app_;
    std::string log_;
    spectrum::RotatoryStrengths strengths_;
    spectrum::EcdFigureOptions drawn_;
    std::vector<double> x_, y_;
    ui::PlotFrame frame_;
    bool drawnOk_ = false;
    std::optional<spectrum::ExperimentalSpectrum> overlay_;
    bool autoY_ = true;
    double ymin_ = 0, ymax_ = 1;
};

}  // namespace mavrolin

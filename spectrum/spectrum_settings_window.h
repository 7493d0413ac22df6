#pragma once
// The spectrum settings window: every parameter of the simulated spectrum and of its
// picture, held in its controls (the only store: each redraw reads them), the range
// Apply buttons, the colour and font dialogs, "Restore Default" and the settings file.
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "spectrum/spectrum_calc.h"
#include "spectrum/spectrum_settings_file.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

class TForm10 : public ui::Form {
public:
    explicit TForm10(Application& app);

    ui::ScrollBox ScrollBox1;
    ui::SpinEdit SpecPoints, SigmaValue, ScaleFactor, XUnit, XaxisAuto_SW;
    ui::Edit SigmaText, ScaleText, XUnitText, XaxisAutoDisp;
    ui::Button Redraw, Redraw2;
    ui::Edit EV_Max, EV_Min, NM_Min, NM_Max;
    ui::Button ApplyEVMax, ApplyEVMin, ApplyNMMin, ApplyNMMax;
    ui::Label kayser_max, kayser_min;
    ui::SpinEdit LineWidthGau, LineStyleGau, Gauss_SW, LineWidthBar, LineStyleBar, LineWidthSpc, LineStyleSpc;
    ui::Edit LineStyleGauEdit, GaussDisp, LineStyleBarEdit, LineStyleSpcEdit, linecolorspc;
    ui::SpinEdit LineWidthFrm, LineStyleFrm, Transition_SW, fthreshold, TransitionFontSize, FrameFontSize;
    ui::Edit linecolorfrm, LineStyleFrmEdit, TransitionDisp, f_threstext, PaintBox_Font, PaintBoxFontStyle;
    ui::SpinEdit YaxisAuto_SW, Monochro_SW;
    ui::Edit YaxisAutoDisp, Disp_ymax, Disp_ymin, MonochroDisp;

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveSettings1{"SaveSettings", "SaveSettings1"};
    ui::MenuItem OpenSettings1{"OpenSettings", "OpenSettings1"};
    ui::MenuItem RestoreDefault1{"Restore Default", "RestoreDefault1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};

    // Line Color #1 .. #20 (n = 1..20).
    ui::Edit& linecolor(int n) { return *linecolors_.at(static_cast<size_t>(n - 1)); }
    const ui::Edit& linecolor(int n) const { return *linecolors_.at(static_cast<size_t>(n - 1)); }

    // Change reactions and buttons.
    void SpecPointsChange();
    void RedrawClick();
    void SigmaValueChange();
    void ScaleFactorChange();
    void XUnitChange();
    void ApplyEVMaxClick();
    void ApplyEVMinClick();
    void ApplyNMMinClick();
    void ApplyNMMaxClick();
    void ColorBoxClick(ui::Edit& box);
    void PaintBox_FontClick();
    void YaxisAuto_SWChange();
    void SaveSettings1Click();
    void OpenSettings1Click();
    void RestoreDefault1Click();

    // Reads a settings file into the controls. A line with no valid value is reported by
    // number and leaves its setting as it was. Raises core::FileError when unreadable.
    void ReadSettings(const std::string& path);

    // The settings the computation reads, from the controls.
    spectrum::CurveSettings CurveSettingsValue() const;
    // A colour box's colour; a text that is not an integer raises core::ConversionError.
    static ui::Color ColorOf(const ui::Edit& box);
    static void SetColor(ui::Edit& box, ui::Color c);

    // Runs `change` with the redraws of the change reactions held back, then redraws once
    // if any reaction asked for it: the picture is the same, drawn once.
    void WithOneRedraw(const std::function<void()>& change);

private:
    struct Slot;  // one line of the settings file and its control
    std::vector<Slot> Slots();
    void Redraw_();
    void SwitchDisplay(int value, ui::Edit& display);
    void StyleName(int value, ui::Edit& display);
    void RefuseBound(ui::Edit& bound);
    void Layout();

    Application& app_;
    std::array<std::unique_ptr<ui::Edit>, 20> linecolors_;
    std::vector<std::unique_ptr<ui::Label>> captions_;
    std::map<const ui::Edit*, std::string> lastGoodBound_;  // bounds > 0 last seen in each edit
    int heldRedraws_ = -1;  // -1: redraw at once; else the redraws asked for while held
};

}  // namespace mavrolin

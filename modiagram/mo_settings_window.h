#pragma once
// The graphics settings of the MO level diagram ("Graphics Settings"): colours, line widths
// and styles, side separation, alpha/beta overlay, energy labels, unit, display range and
// file-name labels. The controls are the only store of these options; every change
// redraws the diagram when a display range exists (the Ymax box is not blank).
#include <memory>
#include <string>
#include <vector>

#include "modiagram/mo_settings_file.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

class TForm8 : public ui::Form {
public:
    explicit TForm8(Application& app);

    ui::Edit AlphaOccColor, AlphaVirtColor, BetaOccColor, BetaVirtColor;  // read-only colour boxes
    ui::SpinEdit LineWidthOcc, LineWidthVirt;
    ui::SpinEdit LineStyleOcc, LineStyleVirt;
    ui::Edit LineStyleOccEdit, LineStyleVirtEdit;
    ui::SpinEdit MODiv;
    ui::SpinEdit Overlay_SW;
    ui::Edit OverlayMode;
    ui::SpinEdit Energy_SW;
    ui::Edit MOEnergyDisp;
    ui::SpinEdit MOEnFontSize, NDigits;
    ui::SpinEdit Energy_Unit;
    ui::Edit EnUnitEdit;
    ui::SpinEdit FileName_SW;
    ui::Edit FileNameDisp;
    ui::Edit Disp_ymax, Disp_ymin;
    ui::Button ReDraw, RestoreDefaltSettings;
    std::vector<std::unique_ptr<ui::Label>> Captions;

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveSettings1{"SaveSettings", "SaveSettings1"};
    ui::MenuItem OpenSettings1{"OpenSettings", "OpenSettings1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};

    void AlphaOccColorClick() { ColorClick(AlphaOccColor); }
    void AlphaVirtColorClick() { ColorClick(AlphaVirtColor); }
    void BetaOccColorClick() { ColorClick(BetaOccColor); }
    void BetaVirtColorClick() { ColorClick(BetaVirtColor); }
    void LineWidthOccChange() { RedrawIfRange(); }
    void LineWidthVirtChange() { RedrawIfRange(); }
    void LineStyleOccChange();
    void LineStyleVirtChange();
    void MODivChange();
    void Overlay_SWChange();
    void Energy_SWChange();
    void MOEnFontSizeChange() { RedrawIfRange(); }
    void NDigitsChange() { RedrawIfRange(); }
    void Energy_UnitChange();
    void FileName_SWChange();
    void ReDrawClick() { RedrawIfRange(); }
    void RestoreDefaltSettingsClick();
    void SaveSettings1Click();
    void OpenSettings1Click();
    void FormClose() { Hide(); }

    // Reads a settings file into the controls (each through its change reaction), then
    // redraws if a range exists.
    void LoadSettings(const std::string& path);
    // The range boxes show 15 significant digits. The value behind a box the program wrote
    // is kept whole, so a range converted to another unit and back comes back unchanged.
    void SetRangeBox(ui::Edit& box, double value);
    double RangeBoxValue(const ui::Edit& box) const;  // throws ConversionError on bad text

    // The fifteen stored items in file order.
    modiagram::SettingsValues StoredValues() const;

private:
    void ColorClick(ui::Edit& box);
    void SetColorBox(ui::Edit& box, ui::Color color);
    void SetSwitch(ui::Edit& box, const std::string& text, ui::Color color);
    void RedrawIfRange();
    void Build();
    struct KeptValue {
        std::string text;
        double value = 0;
    };
    KeptValue& KeptOf(const ui::Edit& box) const;
    Application& app_;
    mutable KeptValue keptMax_, keptMin_;
};

}  // namespace mavrolin

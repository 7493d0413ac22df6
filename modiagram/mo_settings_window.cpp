#include "modiagram/mo_settings_window.h"

#include <filesystem>

#include "app/application.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "modiagram/mo_layout.h"

namespace mavrolin {

namespace {

constexpr ui::Color kMagenta = 0xFF00FF, kSwitchGreen = 0x008000;
constexpr const char* kSettingsFilter = "Settings (*.inf)|*.inf|All files (*.*)|*.*";
const char* const kStyleNames[] = {"Solid", "Dashed", "Dotted", "DashDot", "DashDotDot"};

struct SpinRange {
    int min, max, start;
};

void Setup(ui::SpinEdit& spin, SpinRange r) {
    spin.SetMinValue(r.min);
    spin.SetMaxValue(r.max);
    spin.SetValue(r.start);
}

}  // namespace

TForm8::TForm8(Application& app)
    : ui::Form("Form8", "Graphics Settings"),
      AlphaOccColor(this, "AlphaOccColor"),
      AlphaVirtColor(this, "AlphaVirtColor"),
      BetaOccColor(this, "BetaOccColor"),
      BetaVirtColor(this, "BetaVirtColor"),
      LineWidthOcc(this, "LineWidthOcc"),
      LineWidthVirt(this, "LineWidthVirt"),
      LineStyleOcc(this, "LineStyleOcc"),
      LineStyleVirt(this, "LineStyleVirt"),
      LineStyleOccEdit(this, "LineStyleOccEdit"),
      LineStyleVirtEdit(this, "LineStyleVirtEdit"),
      MODiv(this, "MODiv"),
      Overlay_SW(this, "Overlay_SW"),
      OverlayMode(this, "OverlayMode"),
      Energy_SW(this, "Energy_SW"),
      MOEnergyDisp(this, "MOEnergyDisp"),
      MOEnFontSize(this, "MOEnFontSize"),
      NDigits(this, "NDigits"),
      Energy_Unit(this, "Energy_Unit"),
      EnUnitEdit(this, "EnUnitEdit"),
      FileName_SW(this, "FileName_SW"),
      FileNameDisp(this, "FileNameDisp"),
      Disp_ymax(this, "Disp_ymax"),
      Disp_ymin(this, "Disp_ymin"),
      ReDraw(this, "ReDraw"),
      RestoreDefaltSettings(this, "RestoreDefaltSettings"),
      app_(app) {
    Build();
}

// Rows of caption + control(s), top to bottom; start values set before any reaction is
// connected, so building the window draws nothing.
void TForm8::Build() {
    SetBounds(300, 100, 430, 610);
    int y = 10;
    auto caption = [this, &y](const std::string& text) {
        auto label = std::make_unique<ui::Label>(this, "Label" + std::to_string(Captions.size() + 1));
        label->SetCaption(text);
        label->SetBounds(12, y + 3, 220, 16);
        Captions.push_back(std::move(label));
    };
    auto row = [&](const std::string& text, ui::Control& main, ui::Control* beside = nullptr) {
        caption(text);
        main.SetBounds(240, y, beside ? 60 : 150, 22);
        if (beside) beside->SetBounds(305, y, 100, 22);
        y += 28;
    };
    row("Alpha Occupied Orbital", AlphaOccColor);
    row("Alpha Virtual Orbital", AlphaVirtColor);
    row("Beta Occupied Orbital", BetaOccColor);
    row("Beta Virtual Orbital", BetaVirtColor);
    row("Line Width (Occ.)", LineWidthOcc);
    row("Line Width (Virt.)", LineWidthVirt);
    row("Line Style (Occ.)", LineStyleOcc, &LineStyleOccEdit);
    row("Line Style (Virt.)", LineStyleVirt, &LineStyleVirtEdit);
    row("Side Separation Mode", MODiv);
    caption("(3-50: Separation becomes larger upon decreasing)");
    y += 22;
    row("Overlay Alpha/Beta Mode", Overlay_SW, &OverlayMode);
    row("Display MO Energies", Energy_SW, &MOEnergyDisp);
    row("Font Size for Energies", MOEnFontSize);
    row("Digits  for MO Energies", NDigits);
    row("MO Energy Unit", Energy_Unit, &EnUnitEdit);
    row("Display File Name(s)", FileName_SW, &FileNameDisp);
    row("Display Range (Ymax)", Disp_ymax);
    row("Display Range (Ymin)", Disp_ymin);
    ReDraw.SetBounds(60, y + 6, 120, 28);
    ReDraw.SetCaption("ReDraw");
    RestoreDefaltSettings.SetBounds(220, y + 6, 140, 28);
    RestoreDefaltSettings.SetCaption("Restore Default");

    for (auto* box : {&AlphaOccColor, &AlphaVirtColor, &BetaOccColor, &BetaVirtColor, &LineStyleOccEdit,
                      &LineStyleVirtEdit, &OverlayMode, &MOEnergyDisp, &EnUnitEdit, &FileNameDisp})
        box->SetReadOnly(true);
    SetColorBox(AlphaOccColor, ui::kBlue);
    SetColorBox(AlphaVirtColor, kMagenta);
    SetColorBox(BetaOccColor, ui::kGreen);
    SetColorBox(BetaVirtColor, ui::kRed);
    Setup(LineWidthOcc, {1, 5, 1});
    Setup(LineWidthVirt, {1, 5, 1});
    Setup(LineStyleOcc, {0, 4, 0});
    Setup(LineStyleVirt, {0, 4, 0});
    LineStyleOccEdit.SetText(kStyleNames[0]);
    LineStyleVirtEdit.SetText(kStyleNames[0]);
    Setup(MODiv, {3, 50, 4});
    Setup(Overlay_SW, {0, 2, 0});
    SetSwitch(OverlayMode, "OFF", ui::kRed);
    Setup(Energy_SW, {0, 1, 0});
    SetSwitch(MOEnergyDisp, "OFF", ui::kRed);
    Setup(MOEnFontSize, {3, 30, 8});
    Setup(NDigits, {4, 16, 8});
    Setup(Energy_Unit, {1, 4, 1});
    EnUnitEdit.SetText("eV");
    Setup(FileName_SW, {0, 1, 0});
    SetSwitch(FileNameDisp, "OFF", ui::kRed);

    Menu.Add(File1);
    File1.Add(SaveSettings1);
    File1.Add(OpenSettings1);
    File1.AddSeparator();
    File1.Add(Exit1);
    SaveSettings1.OnClick = [this] { SaveSettings1Click(); };
    OpenSettings1.OnClick = [this] { OpenSettings1Click(); };
    Exit1.OnClick = [this] { FormClose(); };  // as closing the window does
    OnClose = [this] { FormClose(); };

    AlphaOccColor.OnClick = [this] { AlphaOccColorClick(); };
    AlphaVirtColor.OnClick = [this] { AlphaVirtColorClick(); };
    BetaOccColor.OnClick = [this] { BetaOccColorClick(); };
    BetaVirtColor.OnClick = [this] { BetaVirtColorClick(); };
    LineWidthOcc.OnChange = [this] { LineWidthOccChange(); };
    LineWidthVirt.OnChange = [this] { LineWidthVirtChange(); };
    LineStyleOcc.OnChange = [this] { LineStyleOccChange(); };
    LineStyleVirt.OnChange = [this] { LineStyleVirtChange(); };
    MODiv.OnChange = [this] { MODivChange(); };
    Overlay_SW.OnChange = [this] { Overlay_SWChange(); };
    Energy_SW.OnChange = [this] { Energy_SWChange(); };
    MOEnFontSize.OnChange = [this] { MOEnFontSizeChange(); };
    NDigits.OnChange = [this] { NDigitsChange(); };
    Energy_Unit.OnChange = [this] { Energy_UnitChange(); };
    FileName_SW.OnChange = [this] { FileName_SWChange(); };
    ReDraw.OnClick = [this] { ReDrawClick(); };
    RestoreDefaltSettings.OnClick = [this] { RestoreDefaltSettingsClick(); };
}

// ---------------------------------------------------------------- helpers

void TForm8::SetColorBox(ui::Edit& box, ui::Color color) {
    box.SetText(core::IntText(static_cast<long long>(color)));
    box.SetBackColor(color);
}

void TForm8::SetSwitch(ui::Edit& box, const std::string& text, ui::Color color) {
    box.SetText(text);
    box.SetBackColor(color);
}

TForm8::KeptValue& TForm8::KeptOf(const ui::Edit& box) const { return &box == &Disp_ymax ? keptMax_ : keptMin_; }

void TForm8::SetRangeBox(ui::Edit& box, double value) {
    auto& kept = KeptOf(box);
    kept.text = core::FloatText(value);
    kept.value = value;
    box.SetText(kept.text);
}

double TForm8::RangeBoxValue(const ui::Edit& box) const {
    const auto& kept = KeptOf(box);
    if (!kept.text.empty() && box.Text() == kept.text) return kept.value;
    return core::ParseDouble(box.Text());
}

void TForm8::RedrawIfRange() {
    if (!core::IsBlank(Disp_ymax.Text())) app_.form7.DrawMODiagramsClick();
}

void TForm8::ColorClick(ui::Edit& box) {
    auto chosen = app_.platform.ColorDialog(box.BackColor());
    if (!chosen) return;
    SetColorBox(box, *chosen);
    RedrawIfRange();
}

// ---------------------------------------------------------------- reactions

void TForm8::LineStyleOccChange() {
    LineStyleOccEdit.SetText(kStyleNames[LineStyleOcc.Value()]);
    RedrawIfRange();
}

void TForm8::LineStyleVirtChange() {
    LineStyleVirtEdit.SetText(kStyleNames[LineStyleVirt.Value()]);
    RedrawIfRange();
}

void TForm8::MODivChange() {
    app_.form7.UpdateSlotExtent();
    RedrawIfRange();
}

void TForm8::Overlay_SWChange() {
    const int mode = Overlay_SW.Value();
    if (modiagram::CountSets(app_.form6.Table()).beta_col == 0) {
        if (mode != 0) Overlay_SW.SetValue(0);  // no open-shell set to overlay
        return;
    }
    if (mode == 0) SetSwitch(OverlayMode, "OFF", ui::kRed);
    if (mode == 1) SetSwitch(OverlayMode, "ON(Simple)", ui::kBlue);
    if (mode == 2) SetSwitch(OverlayMode, "ON(Shift)", kSwitchGreen);
    app_.form7.UpdateSlotExtent();
    RedrawIfRange();
}

void TForm8::Energy_SWChange() {
    Energy_SW.Value() == 1 ? SetSwitch(MOEnergyDisp, "ON", ui::kBlue) : SetSwitch(MOEnergyDisp, "OFF", ui::kRed);
    RedrawIfRange();
}

void TForm8::FileName_SWChange() {
    FileName_SW.Value() == 1 ? SetSwitch(FileNameDisp, "ON", ui::kBlue) : SetSwitch(FileNameDisp, "OFF", ui::kRed);
    RedrawIfRange();
}

void TForm8::Energy_UnitChange() {
    auto& log = app_.log;
    const auto& unit = modiagram::EnergyUnitOf(Energy_Unit.Value());
    EnUnitEdit.SetText(unit.name);
    log.EnUnit = unit.factor;
    if (core::IsBlank(Disp_ymax.Text())) return;
    const double ymax = RangeBoxValue(Disp_ymax);
    const double ymin = RangeBoxValue(Disp_ymin);
    SetRangeBox(Disp_ymax, modiagram::ConvertRangeValue(ymax, log.PreENU, unit));
    SetRangeBox(Disp_ymin, modiagram::ConvertRangeValue(ymin, log.PreENU, unit));
    // The boxes are in the new unit now, whether or not the diagram can be drawn.
    log.PreENU = log.EnUnit;
    RedrawIfRange();
}

void TForm8::RestoreDefaltSettingsClick() {
    SetColorBox(AlphaOccColor, ui::kBlue);
    SetColorBox(AlphaVirtColor, kMagenta);
    SetColorBox(BetaOccColor, ui::kGreen);
    SetColorBox(BetaVirtColor, ui::kRed);
    LineWidthOcc.SetValue(1);
    LineWidthVirt.SetValue(1);
    LineStyleOcc.SetValue(0);
    LineStyleVirt.SetValue(0);
    MODiv.SetValue(4);
    Overlay_SW.SetValue(0);
    Energy_SW.SetValue(0);
    MOEnFontSize.SetValue(8);
    NDigits.SetValue(10);
    Energy_Unit.SetValue(1);
    FileName_SW.SetValue(0);
}

// ---------------------------------------------------------------- settings file

modiagram::SettingsValues TForm8::StoredValues() const {
    modiagram::SettingsValues v{};
    const ui::Edit* boxes[] = {&AlphaOccColor, &AlphaVirtColor, &BetaOccColor, &BetaVirtColor};
    for (int i = 0; i < 4; ++i) v[static_cast<size_t>(i)] = core::ParseInt(boxes[i]->Text());
    const ui::SpinEdit* spins[] = {&LineWidthOcc, &LineWidthVirt, &LineStyleOcc, &LineStyleVirt,
                                   &MODiv,        &Overlay_SW,    &Energy_SW,    &MOEnFontSize,
                                   &NDigits,      &Energy_Unit,   &FileName_SW};
    for (int i = 0; i < 11; ++i) v[static_cast<size_t>(i) + 4] = spins[i]->Value();
    return v;
}

void TForm8::LoadSettings(const std::string& path) {
    ui::Edit* boxes[] = {&AlphaOccColor, &AlphaVirtColor, &BetaOccColor, &BetaVirtColor};
    ui::SpinEdit* spins[] = {&LineWidthOcc, &LineWidthVirt, &LineStyleOcc, &LineStyleVirt, &MODiv,   &Overlay_SW,
                             &Energy_SW,    &MOEnFontSize,  &NDigits,      &Energy_Unit,   &FileName_SW};
    modiagram::ReadSettingsFile(path, [&](int item, long long value) {
        if (item <= 4)
            SetColorBox(*boxes[item - 1], static_cast<ui::Color>(value));
        else
            spins[item - 5]->SetValue(static_cast<int>(std::clamp<long long>(value, -1000000, 1000000)));
    });
    app_.Pause(app_.log.sleeptime);
    RedrawIfRange();
}

void TForm8::SaveSettings1Click() {
    auto& log = app_.log;
    auto chosen =
        app_.platform.SaveFileDialog({"SaveSettings", log.dirinfo0, modiagram::kSettingsFileName, kSettingsFilter});
    if (!chosen) return;
    modiagram::WriteSettingsFile(*chosen, app_.platform.DateTimeText(), StoredValues());
    app_.Pause(log.sleeptime);
    RedrawIfRange();
}

void TForm8::OpenSettings1Click() {
    auto chosen = app_.platform.OpenFileDialog(
        {"OpenSettings", app_.log.dirinfo0, modiagram::kSettingsFileName, kSettingsFilter});
    if (!chosen) return;
    LoadSettings(*chosen);
}

}  // namespace mavrolin

#include "spectrum/spectrum_settings_window.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "app/application.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "spectrum/spectrum_plot.h"

namespace mavrolin {

namespace {

using core::FloatText;
using core::IntText;

constexpr ui::Color kOnColor = 65280, kOffColor = 255;
constexpr ui::Color kInitialColors[4] = {16711680, 16711935, 32768, 255};
constexpr ui::Color kDefaultColors[20] = {16711808, 16711680, 8404992, 16711935, 65280,   255,     16512,
                                          33023,    32768,    32896,   16711935, 8421376, 4210816, 16711808,
                                          16384,    8388863,  32768,   16711680, 4227327, 8421440};
const char* const kStyleNames[] = {"Solid", "Dashed", "Dotted", "DashDot", "DashDotDot"};

std::string StyleNameOf(const ui::FontSpec& f) {
    const bool other = f.underline || f.strikeout;
    if (f.bold && f.italic && !other) return "Bold+Italic";
    if (f.bold && !f.italic && !other) return "Bold";
    if (f.italic && !f.bold && !other) return "Italic";
    if (f.strikeout && !f.underline && !f.bold && !f.italic) return "StrikeOut";
    if (f.underline && !f.strikeout && !f.bold && !f.italic) return "Underline";
    if (!f.bold && !f.italic && !other) return "Standard";
    return {};
}

bool PositiveNumber(const std::string& text) {
    double v = 0;
    return core::TryParseDouble(text, v) && v > 0;
}

}  // namespace

// One line of the settings file: a spin edit, or an edit holding a bound, a colour or a text.
struct TForm10::Slot {
    enum Kind { Spin, Bound, Color, Text } kind;
    ui::SpinEdit* spin = nullptr;
    ui::Edit* edit = nullptr;
};

TForm10::TForm10(Application& app)
    : ui::Form("Form10", "Graphics Setting for TD-DFT Spectral Simulation"),
      ScrollBox1(this, "ScrollBox1"),
      SpecPoints(&ScrollBox1, "SpecPoints"), SigmaValue(&ScrollBox1, "SigmaValue"),
      ScaleFactor(&ScrollBox1, "ScaleFactor"), XUnit(&ScrollBox1, "XUnit"), XaxisAuto_SW(&ScrollBox1, "XaxisAuto_SW"),
      SigmaText(&ScrollBox1, "SigmaText"), ScaleText(&ScrollBox1, "ScaleText"), XUnitText(&ScrollBox1, "XUnitText"),
      XaxisAutoDisp(&ScrollBox1, "XaxisAutoDisp"), Redraw(&ScrollBox1, "Redraw"), Redraw2(&ScrollBox1, "Redraw2"),
      EV_Max(&ScrollBox1, "EV_Max"), EV_Min(&ScrollBox1, "EV_Min"), NM_Min(&ScrollBox1, "NM_Min"),
      NM_Max(&ScrollBox1, "NM_Max"), ApplyEVMax(&ScrollBox1, "ApplyEVMax"), ApplyEVMin(&ScrollBox1, "ApplyEVMin"),
      ApplyNMMin(&ScrollBox1, "ApplyNMMin"), ApplyNMMax(&ScrollBox1, "ApplyNMMax"),
      kayser_max(&ScrollBox1, "kayser_max"), kayser_min(&ScrollBox1, "kayser_min"),
      LineWidthGau(&ScrollBox1, "LineWidthGau"), LineStyleGau(&ScrollBox1, "LineStyleGau"),
      Gauss_SW(&ScrollBox1, "Gauss_SW"), LineWidthBar(&ScrollBox1, "LineWidthBar"),
      LineStyleBar(&ScrollBox1, "LineStyleBar"), LineWidthSpc(&ScrollBox1, "LineWidthSpc"),
      LineStyleSpc(&ScrollBox1, "LineStyleSpc"), LineStyleGauEdit(&ScrollBox1, "LineStyleGauEdit"),
      GaussDisp(&ScrollBox1, "GaussDisp"), LineStyleBarEdit(&ScrollBox1, "LineStyleBarEdit"),
      LineStyleSpcEdit(&ScrollBox1, "LineStyleSpcEdit"), linecolorspc(&ScrollBox1, "linecolorspc"),
      LineWidthFrm(&ScrollBox1, "LineWidthFrm"), LineStyleFrm(&ScrollBox1, "LineStyleFrm"),
      Transition_SW(&ScrollBox1, "Transition_SW"), fthreshold(&ScrollBox1, "fthreshold"),
      TransitionFontSize(&ScrollBox1, "TransitionFontSize"), FrameFontSize(&ScrollBox1, "FrameFontSize"),
      linecolorfrm(&ScrollBox1, "linecolorfrm"), LineStyleFrmEdit(&ScrollBox1, "LineStyleFrmEdit"),
      TransitionDisp(&ScrollBox1, "TransitionDisp"), f_threstext(&ScrollBox1, "f_threstext"),
      PaintBox_Font(&ScrollBox1, "PaintBox_Font"), PaintBoxFontStyle(&ScrollBox1, "PaintBoxFontStyle"),
      YaxisAuto_SW(&ScrollBox1, "YaxisAuto_SW"), Monochro_SW(&ScrollBox1, "Monochro_SW"),
      YaxisAutoDisp(&ScrollBox1, "YaxisAutoDisp"), Disp_ymax(&ScrollBox1, "Disp_ymax"),
      Disp_ymin(&ScrollBox1, "Disp_ymin"), MonochroDisp(&ScrollBox1, "MonochroDisp"), app_(app) {
    for (int n = 1; n <= 20; ++n)
        linecolors_[static_cast<size_t>(n - 1)] = std::make_unique<ui::Edit>(&ScrollBox1, "linecolor" + IntText(n));
    SetStayOnTop(true);
    SetBounds(0, 0, 760, 720);
    ScrollBox1.SetAlign(ui::Align::Client);

    struct Range {
        ui::SpinEdit* spin;
        int min, max, value;
    };
    const Range ranges[] = {{&SpecPoints, 100, 10000, 300}, {&SigmaValue, 10, 10000, 200},
                            {&ScaleFactor, 10, 10000, 90},  {&XUnit, 1, 3, 1},
                            {&XaxisAuto_SW, 0, 1, 1},       {&LineWidthGau, 1, 5, 1},
                            {&LineStyleGau, 0, 4, 0},       {&Gauss_SW, 0, 1, 1},
                            {&LineWidthBar, 1, 5, 1},       {&LineStyleBar, 0, 4, 0},
                            {&LineWidthSpc, 1, 5, 1},       {&LineStyleSpc, 0, 4, 0},
                            {&LineWidthFrm, 1, 5, 2},       {&LineStyleFrm, 0, 4, 0},
                            {&Transition_SW, 0, 1, 0},      {&fthreshold, 0, 1000000, 10},
                            {&TransitionFontSize, 3, 18, 8}, {&FrameFontSize, 4, 20, 14},
                            {&YaxisAuto_SW, 0, 1, 1},       {&Monochro_SW, 0, 1, 0}};
    for (const auto& r : ranges) {
        r.spin->SetMinValue(r.min);
        r.spin->SetMaxValue(r.max);
        r.spin->SetValue(r.value);
    }
    const std::pair<ui::Edit*, const char*> texts[] = {
        {&SigmaText, "0.2"},       {&ScaleText, "0.9"},        {&XUnitText, "eV"},
        {&XaxisAutoDisp, "ON"},    {&EV_Max, "12"},            {&EV_Min, "1"},
        {&NM_Min, "103"},          {&NM_Max, "1240"},          {&LineStyleGauEdit, "Solid"},
        {&GaussDisp, "ON"},        {&LineStyleBarEdit, "Solid"}, {&LineStyleSpcEdit, "Solid"},
        {&LineStyleFrmEdit, "Solid"}, {&TransitionDisp, "OFF"}, {&f_threstext, "0.001"},
        {&PaintBox_Font, "Tahoma"}, {&PaintBoxFontStyle, "Bold"}, {&YaxisAutoDisp, "ON"},
        {&MonochroDisp, "OFF"}};
    for (const auto& [edit, text] : texts) edit->SetText(text);
    for (auto* e : {&SigmaText, &ScaleText, &XUnitText, &XaxisAutoDisp, &LineStyleGauEdit, &GaussDisp,
                    &LineStyleBarEdit, &LineStyleSpcEdit, &LineStyleFrmEdit, &TransitionDisp, &f_threstext,
                    &PaintBox_Font, &PaintBoxFontStyle, &YaxisAutoDisp, &MonochroDisp, &linecolorspc})
        e->SetReadOnly(true);
    for (auto* d : {&XaxisAutoDisp, &GaussDisp, &YaxisAutoDisp}) d->SetBackColor(kOnColor);
    for (auto* d : {&TransitionDisp, &MonochroDisp}) d->SetBackColor(kOffColor);
    for (int n = 1; n <= 20; ++n) {
        linecolor(n).SetReadOnly(true);
        SetColor(linecolor(n), kInitialColors[(n - 1) % 4]);
    }
    SetColor(linecolorspc, ui::kRed);
    SetColor(linecolorfrm, ui::kBlack);
    kayser_max.SetCaption("Maximum Wavenumber (cm-1) =  97087");
    kayser_min.SetCaption("Minimum Wavenumber (cm-1)= 8065");
    for (auto* b : {&Redraw, &Redraw2, &ApplyEVMax, &ApplyEVMin, &ApplyNMMin, &ApplyNMMax}) b->SetCaption("Apply");
    for (auto* e : {&EV_Max, &EV_Min, &NM_Min, &NM_Max}) {
        lastGoodBound_[e] = e->Text();
        e->OnChange = [this, e] {
            if (PositiveNumber(e->Text())) lastGoodBound_[e] = e->Text();
        };
    }
    Layout();

    Menu.Add(File1);
    File1.Add(SaveSettings1);
    File1.Add(OpenSettings1);
    File1.AddSeparator();
    File1.Add(RestoreDefault1);
    File1.Add(Exit1);
    SaveSettings1.OnClick = [this] { SaveSettings1Click(); };
    OpenSettings1.OnClick = [this] { OpenSettings1Click(); };
    RestoreDefault1.OnClick = [this] { RestoreDefault1Click(); };
    Exit1.OnClick = [this] { Hide(); };

    SpecPoints.OnChange = [this] { SpecPointsChange(); };
    Redraw.OnClick = Redraw2.OnClick = [this] { RedrawClick(); };
    SigmaValue.OnChange = [this] { SigmaValueChange(); };
    ScaleFactor.OnChange = [this] { ScaleFactorChange(); };
    XUnit.OnChange = [this] { XUnitChange(); };
    XaxisAuto_SW.OnChange = [this] { SwitchDisplay(XaxisAuto_SW.Value(), XaxisAutoDisp); };
    Gauss_SW.OnChange = [this] { SwitchDisplay(Gauss_SW.Value(), GaussDisp); };
    Transition_SW.OnChange = [this] { SwitchDisplay(Transition_SW.Value(), TransitionDisp); };
    Monochro_SW.OnChange = [this] { SwitchDisplay(Monochro_SW.Value(), MonochroDisp); };
    YaxisAuto_SW.OnChange = [this] { YaxisAuto_SWChange(); };
    LineStyleGau.OnChange = [this] { StyleName(LineStyleGau.Value(), LineStyleGauEdit); };
    LineStyleBar.OnChange = [this] { StyleName(LineStyleBar.Value(), LineStyleBarEdit); };
    LineStyleSpc.OnChange = [this] { StyleName(LineStyleSpc.Value(), LineStyleSpcEdit); };
    LineStyleFrm.OnChange = [this] { StyleName(LineStyleFrm.Value(), LineStyleFrmEdit); };
    for (auto* s : {&LineWidthGau, &LineWidthBar, &LineWidthSpc, &LineWidthFrm, &FrameFontSize})
        s->OnChange = [this] { Redraw_(); };
    fthreshold.OnChange = [this] {
        f_threstext.SetText(FloatText(fthreshold.Value() / 10000.0));
        Redraw_();
    };
    ApplyEVMax.OnClick = [this] { ApplyEVMaxClick(); };
    ApplyEVMin.OnClick = [this] { ApplyEVMinClick(); };
    ApplyNMMin.OnClick = [this] { ApplyNMMinClick(); };
    ApplyNMMax.OnClick = [this] { ApplyNMMaxClick(); };
    for (int n = 1; n <= 20; ++n) linecolor(n).OnClick = [this, n] { ColorBoxClick(linecolor(n)); };
    linecolorspc.OnClick = [this] { ColorBoxClick(linecolorspc); };
    linecolorfrm.OnClick = [this] { ColorBoxClick(linecolorfrm); };
    PaintBox_Font.OnClick = PaintBoxFontStyle.OnClick = [this] { PaintBox_FontClick(); };
}

// Two columns of labelled rows: the curve and range settings on the left, the pens,
// colours, fonts and switches on the right.
void TForm10::Layout() {
    int y = 8;
    auto row = [this, &y](int x, const std::string& caption, ui::Control& control, ui::Control* extra = nullptr,
                          int controlWidth = 70) {
        auto label = std::make_unique<ui::Label>(&ScrollBox1, "Caption" + IntText(static_cast<long long>(captions_.size())));
        label->SetCaption(caption);
        label->SetBounds(x, y + 3, 200, 17);
        control.SetBounds(x + 205, y, controlWidth, 22);
        if (extra) extra->SetBounds(x + 210 + controlWidth, y, 90, 22);
        captions_.push_back(std::move(label));
        y += 27;
    };
    row(8, "No. of Data Points", SpecPoints, &Redraw);
    row(8, "Sigma for Gaussian Function", SigmaValue, &SigmaText);
    row(8, "Scale of Oscillator Strength", ScaleFactor, &ScaleText);
    row(8, "Unit for the Vertical Axis X", XUnit, &XUnitText);
    row(8, "X-axis Auto Adjust", XaxisAuto_SW, &XaxisAutoDisp);
    row(8, "Maximum Value in eV", EV_Max, &ApplyEVMax);
    row(8, "Minimum Value in eV", EV_Min, &ApplyEVMin);
    row(8, "Minimum Wavelength (nm)", NM_Min, &ApplyNMMin);
    captions_.back()->SetFontColor(ui::kRed);
    row(8, "Maximum Wavelength (nm)", NM_Max, &ApplyNMMax);
    captions_.back()->SetFontColor(ui::kRed);
    kayser_max.SetBounds(8, y, 360, 17);
    kayser_min.SetBounds(8, y + 20, 360, 17);
    kayser_max.SetFontColor(ui::kBlue);
    kayser_min.SetFontColor(ui::kBlue);
    y += 45;
    row(8, "Y-axis Auto Adjust", YaxisAuto_SW, &YaxisAutoDisp);
    row(8, "Display Range (Ymax)", Disp_ymax);
    row(8, "Display Range (Ymin)", Disp_ymin, &Redraw2);
    row(8, "Threshold based on f", fthreshold, &f_threstext);
    row(8, "Display Transition Energy", Transition_SW, &TransitionDisp);
    row(8, "Font Size (Transition)", TransitionFontSize);
    row(8, "Font Size (Frame)", FrameFontSize);
    row(8, "Font Name (Frame)", PaintBox_Font, nullptr, 120);
    row(8, "Font Style (Frame)", PaintBoxFontStyle, nullptr, 120);
    row(8, "Draw with Black Only", Monochro_SW, &MonochroDisp);
    y = 8;
    row(390, "Line Width (Gaussian)", LineWidthGau);
    row(390, "Line Style (Gaussian)", LineStyleGau, &LineStyleGauEdit);
    row(390, "Display Gauss. Functions", Gauss_SW, &GaussDisp);
    row(390, "Line Width (bars for f)", LineWidthBar);
    row(390, "Line Style (bars for f)", LineStyleBar, &LineStyleBarEdit);
    row(390, "Line Width (Spectrum)", LineWidthSpc);
    row(390, "Line Style (Spectrum)", LineStyleSpc, &LineStyleSpcEdit);
    row(390, "Line Color (Spectrum)", linecolorspc, nullptr, 90);
    row(390, "Line Width (Frame)", LineWidthFrm);
    row(390, "Line Color (Frame)", linecolorfrm, nullptr, 90);
    row(390, "Line Style (Frame)", LineStyleFrm, &LineStyleFrmEdit);
    for (int n = 1; n <= 20; ++n)
        row(390, std::string("Line Color ") + (n < 10 ? " #" : "#") + IntText(n), linecolor(n), nullptr, 90);
}

// ---------------------------------------------------------------- values

ui::Color TForm10::ColorOf(const ui::Edit& box) {
    long long v = 0;
    if (!core::TryParseInt(box.Text(), v) || v < 0 || v > 0xFFFFFFFFLL)
        throw core::ConversionError("'" + box.Text() + "' (" + box.Name() + ") is not a valid colour value");
    return static_cast<ui::Color>(v);
}

void TForm10::SetColor(ui::Edit& box, ui::Color c) {
    box.SetText(IntText(c));
    box.SetBackColor(c);
}

spectrum::CurveSettings TForm10::CurveSettingsValue() const {
    spectrum::CurveSettings s;
    s.unit = XUnit.Value();
    s.points = SpecPoints.Value();
    s.sigmaValue = SigmaValue.Value();
    s.xAuto = XaxisAuto_SW.Value() == 1;
    s.evMin = EV_Min.Text();
    s.evMax = EV_Max.Text();
    s.nmMin = NM_Min.Text();
    s.nmMax = NM_Max.Text();
    s.yAuto = YaxisAuto_SW.Value() == 1;
    s.dispYmin = Disp_ymin.Text();
    s.dispYmax = Disp_ymax.Text();
    return s;
}

// ---------------------------------------------------------------- change reactions

void TForm10::Redraw_() {
    if (heldRedraws_ >= 0) {
        ++heldRedraws_;
        return;
    }
    if (app_.log.nexstt > 0) app_.form9.DrawSpecClick();  // no states: nothing to redraw
}

void TForm10::WithOneRedraw(const std::function<void()>& change) {
    const bool outer = heldRedraws_ < 0;
    if (outer) heldRedraws_ = 0;
    try {
        change();
    } catch (...) {
        if (outer) heldRedraws_ = -1;
        throw;
    }
    if (!outer) return;
    const bool asked = heldRedraws_ > 0;
    heldRedraws_ = -1;
    if (asked) Redraw_();
}

void TForm10::SpecPointsChange() {
    if (SpecPoints.Value() < 100) SpecPoints.SetValue(100);
    Redraw_();
}

void TForm10::RedrawClick() { SpecPointsChange(); }

void TForm10::SigmaValueChange() {
    if (SigmaValue.Value() == 0) SigmaValue.SetValue(10);
    SigmaText.SetText(FloatText(SigmaValue.Value() / 1000.0));
    Redraw_();
}

void TForm10::ScaleFactorChange() {
    if (ScaleFactor.Value() == 0) ScaleFactor.SetValue(10);
    ScaleText.SetText(FloatText(ScaleFactor.Value() / 100.0));
    Redraw_();
}

void TForm10::XUnitChange() {
    static const char* const kUnits[] = {"eV", "nm", "cm-1"};
    const int u = XUnit.Value();
    if (u >= 1 && u <= 3) XUnitText.SetText(kUnits[u - 1]);
    Redraw_();
}

void TForm10::SwitchDisplay(int value, ui::Edit& display) {
    if (value != 0 && value != 1) return;
    display.SetText(value == 1 ? "ON" : "OFF");
    display.SetBackColor(value == 1 ? kOnColor : kOffColor);
    Redraw_();
}

void TForm10::StyleName(int value, ui::Edit& display) {
    if (value >= 0 && value <= 4) display.SetText(kStyleNames[value]);
    Redraw_();
}

void TForm10::YaxisAuto_SWChange() {
    const int v = YaxisAuto_SW.Value();
    if (v == 0) {
        // The vertical range of this window's last drawing becomes the manual one.
        const auto& frame = app_.form9.Frame();
        YaxisAutoDisp.SetText("OFF");
        YaxisAutoDisp.SetBackColor(kOffColor);
        Disp_ymax.SetText(FloatText(std::nearbyint(frame.plot.y.dmax * 10000) / 10000));
        Disp_ymin.SetText(FloatText(std::nearbyint(frame.plot.y.dmin * 10000) / 10000));
    } else if (v == 1) {
        YaxisAutoDisp.SetText("ON");
        YaxisAutoDisp.SetBackColor(kOnColor);
        Disp_ymax.SetText("");
        Disp_ymin.SetText("");
    }
    Redraw_();
}

// ---------------------------------------------------------------- range Apply buttons

// A bound of 0 or below has no conversion: it is refused and the last good text returns.
void TForm10::RefuseBound(ui::Edit& bound) {
    app_.ShowMessagePos("Zero should be avoided!");
    bound.SetText(lastGoodBound_[&bound]);
}

void TForm10::ApplyEVMaxClick() {
    if (core::ParseDouble(EV_Max.Text()) <= 0) RefuseBound(EV_Max);
    const double ev = core::ParseDouble(EV_Max.Text());
    NM_Min.SetText(FloatText(spectrum::EvToNmTenths(ev)));
    kayser_max.SetCaption("Maximum Wavenumber (cm-1) = " + FloatText(spectrum::EvToCmHundredths(ev)));
    Redraw_();
}

void TForm10::ApplyEVMinClick() {
    if (core::ParseDouble(EV_Min.Text()) <= 0) {
        EV_Min.SetText("0.1");
        app_.ShowMessagePos("Zero should be avoided!");
    }
    const double ev = core::ParseDouble(EV_Min.Text());
    NM_Max.SetText(FloatText(spectrum::EvToNmTenths(ev)));
    kayser_min.SetCaption("Minimum Wavenumber (cm-1)= " + FloatText(spectrum::EvToCmHundredths(ev)));
    Redraw_();
}

void TForm10::ApplyNMMinClick() {
    if (core::ParseDouble(NM_Min.Text()) <= 0) {
        NM_Min.SetText("10");
        app_.ShowMessagePos("Zero should be avoided!");
    }
    const double nm = core::ParseDouble(NM_Min.Text());
    EV_Max.SetText(FloatText(spectrum::NmToEvMillionths(nm)));
    kayser_max.SetCaption("Maximum Wavenumber (cm-1) = " + FloatText(spectrum::NmToCmTenths(nm)));
    Redraw_();
}

void TForm10::ApplyNMMaxClick() {
    if (core::ParseDouble(NM_Max.Text()) <= 0) RefuseBound(NM_Max);
    const double nm = core::ParseDouble(NM_Max.Text());
    EV_Min.SetText(FloatText(spectrum::NmToEvMillionths(nm)));
    kayser_min.SetCaption("Minimum Wavenumber (cm-1)= " + FloatText(spectrum::NmToCmTenths(nm)));
    Redraw_();
}

// ---------------------------------------------------------------- dialogs

void TForm10::ColorBoxClick(ui::Edit& box) {
    long long initial = 0;
    core::TryParseInt(box.Text(), initial);
    auto chosen = app_.platform.ColorDialog(static_cast<ui::Color>(initial));
    if (!chosen) return;
    SetColor(box, *chosen);
    Redraw_();
}

void TForm10::PaintBox_FontClick() {
    auto& boxFont = app_.form9.PaintBox1.Canvas().Font;
    PaintBox_Font.SetText(boxFont.name);
    ui::FontSpec initial = boxFont;
    initial.size = FrameFontSize.Value();
    spectrum::ApplyFontStyle(initial, PaintBoxFontStyle.Text());
    auto chosen = app_.platform.FontDialog(initial);
    if (!chosen) return;
    boxFont = *chosen;
    WithOneRedraw([&] {
        FrameFontSize.SetValue(chosen->size);
        if (auto name = StyleNameOf(*chosen); !name.empty()) PaintBoxFontStyle.SetText(name);
        PaintBox_Font.SetText(chosen->name);
        Redraw_();
    });
}

// ---------------------------------------------------------------- settings file

std::vector<TForm10::Slot> TForm10::Slots() {
    std::vector<Slot> s = {{Slot::Spin, &SpecPoints},  {Slot::Spin, &SigmaValue},   {Slot::Spin, &ScaleFactor},
                           {Slot::Spin, &XUnit},       {Slot::Spin, &XaxisAuto_SW}, {Slot::Bound, nullptr, &EV_Max},
                           {Slot::Bound, nullptr, &EV_Min}, {Slot::Bound, nullptr, &NM_Min},
                           {Slot::Bound, nullptr, &NM_Max}};
    for (int n = 1; n <= 20; ++n) s.push_back({Slot::Color, nullptr, &linecolor(n)});
    const Slot tail[] = {{Slot::Spin, &LineWidthGau},  {Slot::Spin, &LineStyleGau},
                         {Slot::Spin, &Gauss_SW},      {Slot::Spin, &LineWidthBar},
                         {Slot::Spin, &LineStyleBar},  {Slot::Spin, &LineWidthSpc},
                         {Slot::Spin, &LineStyleSpc},  {Slot::Color, nullptr, &linecolorspc},
                         {Slot::Spin, &LineWidthFrm},  {Slot::Color, nullptr, &linecolorfrm},
                         {Slot::Spin, &LineStyleFrm},  {Slot::Spin, &Transition_SW},
                         {Slot::Spin, &fthreshold},    {Slot::Spin, &TransitionFontSize},
                         {Slot::Spin, &FrameFontSize}, {Slot::Text, nullptr, &PaintBox_Font},
                         {Slot::Text, nullptr, &PaintBoxFontStyle}, {Slot::Spin, &YaxisAuto_SW},
                         {Slot::Spin, &Monochro_SW}};
    s.insert(s.end(), std::begin(tail), std::end(tail));
    return s;
}

void TForm10::SaveSettings1Click() {
    const auto& log = app_.log;
    auto chosen = app_.platform.SaveFileDialog({"Save Settings", log.dirinfo0, "", ""});
    if (!chosen) return;
    std::array<std::string, spectrum::kSettingLines> values;
    auto slots = Slots();
    for (size_t i = 0; i < slots.size(); ++i)
        values[i] = slots[i].kind == Slot::Spin ? IntText(slots[i].spin->Value()) : slots[i].edit->Text();
    core::TextWriter out(*chosen);
    for (const auto& line : spectrum::SettingsFileLines(app_.platform.DateTimeText(), values)) out.WriteLine(line);
    out.Close();
    app_.Pause(log.sleeptime);
    Redraw_();
}

void TForm10::OpenSettings1Click() {
    auto chosen = app_.platform.OpenFileDialog({"Open Settings", app_.log.dirinfo0, "", ""});
    if (chosen) ReadSettings(*chosen);
}

void TForm10::ReadSettings(const std::string& path) {
    const auto values = spectrum::ReadSettingsFile(path);
    app_.Pause(app_.log.sleeptime);
    auto slots = Slots();
    std::string bad;
    WithOneRedraw([&] {
        for (size_t i = 0; i < slots.size(); ++i) {
            if (!values[i]) continue;  // the file ended before this line
            const std::string& v = *values[i];
            const Slot& s = slots[i];
            long long n = 0;
            bool ok = true;
            switch (s.kind) {
                case Slot::Spin:
                    ok = core::TryParseInt(v, n);
                    if (ok) s.spin->SetValue(static_cast<int>(std::clamp<long long>(n, INT32_MIN, INT32_MAX)));
                    break;
                case Slot::Bound:
                    ok = PositiveNumber(v);
                    if (ok) s.edit->SetText(v);
                    break;
                case Slot::Color:
                    ok = core::TryParseInt(v, n) && n >= 0 && n <= 0xFFFFFF;
                    if (ok) SetColor(*s.edit, static_cast<ui::Color>(n));
                    break;
                case Slot::Text: s.edit->SetText(v); break;
            }
            if (!ok) bad += (bad.empty() ? "" : ", ") + IntText(static_cast<long long>(i + 1));
        }
    });
    app_.form9.ApplyFontStyle();
    if (!bad.empty())
        app_.ShowMessagePos("The settings file " + path + " has no valid value on line " + bad +
                            "; those settings keep their previous values.");
}

void TForm10::RestoreDefault1Click() {
    WithOneRedraw([this] {
        const std::pair<ui::SpinEdit*, int> spins[] = {
            {&SpecPoints, 300},   {&SigmaValue, 200},   {&ScaleFactor, 90},   {&XUnit, 1},
            {&XaxisAuto_SW, 1},   {&LineWidthGau, 1},   {&LineStyleGau, 0},   {&Gauss_SW, 1},
            {&LineWidthBar, 1},   {&LineStyleBar, 0},   {&LineWidthSpc, 1},   {&LineStyleSpc, 0},
            {&LineWidthFrm, 2},   {&LineStyleFrm, 0},   {&Transition_SW, 0},  {&fthreshold, 10},
            {&TransitionFontSize, 8}, {&FrameFontSize, 14}, {&YaxisAuto_SW, 1}, {&Monochro_SW, 0}};
        for (const auto& [spin, value] : spins) spin->SetValue(value);
        EV_Max.SetText("9.8");
        EV_Min.SetText("0.9");
        NM_Min.SetText("126.5");
        NM_Max.SetText("1377.6");
        for (int n = 1; n <= 20; ++n) SetColor(linecolor(n), kDefaultColors[n - 1]);
        SetColor(linecolorspc, 255);
        SetColor(linecolorfrm, 0);
        PaintBox_Font.SetText("Tahoma");
        PaintBoxFontStyle.SetText("Bold");
    });
}

}  // namespace mavrolin

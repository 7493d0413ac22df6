#include "spectrum/esi_options_window.h"

#include "app/application.h"
#include "spectrum/esi_report.h"

namespace mavrolin {

TForm11::TForm11(Application& app)
    : ui::Form("Form11", "ESI Report Format"),
      nm_limit(this, "nm_limit"), f_limit(this, "f_limit"), cicoeff_limit(this, "cicoeff_limit"),
      HOMOPos(this, "HOMOPos"), description(this, "description"), style(this, "style"),
      Cancel(this, "Cancel"), Update1(this, "Update1"), SaveFile1(this, "SaveFile1"), app_(app) {
    SetStayOnTop(true);
    SetBounds(0, 0, 420, 300);
    nm_limit.SetText("200");
    f_limit.SetText("0.01");
    cicoeff_limit.SetText("0.2");
    HOMOPos.SetText("77");
    description.SetText("MO77A -> MO78A");
    description.SetReadOnly(true);
    style.SetMinValue(1);
    style.SetMaxValue(3);
    style.SetValue(1);
    Cancel.SetCaption("Cancel");
    Update1.SetCaption("Update");
    SaveFile1.SetCaption("Save ESI File");

    const std::pair<const char*, ui::Control*> rows[] = {
        {"Lower Limit for Wavelength (nm)", &nm_limit}, {"Threshold of Oscillator Strength (f)", &f_limit},
        {"Threshold  for abs(CI coefficients)", &cicoeff_limit}, {"Orbital Number of HOMO", &HOMOPos},
        {"Style of Report", &style}};
    int y = 10;
    for (const auto& [caption, control] : rows) {
        auto label = std::make_unique<ui::Label>(this, "Caption" + std::to_string(captions_.size()));
        label->SetCaption(caption);
        label->SetBounds(10, y + 3, 230, 17);
        control->SetBounds(250, y, 80, 22);
        captions_.push_back(std::move(label));
        y += 30;
    }
    description.SetBounds(250, y, 150, 22);
    y += 40;
    Cancel.SetBounds(10, y, 100, 27);
    Update1.SetBounds(120, y, 100, 27);
    SaveFile1.SetBounds(230, y, 150, 27);

    style.OnChange = [this] { styleChange(); };
    Cancel.OnClick = [this] { CancelClick(); };
    Update1.OnClick = [this] { Update1Click(); };
    SaveFile1.OnClick = [this] { SaveFile1Click(); };
}

void TForm11::styleChange() {
    if (style.Value() > 3) style.SetValue(3);
    if (style.Value() <= 0) style.SetValue(1);
    description.SetText(spectrum::EsiStyleExample(style.Value()));
    app_.form9.Format_ESIClick();
}

void TForm11::CancelClick() { Hide(); }

void TForm11::Update1Click() { app_.form9.Format_ESIClick(); }

void TForm11::SaveFile1Click() { app_.form9.SaveESI1Click(); }

}  // namespace mavrolin

#include "app/main_window.h"

#include <cmath>

#include "app/application.h"
#include "core/number_text.h"
#include "core/tokenizer.h"

namespace mavrolin {

TForm1::TForm1(Application& app)
    : ui::Form("Form1", "Mavrolin 2025 (February 9, 2025)"),
      StringGrid2(this, "StringGrid2"),
      StringGrid3(this, "StringGrid3"),
      StringGrid1(this, "StringGrid1"),
      Decode(this, "Decode"),
      DecodeTab(this, "DecodeTab"),
      Decode10(this, "Decode10"),
      ClearStringGrid1(this, "ClearStringGrid1"),
      app_(app) {
    SetBounds(0, 0, 1038, 532);  // client area at start; the frame is added by the binding

    StringGrid2.SetHeight(257);
    StringGrid2.SetColCount(4);
    StringGrid2.SetRowCount(2);
    StringGrid2.SetDefaultColWidth(80);
    StringGrid2.SetVisible(false);
    StringGrid2.SetAlign(ui::Align::Top);

    StringGrid3.SetHeight(275);
    StringGrid3.SetColCount(8);
    StringGrid3.SetRowCount(2);
    StringGrid3.SetDefaultColWidth(80);
    StringGrid3.SetVisible(false);
    StringGrid3.SetAlign(ui::Align::Bottom);

    StringGrid1.SetFixedCols(0);
    StringGrid1.SetDefaultColWidth(96);
    StringGrid1.SetColWidth(0, 63);
    StringGrid1.SetDefaultRowHeight(16);
    StringGrid1.SetAlign(ui::Align::Client);

    for (auto* b : {&Decode, &DecodeTab, &Decode10, &ClearStringGrid1}) b->SetVisible(false);
    Decode.OnClick = [this] { DecodeClick(); };
    DecodeTab.OnClick = [this] { DecodeTabClick(); };
    Decode10.OnClick = [this] { Decode10Click(); };
    ClearStringGrid1.OnClick = [this] { ClearStringGrid1Click(); };

    OnResize = [this] { FormResize(); };
    OnClose = [this] { FormClose(); };
    BuildMenu();
    // Which file is loaded, its length and how its job ended (filled by Application::ShowStatus).
    Status.SetVisible(true);
}

void TForm1::Wire(ui::MenuItem& item, void (TForm1::*handler)()) {
    item.OnClick = [this, handler] { (this->*handler)(); };
    item.SetEnabled(true);
}

void TForm1::BuildMenu() {
    Menu.Add(File1);
    for (auto* item : {&OpenLOG1, &OpenLogOutFileSCAN1}) File1.Add(*item);
    File1.Add(RecentFiles1);
    File1.AddSeparator();
    for (auto* item : {&SaveABCwithLabels1, &SaveXYZ1, &SaveSCFEnergies1}) File1.Add(*item);
    File1.AddSeparator();
    for (auto* item : {&ReadPDBSpartan1, &ReadCartesianCoordinatesfromENTPDB1, &ReadStandardABC1})
        File1.Add(*item);
    File1.AddSeparator();
    for (auto* item : {&GetLastStdOrient1, &GetLastZmatrix1, &SaveZmatinConstrained1,
                       &SaveZmatintNonconstrained1, &ConvertZmatrix1})
        File1.Add(*item);
    File1.AddSeparator();
    File1.Add(Save1);
    File1.AddSeparator();
    File1.Add(Exit1);

    Menu.Add(ViewResults1);
    for (auto* item : {&AlanlysisReport1, &SCFEnergies1, &MOEnergyDiTable1, &FrequenciesEnergiesOpt1,
                       &SpectraTDDFTResults1})
        ViewResults1.Add(*item);
    ViewResults1.AddSeparator();
    ViewResults1.Add(ScanMessages1);
    ScanMessages1.OnClick = [this] { app_.platform.ShowScanMessages(); };
    ViewResults1.Add(Thermochemistry1);
    Thermochemistry1.OnClick = [this] { app_.thermo.Show(); app_.thermo.BringToFront(); };
    Menu.Add(ShowZmatrix1);
    Menu.Add(Help1);

    // Items stay disabled until the subsystem that carries them out is wired below.
    for (auto* item : {&OpenLOG1, &OpenLogOutFileSCAN1, &SaveABCwithLabels1, &SaveSCFEnergies1,
                       &ReadPDBSpartan1, &ReadCartesianCoordinatesfromENTPDB1, &ReadStandardABC1,
                       &GetLastStdOrient1, &GetLastZmatrix1, &SaveZmatinConstrained1,
                       &SaveZmatintNonconstrained1, &ConvertZmatrix1, &Save1, &AlanlysisReport1,
                       &SCFEnergies1, &MOEnergyDiTable1, &FrequenciesEnergiesOpt1,
                       &SpectraTDDFTResults1, &ShowZmatrix1})
        item->SetEnabled(false);

    Wire(Exit1, &TForm1::Exit1Click);
    Wire(Help1, &TForm1::Help1Click);
    Wire(FrequenciesEnergiesOpt1, &TForm1::FrequenciesEnergiesOpt1Click);
    Wire(OpenLogOutFileSCAN1, &TForm1::OpenLogOutFileSCAN1Click);
    Wire(ReadPDBSpartan1, &TForm1::ReadPDBSpartan1Click);
    Wire(ReadCartesianCoordinatesfromENTPDB1, &TForm1::ReadCartesianCoordinatesfromENTPDB1Click);
    Wire(ReadStandardABC1, &TForm1::ReadStandardABC1Click);
    Wire(GetLastZmatrix1, &TForm1::GetLastZmatrix1Click);
    Wire(SaveZmatinConstrained1, &TForm1::SaveZmatinConstrained1Click);
    Wire(SaveZmatintNonconstrained1, &TForm1::SaveZmatintNonconstrained1Click);
    Wire(ShowZmatrix1, &TForm1::ShowZmatrix1Click);
    Wire(ConvertZmatrix1, &TForm1::ConvertZmatrix1Click);
    Wire(GetLastStdOrient1, &TForm1::GetLastStdOrient1Click);
    Wire(SaveABCwithLabels1, &TForm1::SaveABCwithLabels1Click);
    Wire(SaveXYZ1, &TForm1::SaveXYZ1Click);
    Wire(SCFEnergies1, &TForm1::SCFEnergies1Click);
    Wire(MOEnergyDiTable1, &TForm1::MOEnergyDiTable1Click);
    Wire(OpenLOG1, &TForm1::OpenLOG1Click);
    Wire(AlanlysisReport1, &TForm1::AlanlysisReport1Click);
    Wire(Save1, &TForm1::Save1Click);
    Wire(SaveSCFEnergies1, &TForm1::SaveSCFEnergies1Click);
    // Enabled by the excited-state import, exactly when the scanned log has states.
    SpectraTDDFTResults1.OnClick = [this] { SpectraTDDFTResults1Click(); };
    BuildRecentFilesMenu();
}

ui::FileDialogOptions TForm1::DialogOptions(const std::string& title, const std::string& filter,
                                            const std::string& fileName) const {
    const auto& log = app_.log;
    return {title, log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo, fileName, filter};
}

// ---------------------------------------------------------------- text utilities

void TForm1::DecodeClick() { core::DecodeBlank(app_.log.buff, app_.log.strcode, app_.log.ncode); }

void TForm1::DecodeTabClick() { core::DecodeTab(app_.log.buff, app_.log.strcode, app_.log.ncode); }

void TForm1::Decode10Click() {
    if (!core::Decode10(app_.log.buff, app_.log.strcode, app_.log.ncode))
        app_.ShowMessageCentred("Error!!");
}

void TForm1::ClearStringGrid1Click() {
    StringGrid1.ClearCells();
    StringGrid1.SetRowCount(2);
    Refresh();
}

// ---------------------------------------------------------------- shell

void TForm1::FormResize() {
    StringGrid2.SetHeight(ClientHeight() / 2);
    StringGrid3.SetHeight(ClientHeight() / 2);
}

void TForm1::Exit1Click() { app_.Exit(); }

void TForm1::FormClose() { app_.Exit(); }

void TForm1::Help1Click() {
    auto& help = app_.form5;
    help.SetTop(Top() + Height() / 2 - help.Height() / 2);
    help.SetLeft(Left() + Width() / 2 - help.Width() / 2);
    help.Show();
    help.BringToFront();
}

void TForm1::AlanlysisReport1Click() {
    auto& report = app_.form3;
    if (app_.log.form3_window_pos_check == 0) {
        auto monitor = app_.platform.MonitorSize(*this);
        report.SetBounds(Left() + Width(), Top(), monitor.width - Left() - Width(), Height());
        ++app_.log.form3_window_pos_check;
    }
    report.Show();
    report.BringToFront();
}

void TForm1::FrequenciesEnergiesOpt1Click() {
    auto& summary = app_.form4;
    if (app_.log.form4_window_pos_check == 0) {
        auto m = app_.platform.MonitorSize(*this);
        int h = static_cast<int>(core::RoundHalfEven(m.height * 0.92));
        int w = static_cast<int>(core::RoundHalfEven(m.width * 0.97));
        int top = (m.height - Top()) * 15 / 31 + Top() - h / 2;
        int left = (m.width - Left()) / 2 + Left() - w / 2;
        summary.SetBounds(left, top, w, h);
        ++app_.log.form4_window_pos_check;
    }
    summary.Show();
    summary.BringToFront();
}

void TForm1::PlaceOnFirstEnergies() {
    if (app_.log.form1_window_pos_check != 0) return;
    auto m = app_.platform.MonitorSize(*this);
    SetHeight(static_cast<int>(core::RoundHalfEven(m.height * 0.95)));
    ++app_.log.form1_window_pos_check;
}

}  // namespace mavrolin

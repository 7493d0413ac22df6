#include "modiagram/mo_table_window.h"

#include <algorithm>
#include <filesystem>

#include "app/application.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "modiagram/mo_settings_file.h"
#include "modiagram/mo_table_file.h"

namespace mavrolin {

namespace {
constexpr const char* kTabbedFilter = "Text files (*.txt)|*.txt|All files (*.*)|*.*";
}

TForm6::TForm6(Application& app)
    : ui::Form("Form6", "List of MO Energy Levels Imported"),
      StringGrid1(this, "StringGrid1"),
      Col_Selected(this, "Col_Selected"),
      InitializeGraphics(this, "InitializeGraphics"),
      app_(app) {
    SetBounds(200, 120, 640, 480);
    StringGrid1.SetAlign(ui::Align::Client);
    StringGrid1.SetFixedRows(0);
    StringGrid1.SetFixedCols(0);
    StringGrid1.SetColCount(1);
    StringGrid1.SetRowCount(2);
    StringGrid1.SetDefaultColWidth(120);
    StringGrid1.SetDefaultRowHeight(16);
    Col_Selected.SetVisible(false);
    InitializeGraphics.SetVisible(false);

    Menu.Add(File1);
    File1.Add(Open1);
    File1.Add(Save1);
    File1.AddSeparator();
    File1.Add(Exit1);
    for (auto* item : {&AddMO1, &ViewMO, &InitializeAll1, &Help1}) Menu.Add(*item);

    Open1.OnClick = [this] { Open1Click(); };
    Save1.OnClick = [this] { Save1Click(); };
    Exit1.OnClick = [this] { Exit1Click(); };
    AddMO1.OnClick = [this] { AddMO1Click(); };
    ViewMO.OnClick = [this] { ViewMOClick(); };
    InitializeAll1.OnClick = [this] { InitializeAll1Click(); };
    Help1.OnClick = [this] { Help1Click(); };
    InitializeGraphics.OnClick = [this] { InitializeGraphicsClick(); };
    StringGrid1.OnDblClick = [this] { StringGrid1DblClick(); };
    StringGrid1.OnSelectCell = [this](int c, int r, bool& can) { StringGrid1SelectCell(c, r, can); };
}

// ---------------------------------------------------------------- sets

bool TForm6::IsEmptyTable() const {
    return StringGrid1.ColCount() == 1 && core::IsBlank(StringGrid1.Cell(0, 1));
}

void TForm6::AppendSet(const modiagram::MoSet& set, bool openShell, int nalpha) {
    auto& g = StringGrid1;
    const bool empty = IsEmptyTable();
    if (openShell)
        g.SetColCount(g.ColCount() + (empty ? 1 : 2));
    else if (!empty)
        g.SetColCount(g.ColCount() + 1);
    const int rowsNeeded = std::max({nalpha, static_cast<int>(set.alpha.size()), static_cast<int>(set.beta.size())}) + 1;
    if (g.RowCount() < rowsNeeded) g.SetRowCount(rowsNeeded);

    const int last = g.ColCount() - 1;
    const int alphaCol = openShell ? last - 1 : last;
    for (size_t i = 0; i < set.alpha.size(); ++i) g.SetCell(alphaCol, static_cast<int>(i) + 1, set.alpha[i]);
    if (!set.alpha.empty()) g.SetCell(alphaCol, 0, modiagram::kAlphaHeader);
    if (openShell) {
        for (size_t i = 0; i < set.beta.size(); ++i) g.SetCell(last, static_cast<int>(i) + 1, set.beta[i]);
        if (!set.beta.empty()) g.SetCell(last, 0, modiagram::kBetaHeader);
    }
}

void TForm6::RecountSets() {
    auto& log = app_.log;
    auto n = modiagram::CountSets(Table());
    log.nfile = n.nfile;
    log.beta_col = n.beta_col;
    log.FileMem.resize(static_cast<size_t>(log.nfile) + 3);
}

void TForm6::RemoveFileEntry(int index) {
    auto& mem = app_.log.FileMem;
    if (index >= 1 && static_cast<size_t>(index) < mem.size()) mem.erase(mem.begin() + index);
}

void TForm6::RemoveColumns(int first, int count) {
    auto& g = StringGrid1;
    const int cols = g.ColCount();
    for (int c = first; c + count < cols; ++c)
        for (int r = 0; r < g.RowCount(); ++r) g.SetCell(c, r, g.Cell(c + count, r));
    g.SetColCount(cols - count);
}

// ---------------------------------------------------------------- handlers

void TForm6::StringGrid1SelectCell(int col, int, bool&) { Col_Selected.SetValue(col); }

void TForm6::StringGrid1DblClick() {
    auto& g = StringGrid1;
    const int s = Col_Selected.Value();
    if (g.ColCount() == 1) return InitializeAll1Click();
    if (s < 0 || s >= g.ColCount()) return;
    const auto table = Table();
    int alphasBefore = 0;
    for (int c = 0; c < s; ++c)
        if (modiagram::IsAlphaColumn(table, c)) ++alphasBefore;
    const bool beta = modiagram::IsBetaColumn(table, s);
    RemoveFileEntry(beta ? alphasBefore : alphasBefore + 1);

    // A "Beta" column goes with the "Alpha" column before it, an "Alpha" column with the
    // "Beta" column after it.
    int first = s, count = 1;
    if (beta && s > 0)
        first = s - 1, count = 2;
    else if (!beta && modiagram::IsBetaColumn(table, s + 1))
        count = 2;
    if (g.ColCount() - count <= 0) return InitializeAll1Click();
    RemoveColumns(first, count);
    RecountSets();
    app_.form7.ClearGraphClick();
}

void TForm6::InitializeAll1Click() {
    auto& log = app_.log;
    log.EnUnit = log.PreENU = 27.2114;
    app_.form8.Disp_ymax.SetText("");
    app_.form8.Disp_ymin.SetText("");
    app_.form8.Energy_Unit.SetValue(1);  // the selector follows the unit factors back to eV
    app_.form1.StringGrid1.ClearCells();
    app_.form1.StringGrid1.SetRowCount(2);
    StringGrid1.ClearCells();
    StringGrid1.SetColCount(1);
    StringGrid1.SetRowCount(2);
    log.nfile = log.beta_col = 0;
    log.FileMem.assign(3, std::string());
    app_.form7.ClearGraphClick();
}

void TForm6::Open1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.OpenFileDialog(
        {"Open Tabbed File", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo, "", kTabbedFilter});
    if (!chosen) return;
    auto data = modiagram::ReadTabbedFile(*chosen);
    auto& g = StringGrid1;
    g.ClearCells();
    g.SetColCount(data.Cols());
    g.SetRowCount(data.Rows());
    Refresh();
    app_.Pause(log.sleeptime);
    for (int c = 0; c < data.Cols(); ++c)
        for (int r = 0; r < data.Rows(); ++r) g.SetCell(c, r, data.Cell(c, r));
    // Every set of the file is named after the file.
    RecountSets();
    for (int k = 1; k <= log.nfile; ++k) log.FileMem[static_cast<size_t>(k)] = *chosen;
}

void TForm6::Save1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.SaveFileDialog(
        {"Save Tabbed File", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo, "", kTabbedFilter});
    if (!chosen) return;
    modiagram::WriteTabbedFile(*chosen, Table());
    app_.Pause(log.sleeptime);
}

void TForm6::Exit1Click() { Hide(); }

void TForm6::AddMO1Click() { app_.form1.OpenLOG1Click(); }

void TForm6::Help1Click() {
    app_.ShowMessageCentred("Double clicking at a specific column allows you to delete it from the table!");
}

void TForm6::InitializeGraphicsClick() {
    auto& log = app_.log;
    const std::string path = (std::filesystem::path(log.dirinfo0) / modiagram::kSettingsFileName).string();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        app_.ShowMessagePos("The file missing: " + path);
        return;
    }
    app_.form8.LoadSettings(path);
    log.read_moview_setting_chk = true;
}

void TForm6::ViewMOClick() {
    if (!app_.log.read_moview_setting_chk) InitializeGraphicsClick();
    auto& form = app_.form7;
    form.DispRangeClick();
    form.SetVisible(true);
    form.DrawMODiagramsClick();
    form.Show();
    form.Refresh();
    form.DrawMODiagramsClick();
}

// ---------------------------------------------------------------- main-window command

// The table keeps its position at every showing.
void TForm1::MOEnergyDiTable1Click() {
    app_.form6.Show();
    app_.form6.BringToFront();
}

}  // namespace mavrolin

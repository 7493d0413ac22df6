#include "pdos/coefficient_window.h"

#include <utility>

#include "app/application.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "pdos/basis_imports.h"
#include "pdos/coefficient_reader.h"
#include "pdos/pdos_sets.h"

namespace mavrolin {

namespace {

void CopyGrid(const pdos::CoefficientGrid& from, ui::StringGrid& to) {
    to.SetColCount(std::max(from.Cols(), 1));
    to.SetRowCount(std::max(from.Rows(), 2));
    to.ClearCells();
    for (int c = 0; c < from.Cols(); ++c)
        for (int r = 0; r < from.Rows(); ++r) to.SetCell(c, r, from.Cell(c, r));
}

void CopyLabels(const pdos::CoefficientGrid& from, ui::StringGrid& to) {
    for (int r = 1; r < from.Rows(); ++r) to.SetCell(0, r, from.Cell(0, r));
}

void SetUpTable(ui::StringGrid& g) {
    g.SetFixedRows(1);
    g.SetFixedCols(0);
    g.SetDefaultColWidth(130);
    g.SetDefaultRowHeight(16);
}

}  // namespace

TForm18::TForm18(Application& app) : ui::Form("Form18", "BS Names"), StringGrid1(this, "StringGrid1"), app_(app) {
    SetBounds(0, 0, 180, 380);
    StringGrid1.SetAlign(ui::Align::Client);
    StringGrid1.SetColCount(1);
    StringGrid1.SetRowCount(21);
    StringGrid1.SetFixedRows(0);
    StringGrid1.SetFixedCols(0);
    StringGrid1.SetDefaultColWidth(160);
    StringGrid1.SetDefaultRowHeight(16);
}

TForm14::TForm14(Application& app)
    : ui::Form("Form14", "MO Coefficients"),
      StringGrid1(this, "StringGrid1"),
      StringGrid2(this, "StringGrid2"),
      StringGrid3(this, "StringGrid3"),
      Num_AO(this, "Num_AO"),
      Num_MO(this, "Num_MO"),
      whichgrid(this, "whichgrid"),
      app_(app) {
    SetClientWidth(1078);
    SetClientHeight(700);
    for (auto* g : {&StringGrid1, &StringGrid2}) SetUpTable(*g);
    StringGrid1.SetAlign(ui::Align::Top);
    StringGrid1.SetHeight(350);
    StringGrid2.SetAlign(ui::Align::Client);
    StringGrid3.SetBounds(144, 124, 873, 447);
    StringGrid3.SetColCount(13);
    StringGrid3.SetVisible(false);
    for (auto* s : {&Num_AO, &Num_MO, &whichgrid}) s->SetVisible(false);
    whichgrid.SetValue(1);

    Menu.Add(File1);
    File1.Add(AONamesfromGFPRINT);
    File1.Add(ImportCoeffsfromfch1);
    File1.Add(SaveAOvsMO);
    File1.Add(SaveAOxAOvsMO);
    File1.Add(SaveMOvsAOFile1);
    File1.Add(SaveMolden1);
    Menu.Add(Option1);
    Menu.Add(Help);
    Menu.Add(ShowGFPrintInfo1);
    PopupMenu1.Add(AdoptAll1);
    PopupMenus.push_back(&PopupMenu1);

    AONamesfromGFPRINT.OnClick = [this] { AONamesfromGFPRINTClick(); };
    ImportCoeffsfromfch1.OnClick = [this] { ImportCoeffsfromfch1Click(); };
    SaveAOvsMO.OnClick = [this] { SaveAOvsMOClick(); };
    SaveAOxAOvsMO.OnClick = [this] { SaveAOxAOvsMOClick(); };
    SaveMOvsAOFile1.OnClick = [this] { SaveMOvsAOFile1Click(); };
    SaveMolden1.OnClick = [this] { SaveMolden1Click(); };
    Help.OnClick = [this] { HelpClick(); };
    ShowGFPrintInfo1.OnClick = [this] { ShowGFPrintInfo1Click(); };
    AdoptAll1.OnClick = [this] { AdoptAll1Click(); };

    for (auto* g : {&StringGrid1, &StringGrid2}) {
        g->OnSelectCell = [this](int c, int r, bool& can) {
            StringGrid1SelectCell(c, r);
            can = true;
        };
        g->OnDblClick = [this, g] {
            // A double-click on the header row is one on AO 0: it changes nothing.
            if (g->MouseRow() == 0) return;
            StringGrid1DblClick();
        };
    }
    StringGrid1.OnMouseDown = [this](const ui::MouseEvent& e) { GridMouseDown(1, e); };
    StringGrid2.OnMouseDown = [this](const ui::MouseEvent& e) { GridMouseDown(2, e); };
    OnResize = [this] { FormResize(); };
}

// ---------------------------------------------------------------- loading

void TForm14::LoadCoefficients(long long blockStart, int blockLength) {
    auto load = pdos::ReadCoefficients(app_.log.FileDum, blockStart, blockLength, &app_.log.basislines,
                                       &app_.log.linemarks);
    app_.Pause(app_.log.sleeptime);
    ShowMessages(load.messages);
    if (load.loaded) SetTables(std::move(load.tables));
}

void TForm14::SetTables(pdos::CoefficientTables tables) {
    Tables = std::move(tables);
    CheckpointFile.clear();
    if (Tables.OpenShell()) {
        StringGrid1.SetAlign(ui::Align::Top);
        StringGrid1.SetHeight(ClientHeight() / 2);
        StringGrid2.SetVisible(true);
        // The sets of another run would name AOs of other tables.
        app_.form15.ForgetSets();
    } else {
        StringGrid2.SetVisible(false);
        StringGrid1.SetAlign(ui::Align::Client);
    }
    ShowTables();
}

void TForm14::ShowTables() {
    CopyGrid(Tables.alpha, StringGrid1);
    if (Tables.OpenShell()) CopyGrid(Tables.beta, StringGrid2);
}

void TForm14::ShowLabels() {
    CopyLabels(Tables.alpha, StringGrid1);
    if (Tables.OpenShell()) CopyLabels(Tables.beta, StringGrid2);
}

void TForm14::ShowMessages(const std::vector<std::string>& messages) {
    for (const auto& m : messages) app_.ShowMessagePos(m);
}

// ---------------------------------------------------------------- mouse and PDOS sets

void TForm14::StringGrid1SelectCell(int col, int row) {
    Num_AO.SetValue(row);
    Num_MO.SetValue(col);
}

void TForm14::StringGrid1DblClick() {
    auto& pdos = app_.form15;
    std::string message = pdos::ToggleAo(Tables, pdos.Sets, Num_AO.Value(), pdos.pdos_selected.Value());
    ShowLabels();
    pdos.ShowSets();
    if (!message.empty()) app_.ShowMessagePos(message);
}

void TForm14::AdoptAll1Click() {
    const auto& sel = (whichgrid.Value() == 2 ? StringGrid2 : StringGrid1).Selection();
    if (sel.Top > sel.Bottom) return;
    auto& pdos = app_.form15;
    auto messages = pdos::ToggleRows(Tables, pdos.Sets, sel.Top, sel.Bottom, pdos.pdos_selected.Value());
    Num_AO.SetValue(sel.Bottom);
    ShowLabels();
    pdos.ShowSets();
    ShowMessages(messages);
}

void TForm14::GridMouseDown(int grid, const ui::MouseEvent& e) {
    auto& log = app_.log;
    whichgrid.SetValue(grid);
    if (e.button == ui::MouseButton::Right) {
        log.ms_left = false;
        log.ms_right = true;
    } else if (e.button == ui::MouseButton::Left) {
        log.ms_left = true;
        log.ms_right = false;
    }
    const ui::StringGrid& table = grid == 2 ? StringGrid2 : StringGrid1;
    // The click point on the screen (the table's position in the window, then the window's).
    const int x = Left() + ClientOffsetX() + table.Left() + e.x, y = Top() + ClientOffsetY() + table.Top() + e.y;
    if (e.ctrl && log.ms_right) app_.platform.PopupMenu(PopupMenu1, x, y);
    if (e.alt && log.ms_right) {
        auto& names = app_.form18;
        names.SetLeft(x);
        names.SetTop(y - table.Height() / 3);
        const auto& source = grid == 2 ? Tables.beta : Tables.alpha;
        auto rows = pdos::BsNames(source, Num_AO.Value());
        names.StringGrid1.ClearCells();
        for (int i = 0; i < 21; ++i) names.StringGrid1.SetCell(0, i, rows[static_cast<size_t>(i)]);
        names.Show();
    }
}

void TForm14::FormResize() {
    if (StringGrid2.Visible()) StringGrid1.SetHeight(ClientHeight() / 2);
}

void TForm14::HelpClick() {
    app_.ShowMessagePos(
        "Import GFPrint output for the Job without Pop=Full. Cntrl+RightClick to MultiBS Treatment. Alt+RightClick "
        "to see BS Names!",
        Left() + Width() / 4, Top() + Height() / 3);
}

// ---------------------------------------------------------------- imports

std::string TForm14::OpenImportFile() {
    auto chosen = app_.platform.OpenFileDialog({"Open", app_.log.dirinfo, "", ""});
    if (!chosen) return {};
    if (Tables.Empty())
        throw core::InputError("Load a log with MO energies first: the import completes its tables.");
    return *chosen;
}

void TForm14::AONamesfromGFPRINTClick() {
    const std::string file = OpenImportFile();
    if (file.empty()) return;
    auto listing = pdos::ReadGfprintListing(file);
    ShowMessages(listing.notes);
    app_.Pause(app_.log.sleeptime);

    StringGrid3.SetRowCount(static_cast<int>(listing.shells.size()) + 1);
    StringGrid3.ClearCells();
    for (size_t r = 0; r < listing.shells.size(); ++r)
        for (size_t t = 0; t < listing.shells[r].size(); ++t)
            StringGrid3.SetCell(static_cast<int>(t), static_cast<int>(r) + 1, listing.shells[r][t]);

    // Labels are applied to a copy so that a refused listing leaves the tables as they were.
    auto labelled = Tables;
    pdos::ApplyGfprintLabels(labelled, listing);
    Tables = std::move(labelled);
    ShowLabels();
}

void TForm14::ImportCoeffsfromfch1Click() {
    const std::string file = OpenImportFile();
    if (file.empty()) return;
    auto imported = Tables;
    pdos::ImportCheckpoint(imported, file);
    app_.Pause(app_.log.sleeptime);
    Tables = std::move(imported);
    CheckpointFile = file;
    ShowTables();
}

void TForm14::ShowGFPrintInfo1Click() {
    StringGrid3.SetVisible(!StringGrid3.Visible());
    ShowGFPrintInfo1.SetCaption(StringGrid3.Visible() ? "HideGFPrintInto" : "ShowGFPrintInto");
}

// ---------------------------------------------------------------- exports

void TForm14::Export(pdos::CoefficientLayout layout) {
    if (!pdos::HasCoefficients(Tables)) return;
    const auto& log = app_.log;
    auto chosen = app_.platform.SaveFileDialog(
        {"Save", log.dirinfo, core::StemOf4(Tables.file) + pdos::ExportSuffix(layout), "Text files (*.txt)|*.txt"});
    if (!chosen) return;
    pdos::WriteCoefficients(*chosen, Tables, layout);
}

}  // namespace mavrolin

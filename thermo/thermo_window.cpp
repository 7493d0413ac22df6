#include "thermo/thermo_window.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/application.h"
#include "core/dir_memory.h"
#include "core/number_text.h"
#include "core/text_file.h"

namespace mavrolin {

namespace {

constexpr int kControlsHeight = 62;  // two rows of controls above the table
constexpr const char* kReading = "Reading logs";

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// A number the user typed, finite and inside [lo, hi].
bool Value(const ui::Edit& box, double lo, double hi, double& v) {
    return core::TryParseDouble(box.Text(), v) && std::isfinite(v) && v >= lo && v <= hi;
}

// Cells compared as numbers when both are; empty cells go last whichever the order.
bool CellLess(const std::string& a, const std::string& b, bool ascending) {
    if (a.empty() != b.empty()) return b.empty();
    double x = 0, y = 0;
    if (core::TryParseDouble(a, x) && core::TryParseDouble(b, y)) return ascending ? x < y : y < x;
    return ascending ? a < b : b < a;
}

}  // namespace

ThermoWindow::ThermoWindow(Application& app)
    : ui::Form("ThermoWindow", "Thermochemistry of Several Logs"),
      TemperatureLabel(this, "TemperatureLabel"),
      ConcentrationLabel(this, "ConcentrationLabel"),
      CutoffLabel(this, "CutoffLabel"),
      ScaleLabel(this, "ScaleLabel"),
      Temperature(this, "Temperature"),
      Concentration(this, "Concentration"),
      Cutoff(this, "Cutoff"),
      Scale(this, "Scale"),
      Grimme(this, "Grimme"),
      Truhlar(this, "Truhlar"),
      HeadGordon(this, "HeadGordon"),
      PopulationsFromG(this, "PopulationsFromG"),
      AddLogs(this, "AddLogs"),
      Remove(this, "Remove"),
      SaveTable(this, "SaveTable"),
      WeightedSpectrum(this, "WeightedSpectrum"),
      Table(this, "Table"),
      app_(app) {
    SetBounds(60, 60, 1460, 560);
    Temperature.SetText("298.15");
    Cutoff.SetText("100");
    Scale.SetText("1");
    Layout();
    Status.SetVisible(true);

    Menu.Add(File1);
    for (auto* item : {&AddLogs1, &Remove1, &SaveTable1, &WeightedSpectrum1}) File1.Add(*item);
    File1.AddSeparator();
    File1.Add(Exit1);
    AddLogs1.OnClick = AddLogs.OnClick = [this] { AddLogsClick(); };
    Remove1.OnClick = Remove.OnClick = [this] { RemoveClick(); };
    SaveTable1.OnClick = SaveTable.OnClick = [this] { SaveTableClick(); };
    WeightedSpectrum1.OnClick = WeightedSpectrum.OnClick = [this] { WeightedSpectrumClick(); };
    Exit1.OnClick = [this] { Hide(); };

    for (auto* box : {&Temperature, &Concentration, &Cutoff, &Scale}) box->OnChange = [this] { Recompute(); };
    // The two entropy corrections exclude each other.
    Grimme.OnClick = [this] {
        if (Grimme.Checked()) Truhlar.SetChecked(false);
        Recompute();
    };
    Truhlar.OnClick = [this] {
        if (Truhlar.Checked()) Grimme.SetChecked(false);
        Recompute();
    };
    for (auto* box : {&HeadGordon, &PopulationsFromG}) box->OnClick = [this] { Recompute(); };

    const auto& names = thermo::ColumnNames();
    Table.SetColCount(static_cast<int>(names.size()) + 1);
    Table.SetRowCount(2);
    Table.SetFixedRows(1);
    Table.SetFixedCols(1);
    Table.SetDefaultRowHeight(18);
    Table.SetDefaultColWidth(80);
    Table.SetColWidth(0, 18);
    Table.SetColWidth(1, 170);
    Table.SetColWidth(15, 220);
    for (size_t k = 0; k < names.size(); ++k) Table.SetCell(static_cast<int>(k) + 1, 0, names[k]);
    // A click on a column title sorts by that column.
    Table.OnMouseDown = [this](const ui::MouseEvent& e) {
        int col = 0, row = 0;
        if (e.button == ui::MouseButton::Left && Table.MouseToCell(e.x, e.y, col, row) && row == 0 && col >= 1)
            SortBy(col - 1);
    };
    OnResize = [this] { Table.SetBounds(0, kControlsHeight, ClientWidth(), std::max(0, ClientHeight() - kControlsHeight)); };
    OnResize();
    Fill();
}

void ThermoWindow::Layout() {
    auto place = [](ui::Control& c, int x, int y, int w) { c.SetBounds(x, y, w, 22); };
    TemperatureLabel.SetCaption("Temperature (K)");
    ConcentrationLabel.SetCaption("Standard state (mol/L; empty: 1 atm)");
    CutoffLabel.SetCaption("Cut-off (cm-1)");
    ScaleLabel.SetCaption("Scale factor");
    place(TemperatureLabel, 8, 7, 100);
    place(Temperature, 110, 4, 70);
    place(ConcentrationLabel, 195, 7, 230);
    place(Concentration, 428, 4, 60);
    place(CutoffLabel, 505, 7, 90);
    place(Cutoff, 598, 4, 60);
    place(ScaleLabel, 675, 7, 80);
    place(Scale, 758, 4, 60);
    Grimme.SetCaption("Entropy: Grimme");
    Truhlar.SetCaption("Entropy: Truhlar");
    HeadGordon.SetCaption("Enthalpy: Head-Gordon");
    PopulationsFromG.SetCaption("Populations from G");
    place(Grimme, 8, 34, 140);
    place(Truhlar, 150, 34, 140);
    place(HeadGordon, 292, 34, 170);
    place(PopulationsFromG, 465, 34, 160);
    AddLogs.SetCaption("Add Logs\u2026");
    Remove.SetCaption("Remove");
    SaveTable.SetCaption("Save Table\u2026");
    place(AddLogs, 840, 4, 110);
    place(Remove, 955, 4, 90);
    place(SaveTable, 840, 32, 110);
    WeightedSpectrum.SetCaption("Weighted Spectrum\u2026");
    place(WeightedSpectrum, 955, 32, 150);
}

bool ThermoWindow::ReadOptions(thermo::Options& o, std::string& why) const {
    o = {};
    if (!Value(Temperature, 1e-3, 1e5, o.temperature)) {
        why = "the temperature must be a number of kelvin above 0";
        return false;
    }
    if (!core::TrimView(Concentration.Text()).empty() && !Value(Concentration, 1e-12, 1e6, o.concentration)) {
        why = "the standard state must be a concentration in mol/L above 0 (empty for 1 atm)";
        return false;
    }
    if (!Value(Cutoff, 1e-3, 1e5, o.cutoff)) {
        why = "the cut-off must be a wavenumber above 0";
        return false;
    }
    if (!Value(Scale, 1e-3, 100, o.scale)) {
        why = "the scale factor must be a number above 0";
        return false;
    }
    o.entropy = Grimme.Checked()    ? thermo::EntropyScheme::Grimme
                : Truhlar.Checked() ? thermo::EntropyScheme::Truhlar
                                    : thermo::EntropyScheme::None;
    o.headGordon = HeadGordon.Checked();
    o.basis = PopulationsFromG.Checked() ? thermo::PopulationBasis::G : thermo::PopulationBasis::QuasiHarmonicG;
    return true;
}

void ThermoWindow::SetOptions(const thermo::Options& o) {
    holding_ = true;
    Temperature.SetText(core::FloatText(o.temperature));
    Concentration.SetText(o.concentration > 0 ? core::FloatText(o.concentration) : "");
    Cutoff.SetText(core::FloatText(o.cutoff));
    Scale.SetText(core::FloatText(o.scale));
    Grimme.SetChecked(o.entropy == thermo::EntropyScheme::Grimme);
    Truhlar.SetChecked(o.entropy == thermo::EntropyScheme::Truhlar);
    HeadGordon.SetChecked(o.headGordon);
    PopulationsFromG.SetChecked(o.basis == thermo::PopulationBasis::G);
    holding_ = false;
    Recompute();
}

void ThermoWindow::Recompute() {
    if (holding_) return;
    std::string why;
    thermo::Options o;
    if (!ReadOptions(o, why)) {
        // While the user is typing: the table keeps the last good options.
        Status.SetText("Not recomputed: " + why + ".");
        return;
    }
    options_ = o;
    thermo::Recompute(rows_, options_);
    if (sortColumn_ >= 0) {
        ascending_ = !ascending_;  // SortBy turns it back
        SortBy(sortColumn_);
        return;
    }
    Fill();
}

void ThermoWindow::Fill() {
    const int n = static_cast<int>(rows_.size());
    Table.SetRowCount(std::max(2, n + 1));
    if (n == 0)
        for (int c = 0; c < Table.ColCount(); ++c) Table.SetCell(c, 1, "");
    int marked = 0;
    for (int r = 0; r < n; ++r) {
        const auto& row = rows_[r];
        auto cells = thermo::RowCells(row);
        cells[0] = FileName(row.file);
        Table.SetCell(0, r + 1, row.Marked() ? "!" : "");
        marked += row.Marked();
        for (size_t k = 0; k < cells.size(); ++k) Table.SetCell(static_cast<int>(k) + 1, r + 1, cells[k]);
    }
    Status.SetText(n == 0 ? "Add frequency logs (Add Logs\u2026 or drop them on the window)."
                          : std::to_string(n) + (n == 1 ? " log" : " logs") + ", " + std::to_string(marked) +
                                " marked (\"!\": imaginary frequencies, a job that ended badly or did not converge, "
                                "no thermochemistry).");
}

void ThermoWindow::AddLogsClick() {
    const auto& log = app_.log;
    auto chosen = app_.platform.OpenFilesDialog({"Add Logs", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo, "",
                                                 "Gaussian outputs (*.log *.out)|*.log;*.out|All files (*.*)|*.*"});
    if (chosen.empty()) return;
    AddFiles(chosen);
}

void ThermoWindow::AddFiles(const std::vector<std::string>& files, const std::vector<std::string>& labels) {
    Show();
    const size_t n = files.size();
    size_t read = 0;
    bool stopped = false;
    for (; read < n; ++read) {
        if (!app_.platform.Progress({kReading, 0, 1, static_cast<double>(read) / static_cast<double>(n)})) {
            stopped = true;
            break;
        }
        thermo::Row row = thermo::ReadRow(files[read]);
        if (read < labels.size()) row.file = labels[read];
        rows_.push_back(std::move(row));
    }
    app_.platform.EndProgress();
    Recompute();
    if (stopped)
        Status.SetText("Stopped: " + std::to_string(read) + " of " + std::to_string(n) + " logs read.");
}

std::pair<int, int> ThermoWindow::SelectedRows() const {
    const auto& s = Table.Selection();
    return {std::max(1, std::min(s.Top, s.Bottom)), std::min(std::max(s.Top, s.Bottom), static_cast<int>(rows_.size()))};
}

void ThermoWindow::RemoveClick() {
    const auto [top, bottom] = SelectedRows();
    if (top > bottom) return;
    rows_.erase(rows_.begin() + (top - 1), rows_.begin() + bottom);
    Table.SetSelection({1, 1, 1, 1});
    Recompute();
}

void ThermoWindow::WeightedSpectrumClick() {
    const auto [top, bottom] = SelectedRows();
    std::vector<thermo::Row> chosen;
    for (int r = top; r <= bottom; ++r) chosen.push_back(rows_[static_cast<size_t>(r - 1)]);
    app_.weighted.ChooseAndShow(chosen);
}

void ThermoWindow::SaveTableClick() {
    if (rows_.empty()) {
        app_.ShowMessagePos("There is no table to save: add frequency logs first.");
        app_.Fail();
        return;
    }
    const auto& log = app_.log;
    auto chosen = app_.platform.SaveFileDialog({"Save Table", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo,
                                                "thermochemistry.csv", "CSV files (*.csv)|*.csv|All files (*.*)|*.*"});
    if (!chosen) return;
    core::WriteFileAtomically(*chosen, thermo::CsvText(rows_));
}

void ThermoWindow::SortBy(int column) {
    ascending_ = column == sortColumn_ ? !ascending_ : true;
    sortColumn_ = column;
    std::vector<std::pair<std::string, thermo::Row>> keyed;
    keyed.reserve(rows_.size());
    for (auto& row : rows_) keyed.emplace_back(thermo::RowCells(row)[column], std::move(row));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [this](const auto& a, const auto& b) { return CellLess(a.first, b.first, ascending_); });
    rows_.clear();
    for (auto& [key, row] : keyed) rows_.push_back(std::move(row));
    Fill();
}

}  // namespace mavrolin

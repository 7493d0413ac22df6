#pragma once
// "Thermochemistry of Several Logs": one row per frequency log with its energies, the
// quasi-harmonic corrections, the free energy relative to the lowest conformer of its
// formula and its Boltzmann population. Logs come from "Add Logs…" (several at once) or
// are dropped on the window; every option recomputes the table at once from the data
// already read. A click on a column title sorts by it (again: the other way round).
#include <string>
#include <vector>
#include <utility>

#include "thermo/thermo_calc.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

class ThermoWindow : public ui::Form {
public:
    explicit ThermoWindow(Application& app);

    ui::Label TemperatureLabel, ConcentrationLabel, CutoffLabel, ScaleLabel;
    ui::Edit Temperature;    // K
    ui::Edit Concentration;  // mol/L; empty for the ideal gas at 1 atm
    ui::Edit Cutoff;         // cm-1
    ui::Edit Scale;          // frequency scale factor
    ui::CheckBox Grimme, Truhlar, HeadGordon, PopulationsFromG;
    ui::Button AddLogs, Remove, SaveTable, WeightedSpectrum;
    ui::StringGrid Table;    // column 0 marks ("!") rows to look at; then the table's columns

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem AddLogs1{"Add Logs\u2026", "AddLogs1"};
    ui::MenuItem Remove1{"Remove", "Remove1"};
    ui::MenuItem SaveTable1{"Save Table\u2026", "SaveTable1"};
    ui::MenuItem WeightedSpectrum1{"Weighted Spectrum\u2026", "WeightedSpectrum1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};

    void AddLogsClick();
    // Reads the logs (showing progress; the user may stop it) and recomputes. `labels`
    // (when given, one per file) is what the file column shows and the CSV writes.
    void AddFiles(const std::vector<std::string>& files, const std::vector<std::string>& labels = {});
    void RemoveClick();  // the rows of the selection
    void SaveTableClick();
    // The spectrum of the selected rows' conformers weighted by their populations.
    void WeightedSpectrumClick();
    // Sorts by a table column (0 = file); the same column again reverses the order.
    void SortBy(int column);
    // Sets the controls from options (the batch command, tests); recomputes once.
    void SetOptions(const thermo::Options& o);
    // The options the controls hold; false (with the reason) when a value is not usable.
    bool ReadOptions(thermo::Options& o, std::string& why) const;

    const std::vector<thermo::Row>& Rows() const { return rows_; }
    const thermo::Options& Current() const { return options_; }

private:
    void Layout();
    // First and last selected table row (1-based rows of rows_); first > last when none.
    std::pair<int, int> SelectedRows() const;
    void Recompute();
    void Fill();
    Application& app_;
    std::vector<thermo::Row> rows_;
    thermo::Options options_;
    int sortColumn_ = -1;
    bool ascending_ = true;
    bool holding_ = false;  // controls being set together: one recomputation at the end
};

}  // namespace mavrolin

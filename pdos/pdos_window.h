#pragma once
// The PDOS window: the PDOS sets with their colour legend, the computation settings, the
// display range and the horizontal diagram.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "pdos/pdos_calc.h"
#include "pdos/pdos_drawing.h"
#include "pdos/pdos_sets.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

class TForm15 : public ui::Form {
public:
    explicit TForm15(Application& app);

    // The PDOS sets; the PDOS table (StringGrid1) mirrors them, one column per set.
    pdos::PdosSetList Sets;

    ui::SpinEdit pdos_selected;
    ui::Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10;
    ui::Button Increase, Decrease, ComputePDOS, RedrawDiagram;
    ui::SpinEdit evpoints, SpinEdit1, xmargin;
    ui::Edit sigvalue, real_min, real_max, ev_min, ev_max, dens_max;
    ui::CheckBox TotalDensity, MODisp, MOEnDisp;
    ui::LegendGrid DBGrid1;
    ui::StringGrid StringGrid1;
    ui::PaintBox PaintBox1;
    ui::ProgressBar ProgressBar1;

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveComputedPDOSs1{"Save Computed PDOSs", "SaveComputedPDOSs1"};
    ui::MenuItem SavePicture1{"Save Picture\u2026", "SavePicture1"};
    ui::MenuItem SaveFigure1{"Save Figure\u2026", "SaveFigure1"};
    ui::MenuItem SaveFigureData1{"Save Figure Data\u2026", "SaveFigureData1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem ShowDiagram1{"Show Diagram", "ShowDiagram1"};
    ui::MenuItem Initialize1{"Initialize", "Initialize1"};
    ui::MenuItem InitializeCells1{"Initialize Cells", "InitializeCells1"};
    ui::MenuItem InitializeSettings1{"Initialize Settings", "InitializeSettings1"};
    ui::MenuItem InitializeAll1{"Initialize All", "InitializeAll1"};

    void ComputePDOSClick();
    void RedrawDiagramClick();
    void StringGrid1SelectCell(int col, int row);
    void StringGrid1DblClick();
    void IncreaseClick();
    void DecreaseClick();
    void SpinEdit1Change();
    void MOEnDispClick();
    void InitializeCells1Click();
    void InitializeSettings1Click();
    void InitializeAll1Click();
    void Exit1Click() { Hide(); }
    void ShowDiagram1Click();
    void SaveComputedPDOSs1Click();
    void SavePicture1Click();
    void PaintBox1DblClick();
    void FormResize();

    // The PDOS table shows the sets again (rows sized to the longest set).
    void ShowSets();
    // Captions "PDOS-k" in row 0 when the table has none (the windows are opened).
    void CaptionSets();
    // An open-shell load empties the sets and forgets the computation.
    void ForgetSets();

    // The log of the computed curves ("" when nothing is computed).
    const std::string& ComputedLog() const { return file_; }
    // Drops the computed curves and both drawings (they belong to tables no longer loaded);
    // the sets and settings stay.
    void ForgetComputation();

    bool draw_switch = false;
    bool gau_chk = false, tdens_chk = false;
    // What the last computation used: its sets (pdos_col, ao_set) and its curves.
    const std::vector<pdos::UsedSet>& UsedSets() const { return used_; }
    const pdos::PdosPlot& Plot() const { return plot_; }
    double sigma2() const;

    // Where "Compute PDOS" (and a recomputation) writes moenergy.txt, computed_temp.txt and
    // projected_density.txt: beside the log of the tables, or into diagnosticsFolder when
    // that is set; nowhere when writeDiagnostics is false.
    bool writeDiagnostics = true;
    std::filesystem::path diagnosticsFolder;

private:
    // The path of one diagnostic file, nothing when they are not written. Throws
    // core::FileError when the path names a file being read.
    std::optional<std::filesystem::path> DiagnosticPath(const std::string& log, const char* name) const;
    void Refuse(const std::string& message);
    void Recompute();
    void RoundDisplayRange();
    std::vector<ui::Color> CurveColors() const;
    Application& app_;
    std::string file_;  // the log of the computed curves
    std::vector<pdos::UsedSet> used_;
    pdos::EnergyRange dataRange_;
    pdos::DensityRange densRange_;
    pdos::PdosPlot plot_;  // this window's curves and its own ranges
    double pre_gxmin = 0, pre_gxmax = 0, pre_gymax = 0;
};

}  // namespace mavrolin

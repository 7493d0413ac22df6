#pragma once
// The MO coefficient window: the alpha (and beta) coefficient tables, the place where AOs
// are put into PDOS sets, and the imports and exports of the tables.
#include <string>

#include "pdos/coefficient_exports.h"
#include "pdos/coefficient_table.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

class TForm14 : public ui::Form {
public:
    explicit TForm14(Application& app);

    // The tables as loaded; the grids show them. They keep the dimensions and the file
    // they were read for.
    pdos::CoefficientTables Tables;

    ui::StringGrid StringGrid1;  // alpha
    ui::StringGrid StringGrid2;  // beta
    ui::StringGrid StringGrid3;  // GFPrint shell table, hidden
    ui::SpinEdit Num_AO, Num_MO, whichgrid;

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem AONamesfromGFPRINT{"Import_AO_Names_from_log(GFPRINT)", "AONamesfromGFPRINT"};
    ui::MenuItem ImportCoeffsfromfch1{"Import_Coeffs_from_fch", "ImportCoeffsfromfch1"};
    ui::MenuItem SaveAOvsMO{"Save AO vs MO File", "SaveAOvsMO"};
    ui::MenuItem SaveAOxAOvsMO{"Save AO*AO vs MO", "SaveAOxAOvsMO"};
    ui::MenuItem SaveMOvsAOFile1{"Save MO vs AO File", "SaveMOvsAOFile1"};
    ui::MenuItem SaveMolden1{"Save as Molden\u2026", "SaveMolden1"};
    ui::MenuItem Option1{"Option", "Option1"};
    ui::MenuItem Help{"Help", "Help"};
    ui::MenuItem ShowGFPrintInfo1{"ShowGFPrintInfo", "ShowGFPrintInfo1"};
    ui::MenuItem PopupMenu1{"", "PopupMenu1"};
    ui::MenuItem AdoptAll1{"ApplyToAll", "AdoptAll1"};

    // The hand-over from the MO energy import: reads the coefficients that follow the
    // chosen eigenvalue printing. Messages are shown; when nothing could be loaded the
    // tables of the last load stay.
    void LoadCoefficients(long long blockStart, int blockLength);
    // Puts loaded tables in place: layout, grids, and for an open-shell run an emptied
    // PDOS table.
    void SetTables(pdos::CoefficientTables tables);

    void StringGrid1SelectCell(int col, int row);
    void StringGrid1DblClick();
    void GridMouseDown(int grid, const ui::MouseEvent& e);
    void AdoptAll1Click();
    void FormResize();
    void HelpClick();
    void AONamesfromGFPRINTClick();
    void ImportCoeffsfromfch1Click();
    // Structure, basis and orbitals for molecular viewers (molden/molden_export.cpp).
    void SaveMolden1Click();
    // The formatted checkpoint file the tables were last completed from ("" when none).
    std::string CheckpointFile;
    void ShowGFPrintInfo1Click();
    void SaveAOvsMOClick() { Export(pdos::CoefficientLayout::LinePerMo); }
    void SaveAOxAOvsMOClick() { Export(pdos::CoefficientLayout::Squares); }
    void SaveMOvsAOFile1Click() { Export(pdos::CoefficientLayout::LinePerAo); }

    // Copies the tables into the grids (all cells), or only their label column.
    void ShowTables();
    void ShowLabels();

private:
    void Export(pdos::CoefficientLayout layout);
    void ShowMessages(const std::vector<std::string>& messages);
    std::string OpenImportFile();
    Application& app_;
};

}  // namespace mavrolin

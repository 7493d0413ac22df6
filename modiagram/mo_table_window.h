#pragma once
// The MO table window ("List of MO Energy Levels Imported"): the orbital energies of every
// scanned log side by side, one column per set ("Alpha", or an "Alpha"/"Beta" pair). The
// log scan appends to it; the diagram, its spreadsheet and the coefficient tables read it.
#include <string>

#include "modiagram/mo_energy_reader.h"
#include "modiagram/mo_table.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

// The grid seen as an MO table by the model functions.
class GridTableView : public modiagram::MoTableView {
public:
    explicit GridTableView(const ui::StringGrid& grid) : grid_(grid) {}
    int Cols() const override { return grid_.ColCount(); }
    int Rows() const override { return grid_.RowCount(); }
    const std::string& Cell(int col, int row) const override { return grid_.Cell(col, row); }

private:
    const ui::StringGrid& grid_;
};

class TForm6 : public ui::Form {
public:
    explicit TForm6(Application& app);

    ui::StringGrid StringGrid1;    // the MO table
    ui::SpinEdit Col_Selected;     // hidden: column of the last selected cell
    ui::Button InitializeGraphics; // hidden: reads the default graphics settings

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem Open1{"Open Tabbed File", "Open1"};
    ui::MenuItem Save1{"Save Tabbed File", "Save1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem AddMO1{"Add MO", "AddMO1"};
    ui::MenuItem ViewMO{"View MO", "ViewMO"};
    ui::MenuItem InitializeAll1{"InitializeAll", "InitializeAll1"};
    ui::MenuItem Help1{"Help", "Help1"};

    void Open1Click();
    void Save1Click();
    void Exit1Click();
    void AddMO1Click();
    void ViewMOClick();
    void InitializeAll1Click();
    void Help1Click();
    void StringGrid1DblClick();  // deletes the set of the selected column
    void StringGrid1SelectCell(int col, int row, bool& canSelect);
    void InitializeGraphicsClick();

    GridTableView Table() const { return GridTableView(StringGrid1); }

    // Appends a set read by the log scan: one new column for a closed-shell set, two for
    // an open-shell one (an empty table reuses its column), rows grown to fit.
    void AppendSet(const modiagram::MoSet& set, bool openShell, int nalpha);
    // nfile and beta_col from the headers; FileMem follows the set count, entries kept.
    void RecountSets();

private:
    bool IsEmptyTable() const;
    void RemoveColumns(int first, int count);
    void RemoveFileEntry(int index);
    Application& app_;
};

}  // namespace mavrolin

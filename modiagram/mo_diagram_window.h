#pragma once
// The MO level diagram window ("Comparison of MO Energy Levels"): every set of the MO table
// drawn as short horizontal lines at its orbital energies, side by side or with the beta
// levels over the alpha ones. The look comes from the settings window at every redraw.
#include "modiagram/mo_layout.h"
#include "ui/controls.h"
#include "ui/plot_frame.h"

namespace mavrolin {

class Application;

class TForm7 : public ui::Form {
public:
    explicit TForm7(Application& app);

    ui::PaintBox PaintBox1;
    ui::Button DispRange, DrawMODiagrams, ClearGraph;  // hidden buttons holding the routines

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveExcelSheet1{"SaveExcelSheet", "SaveExcelSheet1"};
    ui::MenuItem SavePicture1{"Save Picture\u2026", "SavePicture1"};
    ui::MenuItem SaveFigure1{"Save Figure\u2026", "SaveFigure1"};
    ui::MenuItem SaveFigureData1{"Save Figure Data\u2026", "SaveFigureData1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem GraphicsSettings1{"Graphics Settings", "GraphicsSettings1"};
    ui::MenuItem InitializeDisplayRange1{"Initialize Display Range", "InitializeDisplayRange1"};
    ui::MenuItem MOCoefficients1{"MO Coefficients", "MOCoefficients1"};

    void DispRangeClick();       // range of the whole table into the range boxes
    void DrawMODiagramsClick();  // draws the diagram
    void ClearGraphClick();      // erases it
    void SaveExcelSheet1Click();
    void SavePicture1Click();
    void Exit1Click();
    void GraphicsSettings1Click();
    void InitializeDisplayRange1Click();
    void MOCoefficients1Click();  // opens the coefficient and PDOS windows
    void FormResize();

    // Recomputes dxmax and the x margins for the current table, side separation and overlay
    // mode; "Something is wrong!!" when overlay is asked of a table without "Beta" columns.
    void UpdateSlotExtent();

    // This window's own ranges and mapping, as its last range computation or redraw left
    // them; no other window writes them.
    const ui::PlotFrame& Frame() const { return plot_; }
    int fx(double x) const { return plot_.fx(x); }
    int fy(double y) const { return plot_.fy(y); }

    static constexpr ui::Color kWindowColor = ui::kWhite;

private:
    modiagram::SlotOptions Slots() const;
    void SetEnergyRange(double dymin, double dymax);
    void EraseFrame();
    void DrawRangeBracket(const std::string& unitName);
    Application& app_;
    ui::PlotFrame plot_;
};

}  // namespace mavrolin

#pragma once
// The PDOS diagram window: the curves of the PDOS window, horizontal or (Yaxis_eV) vertical.
#include "pdos/pdos_drawing.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

class TForm16 : public ui::Form {
public:
    explicit TForm16(Application& app);

    ui::PaintBox PaintBox1;
    ui::CheckBox Yaxis_eV;
    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveComputedPDOSData1{"Save Computed PDOS Data", "SaveComputedPDOSData1"};
    ui::MenuItem SavePicture1{"Save Picture\u2026", "SavePicture1"};
    ui::MenuItem SaveFigure1{"Save Figure\u2026", "SaveFigure1"};
    ui::MenuItem SaveFigureData1{"Save Figure Data\u2026", "SaveFigureData1"};

    // Draws the plot (kept as this window's own) in the chosen orientation.
    void Draw(const pdos::PdosPlot& plot);
    void PaintBox1DblClick();
    void SavePicture1Click();
    void FormResize();
    const pdos::PdosPlot& Plot() const { return plot_; }

private:
    void Redraw();
    Application& app_;
    pdos::PdosPlot plot_;
};

}  // namespace mavrolin

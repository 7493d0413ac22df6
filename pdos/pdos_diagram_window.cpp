#include "pdos/pdos_diagram_window.h"

#include "app/application.h"
#include "core/dir_memory.h"
#include "pdos/pdos_figure.h"

namespace mavrolin {

TForm16::TForm16(Application& app)
    : ui::Form("Form16", "Projected DOS Diagram"), PaintBox1(this, "PaintBox1"), Yaxis_eV(this, "Yaxis_eV"), app_(app) {
    SetClientWidth(517);
    SetClientHeight(771);
    PaintBox1.SetAlign(ui::Align::Client);
    Yaxis_eV.SetCaption("Y axis (eV)");
    Yaxis_eV.SetChecked(true);
    FormResize();
    Menu.Add(File1);
    File1.Add(SaveComputedPDOSData1);
    File1.Add(SavePicture1);
    File1.Add(SaveFigure1);
    File1.Add(SaveFigureData1);
    pdos::ConnectFigureItems(app_, SaveFigure1, SaveFigureData1, true);
    // The data of the diagram are the PDOS window's: the same save.
    SaveComputedPDOSData1.OnClick = [this] { app_.form15.SaveComputedPDOSs1Click(); };
    SavePicture1.OnClick = [this] { SavePicture1Click(); };
    PaintBox1.OnDblClick = [this] { PaintBox1DblClick(); };
    OnResize = [this] { FormResize(); };
}

void TForm16::FormResize() { Yaxis_eV.SetBounds(ClientWidth() - 90, 2, 85, 17); }

void TForm16::Draw(const pdos::PdosPlot& plot) {
    plot_ = plot;
    Redraw();
}

void TForm16::Redraw() {
    auto& cv = PaintBox1.Canvas();
    cv.Clear();
    if (Yaxis_eV.Checked())
        pdos::DrawVertical(cv, PaintBox1.Width(), PaintBox1.Height(), plot_);
    else
        pdos::DrawHorizontal(cv, PaintBox1.Width(), PaintBox1.Height(), plot_);
    Refresh();
}

void TForm16::PaintBox1DblClick() {
    app_.form15.RedrawDiagramClick();
    Refresh();
}

void TForm16::SavePicture1Click() {
    const auto& file = app_.form15.ComputedLog();
    if (file.empty()) {
        app_.ShowMessagePos("Nothing computed yet: press \"Compute PDOS\" in the PDOS window first.");
        app_.Fail();
        return;
    }
    const std::string stem = file.empty() ? std::string("pdos") : core::StemOf4(file) + "_PDOS_diagram";
    app_.SavePicture(PaintBox1, stem);
}

}  // namespace mavrolin

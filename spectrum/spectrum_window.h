#pragma once
// The spectrum window: the simulated UV-vis spectrum of the loaded excited states, with
// click to redraw, Shift-drag zoom, double-click back to the automatic ranges and
// Ctrl-click picking of a transition's contributions; the compact and ESI grids of the
// states; the ESI report, the saved spectrum and the picture.
#include <optional>
#include <string>

#include "spectrum/spectrum_calc.h"
#include "spectrum/spectrum_plot.h"
#include "spectrum/zoom_drag.h"
#include "ui/controls.h"

namespace mavrolin {

class Application;

class TForm9 : public ui::Form {
public:
    explicit TForm9(Application& app);

    ui::PaintBox PaintBox1;
    ui::StringGrid StringGrid1;  // compact list of the states
    ui::StringGrid StringGrid2;  // ESI grid: the CI components of every state

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveReportESI1{"Save Report (ESI)", "SaveReportESI1"};
    ui::MenuItem SaveCalculatedSpectrum1{"Save Calculated Spectrum", "SaveCalculatedSpectrum1"};
    ui::MenuItem SavePicture1{"Save Picture\u2026", "SavePicture1"};
    ui::MenuItem SaveFigure1{"Save Figure\u2026", "SaveFigure1"};
    ui::MenuItem SaveFigureData1{"Save Figure Data\u2026", "SaveFigureData1"};
    ui::MenuItem Overlay1{"Overlay Experimental Spectrum\u2026", "Overlay1"};
    ui::MenuItem RemoveOverlay1{"Remove Overlay", "RemoveOverlay1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem Format1{"Format", "Format1"};
    ui::MenuItem GraphicsFormat1{"Graphics Format", "GraphicsFormat1"};
    ui::MenuItem ESIReportFormat1{"ESI Report Format", "ESIReportFormat1"};
    ui::MenuItem ShowData1{"ShowData", "ShowData1"};
    ui::MenuItem ShowCompact1{"Show Excited States (compact)", "ShowCompact1"};
    ui::MenuItem ShowESI1{"Show Excited States (for ESI)", "ShowESI1"};
    ui::MenuItem HideData1{"HideData", "HideData1"};
    ui::MenuItem EcdSpectrum1{"ECD Spectrum\u2026", "EcdSpectrum1"};  // enabled when the log prints rotatory strengths
    ui::MenuItem Help1{"Help", "Help1"};

    // The redraw: computes the curve from the states and the settings, then draws it.
    // Returns false when nothing could be drawn (the reason is in a message).
    bool DrawSpecClick();
    void Format_ESIClick();
    void SaveESI1Click();
    void SaveCalculatedSpectrum1Click();
    void SavePicture1Click();
    // A measured spectrum drawn in grey under the computed one (x in the axis unit unless
    // its header names nm, cm-1 or eV), and its removal.
    void Overlay1Click();
    void RemoveOverlay1Click();
    bool HasOverlay() const { return overlay_.has_value(); }
    const spectrum::ExperimentalSpectrum* Overlay() const { return overlay_ ? &*overlay_ : nullptr; }
    void InitializeTDGraphicsClick();
    void ShowGrid(ui::StringGrid& grid, ui::MenuItem& item);
    void HideData1Click();
    void Help1Click();
    void Exit1Click();
    void FormClose();
    void FormResize();
    // Forgets the picture and its frame (a scan found no excited states).
    void ClearSpectrum();

    void PaintBox1MouseDown(const ui::MouseEvent& e);
    void PaintBox1MouseMove(const ui::MouseEvent& e);
    void PaintBox1MouseUp(const ui::MouseEvent& e);
    void PaintBox1DblClick();

    // The frame of the last redraw: ranges, margins and mapping of this window alone.
    const spectrum::SpectrumFrame& Frame() const { return frame_; }
    // Pixel column of state i (1-based) with the mapping of the last redraw.
    int GetXPoint(int i) const;
    // The nearest transition above the threshold within 4 pixels of column x, or 0.
    int NearestTransition(int x) const;
    // The states loaded by the scan, as 0-based views.
    spectrum::Transitions States() const;
    spectrum::PlotStyle Style() const;

    spectrum::ZoomDrag zoom;
    // The paint box font takes its name and style from the settings window.
    void ApplyFontStyle();

private:
    void ShowContributions(int state, int x, int y);
    void Zoom(const spectrum::ZoomRect& r);
    Application& app_;
    spectrum::SpectrumFrame frame_;
    std::optional<spectrum::ExperimentalSpectrum> overlay_;
};

}  // namespace mavrolin

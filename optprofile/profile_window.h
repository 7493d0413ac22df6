#pragma once
// The optimisation profile window: SCF energy per step (lower half), the decimal
// logarithms of the four force/displacement criteria with their thresholds (upper left)
// and of the predicted energy change (upper right). A spin edit picks one SCF step, marked
// by a green line, whose orientation can be saved as a small Cartesian file.
#include <string>

#include "ui/controls.h"
#include "ui/plot_frame.h"

namespace mavrolin {

class Application;

class TForm2 : public ui::Form {
public:
    explicit TForm2(Application& app);

    ui::PaintBox PaintBox1;
    ui::SpinEdit SpinEdit1;
    ui::Button Button1;  // "Save Cartesian for Selected Number"
    ui::Button Button2;  // "Draw Graph", hidden
    ui::Label Label2, Label4, Label5, Label6;
    ui::StringGrid StringGrid1;  // Cartesian view, hidden until "Show Cartesian"

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveCartesian1{"Save Cartesian for Selected Number", "SaveCartesian1"};
    ui::MenuItem SavePicture1{"Save Picture\u2026", "SavePicture1"};
    ui::MenuItem SaveFigure1{"Save Figure\u2026", "SaveFigure1"};
    ui::MenuItem SaveFigureData1{"Save Figure Data\u2026", "SaveFigureData1"};
    ui::MenuItem SaveTrajectory1{"Save Trajectory as XYZ\u2026", "SaveTrajectory1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem ShowCartesian1{"Show Cartesian", "ShowCartesian1"};

    void Button1Click();  // saves the orientation of the selected step
    void Button2Click();  // draws the three panels
    void SpinEdit1Change();
    void PaintBox1MouseDown(const ui::MouseEvent& e);
    void FormResize();
    void ShowCartesian1Click();
    void Exit1Click();
    void SavePicture1Click();
    // Every orientation of the loaded log as one frame of a multi-frame XYZ file.
    void SaveTrajectory1Click();
    // After a new scan: redraws from the new steps (true), or clears the drawing and
    // returns false when the main table holds no SCF steps to draw.
    bool Reload();

    // Pixel of a data value in panel gg (1 energy, 2 force/displacement, 3 energy change);
    // any other panel gives 0.
    int fx(int gg, double x) const;
    int fy(int gg, double y) const;

    // Window colour: the background of the panels, circles and texts.
    static constexpr ui::Color kWindowColor = ui::kWhite;

private:
    struct Series;
    struct UpperPanel;
    const ui::PlotFrame* Panel(int gg) const;
    void PlaceFrames();
    void DrawEnergyPanel(int n);
    void DrawUpperPanel(ui::PlotFrame& p, const UpperPanel& panel, int steps);
    void DrawSeries(const ui::PlotFrame& p, const Series& s, int count, ui::Color lineColor);
    void Circle(int x, int y);
    void SetLabel(ui::Label& label, const std::string& caption);
    Application& app_;
    // The three panels as this window last drew them: energy, force/displacement, energy change.
    ui::PlotFrame energy_, force_, change_;
};

// Text of a plotted value: rounded to four decimals, in the general float form.
std::string ProfileValueText(double v);

}  // namespace mavrolin

#pragma once
// Mouse state of a plot that zooms by Shift-drag: the press that starts a drag, the
// rubber band drawn while it moves, and the release that yields the zoom rectangle. Free
// of what the plot shows, so every spectrum-like window can use it.
#include <optional>

#include "ui/canvas.h"
#include "ui/controls.h"

namespace mavrolin::spectrum {

// Pause after each rubber-band step of a plot without a band width: short and fixed.
inline constexpr int kRubberBandPauseMs = 5;
// Pause after a rubber-band step of the spectrum: Round(sqrt(kazu) * scaling * (sqrt(kyori)
// + 5)) ms for a step of `kyori` pixels, `scaling` being the band normalisation of the last
// drawing (0 before any). A very narrow band would make it seconds per mouse step, which
// freezes the window: it is held to kMaxRubberBandPauseMs.
inline constexpr int kMaxRubberBandPauseMs = 250;
int WaitTime(int kazu, int kyori, double scaling);

struct ZoomRect {
    int x0, y0, x1, y1;  // pixel corners: (x0, y0) upper left, (x1, y1) lower right
};

class ZoomDrag {
public:
    // Modifier class of a press: 0 none or other, 1 Shift alone, 2 Alt alone, 3 Ctrl alone.
    static int KeyClass(const ui::MouseEvent& e);

    // Records a press: button, modifier class and, for Shift, the start of a drag.
    void Press(const ui::MouseEvent& e);
    // True while a Shift+left drag is in progress.
    bool Dragging() const { return ssKey == 1 && whichbtn == 1; }
    // One drag step: draws the rubber band to (x, y) on the canvas.
    void Move(int x, int y, ui::Canvas& canvas);
    // Ends the drag. A drag to the right and downward that moved at least 2 pixels each
    // way gives the zoom rectangle; anything else zooms nothing.
    std::optional<ZoomRect> Release(int x, int y);
    // Pixels |preX - x| + |preY - y| the next step to (x, y) covers.
    int StepLength(int x, int y) const;

    int msdownx0 = 0, msdowny0 = 0, msdownx = 0, msdowny = 0;
    bool magnify = false;
    int ssKey = 0;
    int whichbtn = 0;
    int preX = -100, preY = -100;

private:
    void DrawBand(ui::Canvas& canvas) const;
};

}  // namespace mavrolin::spectrum

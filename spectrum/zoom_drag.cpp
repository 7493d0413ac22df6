#include "spectrum/zoom_drag.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace mavrolin::spectrum {

namespace {
constexpr ui::Color kBandErase = 14286335;  // pale yellow over the previous moving edges
constexpr ui::Color kBand = 32896;          // olive
}  // namespace

int ZoomDrag::KeyClass(const ui::MouseEvent& e) {
    if (e.shift && !e.ctrl && !e.alt) return 1;
    if (e.alt && !e.shift && !e.ctrl) return 2;
    if (e.ctrl && !e.shift && !e.alt) return 3;
    return 0;
}

void ZoomDrag::Press(const ui::MouseEvent& e) {
    if (e.button == ui::MouseButton::Left) whichbtn = 1;
    if (e.button == ui::MouseButton::Right) whichbtn = 2;
    ssKey = KeyClass(e);
    if (ssKey == 1) {
        msdownx0 = e.x;
        msdowny0 = e.y;
    }
}

int WaitTime(int kazu, int kyori, double scaling) {
    if (!(scaling > 0) || kazu < 0 || kyori < 0) return 0;
    const double ms = std::sqrt(static_cast<double>(kazu)) * scaling * (std::sqrt(static_cast<double>(kyori)) + 5);
    return static_cast<int>(std::lround(std::min(ms, static_cast<double>(kMaxRubberBandPauseMs))));
}

int ZoomDrag::StepLength(int x, int y) const {
    const bool first = preX < 0 && preY < 0;
    const long long dx = static_cast<long long>(first ? msdownx0 : preX) - x;
    const long long dy = static_cast<long long>(first ? msdowny0 : preY) - y;
    return static_cast<int>(std::min<long long>(std::llabs(dx) + std::llabs(dy), INT32_MAX));
}

void ZoomDrag::Move(int x, int y, ui::Canvas& canvas) {
    if (!Dragging()) return;
    magnify = true;
    if (preX < 0 && preY < 0) {
        preX = msdownx0;
        preY = msdowny0;
    }
    msdownx = x;
    msdowny = y;
    DrawBand(canvas);
    preX = x;
    preY = y;
}

void ZoomDrag::DrawBand(ui::Canvas& cv) const {
    cv.Pen.width = 1;
    cv.Pen.style = ui::psSolid;
    if (preX > 0 && preY > 0) {
        cv.Pen.color = kBandErase;
        cv.MoveTo(msdownx0, preY);
        cv.LineTo(preX, preY);
        cv.LineTo(preX, msdowny0);
    }
    cv.Pen.color = kBand;
    cv.MoveTo(msdownx0, msdowny0);
    cv.LineTo(msdownx0, msdowny);
    cv.LineTo(msdownx, msdowny);
    cv.LineTo(msdownx, msdowny0);
    cv.LineTo(msdownx0, msdowny0);
}

std::optional<ZoomRect> ZoomDrag::Release(int x, int y) {
    msdownx = x;
    msdowny = y;
    std::optional<ZoomRect> zoom;
    // A rectangle narrower than 2 pixels would give equal bounds and an empty range.
    if (magnify && x - msdownx0 >= 2 && y - msdowny0 >= 2) zoom = ZoomRect{msdownx0, msdowny0, x, y};
    ssKey = 0;
    preX = preY = -100;
    magnify = false;
    return zoom;
}

}  // namespace mavrolin::spectrum

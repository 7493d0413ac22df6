#include "spectrum/spectrum_frame.h"

#include <algorithm>
#include <cmath>

namespace mavrolin::spectrum {

int PixelRound(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::nearbyint(std::clamp(v, -1e7, 1e7)));
}

int SpectrumFrame::X(double x) const {
    const int p = PixelRound(gwidth * (x - gxmin) / (gxmax - gxmin));
    return Reversed() ? gwidth - p : p;
}

int SpectrumFrame::Y(double y) const { return gheight - PixelRound(gheight * (y - gymin) / (gymax - gymin)); }

double SpectrumFrame::GetX(int px) const {
    switch (unit) {
        case 1:
        case 3: return gxmax - px * (gxmax - gxmin) / gwidth;
        case 2: return gxmin + px * (gxmax - gxmin) / gwidth;
        default: return 0;
    }
}

double SpectrumFrame::GetY(int py) const { return gymax - py * (gymax - gymin) / gheight; }

int SpectrumFrame::StateColumn(double en_ev, double nm) const {
    switch (unit) {
        case 1:
        case 3: return PixelRound(gwidth - gwidth * (en_ev - gxmin) / (gxmax - gxmin));
        case 2: return PixelRound(gwidth * (nm - gxmin) / (gxmax - gxmin));
        default: return 0;
    }
}

}  // namespace mavrolin::spectrum

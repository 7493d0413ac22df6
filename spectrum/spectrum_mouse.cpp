// The spectrum window's mouse: click to redraw, Shift-drag to zoom, double-click back to
// the automatic ranges, Ctrl-click to show a transition's contributions. Every mapping
// uses the frame of this window's last redraw.
#include <cmath>
#include <cstdlib>

#include "app/application.h"
#include "core/number_text.h"
#include "spectrum/spectrum_calc.h"
#include "spectrum/spectrum_window.h"

namespace mavrolin {

using core::FloatText;

int TForm9::GetXPoint(int i) const {
    const auto& log = app_.log;
    return frame_.StateColumn(log.en_ev[static_cast<size_t>(i)], log.nm[static_cast<size_t>(i)]);
}

int TForm9::NearestTransition(int x) const {
    const auto& log = app_.log;
    if (!frame_.valid) return 0;
    const double threshold = app_.form10.fthreshold.Value() / 10000.0;
    int distmin = 1000, nearest = 0;
    for (int i = 1; i <= log.nexstt; ++i) {
        if (!(log.f[static_cast<size_t>(i)] > threshold)) continue;
        const int d = std::abs(GetXPoint(i) - x);
        if (d < distmin) {
            distmin = d;
            nearest = i;
        }
    }
    return distmin < 5 ? nearest : 0;
}

void TForm9::PaintBox1MouseDown(const ui::MouseEvent& e) {
    ApplyFontStyle();
    // The screen point of the paint box's corner.
    const int xad = Left() + ClientOffsetX() + PaintBox1.Left(), yad = Top() + ClientOffsetY() + PaintBox1.Top();
    if (spectrum::ZoomDrag::KeyClass(e) == 3 && e.button == ui::MouseButton::Right) {
        zoom.whichbtn = 2;
        return;  // Ctrl with the right button does nothing, not even a redraw
    }
    zoom.Press(e);
    if (zoom.ssKey == 3 && zoom.whichbtn == 1) {
        if (int nearest = NearestTransition(e.x)) {
            ShowContributions(nearest, e.x + xad, e.y + yad);
        } else {
            app_.form12.Hide();
            DrawSpecClick();
        }
    } else {
        app_.form12.Hide();
    }
    DrawSpecClick();
}

void TForm9::ShowContributions(int i, int screenX, int screenY) {
    const auto& log = app_.log;
    const auto u = static_cast<size_t>(i);
    auto& form = app_.form12;
    auto& grid = form.StringGrid1;
    const int n = log.nci_coeff[u];
    std::string position;
    switch (frame_.unit) {
        case spectrum::kUnitNm: position = FloatText(std::nearbyint(log.nm[u] * 100) / 100); break;
        case spectrum::kUnitCm: position = FloatText(std::nearbyint(log.kz[u] * 10) / 10); break;
        default: position = FloatText(log.en_ev[u]);
    }
    grid.SetRowCount(n + 1);
    grid.SetCell(0, 0, position + " " + app_.form10.XUnitText.Text() + "  f=" + FloatText(log.f[u]));
    for (int k = 1; k <= n; ++k) {
        const int r = log.exctd_pos[u] + k;
        grid.SetCell(0, k, StringGrid2.Cell(5, r) + ": " + StringGrid2.Cell(3, r) + " (" + StringGrid2.Cell(6, r) + ")");
    }
    form.SetHeight(n * 17 + 80);
    form.SetLeft(screenX - form.Width() / 2);
    form.SetTop(screenY);
    form.Show();
}

void TForm9::PaintBox1MouseMove(const ui::MouseEvent& e) {
    if (!zoom.Dragging()) return;
    const int step = zoom.StepLength(e.x, e.y);
    zoom.Move(e.x, e.y, PaintBox1.Canvas());
    Refresh();
    app_.log.waitme = spectrum::WaitTime(10, step, app_.log.sigma > 0 ? spectrum::Scaling(app_.log.sigma) : 0);
    app_.Pause(app_.log.waitme);
}

void TForm9::PaintBox1MouseUp(const ui::MouseEvent& e) {
    if (auto r = zoom.Release(e.x, e.y)) Zoom(*r);
}

// Zooming switches both automatic ranges off (their reactions redraw), then takes the
// rectangle's values with the mapping of that latest redraw, kept inside the data range.
void TForm9::Zoom(const spectrum::ZoomRect& r) {
    auto& s = app_.form10;
    if (s.XaxisAuto_SW.Value() == 1) s.XaxisAuto_SW.SetValue(0);
    if (s.YaxisAuto_SW.Value() == 1) s.YaxisAuto_SW.SetValue(0);
    if (!frame_.valid) return;
    const auto& f = frame_;
    double ymin = f.GetY(r.y1);
    if (ymin < 0) ymin = 0;
    const double ymax = f.GetY(r.y0);
    if (f.unit == spectrum::kUnitNm) {
        const double xmin = std::max(f.GetX(r.x0), f.plot.x.dmin), xmax = std::min(f.GetX(r.x1), f.plot.x.dmax);
        s.NM_Min.SetText(FloatText(xmin));
        s.NM_Max.SetText(FloatText(xmax));
    } else {
        const double xmax = std::min(f.GetX(r.x0), f.plot.x.dmax), xmin = std::max(f.GetX(r.x1), f.plot.x.dmin);
        std::string minText = FloatText(xmin);
        if (core::ParseDouble(minText) == 0) minText = "0.1";
        s.EV_Min.SetText(minText);
        s.EV_Max.SetText(FloatText(xmax));
    }
    s.Disp_ymin.SetText(FloatText(ymin));
    s.Disp_ymax.SetText(FloatText(ymax));
    DrawSpecClick();
    DrawSpecClick();
}

void TForm9::PaintBox1DblClick() {
    app_.form10.XaxisAuto_SW.SetValue(1);
    app_.form10.YaxisAuto_SW.SetValue(1);
}

}  // namespace mavrolin

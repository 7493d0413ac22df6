#include "pdos/pdos_drawing.h"

#include "core/number_text.h"

namespace mavrolin::pdos {

namespace {

// Energy axis of the horizontal diagram and density axis, on a panel of gwidth × gheight.
ui::PlotFrame HorizontalFrame(int gwidth, int gheight, const PdosPlot& p) {
    ui::PlotFrame f;
    f.Place(gwidth, gheight);
    f.x.gmin = p.gxmin;
    f.x.gmax = p.gxmax;
    f.x.Increasing(p.gxmargin, gwidth - 2 * p.gxmargin);
    f.y.gmin = p.gymin;
    f.y.gmax = p.gymax;
    f.y.Decreasing(gheight, gheight);
    return f;
}

// Vertical diagram: x is the density (growing to the left), y the energy (growing upward).
ui::PlotFrame VerticalFrame(int gwidth, int gheight, const PdosPlot& p) {
    ui::PlotFrame f;
    f.Place(gwidth, gheight);
    f.x.gmin = p.gymin;
    f.x.gmax = p.gymax;
    f.x.Decreasing(gwidth, gwidth);
    f.y.gmin = p.gxmin;
    f.y.gmax = p.gxmax;
    f.y.Decreasing(gheight - p.gxmargin, gheight - 2 * p.gxmargin);
    return f;
}

bool Inside(double e, const PdosPlot& p) { return e > p.gxmin && e < p.gxmax; }

void Text(ui::Canvas& cv, ui::Color color, int x, int y, const std::string& text) {
    cv.Font.color = color;
    cv.TextOut(x, y, text);
}

void Line(ui::Canvas& cv, int x1, int y1, int x2, int y2) {
    cv.MoveTo(x1, y1);
    cv.LineTo(x2, y2);
}

void Background(ui::Canvas& cv, int x1, int y1, int x2, int y2) {
    cv.Pen.color = ui::kWhite;
    cv.Brush.color = ui::kWhite;
    cv.Brush.style = ui::BrushStyle::Solid;
    cv.Rectangle(x1, y1, x2, y2);
}

void PrepareCanvas(ui::Canvas& cv) {
    cv.Pen = ui::PenSpec{};
    cv.Font = ui::FontSpec{};  // Tahoma 8 points: 11 pixels high
}

}  // namespace

std::string MoEnergyText(double ev) {
    return core::FloatText(static_cast<double>(core::RoundHalfEven(100 * ev)) / 100) + "eV";
}

// Calls mark(n, e) for every occupied level n of `spin` whose energy e lies in the range.
template <class Mark>
void ForOccupiedInRange(const PdosPlot& p, size_t spin, Mark mark) {
    const auto& levels = p.levels[spin];
    for (int n = 1; n <= levels.occupied; ++n) {
        const double e = levels.energies[static_cast<size_t>(n) - 1];
        if (Inside(e, p)) mark(n, e);
    }
}

void DrawHorizontal(ui::Canvas& cv, int width, int height, const PdosPlot& p) {
    PrepareCanvas(cv);
    const bool open = p.OpenShell();
    const int gheight = open ? height / 2 : height;
    const auto f = HorizontalFrame(width, gheight, p);
    Background(cv, f.fx(p.gxmin) - p.gxmargin, f.fy(p.gymin), f.fx(p.gxmax) + p.gxmargin,
               f.fy(p.gymax) + (open ? gheight : 0));
    if (p.Empty()) return;

    if (p.moNumbers) {
        ForOccupiedInRange(p, 0, [&](int n, double e) {
            cv.Pen.color = kMoMarkerColor;
            Line(cv, f.fx(e), f.fy(p.gymin), f.fx(e), f.fy(p.gymax));
            Text(cv, ui::kBlack, f.fx(e) + 3, f.fy(p.gymax) + 3 + 12 * (n % 2),
                 (open ? "a" : "*") + core::IntText(n));
            if (p.moEnergies) Text(cv, ui::kRed, f.fx(e) + 3, f.fy(p.gymax) + 30 + 12 * (n % 2), MoEnergyText(e));
        });
        if (open) ForOccupiedInRange(p, 1, [&](int n, double e) {
            cv.Pen.color = kMoMarkerColor;
            Line(cv, f.fx(e), f.fy(p.gymin), f.fx(e), f.fy(-p.gymax));
            Text(cv, ui::kBlack, f.fx(e) + 3, f.fy(-p.gymax) - 17 - 12 * (n % 2), "b" + core::IntText(n));
            if (p.moEnergies) Text(cv, ui::kRed, f.fx(e) + 3, f.fy(-p.gymax) - 44 - 12 * (n % 2), MoEnergyText(e));
        });
    }

    const auto& c = p.curves;
    for (size_t k = 0; k < c.dens[0].size(); ++k) {
        cv.Pen.color = k < p.colors.size() ? p.colors[k] : ui::kBlack;
        cv.MoveTo(f.fx(c.Energy(0)), f.fy(c.dens[0][k][0]));
        for (int i = 1; i <= c.n; ++i) cv.LineTo(f.fx(c.Energy(i)), f.fy(c.dens[0][k][static_cast<size_t>(i)]));
        if (!open) continue;
        // Beta: the same mapping reflected about the centre line.
        cv.MoveTo(f.fx(c.Energy(0)), 2 * gheight - f.fy(c.dens[1][k][0]));
        for (int i = 1; i <= c.n; ++i)
            cv.LineTo(f.fx(c.Energy(i)), 2 * gheight - f.fy(c.dens[1][k][static_cast<size_t>(i)]));
    }
}

void DrawVertical(ui::Canvas& cv, int width, int height, const PdosPlot& p) {
    PrepareCanvas(cv);
    const bool open = p.OpenShell();
    const int gwidth = open ? width / 2 : width;
    const auto f = VerticalFrame(gwidth, height, p);
    auto fxv = [&](double y) { return f.fx(y); };
    auto fyv = [&](double x) { return f.fy(x); };
    Background(cv, fxv(p.gymax), fyv(p.gxmin) + p.gxmargin, open ? fxv(-p.gymax) : fxv(p.gymin),
               fyv(p.gxmax) - p.gxmargin);
    if (p.Empty()) return;

    if (p.moNumbers) {
        ForOccupiedInRange(p, 0, [&](int n, double e) {
            cv.Pen.color = kMoMarkerColor;
            Line(cv, fxv(p.gymin), fyv(e), fxv(p.gymax), fyv(e));
            Text(cv, ui::kBlack, fxv(p.gymax) + 7 + 24 * (n % 2), fyv(e) + 3, (open ? "a" : "*") + core::IntText(n));
            if (p.moEnergies) Text(cv, ui::kRed, fxv(p.gymax) + 44 + 24 * (n % 2), fyv(e) + 3, MoEnergyText(e));
        });
        if (open) ForOccupiedInRange(p, 1, [&](int n, double e) {
            cv.Pen.color = kMoMarkerColor;
            Line(cv, fxv(p.gymin), fyv(e), fxv(-p.gymax), fyv(e));
            Text(cv, ui::kBlack, fxv(-p.gymax) - 40 - 24 * (n % 2), fyv(e) + 3, "b" + core::IntText(n));
            if (p.moEnergies) Text(cv, ui::kRed, fxv(-p.gymax) - 90 - 24 * (n % 2), fyv(e) + 3, MoEnergyText(e));
        });
    }

    const auto& c = p.curves;
    for (size_t k = 0; k < c.dens[0].size(); ++k) {
        cv.Pen.color = k < p.colors.size() ? p.colors[k] : ui::kBlack;
        cv.MoveTo(fxv(c.dens[0][k][0]), fyv(c.Energy(0)));
        for (int i = 1; i <= c.n; ++i) cv.LineTo(fxv(c.dens[0][k][static_cast<size_t>(i)]), fyv(c.Energy(i)));
        if (!open) continue;
        cv.MoveTo(2 * gwidth - fxv(c.dens[1][k][0]), fyv(c.Energy(0)));
        for (int i = 1; i <= c.n; ++i)
            cv.LineTo(2 * gwidth - fxv(c.dens[1][k][static_cast<size_t>(i)]), fyv(c.Energy(i)));
    }
}

}  // namespace mavrolin::pdos

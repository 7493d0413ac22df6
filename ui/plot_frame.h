#pragma once
// The plot frame every drawing window shares: the data and plotted ranges of a panel, the
// data-to-pixel mapping (and back), logarithmic axes, the erase rectangle, the data frame,
// labels at the data extremes and coloured legends. A window adds only what is its own.
//
// How a window uses it:
//   - It owns one PlotFrame per panel as a member. Every redraw fills it anew and the mouse
//     handlers read it afterwards, so the window always maps with the ranges and size of its
//     own last drawing, whatever another window has drawn since. Where the window has always
//     published its ranges in LoadedLog it still copies them there (Axis::CopyTo).
//   - Ranges: gather the data with an Extent, then `frame.x.SetData(extent)` and add the margins
//     (`SetMargins` for fractions of the span, `Pad` for amounts in data units), or assign
//     `gmin`/`gmax` directly when the margins come from text widths.
//   - Placement, at every redraw: `frame.Place(width, height)` records the paint-box size;
//     each axis then gets its pixel origin and length: `frame.x.Increasing(0, width)` for an
//     axis growing to the right, `frame.y.Decreasing(height, height)` for one growing upward
//     (pixel y grows downward), `Decreasing(width, width)` for a reversed horizontal axis.
//     `PlaceFull(width, height)` does the first two at once. Half-size panels pass
//     `width / 2.0` as length and `width / 2` as origin; a margin of m pixels at both ends
//     is origin m and length `width - 2 * m`.
//   - Mapping: `frame.fx(x)`, `frame.fy(y)` give pixels, rounding halves to even after scaling
//     and before the origin is added; `fxValue`/`fyValue` first pass a raw value through the
//     axis scale (decimal logarithm on a log axis). `frame.x.ValueAt(px)` maps a pixel back.
//   - Drawing: set the pen, then `Erase` (or `Fill`), `DrawDataFrame`, `HLine`/`VLine`; texts
//     with `LabelAt(canvas, Corner::XminYmax, dx, dy, text)` at a data corner, `PlaceText` at
//     any point (`frame.At(x, y)`), and `DrawLegend`.
//
//   ui::PlotFrame plot_;                              // member of the window
//   plot_.x.SetData(xs); plot_.x.SetMargins(0.025, 0.015);
//   plot_.y.SetData(ys); plot_.y.SetMargins(0.032, 0.032);
//   plot_.PlaceFull(PaintBox1.Width(), PaintBox1.Height());
//   plot_.Erase(cv, kWindowColor);
//   cv.Pen.color = ui::kBlue;
//   plot_.DrawDataFrame(cv);
//   cv.LineTo(plot_.fx(x), plot_.fy(y));
//   double clicked = plot_.x.ValueAt(e.x);           // in a mouse handler, later
#include <span>
#include <string>

#include "ui/canvas.h"

namespace ui {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// Rounds a pixel position, halves to even. A position that is not a number (a degenerate
// range) is 0; positions far outside any screen are clamped first.
int RoundPixel(double v);

// The general float text of Round(scaled)/scale: RoundedText(v * 10000, 10000) is v with at
// most four decimals, trailing zeros dropped.
std::string RoundedText(double scaled, double scale);

// Smallest and largest of the values taken; NaN values (no logarithm) are left out.
struct Extent {
    double min = 0, max = 0;
    int count = 0;
    void Take(double v);
};

enum class Scale { Linear, Log10 };

// One axis of a panel. Coordinates are data values, or their decimal logarithms on a log axis.
struct Axis {
    double dmin = 0, dmax = 0;  // data extent
    double gmin = 0, gmax = 0;  // plotted extent: the data with its margins
    Scale scale = Scale::Linear;
    // Pixel of gmin, pixel length of the plotted extent, and whether pixels decrease as
    // values grow.
    int origin = 0;
    double length = 0;
    bool decreasing = false;

    // Coordinate of a data value: the value itself, or its decimal logarithm on a log axis
    // (NaN when it has none: zero, negative or not finite).
    double Coord(double value) const;

    // Data extent from gathered coordinates; nothing gathered gives 0 … 0.
    void SetData(const Extent& e);
    // Data span, a zero or non-finite span taken as one unit so margins and mapping stay finite.
    double Span() const;
    // gmin := dmin − below·Span(), gmax := dmax + above·Span().
    void SetMargins(double below, double above);
    // gmin := dmin − below, gmax := dmax + above, in data units.
    void Pad(double below, double above);

    void Increasing(int originPixel, double pixelLength);
    void Decreasing(int originPixel, double pixelLength);

    // origin ± Round(length·(c − gmin)/(gmax − gmin)).
    int Pixel(double c) const;
    // origin ± length·(c − gmin)/(gmax − gmin), unrounded, for callers that round once after
    // the origin is added.
    double Position(double c) const;
    // Coordinate of a raw value through the scale; a value without a logarithm is put on the
    // lower data edge (dmin) rather than at infinity.
    double Plotted(double value) const;
    int PixelOfValue(double value) const { return Pixel(Plotted(value)); }
    // Inverse mapping: the coordinate at pixel px, with the placement of the last redraw.
    // A zero pixel length gives gmin.
    double ValueAt(double px) const;

    // Publishes the ranges into fields a window has always written (LoadedLog's shared ones).
    void CopyTo(double& dmin_, double& dmax_, double& gmin_, double& gmax_) const;
};

// Corners of the data rectangle, named by the extremes they join.
enum class Corner { XminYmin, XminYmax, XmaxYmax, XmaxYmin };

enum class HAlign { Left, Center, Right };

struct LegendEntry {
    std::string text;
    int dx = 0;  // offset from the legend's anchor
    Color color = kBlack;
};

// A panel: two axes on one paint box of gwidth × gheight pixels.
struct PlotFrame {
    Axis x, y;
    int gwidth = 0, gheight = 0;  // paint-box size at the last redraw

    // Records the paint-box size; the axes are placed separately.
    void Place(int width, int height) {
        gwidth = width;
        gheight = height;
    }
    // The usual placement: the size, x growing to the right over the full width and y
    // growing upward over the full height.
    void PlaceFull(int width, int height);

    int fx(double c) const { return x.Pixel(c); }
    int fy(double c) const { return y.Pixel(c); }
    int fxValue(double value) const { return x.PixelOfValue(value); }
    int fyValue(double value) const { return y.PixelOfValue(value); }

    Point At(double cx, double cy) const { return {fx(cx), fy(cy)}; }
    Point CornerPoint(Corner c) const;

    // Pen white and solid, brush solid in `background`; a rectangle over the plotted extent.
    void Erase(Canvas& cv, Color background) const;
    // Brush solid in `color`; the plotted extent filled without an outline.
    void Fill(Canvas& cv, Color color) const;
    // With the current pen, the closed line through the data corners from (dmin, dmin) up,
    // across, down and back. `outset` moves every edge that many pixels outward.
    void DrawDataFrame(Canvas& cv, int outset = 0) const;
    // With the current pen: a horizontal line at coordinate cy across the data width, a
    // vertical line at cx across the data height (from the dmin end to the dmax end).
    void HLine(Canvas& cv, double cy) const;
    void VLine(Canvas& cv, double cx) const;
    // Text in the current font, anchored at a data corner moved by (dx, dy): its left edge,
    // its centre or its right edge at the anchor.
    void LabelAt(Canvas& cv, Corner c, int dx, int dy, const std::string& text,
                 HAlign align = HAlign::Left) const;
};

// A white page of width × height with the 10-point default font, as the spectrum plots start.
void ClearPlotPage(Canvas& cv, int width, int height);

// Text with its top at y and its left edge, centre (x − width div 2) or right edge at x.
void PlaceText(Canvas& cv, int x, int y, const std::string& text, HAlign align = HAlign::Left);

// Each entry's text in its colour at (at.x + dx, at.y); the font keeps the last colour.
void DrawLegend(Canvas& cv, Point at, std::span<const LegendEntry> entries);

}  // namespace ui

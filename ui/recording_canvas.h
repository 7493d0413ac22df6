#pragma once
// Records every primitive with the pen, brush and font in force, for tests and for
// picture export (replayed onto a real canvas). Text metrics are deterministic unless a
// mirror canvas (the on-screen one) is attached, which then also receives every primitive.
#include <vector>

#include "ui/canvas.h"

namespace ui {

struct DrawOp {
    // Polyline, Polygon and TextAt are the vector primitives: their float positions are in
    // `points` (TextAt: its corner), x1..y2 hold the rounded bounding box.
    enum Kind { Line, Rect, Fill, Ellipse, Text, Polyline, Polygon, TextAt } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string text;
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    std::vector<PointF> points;
    TextAnchor anchor;
};

class RecordingCanvas : public Canvas {
public:
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void SetSize(int width, int height) override;
    void Polyline(std::span<const PointF> points) override;
    void Polygon(std::span<const PointF> points) override;
    void TextAt(double x, double y, const std::string& text, TextAnchor anchor = {}) override;

    // A figure is drawn in units of a printed page: `unitsPerInch` of them to the inch, and
    // its fonts sized in those units. 0 (the default) is a paint box drawn in pixels.
    // A figure's text metrics (without a mirror) are a generous estimate of a sans-serif font:
    // 0.64 em per character, 1.17 em per line, so a layout that leaves room for them fits.
    void SetUnitsPerInch(double units) { unitsPerInch_ = units; }
    double UnitsPerInch() const { return unitsPerInch_; }

    int Width() const { return width_; }
    int Height() const { return height_; }

    const std::vector<DrawOp>& Ops() const { return ops_; }
    std::vector<DrawOp> OpsOf(DrawOp::Kind kind) const;
    std::vector<DrawOp> Lines() const { return OpsOf(DrawOp::Line); }
    std::vector<DrawOp> Texts() const { return OpsOf(DrawOp::Text); }
    void Clear() { ops_.clear(); }

    // Draws everything recorded onto another canvas, in order.
    void Replay(Canvas& target) const;

    void SetMirror(Canvas* mirror);
    Canvas* Mirror() const { return mirror_; }

    // Deterministic metrics used without a mirror: per-character width and line height
    // derived from the font size.
    static int CharWidth(const FontSpec& f) { return (f.size * 3 + 2) / 4; }
    static int LineHeight(const FontSpec& f) { return f.size * 2 - 3 > 1 ? f.size * 2 - 3 : 1; }

private:
    void Record(DrawOp::Kind kind, int x1, int y1, int x2, int y2, const std::string& text = {});
    void SyncMirror();
    std::vector<DrawOp> ops_;
    Canvas* mirror_ = nullptr;
    void RecordPoints(DrawOp::Kind kind, std::span<const PointF> points);
    int width_ = 0, height_ = 0;
    double unitsPerInch_ = 0;
};

}  // namespace ui

#pragma once
// Records every primitive with the pen, brush and font in force, for tests and for
// picture export (replayed onto a real canvas). Text metrics are deterministic unless a
// mirror canvas (the on-screen one) is attached, which then also receives every primitive.
#include <vector>

#include "ui/canvas.h"

namespace ui {

struct DrawOp {
    enum Kind { Line, Rect, Fill, Ellipse, Text } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string text;
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
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
    int width_ = 0, height_ = 0;
};

}  // namespace ui

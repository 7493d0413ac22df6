#include "ui/recording_canvas.h"

#include <algorithm>
#include <cmath>

#include "ui/plot_frame.h"

namespace ui {

namespace {
// A drawing covers the whole surface when it fills at least the paint box; everything
// recorded before is hidden, so the recording restarts (it does not grow across redraws).
bool CoversAll(int x1, int y1, int x2, int y2, int w, int h) {
    return w > 0 && h > 0 && x1 <= 0 && y1 <= 0 && x2 >= w && y2 >= h;
}
constexpr size_t kMaxOps = 4'000'000;  // safety cap for runaway drawings
}  // namespace

void RecordingCanvas::SyncMirror() {
    if (!mirror_) return;
    mirror_->Pen = Pen;
    mirror_->Brush = Brush;
    mirror_->Font = Font;
}

void RecordingCanvas::Record(DrawOp::Kind kind, int x1, int y1, int x2, int y2,
                             const std::string& text) {
    if (ops_.size() >= kMaxOps) ops_.clear();
    ops_.push_back(DrawOp{kind, x1, y1, x2, y2, text, Pen, Brush, Font, {}, {}});
}

void RecordingCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
    if (mirror_) mirror_->MoveTo(x, y);
}

void RecordingCanvas::LineTo(int x, int y) {
    Record(DrawOp::Line, penX_, penY_, x, y);
    penX_ = x;
    penY_ = y;
    if (mirror_) {
        SyncMirror();
        mirror_->LineTo(x, y);
    }
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (Brush.style == BrushStyle::Solid && CoversAll(x1, y1, x2, y2, width_, height_)) ops_.clear();
    Record(DrawOp::Rect, x1, y1, x2, y2);
    if (mirror_) {
        SyncMirror();
        mirror_->Rectangle(x1, y1, x2, y2);
    }
}

void RecordingCanvas::FillRect(int x1, int y1, int x2, int y2) {
    if (Brush.style == BrushStyle::Solid && CoversAll(x1, y1, x2, y2, width_, height_)) ops_.clear();
    Record(DrawOp::Fill, x1, y1, x2, y2);
    if (mirror_) {
        SyncMirror();
        mirror_->FillRect(x1, y1, x2, y2);
    }
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Record(DrawOp::Ellipse, x1, y1, x2, y2);
    if (mirror_) {
        SyncMirror();
        mirror_->Ellipse(x1, y1, x2, y2);
    }
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
    Record(DrawOp::Text, x, y, x + TextWidth(text), y + TextHeight(text), text);
    if (mirror_) {
        SyncMirror();
        mirror_->TextOut(x, y, text);
    }
}

int RecordingCanvas::TextWidth(const std::string& text) {
    if (mirror_) {
        SyncMirror();
        return mirror_->TextWidth(text);
    }
    if (unitsPerInch_ > 0) {
        // Characters, not bytes: a UTF-8 continuation byte, a combining mark (the tilde of
        // a wavenumber) and the italics switch take no width.
        int n = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if ((c & 0xC0) == 0x80 || c == static_cast<unsigned char>(kItalicToggle)) continue;
            if (c == 0xCC && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                static_cast<unsigned char>(text[i + 1]) <= 0xAF)
                continue;  // U+0300..U+032F
            ++n;
        }
        return static_cast<int>(std::lround(n * 0.64 * Font.size));
    }
    return static_cast<int>(text.size()) * CharWidth(Font);
}

int RecordingCanvas::TextHeight(const std::string& text) {
    if (mirror_) {
        SyncMirror();
        return mirror_->TextHeight(text);
    }
    if (unitsPerInch_ > 0) return static_cast<int>(std::lround(1.17 * Font.size));
    return LineHeight(Font);
}

void RecordingCanvas::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
    if (mirror_) mirror_->SetSize(width, height);
}

void RecordingCanvas::SetMirror(Canvas* mirror) {
    mirror_ = mirror;
    if (mirror_) mirror_->SetSize(width_, height_);
}

void RecordingCanvas::RecordPoints(DrawOp::Kind kind, std::span<const PointF> points) {
    if (points.empty()) return;
    double l = points[0].x, r = l, t = points[0].y, b = t;
    for (const auto& p : points) l = std::min(l, p.x), r = std::max(r, p.x), t = std::min(t, p.y), b = std::max(b, p.y);
    Record(kind, RoundPixel(l), RoundPixel(t), RoundPixel(r), RoundPixel(b));
    ops_.back().points.assign(points.begin(), points.end());
}

void RecordingCanvas::Polyline(std::span<const PointF> points) {
    RecordPoints(DrawOp::Polyline, points);
    if (mirror_) {
        SyncMirror();
        mirror_->Polyline(points);
    }
}

void RecordingCanvas::Polygon(std::span<const PointF> points) {
    RecordPoints(DrawOp::Polygon, points);
    if (mirror_) {
        SyncMirror();
        mirror_->Polygon(points);
    }
}

void RecordingCanvas::TextAt(double x, double y, const std::string& text, TextAnchor anchor) {
    // The box the text covers: along the reading direction its width, across it its height.
    const double w = TextWidth(text), h = TextHeight(text);
    double l = x - anchor.h * w, t = y - anchor.v * h, r = l + w, b = t + h;
    if (anchor.angle == 90) l = x - anchor.v * h, r = l + h, b = y + anchor.h * w, t = b - w;
    Record(DrawOp::TextAt, RoundPixel(l), RoundPixel(t), RoundPixel(r), RoundPixel(b), text);
    ops_.back().points = {PointF{x, y}};
    ops_.back().anchor = anchor;
    if (mirror_) {
        SyncMirror();
        mirror_->TextAt(x, y, text, anchor);
    }
}

std::vector<DrawOp> RecordingCanvas::OpsOf(DrawOp::Kind kind) const {
    std::vector<DrawOp> out;
    for (const auto& op : ops_)
        if (op.kind == kind) out.push_back(op);
    return out;
}

void RecordingCanvas::Replay(Canvas& target) const {
    for (const auto& op : ops_) {
        target.Pen = op.pen;
        target.Brush = op.brush;
        target.Font = op.font;
        switch (op.kind) {
            case DrawOp::Line:
                target.MoveTo(op.x1, op.y1);
                target.LineTo(op.x2, op.y2);
                break;
            case DrawOp::Rect: target.Rectangle(op.x1, op.y1, op.x2, op.y2); break;
            case DrawOp::Fill: target.FillRect(op.x1, op.y1, op.x2, op.y2); break;
            case DrawOp::Ellipse: target.Ellipse(op.x1, op.y1, op.x2, op.y2); break;
            case DrawOp::Text: target.TextOut(op.x1, op.y1, op.text); break;
            case DrawOp::Polyline: target.Polyline(op.points); break;
            case DrawOp::Polygon: target.Polygon(op.points); break;
            case DrawOp::TextAt: target.TextAt(op.points[0].x, op.points[0].y, op.text, op.anchor); break;
        }
    }
}

}  // namespace ui

#include "ui/recording_canvas.h"

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
    ops_.push_back(DrawOp{kind, x1, y1, x2, y2, text, Pen, Brush, Font});
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
    return static_cast<int>(text.size()) * CharWidth(Font);
}

int RecordingCanvas::TextHeight(const std::string& text) {
    if (mirror_) {
        SyncMirror();
        return mirror_->TextHeight(text);
    }
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
        }
    }
}

}  // namespace ui

#include "ui/qt/qt_canvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/qt/text.h"

namespace mavrolin::qt {

namespace {
constexpr int kMaxSide = 16384;  // larger paint boxes are clipped rather than allocated

// Lines with an end this far out are left to the painter's clipping.
bool Near(int x, int y) {
    return std::llabs(static_cast<long long>(x)) <= 2 * kMaxSide &&
           std::llabs(static_cast<long long>(y)) <= 2 * kMaxSide;
}

QRect BoxOf(int x1, int y1, int x2, int y2) {
    // Bounding box with the right column and bottom row left out, kept within a range
    // where sizes cannot overflow.
    auto c = [](int v) { return std::clamp(v, -(1 << 24), 1 << 24); };
    int l = c(std::min(x1, x2)), r = c(std::max(x1, x2)), t = c(std::min(y1, y2)), b = c(std::max(y1, y2));
    return QRect(l, t, r - l, b - t);
}
}  // namespace

QtCanvas::QtCanvas() : pixelExact_(true) {}

QtCanvas::QtCanvas(QPainter& target, bool pixelExact, bool figureUnits)
    : external_(&target), pixelExact_(pixelExact && !figureUnits), figure_(figureUnits) {
    external_->setRenderHint(QPainter::Antialiasing, figureUnits);
    external_->setRenderHint(QPainter::TextAntialiasing, figureUnits);
}

QtCanvas::~QtCanvas() { Finish(); }

QPainter& QtCanvas::Painter() {
    if (external_) return *external_;
    if (!own_) {
        if (image_.isNull()) image_ = QImage(1, 1, QImage::Format_RGB32), image_.fill(ToQColor(kBackground));
        own_ = std::make_unique<QPainter>(&image_);
        own_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *own_;
}

void QtCanvas::Finish() { own_.reset(); }

void QtCanvas::Painted() {
    if (!external_ && OnPainted) OnPainted();
}

const QImage& QtCanvas::Image() {
    Finish();
    return image_;
}

void QtCanvas::SetSize(int width, int height) {
    if (external_) return;
    width = std::clamp(width, 0, kMaxSide);
    height = std::clamp(height, 0, kMaxSide);
    if (!image_.isNull() && image_.width() == width && image_.height() == height) return;
    Finish();
    if (width == 0 || height == 0) {
        image_ = QImage();
        return;
    }
    QImage next(width, height, QImage::Format_RGB32);
    next.fill(ToQColor(kBackground));
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
    Painted();
}

QFont QtCanvas::ToQFont(const ui::FontSpec& f) {
    QFont font(ToQString(f.name));
    // Points at 96 dots per inch, rounded as the classic MulDiv does.
    int px = static_cast<int>(std::lround(std::abs(f.size) * 96.0 / 72.0));
    font.setPixelSize(std::max(px, 1));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeout);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont QtCanvas::FigureFont(const ui::FontSpec& f) {
    QFont font(ToQString(f.name));
    font.setPixelSize(std::max(std::abs(f.size), 1));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeout);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

std::vector<int> QtCanvas::DashPattern(int style) {
    switch (style) {
        case ui::psDash: return {18, 6};
        case ui::psDot: return {3, 3};
        case ui::psDashDot: return {9, 6, 3, 6};
        case ui::psDashDotDot: return {9, 3, 3, 3, 3, 3};
        default: return {};
    }
}

QPen QtCanvas::MakePen() const {
    if (figure_) {
        // Widths in canvas units; dashes in multiples of the width, as printed figures use.
        QPen pen(ToQColor(Pen.color), std::max(Pen.width, 1), Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
        switch (Pen.style) {
            case ui::psDash: pen.setDashPattern({5, 3}); break;
            case ui::psDot: pen.setDashPattern({1, 2}); break;
            case ui::psDashDot: pen.setDashPattern({5, 2, 1, 2}); break;
            case ui::psDashDotDot: pen.setDashPattern({5, 2, 1, 2, 1, 2}); break;
            default: break;
        }
        return pen;
    }
    QPen pen(ToQColor(Pen.color));
    int w = std::max(Pen.width, 1);
    pen.setWidth(w);
    pen.setCapStyle(w > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    auto dash = DashPattern(Pen.style);
    if (!dash.empty()) {
        QList<qreal> pattern;
        for (int d : dash) pattern << static_cast<qreal>(d) / w;
        pen.setDashPattern(pattern);
    }
    return pen;
}

void QtCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

// Bresenham from (x1, y1) towards (x2, y2), end pixel excluded, the pen pattern running
// along the pixels.
void QtCanvas::PixelLine(QPainter& p, int x1, int y1, int x2, int y2) {
    auto dash = DashPattern(Pen.style);
    int period = 0;
    for (int d : dash) period += d;
    if (!chained_ || x1 != lastEndX_ || y1 != lastEndY_) dashPhase_ = 0;

    std::vector<QPoint> points;
    long long dx = std::llabs(static_cast<long long>(x2) - x1), dy = -std::llabs(static_cast<long long>(y2) - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    long long err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        bool on = true;
        if (period > 0) {
            int pos = dashPhase_ % period, acc = 0;
            for (size_t i = 0; i < dash.size(); ++i) {
                acc += dash[i];
                if (pos < acc) {
                    on = i % 2 == 0;
                    break;
                }
            }
            dashPhase_ = (dashPhase_ + 1) % period;
        }
        if (on) points.emplace_back(x, y);
        long long e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
    }
    if (points.empty()) return;
    p.setPen(QPen(ToQColor(Pen.color), 1));
    p.drawPoints(points.data(), static_cast<int>(points.size()));
}

void QtCanvas::LineTo(int x, int y) {
    QPainter& p = Painter();
    if (ThinPixelLines() && Near(penX_, penY_) && Near(x, y)) {
        PixelLine(p, penX_, penY_, x, y);
    } else if (figure_) {
        p.setPen(MakePen());
        p.drawLine(QPointF(penX_, penY_), QPointF(x, y));
    } else if (x != penX_ || y != penY_) {
        p.setPen(MakePen());
        // Pixel centres, so a vector line covers the same pixels as the screen one.
        p.drawLine(QPointF(penX_ + 0.5, penY_ + 0.5), QPointF(x + 0.5, y + 0.5));
    }
    chained_ = true;
    lastEndX_ = x;
    lastEndY_ = y;
    penX_ = x;
    penY_ = y;
    Painted();
}

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    QRect box = BoxOf(x1, y1, x2, y2);
    if (box.isEmpty()) return;
    QPainter& p = Painter();
    if (Brush.style == ui::BrushStyle::Solid) p.fillRect(box, ToQColor(Brush.color));
    if (ThinPixelLines() && Near(box.left(), box.top()) && Near(box.right(), box.bottom())) {
        int l = box.left(), t = box.top(), r = box.left() + box.width() - 1, b = box.top() + box.height() - 1;
        chained_ = false;
        PixelLine(p, l, t, r, t);
        chained_ = true, lastEndX_ = r, lastEndY_ = t;
        PixelLine(p, r, t, r, b);
        lastEndX_ = r, lastEndY_ = b;
        PixelLine(p, r, b, l, b);
        lastEndX_ = l, lastEndY_ = b;
        PixelLine(p, l, b, l, t);
        if (box.width() == 1 || box.height() == 1) {  // a one-pixel figure is still drawn
            p.setPen(QPen(ToQColor(Pen.color), 1));
            p.drawPoint(r, b);
        }
    } else {
        p.setPen(MakePen());
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(box.left() + 0.5, box.top() + 0.5, box.width() - 1, box.height() - 1));
    }
    chained_ = false;
    Painted();
}

void QtCanvas::FillRect(int x1, int y1, int x2, int y2) {
    QRect box = BoxOf(x1, y1, x2, y2);
    if (box.isEmpty() || Brush.style != ui::BrushStyle::Solid) return;
    Painter().fillRect(box, ToQColor(Brush.color));
    Painted();
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    QRect box = BoxOf(x1, y1, x2, y2);
    if (box.isEmpty()) return;
    QPainter& p = Painter();
    p.setPen(MakePen());
    if (Brush.style == ui::BrushStyle::Solid)
        p.setBrush(ToQColor(Brush.color));
    else
        p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(box.left() + 0.5, box.top() + 0.5, box.width() - 1, box.height() - 1));
    p.setBrush(Qt::NoBrush);
    Painted();
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
    QFont font = ToQFont(Font);
    QFontMetrics fm(font);
    QString s = ToQString(text);
    QPainter& p = Painter();
    if (Brush.style == ui::BrushStyle::Solid)
        p.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), ToQColor(Brush.color));
    p.setFont(font);
    p.setPen(ToQColor(Font.color));
    p.drawText(QPoint(x, y + fm.ascent()), s);
    chained_ = false;
    Painted();
}

int QtCanvas::TextWidth(const std::string& text) {
    return QFontMetrics(Font_()).horizontalAdvance(ToQString(text));
}

int QtCanvas::TextHeight(const std::string&) { return QFontMetrics(Font_()).height(); }

namespace {
QPainterPath PathOf(std::span<const ui::PointF> points) {
    QPainterPath path;
    for (size_t i = 0; i < points.size(); ++i) {
        const QPointF q(points[i].x, points[i].y);
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    return path;
}
}  // namespace

// One path per call, so a vector file holds each curve as one element.
void QtCanvas::Polyline(std::span<const ui::PointF> points) {
    if (points.size() < 2) return;
    QPainter& p = Painter();
    p.setPen(MakePen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(PathOf(points));
    chained_ = false;
    Painted();
}

void QtCanvas::Polygon(std::span<const ui::PointF> points) {
    if (points.size() < 3 || Brush.style != ui::BrushStyle::Solid) return;
    QPainterPath path = PathOf(points);
    path.closeSubpath();
    QPainter& p = Painter();
    p.fillPath(path, ToQColor(Brush.color));
    chained_ = false;
    Painted();
}

// The runs of upright and italic text, measured with the real font, drawn one after the
// other on one baseline and aligned as a whole.
void QtCanvas::TextAt(double x, double y, const std::string& text, ui::TextAnchor anchor) {
    struct Run {
        QString text;
        QFont font;
        double width;
    };
    std::vector<Run> runs;
    const QFont upright = Font_();
    QFont italic = upright;
    italic.setItalic(!upright.italic());
    bool slanted = false;
    double width = 0;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ui::kItalicToggle) continue;
        if (i > start) {
            QFont f = slanted ? italic : upright;
            QString part = ToQString(text.substr(start, i - start));
            const double w = QFontMetricsF(f).horizontalAdvance(part);
            runs.push_back({part, f, w});
            width += w;
        }
        slanted = !slanted;
        start = i + 1;
    }
    const QFontMetricsF fm(upright);
    QPainter& p = Painter();
    p.save();
    p.translate(x, y);
    if (anchor.angle != 0) p.rotate(-anchor.angle);
    p.setPen(ToQColor(Font.color));
    double at = -anchor.h * width;
    const double baseline = -anchor.v * fm.height() + fm.ascent();
    for (const auto& r : runs) {
        p.setFont(r.font);
        p.drawText(QPointF(at, baseline), r.text);
        at += r.width;
    }
    p.restore();
    chained_ = false;
    Painted();
}

}  // namespace mavrolin::qt

#pragma once
// The paint-box canvas over QPainter. On screen it paints a retained image that the
// widget shows, so a covered window comes back intact; for export it paints through an
// existing painter (image, SVG or PDF device).
//
// Semantics kept from the model: colours 0x00BBGGRR; lines leave out their end pixel;
// rectangles and ellipses fill their bounding box less its right column and bottom row;
// text is drawn opaque on the brush colour; the five pen styles use fixed pixel patterns.
// Fonts are sized in pixels at 96 dots per inch, so metrics do not depend on the device.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/canvas.h"

namespace mavrolin::qt {

class QtCanvas : public ui::Canvas {
public:
    // Retained image of the paint box, resized by SetSize.
    QtCanvas();
    // Draws through `target`; `pixelExact` draws thin lines pixel by pixel (raster devices).
    // `figureUnits` draws a figure: smooth lines and text, fonts sized in canvas units.
    QtCanvas(QPainter& target, bool pixelExact, bool figureUnits = false);
    ~QtCanvas() override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void SetSize(int width, int height) override;
    void Polyline(std::span<const ui::PointF> points) override;
    void Polygon(std::span<const ui::PointF> points) override;
    void TextAt(double x, double y, const std::string& text, ui::TextAnchor anchor = {}) override;

    // The retained picture with every primitive so far finished (retained mode only).
    const QImage& Image();
    // Called after each primitive in retained mode (the widget schedules a repaint).
    std::function<void()> OnPainted;

    static QFont ToQFont(const ui::FontSpec& f);
    // A figure's font: its size is in canvas units, drawn smooth and unhinted.
    static QFont FigureFont(const ui::FontSpec& f);
    // Runs of on/off pixels of a pen style (empty for solid).
    static std::vector<int> DashPattern(int style);
    // Colour of a paint box before anything is drawn on it.
    static constexpr ui::Color kBackground = 0xF0F0F0;

private:
    QPainter& Painter();
    void Finish();
    void Painted();
    QPen MakePen() const;
    void PixelLine(QPainter& p, int x1, int y1, int x2, int y2);
    bool ThinPixelLines() const { return pixelExact_ && Pen.width <= 1; }

    QImage image_;
    std::unique_ptr<QPainter> own_;
    QPainter* external_ = nullptr;
    bool pixelExact_ = true;
    bool figure_ = false;
    QFont Font_() const { return figure_ ? FigureFont(Font) : ToQFont(Font); }
    // Dash phase carried over consecutive connected lines, as a polyline would.
    int dashPhase_ = 0;
    int lastEndX_ = 0, lastEndY_ = 0;
    bool chained_ = false;
};

}  // namespace mavrolin::qt

#pragma once
// Toolkit-neutral drawing surface of a paint box. Pen, brush and font are plain public
// settings read by every primitive, as drawing code sets them before it draws.
#include <cmath>
#include <cstdint>
#include <span>
#include <string>

namespace ui {

using Color = std::uint32_t;  // 0x00BBGGRR

constexpr Color kBlack = 0, kWhite = 16777215, kRed = 255, kGreen = 32768, kBlue = 16711680;

inline int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
inline int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// 0 solid, 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot.
enum PenStyle { psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4 };

struct PenSpec {
    Color color = kBlack;
    int width = 1;
    int style = psSolid;
    bool operator==(const PenSpec&) const = default;
};

enum class BrushStyle { Solid, Clear };

struct BrushSpec {
    Color color = kWhite;
    BrushStyle style = BrushStyle::Solid;
    bool operator==(const BrushSpec&) const = default;
};

struct FontSpec {
    std::string name = "Tahoma";
    int size = 8;  // points
    bool bold = false, italic = false, underline = false, strikeout = false;
    Color color = kBlack;
    bool operator==(const FontSpec&) const = default;
};

// Inside a figure's text this character switches italics on and off (a quantity's symbol).
inline constexpr char kItalicToggle = '\x01';

// Where a figure's text sits against its position: h 0 puts its left edge there, 0.5 its
// centre, 1 its right edge; v 0 its top, 0.5 its middle, 1 its bottom. `angle` 90 turns it
// to read upwards about that point. The drawing back end aligns with its own metrics.
struct TextAnchor {
    double h = 0, v = 0;
    int angle = 0;
    bool operator==(const TextAnchor&) const = default;
};

// A point of a vector drawing (figures), in canvas units.
struct PointF {
    double x = 0, y = 0;
    bool operator==(const PointF&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    PenSpec Pen;
    BrushSpec Brush;
    FontSpec Font;

    virtual void MoveTo(int x, int y) = 0;
    // Draws from the pen position to (x, y) without the end pixel and moves the pen there.
    virtual void LineTo(int x, int y) = 0;
    // Outline with the pen, inside with the brush; (x2, y2) is just outside the figure.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Fills with the brush, no outline.
    virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    // Text with its top-left corner at (x, y), opaque on the brush colour when the brush is solid.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // The paint box was resized.
    virtual void SetSize(int width, int height) = 0;

    // Vector primitives of figures, at float positions. A canvas that only has pixels rounds
    // them onto the integer primitives above.
    // One open line through all points with the pen.
    virtual void Polyline(std::span<const PointF> points) {
        for (size_t i = 0; i < points.size(); ++i) {
            const int x = static_cast<int>(std::lround(points[i].x)), y = static_cast<int>(std::lround(points[i].y));
            if (i == 0)
                MoveTo(x, y);
            else
                LineTo(x, y);
        }
    }
    // The closed area through the points filled with the brush, no outline (a pixel canvas
    // draws the closed outline with the pen instead).
    virtual void Polygon(std::span<const PointF> points) {
        Polyline(points);
        if (points.size() > 2) LineTo(static_cast<int>(std::lround(points[0].x)), static_cast<int>(std::lround(points[0].y)));
    }
    // Text anchored at (x, y), drawn transparently (the brush is not used).
    virtual void TextAt(double x, double y, const std::string& text, TextAnchor anchor = {}) {
        std::string plain;
        for (char c : text)
            if (c != kItalicToggle) plain += c;
        const double w = TextWidth(plain), h = TextHeight(plain);
        TextOut(static_cast<int>(std::lround(x - anchor.h * w)), static_cast<int>(std::lround(y - anchor.v * h)), plain);
    }

    int PenX() const { return penX_; }
    int PenY() const { return penY_; }

protected:
    int penX_ = 0, penY_ = 0;
};

}  // namespace ui

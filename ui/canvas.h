#pragma once
// Toolkit-neutral drawing surface of a paint box. Pen, brush and font are plain public
// settings read by every primitive, as drawing code sets them before it draws.
#include <cstdint>
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

    int PenX() const { return penX_; }
    int PenY() const { return penY_; }

protected:
    int penX_ = 0, penY_ = 0;
};

}  // namespace ui

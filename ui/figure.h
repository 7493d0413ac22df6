#pragma once
// Figures for papers and talks: a second rendering of a plot's data, separate from the
// windows' own drawing, with ticked axes at round steps, axis titles with the quantity in
// italics and its unit after a slash, legends, a size in centimetres, fonts and line widths
// in points. Drawn on a recording canvas in page units (tenths of a point), so the picture
// writer turns it into a PNG at any resolution or into true vector SVG and PDF files.
//
// A plot builds a Figure (panels of series, marker lines, level segments and labels) and
// hands it to Render; WriteCsv writes the same numbers as a table.
#include <filesystem>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/recording_canvas.h"

namespace ui::fig {

inline constexpr double kUnitsPerPoint = 10;
inline constexpr double kUnitsPerInch = 72 * kUnitsPerPoint;
inline constexpr double kCmPerInch = 2.54;

// A colour-blind-safe qualitative palette (Okabe and Ito), black first.
Color PaletteColor(int i);

// "λ / nm": the symbol in italics (between kItalicToggle marks), then the unit after a slash.
// An empty unit leaves the symbol alone ("f").
std::string Quantity(const std::string& symbol, const std::string& unit = {});

// Tick positions of a linear axis: steps of 1, 2 or 5 × 10ⁿ, the largest that still gives at
// least `minLabels` labelled ticks inside [lo, hi]; minor ticks between them.
struct Ticks {
    std::vector<double> major, minor;
    std::vector<std::string> labels;  // one per major tick
    double step = 0;
};
Ticks LinearTicks(double lo, double hi, int minLabels = 4);
// Decades of a logarithmic axis (lo, hi > 0) labelled 10ⁿ, minor ticks at 2..9 × 10ⁿ.
Ticks LogTicks(double lo, double hi);
// A tick value with as many decimals as the step needs and no more (so every label of an
// axis has the same number); "−" for negatives, and never "−0".
std::string TickLabel(double value, double step);
// Numbers of the CSV table: shortest round-trip text, "." as the decimal point.
std::string CsvNumber(double v);

enum class AxisScale { Linear, Log };

struct AxisSpec {
    std::string title;
    double min = 0, max = 0;  // min == max: from the data
    AxisScale scale = AxisScale::Linear;
    bool reversed = false;     // values grow to the left (or downwards)
    bool hidden = false;       // no ticks, labels nor title (columns of a level diagram)
    bool integers = false;     // steps of at least 1 (step numbers)
};

enum class SeriesKind {
    Line,    // one path through the points
    Sticks,  // a vertical line from 0 to each point
    Area,    // the region between the points and 0, filled
};

struct Series {
    std::string name;  // legend text; empty: not in the legend
    std::vector<double> x, y;
    Color color = kBlack;
    double widthPt = 1;
    int style = psSolid;
    SeriesKind kind = SeriesKind::Line;
    bool rightAxis = false;
    std::string column;  // CSV column header; empty: not written
    bool drawn = true;   // false: a column of the CSV only
};

// A straight line across the panel at a value, with an optional label at its end.
struct Marker {
    bool vertical = false;
    double value = 0;
    Color color = kBlack;
    double widthPt = 0.75;
    int style = psDash;
    std::string label;
    bool rightAxis = false;
};

// A segment in data coordinates (a level of an MO diagram, a gap arrow's shaft).
struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Color color = kBlack;
    double widthPt = 1;
    int style = psSolid;
};

// A level of a level diagram (an orbital energy): a line from x1 to x2 at y. Levels of the
// same x1 and x2 that would run together on the page (less than a point of white between
// their lines: a degenerate set) are drawn side by side in shorter lines, the lowest left.
struct Level {
    double x1 = 0, x2 = 0, y = 0;
    Color color = kBlack;
    double widthPt = 1;
};

// A label beside a point of the data. Labels on the same side of the same x are moved apart
// vertically so that none overlaps another, with a leader line to the point when moved.
struct Note {
    double x = 0, y = 0;
    std::string text;
    bool left = false;  // text to the left of x instead of the right
    Color color = kBlack;
};

// Text centred under the panel at an x value (the file name under a column).
struct ColumnLabel {
    double x = 0;
    std::string text;
};

struct Panel {
    AxisSpec x, y, y2;
    bool hasY2 = false;
    std::vector<Series> series;
    std::vector<Marker> markers;
    std::vector<Segment> segments;
    std::vector<Level> levels;
    std::vector<Note> notes;
    std::vector<ColumnLabel> columns;
    double weight = 1;  // share of the figure's height
    bool horizontal = true;  // false: x runs up the page and y to the right (a vertical PDOS)
};

struct Figure {
    std::string title;      // empty: none
    std::vector<Panel> panels;  // stacked from the top; the last one carries the x axis
    bool sharedX = false;   // panels above the last draw no x labels nor title
    std::string csvX;       // header of the CSV's first column
};

struct Style {
    double widthCm = 8.5, heightCm = 6;
    int fontPt = 8;
    std::string font = "DejaVu Sans";
    int dpi = 600;
    // Pixels of the PNG at this size and resolution.
    int PixelWidth() const;
    int PixelHeight() const;
};

// Draws the figure on `cv` (cleared, sized in page units and marked as a figure).
void Render(RecordingCanvas& cv, const Figure& figure, const Style& style);

// The plotted numbers: a header naming every column, one row per x value (in increasing
// order; a curve without a value there leaves its cell empty), comma-separated, CR LF.
std::string CsvText(const Figure& figure);
// Writes CsvText into `path`, replacing it only when complete. Throws core::FileError.
void WriteCsv(const Figure& figure, const std::filesystem::path& path);

// Parses "WxH" in centimetres ("8.5x6"); false when it is not two positive sizes up to 100 cm.
bool ParseFigureSize(const std::string& text, double& widthCm, double& heightCm);

}  // namespace ui::fig

#include "ui/figure.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <optional>

#include "core/number_text.h"
#include "core/text_file.h"

namespace ui::fig {

namespace {

constexpr double kPt = kUnitsPerPoint;
constexpr double kNoteLead = 6 * kPt;  // from a note's point to its text

// 0x00BBGGRR from the usual RGB hex.
constexpr Color Rgb(unsigned rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

int WidthUnits(double pt) { return std::max(1, static_cast<int>(std::lround(pt * kPt))); }

// "10⁻³": an exponent in superscript digits.
std::string PowerOfTen(int n) {
    static const char* digits[] = {"\u2070", "\u00B9", "\u00B2", "\u00B3", "\u2074",
                                   "\u2075", "\u2076", "\u2077", "\u2078", "\u2079"};
    std::string s = "10";
    if (n < 0) s += "\u207B";
    std::string d = std::to_string(std::abs(n));
    for (char c : d) s += digits[c - '0'];
    return s;
}

// One axis of a panel mapped onto a stretch of the page.
struct Map {
    double lo = 0, hi = 1;
    double p0 = 0, p1 = 1;  // page positions of lo and hi
    bool log = false;
    double C(double v) const { return log ? std::log10(v) : v; }
    double operator()(double v) const {
        const double a = C(lo), b = C(hi);
        if (!(b != a)) return p0;
        return p0 + (C(v) - a) / (b - a) * (p1 - p0);
    }
    bool Inside(double v) const { return v >= std::min(lo, hi) && v <= std::max(lo, hi); }
    double Clamp(double v) const { return std::clamp(v, std::min(lo, hi), std::max(lo, hi)); }
};

struct Extent {
    double lo = std::numeric_limits<double>::infinity(), hi = -std::numeric_limits<double>::infinity();
    void Take(double v, bool positiveOnly = false) {
        if (!std::isfinite(v) || (positiveOnly && v <= 0)) return;
        lo = std::min(lo, v), hi = std::max(hi, v);
    }
    bool Empty() const { return lo > hi; }
};

// The plotted range of an axis: as asked, or the data with a margin (none at a zero end
// of data that starts there, whole decades on a log axis).
void RangeOf(const AxisSpec& axis, Extent e, bool padEnds, double& lo, double& hi) {
    if (axis.min != axis.max) {
        lo = axis.min, hi = axis.max;
        if (axis.scale == AxisScale::Log && (lo <= 0 || hi <= 0)) lo = 1e-6, hi = 1;
        return;
    }
    if (e.Empty()) e.lo = axis.scale == AxisScale::Log ? 0.1 : 0, e.hi = 1;
    if (axis.scale == AxisScale::Log) {
        lo = std::pow(10.0, std::floor(std::log10(e.lo)));
        hi = std::pow(10.0, std::ceil(std::log10(e.hi)));
        if (hi <= lo) hi = lo * 10;
        return;
    }
    if (e.hi == e.lo) e.lo -= e.lo == 0 ? 1 : std::abs(e.lo) * 0.1, e.hi += e.hi == 0 ? 1 : std::abs(e.hi) * 0.1;
    const double m = padEnds ? 0.05 * (e.hi - e.lo) : 0;
    lo = e.lo == 0 ? 0 : e.lo - m;
    hi = e.hi == 0 ? 0 : e.hi + m;
}

Ticks TicksOf(const AxisSpec& axis, double lo, double hi) {
    Ticks t = axis.scale == AxisScale::Log ? LogTicks(std::min(lo, hi), std::max(lo, hi))
                                           : LinearTicks(std::min(lo, hi), std::max(lo, hi));
    if (axis.integers && axis.scale == AxisScale::Linear && t.step < 1) {
        // Step numbers: whole steps only, every one labelled.
        Ticks whole;
        whole.step = 1;
        for (double v = std::ceil(std::min(lo, hi)); v <= std::max(lo, hi) + 1e-9; ++v) {
            whole.major.push_back(v);
            whole.labels.push_back(TickLabel(v, 1));
        }
        return whole;
    }
    return t;
}

enum class Side { Bottom, Left, Right };

struct PanelLayout {
    const Panel* panel = nullptr;
    double L = 0, R = 0, T = 0, B = 0;
    Map X, Y, Y2;  // data x, data y and the right axis, onto the page
    Ticks xt, yt, y2t;
    bool xLabels = true;
    double legendAbove = 0;  // height of the legend rows above the panel (0: inside or none)
    double noteScale = 1;    // of the notes' font, below 1 in a crowded level diagram

    PointF At(double x, double y, bool right = false) const {
        const Map& ym = right ? Y2 : Y;
        return panel->horizontal ? PointF{X(x), ym(y)} : PointF{ym(y), X(x)};
    }
};

class Renderer {
public:
    Renderer(RecordingCanvas& cv, const Style& s) : cv_(cv), style_(s) {
        fs_ = std::max(1, s.fontPt) * kPt;
        // Page units first: a canvas measures text in them only once it knows it draws a page.
        cv_.SetUnitsPerInch(kUnitsPerInch);
        SetFont(false);
        th_ = cv_.TextHeight("0");
        gap_ = 0.4 * fs_;
        tick_ = 3 * kPt;
    }

    void Draw(const Figure& f);

private:
    void SetFont(bool bold, double scale = 1.0) {
        cv_.Font = FontSpec{};
        cv_.Font.name = style_.font;
        cv_.Font.size = static_cast<int>(std::lround(fs_ * scale));
        cv_.Font.bold = bold;
    }
    void SetPen(Color c, double widthPt, int style = psSolid) { cv_.Pen = PenSpec{c, WidthUnits(widthPt), style}; }
    double LabelWidth(const std::vector<std::string>& labels) {
        double w = 0;
        for (const auto& l : labels) w = std::max<double>(w, cv_.TextWidth(l));
        return w;
    }
    void Line(PointF a, PointF b) {
        const PointF pts[] = {a, b};
        cv_.Polyline(pts);
    }
    // A rotated axis title longer than `room` breaks after its slash: the quantity on one
    // line, the unit on the next.
    std::vector<std::string> TitleLines(const std::string& title, double room) {
        SetFont(false);
        const auto slash = title.find(" / ");
        if (slash == std::string::npos || cv_.TextWidth(title) <= room) return {title};
        return {title.substr(0, slash + 2), title.substr(slash + 3)};
    }
    void Axis(const PanelLayout& p, Side side, const Map& m, const AxisSpec& axis, const Ticks& t, bool labels);
    // Fewer labelled ticks on an axis whose labels would touch at the panel's final size:
    // a larger round step, else every second (third…) label left out.
    void Thin(Ticks& t, const Map& m, const AxisSpec& axis, bool across);
    void Series(const PanelLayout& p, const fig::Series& s);
    struct LegendFit {
        std::vector<const fig::Series*> items;
        std::vector<PointF> at;  // each entry's offset from the legend's top left corner
        int entries = 0;
        bool inside = false;
        double l = 0, t = 0, w = 0, h = 0;  // the box inside the panel (l and w also above it)
        double height = 0;                  // of the rows above the panel
    };
    // `above`: the rows above the panel, without trying its corners.
    LegendFit FitLegend(const PanelLayout& p, bool above = false);
    void Legend(const PanelLayout& p);
    void Levels(const PanelLayout& p);
    void Notes(const PanelLayout& p);

    RecordingCanvas& cv_;
    Style style_;
    double fs_ = 80, th_ = 94, gap_ = 32, tick_ = 30;
};

void Renderer::Axis(const PanelLayout& p, Side side, const Map& m, const AxisSpec& axis, const Ticks& t, bool labels) {
    if (axis.hidden) return;
    SetPen(kBlack, 0.5);
    SetFont(false);
    auto tickAt = [&](double v, double len) {
        const double q = m(v);
        if (side == Side::Bottom) Line({q, p.B}, {q, p.B + len});
        if (side == Side::Left) Line({p.L, q}, {p.L - len, q});
        if (side == Side::Right) Line({p.R, q}, {p.R + len, q});
    };
    for (double v : t.minor)
        if (m.Inside(v)) tickAt(v, tick_ / 2);
    for (size_t i = 0; i < t.major.size(); ++i) {
        if (!m.Inside(t.major[i])) continue;
        tickAt(t.major[i], tick_);
        if (!labels || t.labels[i].empty()) continue;
        const double q = m(t.major[i]);
        if (side == Side::Bottom) cv_.TextAt(q, p.B + tick_ + gap_ / 2, t.labels[i], {0.5, 0});
        if (side == Side::Left) cv_.TextAt(p.L - tick_ - gap_ / 2, q, t.labels[i], {1, 0.5});
        if (side == Side::Right) cv_.TextAt(p.R + tick_ + gap_ / 2, q, t.labels[i], {0, 0.5});
    }
    if (!labels || axis.title.empty()) return;
    const double w = LabelWidth(t.labels);
    if (side == Side::Bottom) {
        cv_.TextAt((p.L + p.R) / 2, p.B + tick_ + gap_ + th_, axis.title, {0.5, 0});
        return;
    }
    // Rotated titles: the line nearest the axis is the last one.
    const auto lines = TitleLines(axis.title, p.B - p.T);
    const double n = static_cast<double>(lines.size());
    for (size_t k = 0; k < lines.size(); ++k) {
        // Centred on the panel, but never running off the page.
        const double half = cv_.TextWidth(lines[k]) / 2.0, edge = gap_ / 2;
        const double mid = std::clamp((p.T + p.B) / 2, edge + half, std::max(edge + half, cv_.Height() - edge - half));
        // Reading upwards, a text's top faces left: the first line is the leftmost.
        if (side == Side::Left)
            cv_.TextAt(p.L - tick_ - gap_ - w - gap_ / 2 - (n - 1 - static_cast<double>(k)) * th_, mid, lines[k], {0.5, 1, 90});
        if (side == Side::Right)
            cv_.TextAt(p.R + tick_ + gap_ + w + gap_ / 2 + static_cast<double>(k) * th_, mid, lines[k], {0.5, 0, 90});
    }
}

void Renderer::Thin(Ticks& t, const Map& m, const AxisSpec& axis, bool across) {
    // `across`: labels side by side along a bottom axis; else stacked along an upright one.
    auto crowded = [&](const Ticks& k) {
        std::optional<double> last;
        double lastSize = 0;
        for (size_t i = 0; i < k.major.size(); ++i) {
            if (!m.Inside(k.major[i]) || k.labels[i].empty()) continue;
            const double at = m(k.major[i]), size = across ? cv_.TextWidth(k.labels[i]) + gap_ : th_ * 1.05;
            if (last && std::abs(at - *last) < (size + lastSize) / 2) return true;
            last = at, lastSize = size;
        }
        return false;
    };
    SetFont(false);
    if (!crowded(t)) return;
    if (axis.scale == AxisScale::Linear)
        for (int want = 3; want >= 2 && crowded(t); --want) {
            Ticks fewer = LinearTicks(std::min(m.lo, m.hi), std::max(m.lo, m.hi), want);
            if (fewer.step > t.step) t = std::move(fewer);
        }
    for (size_t stride = 2; crowded(t) && stride < t.labels.size(); ++stride) {
        Ticks every = t;
        for (size_t i = 0; i < every.labels.size(); ++i)
            if (i % stride != 0) every.labels[i].clear();
        if (!crowded(every)) t = std::move(every);
    }
}

void Renderer::Series(const PanelLayout& p, const fig::Series& s) {
    if (!s.drawn) return;
    const Map& ym = s.rightAxis ? p.Y2 : p.Y;
    const size_t n = std::min(s.x.size(), s.y.size());
    SetPen(s.color, s.widthPt, s.style);
    if (s.kind == SeriesKind::Sticks) {
        for (size_t i = 0; i < n; ++i)
            if (p.X.Inside(s.x[i]) && std::isfinite(s.y[i]))
                Line(p.At(s.x[i], ym.Clamp(0), s.rightAxis), p.At(s.x[i], ym.Clamp(s.y[i]), s.rightAxis));
        return;
    }
    std::vector<PointF> pts;
    pts.reserve(n + 2);
    for (size_t i = 0; i < n; ++i)
        if (p.X.Inside(s.x[i]) && std::isfinite(s.y[i])) pts.push_back(p.At(s.x[i], ym.Clamp(s.y[i]), s.rightAxis));
    if (pts.size() < 2) return;
    if (s.kind == SeriesKind::Line) {
        cv_.Polyline(pts);
        return;
    }
    // The area down to zero: the curve, then back along the base line.
    double first = std::nan(""), last = first;
    for (size_t i = 0; i < n; ++i)
        if (p.X.Inside(s.x[i]) && std::isfinite(s.y[i])) {
            if (std::isnan(first)) first = s.x[i];
            last = s.x[i];
        }
    pts.push_back(p.At(last, ym.Clamp(0), s.rightAxis));
    pts.push_back(p.At(first, ym.Clamp(0), s.rightAxis));
    cv_.Brush = BrushSpec{s.color, BrushStyle::Solid};
    cv_.Polygon(pts);
}

// Entries of a legend placed in a grid of `cols` columns, row by row: each entry's offset
// from the legend's corner, and the size of the whole.
struct LegendGrid {
    std::vector<PointF> at;
    double w = 0;
    int rows = 0;
};
LegendGrid GridOf(const std::vector<double>& widths, int cols, double row) {
    LegendGrid g;
    std::vector<double> colW(static_cast<size_t>(cols), 0.0);
    for (size_t i = 0; i < widths.size(); ++i) colW[i % colW.size()] = std::max(colW[i % colW.size()], widths[i]);
    for (size_t i = 0; i < widths.size(); ++i) {
        double x = 0;
        for (size_t c = 0; c < i % colW.size(); ++c) x += colW[c];
        g.at.push_back({x, row * static_cast<double>(i / colW.size())});
    }
    for (double w : colW) g.w += w;
    g.rows = static_cast<int>((widths.size() + colW.size() - 1) / colW.size());
    return g;
}
// The same entries flowing left to right, a new row when the next one does not fit.
LegendGrid FlowOf(const std::vector<double>& widths, double room, double row) {
    LegendGrid g;
    double x = 0;
    g.rows = 1;
    for (double w : widths) {
        if (x > 0 && x + w > room) ++g.rows, x = 0;
        g.at.push_back({x, row * (g.rows - 1)});
        x += w;
        g.w = std::max(g.w, x);
    }
    return g;
}

// Where a panel's legend goes: inside, in the upper corner (right, else left) where it hides
// no data, as one column or, when that hides data, as a wider box of fewer rows; else in
// as few rows as will do above the panel.
Renderer::LegendFit Renderer::FitLegend(const PanelLayout& p, bool above) {
    LegendFit fit;
    for (const auto& s : p.panel->series)
        if (!s.name.empty() && s.drawn) fit.items.push_back(&s);
    fit.entries = static_cast<int>(fit.items.size());
    if (fit.items.empty()) return fit;
    SetFont(false);
    const double sample = 12 * kPt, row = th_ * 1.05, inset = 3 * kPt;
    std::vector<double> widths;
    for (auto* e : fit.items) widths.push_back(sample + gap_ + cv_.TextWidth(e->name) + 2 * gap_);
    // Data hidden by a box: points of the curves and of their segments, sticks, marker lines.
    std::vector<PointF> pts;
    auto take = [&](PointF a, PointF b) {
        for (int k = 0; k <= 8; ++k) pts.push_back({a.x + (b.x - a.x) * k / 8, a.y + (b.y - a.y) * k / 8});
    };
    for (const auto& s : p.panel->series) {
        if (!s.drawn || s.kind == SeriesKind::Area) continue;
        const Map& ym = s.rightAxis ? p.Y2 : p.Y;
        std::optional<PointF> last;
        for (size_t i = 0; i < std::min(s.x.size(), s.y.size()); ++i) {
            if (!p.X.Inside(s.x[i]) || !std::isfinite(s.y[i])) continue;
            const PointF q = p.At(s.x[i], ym.Clamp(s.y[i]), s.rightAxis);
            if (s.kind == SeriesKind::Sticks)
                take(p.At(s.x[i], ym.Clamp(0), s.rightAxis), q);
            else if (last)
                take(*last, q);
            last = q;
        }
    }
    for (const auto& m : p.panel->markers) {
        const Map& ym = m.rightAxis ? p.Y2 : p.Y;
        if (m.vertical && p.X.Inside(m.value)) take(p.At(m.value, ym.lo, m.rightAxis), p.At(m.value, ym.hi, m.rightAxis));
        if (!m.vertical && ym.Inside(m.value)) take(p.At(p.X.lo, m.value, m.rightAxis), p.At(p.X.hi, m.value, m.rightAxis));
    }
    auto hides = [&](double l, double t) {
        for (const auto& q : pts)
            if (q.x >= l && q.x <= l + fit.w && q.y >= t && q.y <= t + fit.h) return true;
        return false;
    };
    fit.t = p.T + inset;
    for (int cols = 1; cols <= fit.entries && !above; ++cols) {
        LegendGrid g = GridOf(widths, cols, row);
        fit.w = g.w - gap_, fit.h = row * g.rows + gap_;
        if (fit.w > p.R - p.L - 2 * inset) break;
        for (double l : {p.R - inset - fit.w, p.L + inset})
            if (!hides(l, fit.t)) {
                fit.inside = true, fit.l = l, fit.at = std::move(g.at);
                return fit;
            }
    }
    // Rows above the panel: the grid of the most columns that fits its width, or entries
    // flowing along the rows when that takes fewer.
    const double room = p.R - p.L;
    LegendGrid best = GridOf(widths, 1, row);
    for (int cols = 2; cols <= fit.entries; ++cols) {
        LegendGrid g = GridOf(widths, cols, row);
        if (g.w > room) break;
        best = std::move(g);
    }
    LegendGrid flow = FlowOf(widths, room, row);
    if (flow.rows < best.rows) best = std::move(flow);
    fit.w = best.w, fit.at = std::move(best.at);
    fit.height = best.rows * row + gap_;
    // Starting at the panel's left edge, or further left for a legend wider than the panel.
    fit.l = std::max(std::min(p.L, cv_.Width() - 0.5 * fs_ - fit.w), 0.5 * fs_);
    return fit;
}

void Renderer::Legend(const PanelLayout& p) {
    const LegendFit fit = FitLegend(p, p.legendAbove > 0);
    if (fit.items.empty()) return;
    const double sample = 12 * kPt, row = th_ * 1.05;
    if (fit.inside) {
        const PointF box[] = {{fit.l, fit.t}, {fit.l + fit.w, fit.t}, {fit.l + fit.w, fit.t + fit.h}, {fit.l, fit.t + fit.h}};
        cv_.Brush = BrushSpec{kWhite, BrushStyle::Solid};
        cv_.Polygon(box);
    }
    const double top = fit.inside ? fit.t + gap_ / 2 : p.T - p.legendAbove;
    for (size_t i = 0; i < fit.items.size(); ++i) {
        const auto& e = *fit.items[i];
        const double x = fit.l + fit.at[i].x, y = top + fit.at[i].y + row / 2;
        if (e.kind == SeriesKind::Area) {
            const PointF sq[] = {{x + gap_, y - th_ / 3}, {x + sample, y - th_ / 3}, {x + sample, y + th_ / 3}, {x + gap_, y + th_ / 3}};
            cv_.Brush = BrushSpec{e.color, BrushStyle::Solid};
            cv_.Polygon(sq);
        } else if (e.kind == SeriesKind::Sticks) {
            SetPen(e.color, e.widthPt, e.style);
            Line({x + (gap_ + sample) / 2, y + th_ / 3}, {x + (gap_ + sample) / 2, y - th_ / 3});
        } else {
            SetPen(e.color, e.widthPt, e.style);
            Line({x + gap_, y}, {x + sample, y});
        }
        SetFont(false);
        cv_.TextAt(x + sample + gap_, y, e.name, {0, 0.5});
    }
}

void Renderer::Levels(const PanelLayout& p) {
    std::map<std::pair<double, double>, std::vector<const Level*>> columns;
    for (const auto& l : p.panel->levels)
        if (p.Y.Inside(l.y)) columns[{l.x1, l.x2}].push_back(&l);
    for (auto& [span, levels] : columns) {
        std::stable_sort(levels.begin(), levels.end(), [](const Level* a, const Level* b) { return a->y < b->y; });
        const PointF a = p.At(span.first, p.Y.lo), b = p.At(span.second, p.Y.lo);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        // Runs of levels each within a line's width of the one before share the column.
        for (size_t first = 0, i = 1; i <= levels.size(); ++i) {
            if (i < levels.size() && std::abs(p.Y(levels[i]->y) - p.Y(levels[i - 1]->y)) <
                                         ((levels[i]->widthPt + levels[i - 1]->widthPt) / 2 + 1.0) * kPt)
                continue;
            const double n = static_cast<double>(i - first);
            // Pieces of equal length with a gap of 1.5 pt (less in a narrow column) between.
            const double gap = length > 0 ? std::min(1.5 * kPt, 0.3 * length / n) / length : 0;
            const double piece = (1 - (n - 1) * gap) / n;
            for (size_t k = first; k < i; ++k) {
                const double t0 = static_cast<double>(k - first) * (piece + gap), t1 = t0 + piece;
                const Level& l = *levels[k];
                SetPen(l.color, l.widthPt);
                Line(p.At(span.first + (span.second - span.first) * t0, l.y),
                     p.At(span.first + (span.second - span.first) * t1, l.y));
            }
            first = i;
        }
    }
}

// Labels beside points, moved apart within their group (same x, same side): a forward pass
// pushes each below the one before, a backward pass pulls the group inside the panel.
void Renderer::Notes(const PanelLayout& p) {
    std::map<std::pair<double, bool>, std::vector<const Note*>> groups;
    for (const auto& n : p.panel->notes) groups[{n.x, n.left}].push_back(&n);
    SetFont(false, p.noteScale);
    const double h = cv_.TextHeight("0") * 1.02, lead = kNoteLead;
    for (auto& [key, notes] : groups) {
        std::vector<std::pair<double, const Note*>> placed;
        for (auto* n : notes) placed.push_back({p.At(n->x, p.Y.Clamp(n->y)).y, n});
        std::stable_sort(placed.begin(), placed.end(), [](auto& a, auto& b) { return a.first < b.first; });
        std::vector<double> at;
        for (auto& [want, n] : placed) at.push_back(want);
        for (size_t i = 1; i < at.size(); ++i) at[i] = std::max(at[i], at[i - 1] + h);
        if (!at.empty()) at.back() = std::min(at.back(), p.B - h / 2);
        for (size_t i = at.size(); i-- > 1;) at[i - 1] = std::min(at[i - 1], at[i] - h);
        if (!at.empty() && at.front() < p.T + h / 2) {
            at.front() = p.T + h / 2;
            for (size_t i = 1; i < at.size(); ++i) at[i] = std::max(at[i], at[i - 1] + h);
        }
        for (size_t i = 0; i < placed.size(); ++i) {
            const Note& n = *placed[i].second;
            const double x0 = p.At(n.x, 0).x, dir = n.left ? -1 : 1;
            SetPen(n.color, 0.4);
            if (std::abs(at[i] - placed[i].first) > 0.5 * kPt)
                Line({x0 + dir * 1 * kPt, placed[i].first}, {x0 + dir * (lead - 1 * kPt), at[i]});
            cv_.Font.color = n.color;
            cv_.TextAt(x0 + dir * lead, at[i], n.text, {n.left ? 1.0 : 0.0, 0.5});
            cv_.Font.color = kBlack;
        }
    }
}

void Renderer::Draw(const Figure& f) {
    const double W = style_.widthCm / kCmPerInch * kUnitsPerInch, H = style_.heightCm / kCmPerInch * kUnitsPerInch;
    cv_.Clear();
    cv_.SetUnitsPerInch(kUnitsPerInch);
    cv_.SetSize(static_cast<int>(std::lround(W)), static_cast<int>(std::lround(H)));
    const double pad = 0.5 * fs_;
    double top = pad;
    if (!f.title.empty()) {
        SetFont(true, 1.125);
        cv_.TextAt(W / 2, pad, f.title, {0.5, 0});
        top += cv_.TextHeight(f.title) + gap_;
        SetFont(false);
    }

    // Ranges and ticks first: the margins follow from the widest tick labels.
    std::vector<PanelLayout> lay(f.panels.size());
    double left = 0, right = 0, weights = 0;
    for (size_t k = 0; k < f.panels.size(); ++k) {
        const Panel& pn = f.panels[k];
        PanelLayout& p = lay[k];
        p.panel = &pn;
        p.xLabels = !f.sharedX || k + 1 == f.panels.size();
        Extent ex, ey, ey2;
        bool zeroY = false, zeroY2 = false;
        for (const auto& s : pn.series) {
            if (!s.drawn) continue;
            for (double v : s.x) ex.Take(v, pn.x.scale == AxisScale::Log);
            Extent& e = s.rightAxis ? ey2 : ey;
            for (double v : s.y) e.Take(v, (s.rightAxis ? pn.y2 : pn.y).scale == AxisScale::Log);
            if (s.kind != SeriesKind::Line) (s.rightAxis ? zeroY2 : zeroY) = true;
        }
        for (const auto& m : pn.markers) (m.vertical ? ex : m.rightAxis ? ey2 : ey).Take(m.value);
        for (const auto& s : pn.segments) ex.Take(s.x1), ex.Take(s.x2), ey.Take(s.y1), ey.Take(s.y2);
        for (const auto& l : pn.levels) ex.Take(l.x1), ex.Take(l.x2), ey.Take(l.y);
        for (const auto& n : pn.notes) ex.Take(n.x), ey.Take(n.y);
        for (const auto& c : pn.columns) ex.Take(c.x);
        if (zeroY && pn.y.scale == AxisScale::Linear) ey.Take(0);
        if (zeroY2) ey2.Take(0);
        RangeOf(pn.x, ex, false, p.X.lo, p.X.hi);
        RangeOf(pn.y, ey, true, p.Y.lo, p.Y.hi);
        RangeOf(pn.y2, ey2, true, p.Y2.lo, p.Y2.hi);
        p.X.log = pn.x.scale == AxisScale::Log, p.Y.log = pn.y.scale == AxisScale::Log;
        p.Y2.log = pn.y2.scale == AxisScale::Log;
        p.xt = TicksOf(pn.x, p.X.lo, p.X.hi);
        p.yt = TicksOf(pn.y, p.Y.lo, p.Y.hi);
        if (pn.hasY2) p.y2t = TicksOf(pn.y2, p.Y2.lo, p.Y2.hi);
        // The axis drawn on the left is the data y of a horizontal panel, x of a vertical one.
        const AxisSpec& leftAxis = pn.horizontal ? pn.y : pn.x;
        const Ticks& leftTicks = pn.horizontal ? p.yt : p.xt;
        if (!leftAxis.hidden)
            left = std::max(left, pad + th_ + gap_ + LabelWidth(leftTicks.labels) + gap_ / 2 + tick_);
        else
            left = std::max(left, pad + 2 * kPt);
        const Ticks& bottomTicks = pn.horizontal ? p.xt : p.yt;
        double r = pad + (bottomTicks.labels.empty() ? 0 : cv_.TextWidth(bottomTicks.labels.back()) / 2.0);
        if (pn.hasY2) r = pad + th_ + gap_ + LabelWidth(p.y2t.labels) + gap_ / 2 + tick_;
        right = std::max(right, r);
        weights += std::max(pn.weight, 0.01);
    }
    left = std::max(left, pad);
    const double xBlock = tick_ + gap_ / 2 + th_ + gap_ / 2 + th_ + pad;
    // Room under a panel: its x labels and title, its column names, or at a joint of panels
    // sharing x the height of a tick label (so labels of the two never touch).
    auto below = [&](const PanelLayout& p) {
        if (!p.xLabels) return th_ * 1.3;
        return p.panel->columns.empty() ? xBlock : tick_ + th_ + pad;
    };
    auto place = [&] {
        double blocks = 0;
        for (const auto& p : lay) blocks += below(p) + p.legendAbove;
        const double plotH = std::max(H - top - blocks, 10.0 * kPt);
        double y = top;
        for (auto& p : lay) {
            const Panel& pn = *p.panel;
            p.L = left, p.R = W - right, p.T = y + p.legendAbove;
            p.B = p.T + plotH * std::max(pn.weight, 0.01) / weights;
            y = p.B + below(p);
            if (pn.horizontal) {
                p.X.p0 = pn.x.reversed ? p.R : p.L, p.X.p1 = pn.x.reversed ? p.L : p.R;
                p.Y.p0 = pn.y.reversed ? p.T : p.B, p.Y.p1 = pn.y.reversed ? p.B : p.T;
            } else {
                p.X.p0 = pn.x.reversed ? p.T : p.B, p.X.p1 = pn.x.reversed ? p.B : p.T;
                p.Y.p0 = p.L, p.Y.p1 = p.R;
            }
            p.Y2.p0 = pn.y2.reversed ? p.T : p.B, p.Y2.p1 = pn.y2.reversed ? p.B : p.T;
        }
    };
    place();
    // A legend that would hide data in its panel's upper corners goes above the panel
    // instead, and a rotated axis title longer than its panel is high takes two lines (and
    // its margin the room for them). Either makes panels smaller, so all are tried again;
    // each change is made once at most, which ends the loop.
    bool wrapLeft = false, wrapRight = false;
    for (bool changed = true; changed;) {
        changed = false;
        for (auto& p : lay) {
            const Panel& pn = *p.panel;
            const AxisSpec& leftAxis = pn.horizontal ? pn.y : pn.x;
            if (!wrapLeft && !leftAxis.hidden && TitleLines(leftAxis.title, p.B - p.T).size() > 1)
                wrapLeft = changed = true, left += th_;
            if (!wrapRight && pn.hasY2 && !pn.y2.hidden && TitleLines(pn.y2.title, p.B - p.T).size() > 1)
                wrapRight = changed = true, right += th_;
            if (p.legendAbove > 0) continue;
            const LegendFit fit = FitLegend(p);
            if (fit.entries > 0 && !fit.inside) p.legendAbove = fit.height, changed = true;
        }
        if (changed) place();
    }
    // A level diagram (its x axis hidden) keeps the labels to the right of its columns
    // clear of the next column and inside the panel: its x range widens on the right, and
    // where that leaves too little room between columns the labels get a smaller font.
    for (auto& p : lay) {
        const Panel& pn = *p.panel;
        if (!pn.horizontal || !pn.x.hidden || !(p.X.hi > p.X.lo)) continue;
        SetFont(false);
        double widest = 0, rightmost = p.X.lo, apart = std::numeric_limits<double>::infinity();
        for (const auto& n : pn.notes) {
            if (n.left) continue;
            widest = std::max<double>(widest, cv_.TextWidth(n.text));
            rightmost = std::max(rightmost, n.x);
            for (const auto& l : pn.levels)
                if (l.x1 > n.x) apart = std::min(apart, l.x1 - n.x);
        }
        if (widest == 0) continue;
        const double span = p.R - p.L, a = span - kNoteLead - gap_ / 2, b = kNoteLead + gap_;
        const double toNext = (apart * span / (p.X.hi - p.X.lo) - b) / widest;
        const double toEdge = (p.R - p.X(rightmost) - kNoteLead - gap_ / 2) / widest;
        if (toEdge < 1) {
            // Both at once: apart × span / range ≥ b + w and the labels of the rightmost column
            // ending at the panel's edge, for a label width w no larger than needed.
            const double d = apart / (rightmost - p.X.lo);
            p.noteScale = std::isfinite(d) ? std::clamp((d * a - b) / (widest * (1 + d)), 0.6, 1.0) : 1.0;
            if (a > widest * p.noteScale) p.X.hi = p.X.lo + (rightmost - p.X.lo) * span / (a - widest * p.noteScale);
        } else {
            p.noteScale = std::clamp(toNext, 0.6, 1.0);
        }
    }
    for (auto& p : lay) {
        const Panel& pn = *p.panel;
        Thin(p.xt, p.X, pn.x, pn.horizontal);
        Thin(p.yt, p.Y, pn.y, !pn.horizontal);
        if (pn.hasY2) Thin(p.y2t, p.Y2, pn.y2, false);
    }

    for (auto& p : lay) {
        const Panel& pn = *p.panel;
        for (const auto& s : pn.series)
            if (s.kind == SeriesKind::Area) Series(p, s);
        for (const auto& m : pn.markers) {
            SetPen(m.color, m.widthPt, m.style);
            const Map& ym = m.rightAxis ? p.Y2 : p.Y;
            // A marker at an x value crosses the panel along y, and the other way round.
            PointF a, b;
            if (m.vertical) {
                if (!p.X.Inside(m.value)) continue;
                a = p.At(m.value, ym.lo, m.rightAxis), b = p.At(m.value, ym.hi, m.rightAxis);
            } else {
                if (!ym.Inside(m.value)) continue;
                a = p.At(p.X.lo, m.value, m.rightAxis), b = p.At(p.X.hi, m.value, m.rightAxis);
            }
            Line(a, b);
            if (m.label.empty()) continue;
            SetFont(false);
            cv_.Font.color = m.color;
            const PointF end = a.y < b.y ? a : b.x > a.x ? b : a;  // the top, else the right end
            if (std::abs(a.x - b.x) < 0.5 && end.x + gap_ / 2 + cv_.TextWidth(m.label) <= p.R)
                cv_.TextAt(end.x + gap_ / 2, p.T + gap_ / 2, m.label, {0, 0});  // beside an upright line's top
            else if (std::abs(a.x - b.x) < 0.5)  // at the panel's right edge: to the left of it
                cv_.TextAt(end.x - gap_ / 2, p.T + gap_ / 2, m.label, {1, 0});
            else if (end.y - gap_ / 4 - th_ >= p.T)  // above the line, or below it at the panel's top
                cv_.TextAt(p.R - gap_ / 2, end.y - gap_ / 4, m.label, {1, 1});
            else
                cv_.TextAt(p.R - gap_ / 2, end.y + gap_ / 4, m.label, {1, 0});
            cv_.Font.color = kBlack;
        }
        for (const auto& s : pn.series)
            if (s.kind != SeriesKind::Area) Series(p, s);
        for (const auto& s : pn.segments) {
            SetPen(s.color, s.widthPt, s.style);
            Line(p.At(s.x1, s.y1), p.At(s.x2, s.y2));
        }
        Levels(p);
        Notes(p);

        // Frame, then the axes on top of the data.
        SetPen(kBlack, 0.5);
        const AxisSpec& bottomAxis = pn.horizontal ? pn.x : pn.y;
        const AxisSpec& leftAxis = pn.horizontal ? pn.y : pn.x;
        if (bottomAxis.hidden) {
            Line({p.L, p.T}, {p.L, p.B});
        } else {
            const PointF frame[] = {{p.L, p.T}, {p.R, p.T}, {p.R, p.B}, {p.L, p.B}, {p.L, p.T}};
            cv_.Polyline(frame);
        }
        Axis(p, Side::Bottom, pn.horizontal ? p.X : p.Y, bottomAxis, pn.horizontal ? p.xt : p.yt, p.xLabels);
        Axis(p, Side::Left, pn.horizontal ? p.Y : p.X, leftAxis, pn.horizontal ? p.yt : p.xt, true);
        if (pn.hasY2) Axis(p, Side::Right, p.Y2, pn.y2, p.y2t, true);
        SetFont(false);
        for (const auto& c : pn.columns) cv_.TextAt(p.X(c.x), p.B + gap_, c.text, {0.5, 0});
        Legend(p);
    }
}

}  // namespace

Color PaletteColor(int i) {
    static constexpr Color colors[] = {Rgb(0x000000), Rgb(0x0072B2), Rgb(0xD55E00), Rgb(0x009E73),
                                       Rgb(0xCC79A7), Rgb(0xE69F00), Rgb(0x56B4E9), Rgb(0xF0E442)};
    constexpr int n = sizeof colors / sizeof colors[0];
    return colors[((i % n) + n) % n];
}

std::string Quantity(const std::string& symbol, const std::string& unit) {
    std::string s = std::string(1, kItalicToggle) + symbol + kItalicToggle;
    return unit.empty() ? s : s + " / " + unit;
}

std::string TickLabel(double value, double step) {
    if (!std::isfinite(value)) return "";
    if (std::abs(value) < std::abs(step) * 1e-6) value = 0;  // no "−0.0"
    int decimals = step > 0 ? static_cast<int>(std::max(0.0, -std::floor(std::log10(step) + 1e-9))) : 0;
    decimals = std::min(decimals, 15);
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, std::abs(value), std::chars_format::fixed, decimals);
    std::string text(buf, r.ptr);
    return value < 0 ? "\u2212" + text : text;
}

Ticks LinearTicks(double lo, double hi, int minLabels) {
    Ticks t;
    if (!std::isfinite(lo) || !std::isfinite(hi)) return t;
    if (hi < lo) std::swap(lo, hi);
    const double span = hi > lo ? hi - lo : std::max(std::abs(lo), 1.0);
    if (hi == lo) lo -= span / 2, hi += span / 2;
    const int top = static_cast<int>(std::floor(std::log10(span)));
    static constexpr double mantissas[] = {5, 2, 1};
    int mant = 1;
    for (int e = top; e > top - 4 && t.step == 0; --e)
        for (double m : mantissas) {
            const double step = m * std::pow(10.0, e);
            if (std::floor(hi / step + 1e-9) - std::ceil(lo / step - 1e-9) + 1 >= minLabels) {
                t.step = step, mant = static_cast<int>(m);
                break;
            }
        }
    if (t.step == 0) return t;
    const double minor = t.step / (mant == 2 ? 4 : 5);
    const long long first = static_cast<long long>(std::ceil(lo / t.step - 1e-9));
    const long long last = static_cast<long long>(std::floor(hi / t.step + 1e-9));
    for (long long i = first; i <= last; ++i) {
        // Multiples of the step, so 0.1 × 3 is not 0.30000000000000004.
        const double v = static_cast<double>(i) * t.step;
        t.major.push_back(v);
        t.labels.push_back(TickLabel(v, t.step));
    }
    const long long mfirst = static_cast<long long>(std::ceil(lo / minor - 1e-9));
    const long long mlast = static_cast<long long>(std::floor(hi / minor + 1e-9));
    const int per = static_cast<int>(std::lround(t.step / minor));
    for (long long i = mfirst; i <= mlast; ++i)
        if (i % per != 0) t.minor.push_back(static_cast<double>(i) * minor);
    return t;
}

Ticks LogTicks(double lo, double hi) {
    Ticks t;
    if (!(lo > 0) || !(hi > 0) || !std::isfinite(lo) || !std::isfinite(hi)) return t;
    if (hi < lo) std::swap(lo, hi);
    const int a = static_cast<int>(std::ceil(std::log10(lo) - 1e-9)), b = static_cast<int>(std::floor(std::log10(hi) + 1e-9));
    t.step = 10;
    for (int e = a - 1; e <= b; ++e) {
        const double d = std::pow(10.0, e);
        if (e >= a) t.major.push_back(d), t.labels.push_back(PowerOfTen(e));
        for (int m = 2; m <= 9; ++m)
            if (m * d >= lo * (1 - 1e-9) && m * d <= hi * (1 + 1e-9)) t.minor.push_back(m * d);
    }
    return t;
}

std::string CsvNumber(double v) {
    if (!std::isfinite(v)) return "";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

int Style::PixelWidth() const { return static_cast<int>(std::lround(widthCm / kCmPerInch * dpi)); }
int Style::PixelHeight() const { return static_cast<int>(std::lround(heightCm / kCmPerInch * dpi)); }

void Render(RecordingCanvas& cv, const Figure& figure, const Style& style) { Renderer(cv, style).Draw(figure); }

std::string CsvText(const Figure& figure) {
    std::vector<const Series*> cols;
    for (const auto& p : figure.panels)
        for (const auto& s : p.series)
            if (!s.column.empty()) cols.push_back(&s);
    auto quoted = [](const std::string& h) {
        if (h.find_first_of(",\"") == std::string::npos) return h;
        std::string q = "\"";
        for (char c : h) q += c == '"' ? std::string("\"\"") : std::string(1, c);
        return q + "\"";
    };
    std::map<double, std::vector<std::string>> rows;
    for (size_t c = 0; c < cols.size(); ++c)
        for (size_t i = 0; i < std::min(cols[c]->x.size(), cols[c]->y.size()); ++i) {
            if (!std::isfinite(cols[c]->x[i])) continue;
            auto& row = rows[cols[c]->x[i]];
            row.resize(cols.size());
            row[c] = CsvNumber(cols[c]->y[i]);
        }
    std::string out = quoted(figure.csvX);
    for (auto* s : cols) out += "," + quoted(s->column);
    out += "\r\n";
    for (auto& [x, row] : rows) {
        out += CsvNumber(x);
        row.resize(cols.size());
        for (const auto& cell : row) out += "," + cell;
        out += "\r\n";
    }
    return out;
}

void WriteCsv(const Figure& figure, const std::filesystem::path& path) { core::WriteFileAtomically(path, CsvText(figure)); }

bool ParseFigureSize(const std::string& text, double& widthCm, double& heightCm) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    double w = 0, h = 0;
    if (!core::TryParseDouble(text.substr(0, x), w) || !core::TryParseDouble(text.substr(x + 1), h)) return false;
    if (!(w > 0.5 && h > 0.5 && w <= 100 && h <= 100)) return false;
    widthCm = w, heightCm = h;
    return true;
}

}  // namespace ui::fig

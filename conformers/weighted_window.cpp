#include "conformers/weighted_window.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/application.h"
#include "app/figure_export.h"
#include "conformers/weighted_figure.h"
#include "conformers/weights.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "spectrum/window_inputs.h"

namespace mavrolin {

namespace {

constexpr double kScreenDpi = 96;

// Draws a figure, rendered in page units, onto a paint box in pixels: positions scaled,
// fonts kept in points, line widths at least one pixel.
void DrawOnPaintBox(ui::PaintBox& box, const ui::fig::Figure& figure) {
    ui::fig::Style style;
    style.widthCm = std::max(box.Width(), 50) / kScreenDpi * ui::fig::kCmPerInch;
    style.heightCm = std::max(box.Height(), 50) / kScreenDpi * ui::fig::kCmPerInch;
    style.fontPt = 9;
    ui::RecordingCanvas page;
    ui::fig::Render(page, figure, style);
    const double k = kScreenDpi / ui::fig::kUnitsPerInch;
    auto& cv = box.Canvas();
    cv.Clear();
    cv.Brush = {ui::kWhite, ui::BrushStyle::Solid};
    cv.FillRect(0, 0, box.Width(), box.Height());
    auto px = [k](double v) { return static_cast<int>(std::lround(v * k)); };
    for (const auto& op : page.Ops()) {
        cv.Pen = op.pen;
        cv.Pen.width = std::max(1, px(op.pen.width));
        cv.Brush = op.brush;
        cv.Font = op.font;
        cv.Font.size = std::max(1, static_cast<int>(std::lround(op.font.size / ui::fig::kUnitsPerPoint)));
        std::vector<ui::PointF> pts;
        for (const auto& p : op.points) pts.push_back({p.x * k, p.y * k});
        switch (op.kind) {
            case ui::DrawOp::Line:
                cv.MoveTo(px(op.x1), px(op.y1));
                cv.LineTo(px(op.x2), px(op.y2));
                break;
            case ui::DrawOp::Rect: cv.Rectangle(px(op.x1), px(op.y1), px(op.x2), px(op.y2)); break;
            case ui::DrawOp::Fill: cv.FillRect(px(op.x1), px(op.y1), px(op.x2), px(op.y2)); break;
            case ui::DrawOp::Ellipse: cv.Ellipse(px(op.x1), px(op.y1), px(op.x2), px(op.y2)); break;
            case ui::DrawOp::Text: cv.TextOut(px(op.x1), px(op.y1), op.text); break;
            case ui::DrawOp::Polyline: cv.Polyline(pts); break;
            case ui::DrawOp::Polygon: cv.Polygon(pts); break;
            case ui::DrawOp::TextAt: cv.TextAt(pts[0].x, pts[0].y, op.text, op.anchor); break;
        }
    }
}

std::string Folder(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

}  // namespace

WeightedSpectrumWindow::WeightedSpectrumWindow(Application& app)
    : ui::Form("WeightedSpectrumWindow", "Weighted Spectrum"), PaintBox1(this, "PaintBox1"), app_(app) {
    SetBounds(120, 100, 820, 600);
    Status.SetVisible(true);
    Menu.Add(File1);
    for (auto* item : {&Overlay1, &RemoveOverlay1}) File1.Add(*item);
    File1.AddSeparator();
    for (auto* item : {&SaveFigure1, &SaveFigureData1}) File1.Add(*item);
    File1.AddSeparator();
    File1.Add(Exit1);
    Menu.Add(View1);
    View1.Add(Components1);
    Components1.SetChecked(true);
    Overlay1.OnClick = [this] { Overlay1Click(); };
    RemoveOverlay1.OnClick = [this] {
        overlay_.reset();
        Draw();
    };
    Exit1.OnClick = [this] { Hide(); };
    Components1.OnClick = [this] {
        Components1.SetChecked(!Components1.Checked());
        Draw();
    };
    ConnectFigureItems(app_, SaveFigure1, SaveFigureData1,
                       {[this] { return std::string("weighted_") + (kind_ ? kind_->name : std::string("spectrum")); },
                        {},
                        [this](const std::vector<std::string>&) { return Figure(); }});
    OnResize = [this] {
        PaintBox1.SetBounds(0, 0, ClientWidth(), ClientHeight());
        Draw();
    };
    OnResize();
}

std::optional<ui::fig::Figure> WeightedSpectrumWindow::Figure() const {
    if (!kind_ || curve_.x.empty()) return std::nullopt;
    conformers::WeightedFigureOptions o;
    o.components = Components1.Checked();
    return conformers::WeightedFigure(curve_, *kind_, o, overlay_ ? &*overlay_ : nullptr);
}

void WeightedSpectrumWindow::Draw() {
    auto figure = Figure();
    if (!figure || PaintBox1.Width() <= 0 || PaintBox1.Height() <= 0) return;
    DrawOnPaintBox(PaintBox1, *figure);
    Refresh();
}

void WeightedSpectrumWindow::ShowWeighted(const conformers::SpectrumKind& kind, const std::vector<std::string>& logs,
                                          const std::vector<double>& weights) {
    const auto w = conformers::Normalise(weights);
    const auto conformers = conformers::LoadConformers(kind, logs, w.w);
    if (!w.warning.empty()) app_.ShowWarningPos(w.warning);
    const auto range = conformers::Union(conformers);
    curve_ = conformers::Combine(conformers, conformers::Grid(range, kind.points(range)));
    kind_ = kind;
    std::string text = "Weighted " + kind.name + ":";
    for (size_t i = 0; i < curve_.names.size(); ++i)
        text += " " + curve_.names[i] + " " + core::FloatText(std::round(curve_.weights[i] * 1000) / 1000) +
                (i + 1 < curve_.names.size() ? "," : "");
    Status.SetText(text);
    Show();
    BringToFront();
    Draw();
}

void WeightedSpectrumWindow::ChooseAndShow(const std::vector<thermo::Row>& rows) {
    if (rows.empty()) {
        app_.ShowMessagePos("Select the rows of the conformers to weight first.");
        app_.Fail();
        return;
    }
    std::vector<double> weights;
    for (const auto& row : rows) {
        if (!row.Ranked()) {
            app_.ShowMessagePos(row.file + " has no thermochemistry, so no population to weight its spectrum with.");
            app_.Fail();
            return;
        }
        weights.push_back(row.population);
    }
    const auto& kinds = conformers::KindChoices();
    std::string names;
    for (const auto& k : kinds) names += (names.empty() ? "" : ", ") + k.name;
    std::vector<std::string> labels{"Spectrum (" + names + ")", "Band width (empty: " + kinds[0].widthLabel + " " +
                                        core::FloatText(kinds[0].width) + ")",
                                    "Choose each log in a file dialog (yes/no)"},
        initial{kinds[0].name, "", "no"};
    for (size_t i = 0; i < rows.size(); ++i) {
        labels.push_back("Log with the spectrum of " + conformers::LogName(rows[i].file) + " (population " +
                         core::FloatText(std::round(weights[i] * 10000) / 10000) + ")");
        initial.push_back(rows[i].file);
    }
    auto answers = app_.platform.AskValues("Weighted Spectrum", labels, initial);
    if (!answers || answers->size() != labels.size()) return;
    const std::string chosen = core::UpperAscii(core::Trim((*answers)[0]));
    const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                   [&](const auto& k) { return core::UpperAscii(k.name) == chosen; });
    if (kind == kinds.end()) throw core::InputError("The spectrum must be one of: " + names + ".");
    double width = kind->width;
    if (!core::TrimView((*answers)[1]).empty() &&
        (!core::TryParseDouble((*answers)[1], width) || !std::isfinite(width) || width <= 0))
        throw core::InputError("The band width must be a number above 0 (" + kind->widthLabel + ").");
    std::vector<std::string> logs(answers->begin() + 3, answers->end());
    if (IsYes((*answers)[2]))
        for (size_t i = 0; i < logs.size(); ++i) {
            auto picked = app_.platform.OpenFileDialog({"Log with the spectrum of " + conformers::LogName(rows[i].file),
                                                        Folder(logs[i]), "",
                                                        "Gaussian outputs (*.log *.out)|*.log;*.out|All files (*.*)|*.*"});
            if (!picked) return;
            logs[i] = *picked;
        }
    for (auto& log : logs) log = core::Trim(log);
    ShowWeighted(kind->make(width), logs, weights);
}

void WeightedSpectrumWindow::Overlay1Click() {
    if (!kind_) return;
    auto measured = AskExperimentalSpectrum(app_, kind_->overlayUnit);
    if (!measured) return;
    overlay_ = std::move(measured);
    Draw();
}

}  // namespace mavrolin

#include "app/figure_export.h"

#include "app/application.h"
#include "app/batch.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_view.h"

#include <memory>

namespace mavrolin {

namespace {

constexpr const char* kFigureFilter = "PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf";

std::string Folder(const Application& app) { return app.log.dirinfo.empty() ? app.log.dirinfo0 : app.log.dirinfo; }

}  // namespace

void AddFigureOptions(CLI::App* cmd, FigureOptions& o) {
    // Made absolute when read: the scan moves the working folder to the log's.
    auto absolute = [](std::string path) { return path.empty() ? path : BatchSession::Absolute(path); };
    cmd->add_option("--figure", o.figure, "also write a figure for print; .png, .svg or .pdf")->transform(absolute);
    cmd->add_option("--csv", o.csv, "also write the figure's plotted numbers as CSV")->transform(absolute);
    cmd->add_option("--figure-size", o.size, "figure size in cm, WxH (default 8.5x6; 17.8 wide for two columns)");
    cmd->add_option("--dpi", o.dpi, "resolution of a PNG figure (default 600)")->check(CLI::Range(50, 2400));
    cmd->add_option("--font-size", o.fontPt, "figure font size in points (default 8)")->check(CLI::Range(4, 36));
    cmd->add_option("--title", o.title, "title above the figure (default none)");
}

ui::fig::Style FigureStyle(const FigureOptions& o) {
    ui::fig::Style s;
    if (!ui::fig::ParseFigureSize(o.size, s.widthCm, s.heightCm))
        throw CLI::ValidationError("--figure-size", "expected WxH in cm, for example 8.5x6");
    if (!o.figure.empty()) RequirePictureName(o.figure, "--figure");
    s.dpi = o.dpi;
    s.fontPt = o.fontPt;
    if (s.PixelWidth() > kMaxPictureSide || s.PixelHeight() > kMaxPictureSide)
        throw CLI::ValidationError("--dpi", "the PNG would be larger than 16384 pixels on a side");
    return s;
}

void WriteFigure(Application& app, const ui::fig::Figure& figure, const ui::fig::Style& style, const std::string& path) {
    ui::RecordingCanvas cv;
    ui::fig::Render(cv, figure, style);
    app.platform.SavePicture(cv, style.PixelWidth(), style.PixelHeight(), path);
}

bool WriteFigureFiles(BatchSession& session, const ui::fig::Figure& figure, const FigureOptions& o) {
    const ui::fig::Style style = FigureStyle(o);
    if (!o.figure.empty() &&
        !session.Run([&] { WriteFigure(session.App(), figure, style, o.figure); }))
        return false;
    return o.csv.empty() || session.Run([&] { ui::fig::WriteCsv(figure, o.csv); });
}

namespace {

// The dialog: the common fields first, then the figure's own, filled with what was typed
// the last time. Nothing when cancelled.
std::optional<std::vector<std::string>> Ask(Application& app, const std::string& title, bool print, FigureMenu& menu,
                                            FigureAnswers& last) {
    std::vector<std::string> labels{"Title (may be empty)"}, initial{last.title};
    if (print) {
        labels.insert(labels.end(), {"Size in cm (W x H)", "Font size (pt)", "PNG resolution (dpi)"});
        initial.insert(initial.end(), {last.size, last.font, last.dpi});
    }
    for (const auto& f : menu.fields) labels.push_back(f.label), initial.push_back(f.initial);
    auto values = app.platform.AskValues(title, labels, initial);
    if (values && values->size() != labels.size()) values.reset();
    if (!values) return values;
    size_t k = 0;
    last.title = (*values)[k++];
    if (print) last.size = (*values)[k++], last.font = (*values)[k++], last.dpi = (*values)[k++];
    for (auto& f : menu.fields) f.initial = (*values)[k++];
    return values;
}

std::optional<ui::fig::Figure> Build(const FigureMenu& menu, const std::vector<std::string>& values, size_t first) {
    auto figure = menu.source(std::vector<std::string>(values.begin() + static_cast<long>(first), values.end()));
    if (figure) figure->title = values[0];
    return figure;
}

}  // namespace

bool IsYes(const std::string& answer) {
    const std::string a = core::UpperAscii(core::Trim(answer));
    return a == "Y" || a == "YES" || a == "1" || a == "TRUE";
}

void SaveFigureDialog(Application& app, FigureMenu& menu, FigureAnswers& last) {
    auto values = Ask(app, "Save Figure", true, menu, last);
    if (!values) return;
    ui::fig::Style style;
    long long font = 0, dpi = 0;
    if (!ui::fig::ParseFigureSize((*values)[1], style.widthCm, style.heightCm) ||
        !core::TryParseInt((*values)[2], font) || font < 4 || font > 36 || !core::TryParseInt((*values)[3], dpi) ||
        dpi < 50 || dpi > 2400)
        throw core::InputError("The figure needs a size such as 8.5x6 (cm), a font size of 4 to 36 pt and 50 to 2400 dpi.");
    style.fontPt = static_cast<int>(font);
    style.dpi = static_cast<int>(dpi);
    if (style.PixelWidth() > kMaxPictureSide || style.PixelHeight() > kMaxPictureSide)
        throw core::InputError("The PNG would be larger than 16384 pixels on a side; lower the resolution.");
    auto figure = Build(menu, *values, 4);
    if (!figure) return;
    auto chosen = app.platform.SaveFileDialog({"Save Figure", Folder(app), menu.stem() + "_figure.png", kFigureFilter});
    if (!chosen) return;
    WriteFigure(app, *figure, style, *chosen);
}

void SaveFigureDataDialog(Application& app, FigureMenu& menu, FigureAnswers& last) {
    auto values = Ask(app, "Save Figure Data", false, menu, last);
    if (!values) return;
    auto figure = Build(menu, *values, 1);
    if (!figure) return;
    auto chosen = app.platform.SaveFileDialog(
        {"Save Figure Data", Folder(app), menu.stem() + "_figure.csv", "CSV table (*.csv)|*.csv|All files (*.*)|*.*"});
    if (!chosen) return;
    ui::fig::WriteCsv(*figure, *chosen);
}

void ConnectFigureItems(Application& app, ui::MenuItem& figure, ui::MenuItem& data, FigureMenu menu) {
    auto shared = std::make_shared<FigureMenu>(std::move(menu));
    auto last = std::make_shared<FigureAnswers>();
    figure.OnClick = [&app, shared, last] { SaveFigureDialog(app, *shared, *last); };
    data.OnClick = [&app, shared, last] { SaveFigureDataDialog(app, *shared, *last); };
}

}  // namespace mavrolin

#include "ui/qt/picture.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/errors.h"
#include "ui/qt/qt_canvas.h"
#include "ui/qt/text.h"

namespace mavrolin::qt {

namespace {

constexpr int kMaxPictureSide = 16384;

enum class Format { Png, Svg, Pdf };

Format FormatOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (auto& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (ext == ".png") return Format::Png;
    if (ext == ".svg") return Format::Svg;
    if (ext == ".pdf") return Format::Pdf;
    throw core::FileError("Cannot write the picture \"" + path +
                          "\": the file name must end in .png, .svg or .pdf.");
}

// Removes the temporary file unless the picture was moved into place.
struct TempFile {
    std::filesystem::path path;
    bool kept = false;
    ~TempFile() {
        if (kept) return;
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

void Fail(const std::string& path, const std::string& why) {
    throw core::FileError("Cannot write the picture \"" + path + "\": " + why + ".");
}

void Draw(const ui::RecordingCanvas& drawing, QPainter& painter, bool pixelExact, int w, int h) {
    painter.fillRect(0, 0, w, h, Qt::white);
    QtCanvas canvas(painter, pixelExact, drawing.UnitsPerInch() > 0);
    drawing.Replay(canvas);
}

}  // namespace

void EnsureGuiApplication() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (QCoreApplication::instance())
        throw core::FileError("Pictures need a graphical Qt application object.");
    // The command line has no display: draw off screen. Kept for the life of the process.
    static char name[] = "mavrolin", opt[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, opt, platform, nullptr};
    static int argc = 3;
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    PrepareFonts();
}

void PrepareFonts() {
    static bool done = false;
    if (done) return;
    done = true;
    if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
        // Wine ships a Tahoma with the same metrics; Debian installs it outside fontconfig.
        for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
            if (QFile::exists(QString::fromLatin1(file))) QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
    const QStringList sans{QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")};
    for (const char* name : {"Tahoma", "MS Sans Serif", "Arial", "Segoe UI"})
        QFont::insertSubstitutions(QString::fromLatin1(name), sans);
}

void WritePicture(const ui::RecordingCanvas& drawing, int width, int height, const std::string& path) {
    Format format = FormatOf(path);
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        Fail(path, "the size " + std::to_string(width) + " x " + std::to_string(height) + " is not a picture size");
    EnsureGuiApplication();

    std::filesystem::path target(path);
    TempFile temp{target.parent_path() / (target.filename().string() + ".part")};
    const QString tempName = QString::fromStdString(temp.path.string());

    // A figure is drawn in page units: the vector files take them with their resolution,
    // the PNG scales them onto its `width` x `height` pixels.
    const double unitsPerInch = drawing.UnitsPerInch();
    const bool figure = unitsPerInch > 0;
    const int pageW = figure ? drawing.Width() : width, pageH = figure ? drawing.Height() : height;
    const int resolution = figure ? static_cast<int>(std::lround(unitsPerInch)) : 96;

    switch (format) {
        case Format::Png: {
            QImage image(width, height, QImage::Format_RGB32);
            {
                QPainter painter(&image);
                if (figure) {
                    const double dpi = width * unitsPerInch / std::max(pageW, 1);
                    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
                    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
                    painter.fillRect(0, 0, width, height, Qt::white);
                    painter.scale(static_cast<double>(width) / std::max(pageW, 1),
                                  static_cast<double>(height) / std::max(pageH, 1));
                }
                Draw(drawing, painter, true, pageW, pageH);
            }
            if (!image.save(tempName, "PNG")) Fail(path, "the file could not be written");
            break;
        }
        case Format::Svg: {
            QSvgGenerator svg;
            svg.setFileName(tempName);
            svg.setSize(QSize(pageW, pageH));
            svg.setViewBox(QRect(0, 0, pageW, pageH));
            svg.setResolution(resolution);
            svg.setTitle(QStringLiteral("Mavrolin picture"));
            QPainter painter;
            if (!painter.begin(&svg)) Fail(path, "the file could not be written");
            Draw(drawing, painter, false, pageW, pageH);
            if (!painter.end()) Fail(path, "the file could not be written");
            break;
        }
        case Format::Pdf: {
            QPdfWriter pdf(tempName);
            pdf.setResolution(resolution);
            pdf.setPageSize(QPageSize(QSizeF(pageW * 72.0 / resolution, pageH * 72.0 / resolution), QPageSize::Point,
                                      QString(), QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setCreator(QStringLiteral("Mavrolin"));
            QPainter painter;
            if (!painter.begin(&pdf)) Fail(path, "the file could not be written");
            Draw(drawing, painter, false, pageW, pageH);
            if (!painter.end()) Fail(path, "the file could not be written");
            break;
        }
    }

    std::error_code ec;
    if (!std::filesystem::exists(temp.path, ec) || std::filesystem::file_size(temp.path, ec) == 0)
        Fail(path, "the file could not be written");
    std::filesystem::rename(temp.path, target, ec);
    if (ec) Fail(path, ec.message());
    temp.kept = true;
}

}  // namespace mavrolin::qt

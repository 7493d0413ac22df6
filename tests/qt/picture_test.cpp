// Picture export: the format follows the extension, files are whole or absent.
#include <gtest/gtest.h>

#include <QImage>
#include <QSvgRenderer>
#include <filesystem>

#include "core/errors.h"
#include "qt_support.h"
#include "support/test_app.h"
#include "ui/qt/picture.h"

namespace fs = std::filesystem;
using mavrolin::qt::WritePicture;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

ui::RecordingCanvas Drawing() {
    ui::RecordingCanvas rc;
    rc.SetSize(120, 80);
    rc.Brush = {ui::kWhite, ui::BrushStyle::Solid};
    rc.FillRect(0, 0, 120, 80);
    rc.Pen = {ui::kRed, 1, ui::psSolid};
    rc.MoveTo(10, 40);
    rc.LineTo(110, 40);
    rc.Font.color = ui::kBlue;
    rc.TextOut(10, 10, "E / eV");
    return rc;
}

bool LeftoverPart(const fs::path& dir) {
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".part") return true;
    return false;
}

TEST(Picture, PngHasTheSizeAndThePixels) {
    qt_testing::QtApp();
    TempDir dir;
    for (const char* name : {"plot.png", "PLOT2.PNG"}) {
        WritePicture(Drawing(), 120, 80, (dir / name).string());
        QImage img((dir / name).string().c_str());
        ASSERT_FALSE(img.isNull()) << name;
        EXPECT_EQ(img.size(), QSize(120, 80));
        EXPECT_EQ(img.pixelColor(50, 40), QColor(255, 0, 0));
        EXPECT_EQ(img.pixelColor(110, 40), QColor(Qt::white));  // end pixel left out
        EXPECT_EQ(img.pixelColor(50, 60), QColor(Qt::white));
    }
    EXPECT_FALSE(LeftoverPart(dir.path()));
}

TEST(Picture, SvgAndPdfAreValidDocuments) {
    qt_testing::QtApp();
    TempDir dir;
    auto svg = dir / "plot.svg", pdf = dir / "plot.pdf";
    WritePicture(Drawing(), 120, 80, svg.string());
    WritePicture(Drawing(), 120, 80, pdf.string());

    std::string s = ReadFile(svg);
    EXPECT_NE(s.find("<svg"), std::string::npos);
    EXPECT_NE(s.find("E / eV"), std::string::npos);
    QSvgRenderer renderer(QString::fromStdString(svg.string()));
    EXPECT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 120, 80));

    std::string p = ReadFile(pdf);
    ASSERT_GT(p.size(), 100u);
    EXPECT_EQ(p.substr(0, 5), "%PDF-");
    EXPECT_NE(p.rfind("%%EOF"), std::string::npos);
    EXPECT_NE(p.find("/MediaBox [0 0 90.000000 60.000000]"), std::string::npos) << "120 x 80 pixels at 96 dpi";
    EXPECT_FALSE(LeftoverPart(dir.path()));
}

TEST(Picture, RefusalsLeaveExistingFilesAlone) {
    qt_testing::QtApp();
    TempDir dir;
    auto bmp = dir / "plot.bmp";
    WriteFile(bmp, "old");
    try {
        WritePicture(Drawing(), 120, 80, bmp.string());
        FAIL() << "an unknown extension must be refused";
    } catch (const core::FileError& e) {
        EXPECT_NE(std::string(e.what()).find(".png, .svg or .pdf"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(bmp), "old");

    auto png = dir / "keep.png";
    WriteFile(png, "old");
    EXPECT_THROW(WritePicture(Drawing(), 0, 80, png.string()), core::FileError);
    EXPECT_THROW(WritePicture(Drawing(), 120, 100000, png.string()), core::FileError);
    EXPECT_EQ(ReadFile(png), "old");

    for (const char* name : {"a.png", "a.svg", "a.pdf"})
        EXPECT_THROW(WritePicture(Drawing(), 120, 80, (dir / "missing" / name).string()), core::FileError) << name;
    EXPECT_FALSE(LeftoverPart(dir.path()));
}

TEST(Picture, ReplacesAnEarlierPicture) {
    qt_testing::QtApp();
    TempDir dir;
    auto png = dir / "plot.png";
    WriteFile(png, "not a picture");
    WritePicture(Drawing(), 60, 30, png.string());
    QImage img(png.string().c_str());
    EXPECT_EQ(img.size(), QSize(60, 30));
}

}  // namespace

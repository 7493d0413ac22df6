// Figures as files: PNG pixels from size and resolution, SVG and PDF as vector drawings.
#include <gtest/gtest.h>

#include <QImage>
#include <regex>

#include "qt_support.h"
#include "spectrum/spectrum_figure.h"
#include "support/test_app.h"
#include "ui/qt/picture.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

TEST(FigureFiles, PngSizeFromCentimetresAndDpiSvgPathsAndTextPdfFontsEmbedded) {
    const std::vector<double> ev{3.0, 4.5}, nm{413.28, 275.52}, f{0.3, 0.8};
    const auto fig = mavrolin::spectrum::UvFigure({ev, nm, f}, {});
    ui::fig::Style style;
    style.dpi = 300;
    ui::RecordingCanvas cv;
    ui::fig::Render(cv, fig, style);
    TempDir dir;

    const auto png = (dir.path() / "f.png").string();
    mavrolin::qt::WritePicture(cv, style.PixelWidth(), style.PixelHeight(), png);
    QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.width(), 1004);  // 8.5 cm at 300 dpi
    EXPECT_EQ(image.height(), 709);
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 300, 1);

    const auto svgPath = (dir.path() / "f.svg").string();
    mavrolin::qt::WritePicture(cv, style.PixelWidth(), style.PixelHeight(), svgPath);
    const std::string svg = ReadFile(svgPath);
    std::smatch size;
    ASSERT_TRUE(std::regex_search(svg, size, std::regex("<svg width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\"")));
    EXPECT_NEAR(std::stod(size[1]), 85, 0.1);
    EXPECT_NEAR(std::stod(size[2]), 60, 0.1);
    // The curve is one path of float coordinates with every sample.
    size_t longest = 0;
    const std::regex path("<path[^>]* d=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), path); it != std::sregex_iterator(); ++it) {
        const std::string d = (*it)[1];
        longest = std::max<size_t>(longest, std::count(d.begin(), d.end(), 'L'));
    }
    EXPECT_GE(longest, 999u);
    EXPECT_NE(svg.find('.'), std::string::npos);
    // Every tick label is a text element.
    size_t labels = 0, shown = 0;
    for (const auto& op : cv.OpsOf(ui::DrawOp::TextAt)) {
        ++labels;
        if (svg.find(">" + op.text + "<") != std::string::npos) ++shown;
    }
    EXPECT_GE(labels, 12u);
    EXPECT_GE(shown, labels - 4);  // titles are split into upright and italic runs

    const auto pdf = (dir.path() / "f.pdf").string();
    mavrolin::qt::WritePicture(cv, style.PixelWidth(), style.PixelHeight(), pdf);
    EXPECT_NE(ReadFile(pdf).find("/FontFile2"), std::string::npos);
}

}  // namespace

#include "spectrum/experimental_spectrum.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "support/test_app.h"

using namespace mavrolin::spectrum;

TEST(ExperimentalSpectrum, SeparatorsCommentsAndHeaderUnits) {
    struct Case {
        const char* text;
        int unit;  // expected unit of x
    };
    const Case cases[] = {
        {"# measured in KBr\n1000\t0.5\n1500\t2\n2000\t1\n", kUnitCm},  // window unit
        {"1000,0.5\r\n1500 , 2\r\n2000,1\r\n", kUnitCm},
        {"  1000   0.5\n\n1500 2\n# gap\n2000  1e0\n", kUnitCm},
        {"Wavenumber (cm-1), Absorbance\n1000,0.5\n1500,2\n2000,1\n", kUnitCm},
        {"wavelength/nm\tA\n10000\t0.5\n6666.666666666667\t2\n5000\t1\n", kUnitNm},
        {"Energy (eV) Absorbance\n0.12398431\t0.5\n0.18597647\t2\n0.24796862\t1\n", kUnitEv},
        {"signal level\n1000 0.5\n1500 2\n2000 1\n", kUnitCm},  // no unit named: the window's
    };
    for (const auto& c : cases) {
        const auto s = ParseExperimentalSpectrum(c.text, kUnitCm);
        EXPECT_EQ(s.unit, c.unit) << c.text;
        const auto p = ExperimentalIn(s, kUnitCm);
        ASSERT_EQ(p.x.size(), 3u) << c.text;
        EXPECT_NEAR(p.x[0], 1000, 1e-3);
        EXPECT_NEAR(p.x[1], 1500, 1e-3);
        EXPECT_NEAR(p.x[2], 2000, 1e-3);
        EXPECT_EQ(p.y, (std::vector<double>{0.5, 2, 1})) << c.text;
    }
    // nm to eV for the UV-vis window, sorted by energy; scaled to a computed maximum.
    auto p = ExperimentalIn(ParseExperimentalSpectrum("nm A\n200 1\n400 4\n", kUnitEv), kUnitEv);
    EXPECT_NEAR(p.x[0], kHcEvNm / 400, 1e-3);
    EXPECT_EQ(p.y[0], 4);
    ScaleToMaximum(p, 0.8);
    EXPECT_DOUBLE_EQ(p.y[0], 0.8);
    EXPECT_DOUBLE_EQ(p.y[1], 0.2);
}

TEST(ExperimentalSpectrum, BadLinesAreNamed) {
    struct Case {
        const char* text;
        const char* where;
    };
    for (const Case& c : {Case{"x y\n1 2\n3 4 5\n", "Line 3"}, Case{"1 2\nabc 3\n", "Line 2"},
                          Case{"# a\nnm\nexcitation\n", "Line 3"}, Case{"1,2\n1,,2\n", "Line 2"},
                          Case{"# only comments\n", "no data lines"}}) {
        try {
            ParseExperimentalSpectrum(c.text, kUnitNm, "exp.txt");
            ADD_FAILURE() << c.text;
        } catch (const core::InputError& e) {
            EXPECT_NE(std::string(e.what()).find(c.where), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("exp.txt"), std::string::npos) << e.what();
        }
    }
    // Files go through the reading gate: a folder is refused as a file error.
    testing_support::TempDir dir;
    EXPECT_THROW(ReadExperimentalSpectrum(dir.path(), kUnitNm), core::FileError);
    const auto file = dir / "exp.csv";
    testing_support::WriteFile(file, "nm,A\n300,1\n");
    EXPECT_EQ(ReadExperimentalSpectrum(file, kUnitEv).unit, kUnitNm);
}

namespace {

size_t GreyLines(const ui::RecordingCanvas& cv) {
    size_t n = 0;
    for (const auto& op : cv.Lines()) n += op.pen.color == 0xA0A0A0;
    return n;
}

}  // namespace

// The UV-vis window: File > "Overlay Experimental Spectrum…" lays the file under the curve
// (drawn before it), scaled to the computed maximum; "Remove Overlay" takes it away.
TEST(ExperimentalSpectrum, UvVisWindowOverlayAndRemoval) {
    testing_support::TestApp t;
    t.platform.AnswerOpen(testing_support::TestApp::data("spectrum/td_closed.log"));
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); }));
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.SpectraTDDFTResults1Click(); }));
    auto& form = t.app.form9;
    EXPECT_EQ(GreyLines(form.PaintBox1.Canvas()), 0u);
    t.platform.AnswerOpen(t.write("uv.txt", "nm\tabsorbance\n150\t0\n200\t1\n250\t3\n300\t1\n400\t0\n"));
    ASSERT_TRUE(t.app.Dispatch([&form] { form.Overlay1Click(); }));
    EXPECT_TRUE(form.HasOverlay());
    const auto& cv = form.PaintBox1.Canvas();
    EXPECT_GT(GreyLines(cv), 0u);
    // Its highest point (250 nm) reaches the curve's maximum, the top of the data range or below.
    int greyTop = 1 << 30;
    for (const auto& op : cv.Lines())
        if (op.pen.color == 0xA0A0A0) greyTop = std::min({greyTop, op.y1, op.y2});
    EXPECT_GE(greyTop, form.Frame().Y(form.Frame().plot.y.dmax));
    EXPECT_LE(greyTop, form.Frame().Y(form.Frame().plot.y.dmax) + 60);
    // A bad file is refused with its line and leaves the overlay as it was.
    t.platform.AnswerOpen(t.write("bad.txt", "nm A\n200 1\n210 x\n"));
    EXPECT_FALSE(t.app.Dispatch([&form] { form.Overlay1Click(); }));
    EXPECT_TRUE(form.HasOverlay());
    ASSERT_TRUE(t.app.Dispatch([&form] { form.RemoveOverlay1Click(); }));
    EXPECT_FALSE(form.HasOverlay());
    EXPECT_EQ(GreyLines(form.PaintBox1.Canvas()), 0u);
}

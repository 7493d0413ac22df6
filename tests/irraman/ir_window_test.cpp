// The IR/Raman window driven as a user would: opened from the job summary, IR/Raman
// switch, a click on a stick, zoom and double-click, overlay, and the saved spectrum.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/application.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

bool Scan(TestApp& t, const std::string& fixture) {
    t.platform.AnswerOpen(TestApp::data(fixture));
    return t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); });
}

bool Message(const TestApp& t, const std::string& part) {
    for (const auto& m : t.platform.MessageTexts())
        if (m.find(part) != std::string::npos) return true;
    return false;
}

ui::MouseEvent Click(int x, int y, bool shift = false) {
    ui::MouseEvent e;
    e.x = x, e.y = y, e.shift = shift;
    return e;
}

}  // namespace

TEST(IrWindow, OpensSwitchesClicksZoomsAndSaves) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "irraman/h2co_two_freq_raman.log"));
    auto& form = t.app.form19;
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form4.ShowIRRamanSpectra1Click(); }));
    ASSERT_TRUE(form.Visible());
    EXPECT_TRUE(form.Raman1.Enabled());
    EXPECT_TRUE(form.IR1.Checked());
    const double irTop = *std::max_element(form.Curve().y.begin(), form.Curve().y.end());
    EXPECT_NEAR(irTop, 150 * 2 / (3.14159265358979 * 10), 0.05);  // the 2910 cm-1 band dominates

    // Wavenumber decreases to the right.
    EXPECT_GT(form.Frame().X(1000), form.Frame().X(3000));

    ASSERT_TRUE(t.app.Dispatch([&form] { form.Raman1.Click(); }));
    EXPECT_TRUE(form.Raman1.Checked());
    const double ramanTop = *std::max_element(form.Curve().y.begin(), form.Curve().y.end());
    EXPECT_NEAR(ramanTop, 100.5 * 2 / (3.14159265358979 * 10), 0.05);

    // Activities to intensities (532 nm, 298.15 K): the largest intensity is the largest
    // activity, the others are reweighted, and the caption says so.
    ASSERT_TRUE(t.app.Dispatch([&form] { form.RamanIntensities1.Click(); }));
    double largest = 0;
    for (const auto& st : form.Curve().sticks) largest = std::max(largest, st.height);
    EXPECT_DOUBLE_EQ(largest, 100.5);
    EXPECT_NEAR(form.Curve().sticks[0].height, 1.8047, 1e-3);  // 1180 cm-1 gains on 2850 cm-1
    bool caption = false;
    for (const auto& op : form.PaintBox1.Canvas().Texts())
        caption = caption || op.text.ends_with(", intensities at 532 nm and 298.15 K");
    EXPECT_TRUE(caption);
    ASSERT_TRUE(t.app.Dispatch([&form] { form.RamanIntensities1.Click(); }));
    EXPECT_EQ(form.Curve().sticks[0].height, 0.5);

    // A click on the 2850 cm-1 stick names mode 5; a click away from every stick clears it.
    const int px = form.Frame().X(2850), py = form.PaintBox1.Height() / 2;
    ASSERT_TRUE(t.app.Dispatch([&] { form.PaintBox1MouseDown(Click(px + 2, py)); }));
    EXPECT_EQ(form.ModeInfo.Caption(),
              "Mode 5: 2850 cm-1, IR intensity 66 km/mol, Raman activity 100.5 A^4/amu, symmetry A1");
    ASSERT_TRUE(t.app.Dispatch([&] { form.PaintBox1MouseDown(Click(form.Frame().X(2000), py)); }));
    EXPECT_EQ(form.ModeInfo.Caption(), "");

    // Shift-drag from 3000 to 2700 cm-1 zooms; a double-click returns to the automatic range.
    const int x0 = form.Frame().X(3000), x1 = form.Frame().X(2700);
    ASSERT_TRUE(t.app.Dispatch([&] {
        form.PaintBox1MouseDown(Click(x0, 100, true));
        form.PaintBox1MouseMove(Click(x1, 300, true));
        form.PaintBox1MouseUp(Click(x1, 300, true));
    }));
    EXPECT_FALSE(form.XAuto.Checked());
    EXPECT_NEAR(form.Curve().xmin, 2700, 10);
    EXPECT_NEAR(form.Curve().xmax, 3000, 10);
    ASSERT_TRUE(t.app.Dispatch([&] { form.PaintBox1DblClick(); }));
    EXPECT_TRUE(form.XAuto.Checked());
    EXPECT_EQ(form.Curve().xmin, 1100);  // whole hundreds, five widths below 1180
    EXPECT_EQ(form.Curve().xmax, 3000);

    // Transmittance style: the baseline runs along the top, peaks hang below it.
    ASSERT_TRUE(t.app.Dispatch([&form] { form.Transmittance1.Click(); }));
    EXPECT_TRUE(form.Frame().inverted);
    EXPECT_LT(form.Frame().Y(0), form.Frame().Y(ramanTop));
    ASSERT_TRUE(t.app.Dispatch([&form] { form.Transmittance1.Click(); }));
    EXPECT_GT(form.Frame().Y(0), form.Frame().Y(ramanTop));

    // Overlay, then the saved Raman spectrum with its header.
    t.platform.AnswerOpen(t.write("exp.csv", "cm-1,I\n1000,0\n2850,5\n3000,0\n"));
    ASSERT_TRUE(t.app.Dispatch([&form] { form.Overlay1Click(); }));
    EXPECT_TRUE(form.HasOverlay());
    const auto saved = t.dir / "out.raman.txt";
    t.platform.AnswerSave(saved.string());
    ASSERT_TRUE(t.app.Dispatch([&form] { form.SaveSpectrum1Click(); }));
    const std::string text = ReadFile(saved);
    EXPECT_EQ(text.find("# Raman spectrum computed by Mavrolin\r\n# log: " +
                        TestApp::data("irraman/h2co_two_freq_raman.log") +
                        "\r\n# shape: Lorentzian\r\n# FWHM: 10 cm-1\r\n# scale factor: 1\r\n"
                        "# unit: A^4/amu per cm-1\r\n# wavenumber / cm-1\tintensity / A^4/amu per cm-1\r\n1100\t"),
              0u)
        << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7 + static_cast<long>(form.Curve().x.size()));
}

TEST(IrWindow, NotesAndRefusals) {
    TestApp t;
    ASSERT_TRUE(Scan(t, "irraman/h2co_imaginary.log"));
    auto& form = t.app.form19;
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form4.ShowIRRamanSpectra1Click(); }));
    EXPECT_FALSE(form.Raman1.Enabled());
    std::vector<std::string> texts;
    for (const auto& op : form.PaintBox1.Canvas().Texts()) texts.push_back(op.text);
    auto shown = [&](const std::string& s) { return std::find(texts.begin(), texts.end(), s) != texts.end(); };
    EXPECT_TRUE(shown("Imaginary modes left out of the curve: 1 (-412.3456 cm-1)"));
    EXPECT_TRUE(shown("1 mode(s) left out: a value was printed as asterisks or could not be read (modes 3)."));
    EXPECT_TRUE(shown("IR spectrum of h2co_imaginary.log: Lorentzian, FWHM 10 cm-1, scale factor 1"));
    EXPECT_EQ(form.Curve().sticks.size(), 4u);
    EXPECT_FALSE(t.app.Dispatch([&form] { form.SetRaman(true); }));
    EXPECT_TRUE(Message(t, "no Raman activities"));

    form.Width.SetText("ten");
    EXPECT_FALSE(t.app.Dispatch([&form] { form.DrawSpectrum(); }));

    TestApp u;
    ASSERT_TRUE(Scan(u, "logscan/water_sp.log"));
    EXPECT_FALSE(u.app.Dispatch([&u] { u.app.form4.ShowIRRamanSpectra1Click(); }));
    EXPECT_TRUE(Message(u, "No vibrational frequencies were found in"));
    EXPECT_FALSE(u.app.form19.Visible());
}

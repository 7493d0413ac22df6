// `mavrolin ir` end to end: default names, options, Raman, overlay and the failures that
// must write nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/batch.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TestApp;

namespace {

std::string Copy(const TestApp& t, const std::string& fixture) {
    const auto to = t.dir / std::filesystem::path(fixture).filename();
    std::filesystem::copy_file(TestApp::data(fixture), to);
    return to.string();
}

}  // namespace

TEST(IrBatch, WritesTheSavedSpectrumUnderItsDefaultNames) {
    TestApp t;
    const auto log = Copy(t, "irraman/h2co_two_freq_raman.log");
    std::string out, err;
    ASSERT_EQ(RunCli({"--quiet", "ir", log}, out, err), 0) << err;
    const std::string ir = ReadFile(log + ".ir.txt");
    EXPECT_EQ(ir.find("# IR spectrum computed by Mavrolin\r\n# log: " + log + "\r\n# shape: Lorentzian\r\n"), 0u);

    ASSERT_EQ(RunCli({"ir", log, "--raman", "--shape", "gauss", "--fwhm", "20", "--scale", "0.97", "--x", "1000:3000",
                      "--points", "2001", "--experimental", t.write("exp.txt", "# KBr\n1500\t1\n2800\t3\n")},
                     out, err),
              0)
        << err;
    const std::string raman = ReadFile(log + ".raman.txt");
    EXPECT_NE(raman.find("# shape: Gaussian\r\n# FWHM: 20 cm-1\r\n# scale factor: 0.97\r\n# unit: A^4/amu per cm-1\r\n"),
              std::string::npos)
        << raman;
    EXPECT_NE(raman.find("\r\n1000\t"), std::string::npos);
    EXPECT_NE(raman.find("\r\n3000\t"), std::string::npos);
    EXPECT_EQ(std::count(raman.begin(), raman.end(), '\n'), 7 + 2001);
    // The strongest Raman band (2850 cm-1, 100.5 A^4/amu) is at 0.97 x 2850 = 2764.5 cm-1.
    const auto at = raman.find("\r\n2764\t");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NEAR(std::stod(raman.substr(at + 7)), 100.5 * 0.0469718639, 0.05);  // peak of area 100.5, FWHM 20
}

TEST(IrBatch, FailuresWriteNothing) {
    TestApp t;
    const auto irOnly = Copy(t, "irraman/h2co_imaginary.log");
    const auto noFreq = Copy(t, "logscan/water_sp.log");
    std::string out, err;
    EXPECT_EQ(RunCli({"ir", noFreq}, out, err), 1);
    EXPECT_NE(err.find("No vibrational frequencies were found"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(noFreq + ".ir.txt"));
    EXPECT_EQ(RunCli({"ir", irOnly, "--raman"}, out, err), 1);
    EXPECT_NE(err.find("no Raman activities"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(irOnly + ".raman.txt"));
    EXPECT_EQ(RunCli({"ir", irOnly, "--experimental", t.write("bad.txt", "1 2\n3 x\n")}, out, err), 1);
    EXPECT_NE(err.find("Line 2 of bad.txt"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(irOnly + ".ir.txt"));
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--shape", "voigt"},
                                                                 {"--x", "3000:1000"},
                                                                 {"--fwhm", "0"},
                                                                 {"--points", "1"},
                                                                 {"--image", "p.gif"}}) {
        std::vector<std::string> args{"ir", irOnly};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(RunCli(args, out, err), 2) << bad[0];
    }
    EXPECT_FALSE(std::filesystem::exists(irOnly + ".ir.txt"));
}

// The picture is the paint box at --size, with the caption, the note and the grey overlay in
// it; it is written before the spectrum file.
TEST(IrBatch, PictureHoldsCaptionNoteAndOverlay) {
    TestApp t;
    const auto log = Copy(t, "irraman/h2co_imaginary.log");
    int calls = 0, width = 0, height = 0;
    std::vector<ui::DrawOp> ops;
    std::vector<std::string> args{"mavrolin", "ir", log, "--image", (t.dir / "p.svg").string(), "--size", "700x400",
                                  "--experimental", t.write("exp.txt", "1500 1\n2000 2\n2500 1\n")};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::ostringstream out, err;
    const int rc = mavrolin::RunBatch(static_cast<int>(argv.size()), argv.data(), out, err,
                                      [&](const ui::RecordingCanvas& c, int w, int h, const std::string&) {
                                          ++calls, width = w, height = h, ops = c.Ops();
                                      });
    ASSERT_EQ(rc, 0) << err.str();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(width, 700);
    EXPECT_EQ(height, 400);
    auto has = [&](const std::string& text) {
        return std::any_of(ops.begin(), ops.end(), [&](const ui::DrawOp& op) { return op.text == text; });
    };
    EXPECT_TRUE(has("IR spectrum of h2co_imaginary.log: Lorentzian, FWHM 10 cm-1, scale factor 1"));
    EXPECT_TRUE(has("Imaginary modes left out of the curve: 1 (-412.3456 cm-1)"));
    EXPECT_TRUE(has("Grey: exp.txt, scaled to the computed maximum."));
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const ui::DrawOp& op) {
        return op.kind == ui::DrawOp::Line && op.pen.color == 0xA0A0A0;
    }));
    EXPECT_TRUE(std::filesystem::exists(log + ".ir.txt"));
}

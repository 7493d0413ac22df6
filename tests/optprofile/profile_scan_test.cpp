// The profile after a real scan of our optimisation logs, in the window and from the
// command line. These run once "Open Log/Out File (Opt,Freq)" is available.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/batch.h"
#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::TestApp;

namespace {

bool ScanAvailable() {
    TestApp t;
    return t.app.form1.OpenLOG1.Enabled();
}

struct Picture {
    int calls = 0, width = 0, height = 0;
    std::string path;
    std::vector<ui::DrawOp> ops;
};

int RunWithPictures(std::vector<std::string> args, Picture& picture, std::string& err) {
    args.insert(args.begin(), "mavrolin");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::ostringstream out, errs;
    int rc = mavrolin::RunBatch(static_cast<int>(argv.size()), argv.data(), out, errs,
                                [&](const ui::RecordingCanvas& c, int w, int h, const std::string& path) {
                                    ++picture.calls;
                                    picture.width = w;
                                    picture.height = h;
                                    picture.path = path;
                                    picture.ops = c.Ops();
                                });
    err = errs.str();
    return rc;
}

std::string Copy(const TempDir& dir, const std::string& name) {
    auto dest = dir / name;
    std::filesystem::copy_file(TestApp::data("profile/" + name), dest);
    return dest.string();
}

}  // namespace

TEST(ProfileAfterScan, WindowDrawsTheScannedValues) {
    if (!ScanAvailable()) GTEST_SKIP() << "the log scan is not built yet";
    for (const char* name : {"water_opt.log", "ammonia_nosym_opt.log"}) {
        TestApp t;
        t.platform.AnswerOpen(TestApp::data(std::string("profile/") + name));
        ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.OpenLOG1.Click(); })) << name;
        const auto& l = t.app.log;
        ASSERT_GE(l.ndone, 4) << name;
        ASSERT_EQ(l.nforce2, l.ndone) << name;
        ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.SCFEnergies1Click(); })) << name;
        auto& f = t.app.form2;
        EXPECT_TRUE(f.Visible());
        EXPECT_EQ(f.SpinEdit1.MaxValue(), l.ndone);
        EXPECT_EQ(f.Label2.Caption().substr(f.Label2.Caption().find(" in log")),
                  " in log (#" + std::to_string(l.nforce2) + ")");
        int circles = 0;
        for (const auto& op : f.PaintBox1.Canvas().Ops()) circles += op.kind == ui::DrawOp::Ellipse;
        EXPECT_EQ(circles, l.ndone + 5 * l.nforce2) << name;
    }
}

TEST(ProfileAfterScan, SaveStepAfterScanWritesThatStepsOrientation) {
    if (!ScanAvailable()) GTEST_SKIP() << "the log scan is not built yet";
    TempDir dir;
    auto log = Copy(dir, "water_opt.log");
    TestApp t;
    t.platform.AnswerOpen(log);
    ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.OpenLOG1.Click(); }));
    ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.SCFEnergies1Click(); }));
    t.app.form2.SpinEdit1.SetValue(1);
    ASSERT_TRUE(t.app.Dispatch([&] { t.app.form2.Button1Click(); }));
    auto text = ReadFile(log + "_opt_1.abc");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_EQ(text.substr(0, 2), "O1");
}

TEST(ProfileBatch, WritesThePictureAtTheGivenSize) {
    if (!ScanAvailable()) GTEST_SKIP() << "the log scan is not built yet";
    TempDir dir;
    auto log = Copy(dir, "water_opt.log");
    Picture p;
    std::string err;
    auto image = (dir / "w.png").string();
    ASSERT_EQ(RunWithPictures({"profile", log, "-o", image, "--size", "900x500", "--step", "4"}, p, err), 0) << err;
    EXPECT_EQ(p.calls, 1);
    EXPECT_EQ(p.width, 900);
    EXPECT_EQ(p.height, 500);
    EXPECT_EQ(p.path, image);
    // The green marker stands at step 4 of 5: Round(900 * (3 + 0.06) / 4.12).
    bool marker = false;
    for (const auto& op : p.ops)
        if (op.kind == ui::DrawOp::Line && op.pen.color == ui::kGreen && op.x1 == op.x2 && op.x1 == 668) marker = true;
    EXPECT_TRUE(marker);

    // Default size, and the orientation file of one step.
    ASSERT_EQ(RunWithPictures({"profile", log, "-o", image, "--save-step", "2"}, p, err), 0) << err;
    EXPECT_EQ(p.width, 1200);
    EXPECT_EQ(p.height, 800);
    EXPECT_TRUE(std::filesystem::exists(log + "_opt_2.abc"));
}

TEST(ProfileBatch, RefusalsAndBadArguments) {
    TempDir dir;
    auto log = Copy(dir, "water_opt.log");
    Picture p;
    std::string err;
    auto image = (dir / "w.png").string();
    EXPECT_EQ(RunWithPictures({"profile", log}, p, err), 2);  // -o is required
    EXPECT_EQ(RunWithPictures({"profile", log, "-o", image, "--size", "12"}, p, err), 2);
    EXPECT_EQ(RunWithPictures({"profile", log, "-o", image, "--size", "0x500"}, p, err), 2);
    if (!ScanAvailable()) return;
    EXPECT_EQ(RunWithPictures({"profile", log, "-o", image, "--step", "9"}, p, err), 1);
    EXPECT_NE(err.find("outside 1..5"), std::string::npos);
    // A log too short for the scan fails before any picture is written.
    auto orient = (dir / "one.log").string();
    std::filesystem::copy_file(TestApp::data("orientation/methane_5col.out"), orient);
    EXPECT_EQ(RunWithPictures({"profile", orient, "-o", image}, p, err), 1);
    EXPECT_EQ(p.calls, 0);
}

#ifdef MAVROLIN_BINARY
TEST(ProfileBatch, RealBinaryWritesAPngWhenBuiltWithQt) {
    if (!ScanAvailable()) GTEST_SKIP() << "the log scan is not built yet";
    TempDir dir;
    auto log = Copy(dir, "water_opt.log");
    auto image = dir / "w.png";
    std::string cmd = std::string("QT_QPA_PLATFORM=offscreen \"") + MAVROLIN_BINARY + "\" profile \"" + log +
                      "\" -o \"" + image.string() + "\" --size 600x400 2>" + (dir / "err.txt").string();
    int rc = std::system(cmd.c_str());
    if (rc != 0 && ReadFile(dir / "err.txt").find("cannot be written by this build") != std::string::npos)
        GTEST_SKIP() << "this build writes no pictures";
    ASSERT_EQ(rc, 0) << ReadFile(dir / "err.txt");
    auto png = ReadFile(image);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");

    // The pictures come from the desktop module the program loads when it first draws. A
    // program without it still runs every command that draws nothing, and a picture fails
    // with a message that names what is missing.
    const auto module = std::filesystem::path(MAVROLIN_BINARY).parent_path() / "mavrolin-desktop.so";
    if (!std::filesystem::exists(module)) return;
    const auto alone = dir / "alone";
    std::filesystem::create_directory(alone);
    std::filesystem::copy_file(MAVROLIN_BINARY, alone / "mavrolin");
    auto run = [&](const std::string& args) {
        const std::string line = "QT_QPA_PLATFORM=offscreen \"" + (alone / "mavrolin").string() + "\" " + args + " 2>" +
                                 (dir / "err.txt").string();
        const int status = std::system(line.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("index \"" + log + "\" -o \"" + (dir / "i.txt").string() + "\""), 0) << ReadFile(dir / "err.txt");
    const auto lost = dir / "lost.png";
    EXPECT_EQ(run("profile \"" + log + "\" -o \"" + lost.string() + "\""), 1);
    EXPECT_NE(ReadFile(dir / "err.txt").find("The desktop part of Mavrolin cannot be loaded"), std::string::npos)
        << ReadFile(dir / "err.txt");
    EXPECT_FALSE(std::filesystem::exists(lost));
}
#endif

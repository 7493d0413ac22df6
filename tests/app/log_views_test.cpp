// The windows that show the scanned log follow every scan: an open profile is redrawn from
// the new log and saves the new log's steps, or is hidden when the new log has none; the
// status lines name the log each window shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_app.h"

using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

// Fixtures are copied next to the test's files: the profile writes beside the log.
std::string Copy(TestApp& t, const std::string& fixture) {
    auto to = t.dir / std::filesystem::path(fixture).filename();
    std::filesystem::copy_file(TestApp::data(fixture), to, std::filesystem::copy_options::overwrite_existing);
    return to.string();
}

bool Open(TestApp& t, const std::string& path) {
    t.platform.AnswerOpen(path);
    return t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); });
}

bool DrawingSays(const ui::RecordingCanvas& canvas, const std::string& text) {
    for (const auto& op : canvas.Texts())
        if (op.text.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(LogViews, OpenProfileFollowsEachScanAndSavesWhatItShows) {
    TestApp t;
    const auto a = Copy(t, "profile/water_opt.log"), b = Copy(t, "profile/ammonia_nosym_opt.log");
    ASSERT_TRUE(Open(t, a));
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.SCFEnergies1Click(); }));
    auto& profile = t.app.form2;
    ASSERT_TRUE(profile.Visible());
    ASSERT_EQ(profile.SpinEdit1.MaxValue(), 5);

    ASSERT_TRUE(Open(t, b));
    EXPECT_TRUE(profile.Visible());
    EXPECT_EQ(profile.SpinEdit1.MaxValue(), 4);  // B's four steps, not A's five
    EXPECT_TRUE(DrawingSays(profile.PaintBox1.Canvas(), "(#4)"));
    EXPECT_FALSE(DrawingSays(profile.PaintBox1.Canvas(), "(#5)"));
    EXPECT_EQ(profile.Status.Text(), "Log: " + b);

    profile.SpinEdit1.SetValue(2);
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form2.Button1Click(); }));
    const std::string saved = ReadFile(b + "_opt_2.abc");
    EXPECT_EQ(saved.rfind("N1", 0), 0u) << saved;  // ammonia's nitrogen, not water's oxygen
    EXPECT_EQ(profile.StringGrid1.RowCount(), 5);

    // A log without optimisation steps hides the profile; its buttons refuse.
    ASSERT_TRUE(Open(t, Copy(t, "logscan/water_sp.log")));
    EXPECT_FALSE(profile.Visible());
    EXPECT_EQ(profile.StringGrid1.Cell(0, 1), "");  // the Cartesian view of B's step is gone
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form2.Button1Click(); }));
    EXPECT_NE(t.platform.MessageTexts().back().find("holds no SCF steps"), std::string::npos);
}

// Reading another structure into the main table takes the SCF steps away from the
// profile: it is hidden, and the main status bar names the file now loaded.
TEST(LogViews, FinalOrientationHidesTheProfileAndRenamesTheStatusBar) {
    TestApp t;
    const auto a = Copy(t, "profile/water_opt.log"), other = Copy(t, "orientation/water_opt_sym.log");
    ASSERT_TRUE(Open(t, a));
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.SCFEnergies1Click(); }));
    EXPECT_EQ(t.app.form1.Status.Panels()[0], a);
    EXPECT_EQ(t.app.form1.Status.Panels()[2], "normal termination");

    t.platform.AnswerOpen(other);
    ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.GetLastStdOrient1Click(); }));
    EXPECT_FALSE(t.app.form2.Visible());
    EXPECT_EQ(t.app.form1.Status.Panels()[0], other);
    // The report still shows the scanned log, and says so.
    EXPECT_EQ(t.app.form3.Status.Text(), "Log: " + a);

    // A file without an orientation changes nothing: the loaded file stays.
    t.platform.AnswerOpen(Copy(t, "geometry/methane.txt"));
    EXPECT_FALSE(t.app.Dispatch([&t] { t.app.form1.GetLastStdOrient1Click(); }));
    EXPECT_EQ(t.app.log.FileDum, other);
}

// Every window bound to the log gets a status line; the main window's has three panels.
TEST(LogViews, StatusLinesOfEveryLogWindow) {
    TestApp t;
    EXPECT_TRUE(t.app.form1.Status.Visible());
    for (const auto& view : t.app.LogViews()) EXPECT_TRUE(view.form->Status.Visible()) << view.form->Name();
    const auto log = Copy(t, "logscan/water_opt_freq.log");
    ASSERT_TRUE(Open(t, log));
    const auto& main = t.app.form1.Status.Panels();
    ASSERT_EQ(main.size(), 3u);
    EXPECT_EQ(main[1], std::to_string(t.app.log.nline) + " lines");
    for (auto* form : {static_cast<ui::Form*>(&t.app.form2), static_cast<ui::Form*>(&t.app.form3),
                       static_cast<ui::Form*>(&t.app.form4)})
        EXPECT_EQ(form->Status.Text(), "Log: " + log) << form->Name();
}

// The IR/Raman window shows the modes of the log scanned last, and is hidden when that
// log has no frequencies.
TEST(LogViews, IrWindowFollowsTheScannedLog) {
    TestApp t;
    const auto a = Copy(t, "irraman/h2co_imaginary.log"), b = Copy(t, "irraman/h2co_two_freq_raman.log");
    ASSERT_TRUE(Open(t, a));
    ASSERT_TRUE(t.app.Dispatch([&t, &a] { t.app.form19.ShowSpectra(a); }));
    ASSERT_FALSE(t.app.form19.Modes().hasRaman);

    ASSERT_TRUE(Open(t, b));
    EXPECT_TRUE(t.app.form19.Visible());
    EXPECT_EQ(t.app.form19.LogFile(), b);
    EXPECT_TRUE(t.app.form19.Modes().hasRaman);
    EXPECT_EQ(t.app.form19.Status.Text(), "Log: " + b);

    ASSERT_TRUE(Open(t, Copy(t, "logscan/water_sp.log")));
    EXPECT_FALSE(t.app.form19.Visible());
}

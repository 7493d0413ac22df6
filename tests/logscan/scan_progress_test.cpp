// Progress of "Open Log/Out File (Opt,Freq)" and the Cancel the user may press meanwhile.
#include <gtest/gtest.h>

#include <string>

#include "logscan/log_scan.h"
#include "scan_test_support.h"

namespace {

using namespace scan_test;
using testing_support::TestApp;

// The water fixture with 3 MB of link-exit lines before its termination line, so each
// whole-file pass fetches several blocks and reports inside its phase.
std::string LongLog(const TestApp& t) {
    return Variant(t, "water_opt_freq.log", "long.log", [](std::vector<std::string>& lines) {
        std::vector<std::string> pad(40000, " Leave Link  601 at Wed Dec  9 08:00:00 2026, MaxMem=  268435456 cpu:  0.1");
        lines.insert(lines.begin() + static_cast<long>(Find(lines, "Normal termination")), pad.begin(), pad.end());
    });
}

TEST(ScanProgress, ReportsEveryPhaseInOrderWithTheShareRead) {
    TestApp t;
    ASSERT_TRUE(Open(t, LongLog(t)));
    const auto& reports = t.platform.progress;
    const auto phases = mavrolin::logscan::ScanPhases();
    ASSERT_FALSE(reports.empty());
    // Shown once the file is chosen: from the second phase to the last, none left out.
    EXPECT_EQ(reports.front().step, 1);
    EXPECT_EQ(reports.back().step, static_cast<int>(phases.size()) - 1);
    int inside = 0;  // reports strictly inside a whole-file pass
    for (size_t i = 0; i < reports.size(); ++i) {
        const auto& r = reports[i];
        EXPECT_EQ(r.steps, static_cast<int>(phases.size()));
        EXPECT_EQ(r.phase, phases[static_cast<size_t>(r.step)].name);
        EXPECT_GE(r.fraction, 0.0);
        EXPECT_LE(r.fraction, 1.0);
        if (i == 0) continue;
        const auto& prev = reports[i - 1];
        if (r.step == prev.step) {
            EXPECT_GE(r.fraction, prev.fraction) << r.phase;
        } else {
            EXPECT_EQ(r.step, prev.step + 1) << "phases run in list order, each reported";
            EXPECT_EQ(r.fraction, 0.0);
        }
        if (r.phase == "read the log" && r.fraction > 0 && r.fraction < 1) ++inside;
    }
    EXPECT_GE(inside, 1);
    EXPECT_EQ(t.platform.progressEnded, 1);
    EXPECT_EQ(t.app.log.ndone, 3);
}

// Cancel pressed in a phase leaves what a failed open leaves: the tables and the keyword
// index empty, nothing counted, a message; the next open works as usual.
TEST(ScanProgress, CancelLeavesTheFailedOpenState) {
    struct Case {
        const char* phase;
        int afterReports;
    };
    for (const Case& c : {Case{"read the log", 1}, Case{"index the keywords", 1}, Case{"SCF table", 0},
                          Case{"excited states", 0}}) {
        SCOPED_TRACE(c.phase);
        TestApp t;
        const auto good = Fixture("water_opt_freq.log");
        ASSERT_TRUE(Open(t, good));
        ASSERT_GT(t.app.form3.StringGrid1.RowCount(), 1);

        const auto path = LongLog(t);
        t.platform.cancelInPhase = c.phase;
        t.platform.cancelAfterReports = c.afterReports;
        t.platform.messages.clear();
        EXPECT_TRUE(Open(t, path)) << "a cancel is not an error";
        const auto& log = t.app.log;
        EXPECT_EQ(t.platform.progress.back().phase, c.phase) << "nothing reported after the cancel";
        EXPECT_EQ(t.platform.progressEnded, 2);
        ASSERT_FALSE(t.platform.messages.empty());
        EXPECT_EQ(t.platform.messages.back().text, "Scan cancelled: nothing of " + path + " was loaded.");
        EXPECT_TRUE(log.keywords.empty());
        EXPECT_EQ(t.app.form3.StringGrid1.RowCount(), 1);
        EXPECT_EQ(t.app.form1.StringGrid1.RowCount(), 2);
        EXPECT_EQ(t.app.form1.StringGrid1.Cell(1, 1), "");
        EXPECT_EQ(t.app.form4.StringGrid1.RowCount(), 2);
        EXPECT_EQ(log.ndone, 0);
        EXPECT_EQ(log.nfreq, 0);
        EXPECT_EQ(log.nexstt, 0);
        EXPECT_FALSE(t.app.form1.StringGrid2.Visible());

        t.platform.cancelInPhase.clear();
        ASSERT_TRUE(Open(t, path));
        EXPECT_EQ(log.ndone, 3);
        EXPECT_GT(t.app.form3.StringGrid1.RowCount(), 1);
    }
}

}  // namespace

namespace {

// File > "Recent Files": a scanned log is added and stored; an entry opens its log; a
// gone file is dropped with a message. A failed or cancelled open adds nothing.
TEST(RecentFilesMenu, ScannedLogsAreListedStoredAndReopened) {
    TestApp t;
    auto& main = t.app.form1;
    EXPECT_FALSE(main.RecentFiles1.Enabled());
    const auto water = Fixture("water_opt_freq.log");
    const auto sp = Fixture("water_sp.log");
    ASSERT_TRUE(Open(t, water));
    ASSERT_TRUE(Open(t, sp));
    EXPECT_EQ(t.platform.recentFiles, (std::vector<std::string>{sp, water}));
    EXPECT_TRUE(main.RecentFiles1.Enabled());
    EXPECT_EQ(main.RecentFileItems[1].Caption(), water);
    EXPECT_TRUE(main.RecentFileItems[1].Visible());
    EXPECT_FALSE(main.RecentFileItems[2].Visible());

    const auto shortLog = t.write("short.log", " Entering Gaussian System\n");
    Open(t, shortLog);
    t.platform.cancelInPhase = "count the keywords";
    Open(t, water);
    t.platform.cancelInPhase.clear();
    EXPECT_EQ(t.platform.recentFiles, (std::vector<std::string>{sp, water}));

    // Picking the second entry scans it without asking and moves it to the top.
    const size_t asked = t.platform.openRequests.size();
    main.RecentFileItems[1].Click();
    EXPECT_EQ(t.platform.openRequests.size(), asked + 1);
    EXPECT_EQ(t.app.log.FileDum, water);
    EXPECT_EQ(t.app.log.ndone, 3);
    EXPECT_EQ(main.RecentFileItems[0].Caption(), water);

    // A restart reads the stored list back.
    TestApp again;
    again.platform.recentFiles = {t.dir / "gone.log", water};
    mavrolin::Application app(again.platform, again.dir.path());
    EXPECT_EQ(app.form1.RecentFileItems[0].Caption(), (t.dir / "gone.log").string());
    app.form1.RecentFileItems[0].Click();
    EXPECT_EQ(again.platform.MessageTexts().back(),
              "The file " + (t.dir / "gone.log").string() + " no longer exists; it was removed from Recent Files.");
    EXPECT_EQ(again.platform.recentFiles, (std::vector<std::string>{water}));
    EXPECT_EQ(app.form1.RecentFileItems[0].Caption(), water);
    EXPECT_FALSE(app.form1.RecentFileItems[1].Visible());
}

}  // namespace

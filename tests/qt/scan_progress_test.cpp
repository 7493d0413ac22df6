// The progress panel of the main window during "Open Log/Out File (Opt,Freq)".
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <fstream>

#include "app/application.h"
#include "app/desktop_session.h"
#include "qt_support.h"
#include "support/test_app.h"
#include "ui/qt/binding.h"
#include "ui/qt/progress_panel.h"
#include "ui/qt/widgets.h"

using namespace mavrolin::qt;

namespace {

// The water fixture with 3 MB of link-exit lines before its termination line.
std::string LongLog(const testing_support::TempDir& dir) {
    std::ifstream in(testing_support::TestApp::data("logscan/water_opt_freq.log"));
    std::string text;
    for (std::string line; std::getline(in, line);) {
        if (line.find("Normal termination") != std::string::npos)
            for (int i = 0; i < 40000; ++i) text += " Leave Link  601 at Wed Dec  9 08:00:00 2026, MaxMem=  268435456\n";
        text += line + "\n";
    }
    auto path = (dir / "long.log").string();
    testing_support::WriteFile(path, text);
    return path;
}

TEST(DesktopScanProgress, CancelInThePanelStopsTheScanAndBlocksOtherInput) {
    qt_testing::QtApp();
    testing_support::TempDir dir;
    DesktopSession session(dir.path());
    session.App().form1.Show();
    qt_testing::Settle();
    ProgressPanel* panel = session.Platform().Panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());
    const std::string path = LongLog(dir);

    bool shown = false, menuBlocked = false, aboveStatus = false;
    std::string phase;
    QTimer::singleShot(0, [&] {
        shown = panel->isVisible();
        // The panel leaves the status line below it in view.
        const QStatusBar* status = session.Binding().WindowOf(session.App().form1)->statusBar();
        aboveStatus = status->isVisible() && panel->geometry().bottom() < status->geometry().top();
        phase = panel->findChild<QLabel*>()->text().toStdString();
        // A click on the menu bar while the scan runs is swallowed.
        QMenuBar* bar = session.Binding().WindowOf(session.App().form1)->menuBar();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(bar->mapToGlobal(QPoint(5, 5))),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &press);
        menuBlocked = bar->activeAction() == nullptr;
        panel->findChild<QPushButton*>()->click();
    });
    qt_testing::ModalCloser closer;
    session.OpenFile(path);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(aboveStatus);
    EXPECT_EQ(phase, "count the lines (1 of 10)");
    EXPECT_TRUE(menuBlocked);
    EXPECT_FALSE(panel->isVisible());
    ASSERT_FALSE(closer.Texts().empty());
    EXPECT_EQ(closer.Texts().back(), "Scan cancelled: nothing of " + path + " was loaded.");
    EXPECT_EQ(session.App().form3.StringGrid1.RowCount(), 1);

    // Input passes again, and the next open runs to the end.
    session.OpenFile(path);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(session.App().log.ndone, 3);
}

}  // namespace

namespace {

// The "Recent Files" list survives a restart through the settings store (redirected to a
// temporary folder for the tests).
TEST(DesktopRecentFiles, RoundTripThroughTheSettingsFile) {
    qt_testing::QtApp();
    testing_support::TempDir dir;
    const std::string log = testing_support::TestApp::data("logscan/water_opt_freq.log");
    qt_testing::ModalCloser closer;  // the scan's closing messages
    {
        DesktopSession session(dir.path());
        session.Platform().StoreRecentFiles({});
        session.OpenFile(log);
        EXPECT_EQ(session.App().form1.Recent().Paths(), std::vector<std::string>{log});
    }
    const QString file = QSettings().fileName();
    EXPECT_TRUE(QFileInfo(file).isFile());
    EXPECT_FALSE(file.startsWith(QDir::homePath() + "/.config")) << file.toStdString();
    DesktopSession restarted(dir.path());
    EXPECT_EQ(restarted.App().form1.RecentFileItems[0].Caption(), log);
    QAction* entry = restarted.Binding().ActionOf(restarted.App().form1.RecentFileItems[0]);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text().toStdString(), log);
    restarted.Platform().StoreRecentFiles({});
}

}  // namespace

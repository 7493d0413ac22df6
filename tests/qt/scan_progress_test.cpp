// The progress panel of the main window during "Open Log/Out File (Opt,Freq)".
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
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
    EXPECT_EQ(phase, "read the log (1 of 10)");
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


// A person answering each box in turn by a click on OK, Return, Space or Escape (ticking its
// check box first when `tick` is set). A box still open after three answers took none: it
// is closed and counted as stuck, so that a test fails instead of hanging.
struct Person {
    explicit Person(const QtPlatform& platform) {
        QObject::connect(&timer, &QTimer::timeout, [this, &platform] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            if (box != last) duringScan += platform.Panel()->isVisible(), tries = 0, last = box;
            if (++tries > 3) return ++stuck, box->done(QMessageBox::Ok);
            if (tick && box->checkBox()) QTest::mouseClick(box->checkBox(), Qt::LeftButton);
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            const int way = answered % 4;
            if (way == 0) QTest::mouseClick(ok, Qt::LeftButton);
            if (way == 1 || way == 3) QTest::keyClick(box, way == 1 ? Qt::Key_Return : Qt::Key_Escape);
            if (way == 2) QTest::keyClick(ok, Qt::Key_Space);
            answered += !box->isVisible();
        });
        timer.start(20);
    }
    QTimer timer;
    QMessageBox* last = nullptr;
    bool tick = false;
    int tries = 0, answered = 0, stuck = 0, duringScan = 0;
};

struct ScanBoxesTest : ::testing::Test {
    ScanBoxesTest() : session((qt_testing::QtApp(), dir.path())) {  // the QApplication first
        session.App().form1.Show();
        session.Platform().Messages().SetInStatusBar(false);
        qt_testing::Settle();
    }
    ~ScanBoxesTest() override { session.Platform().Messages().SetInStatusBar(false); }
    testing_support::TempDir dir;
    DesktopSession session;
};

TEST_F(ScanBoxesTest, BoxesOpenedDuringAScanTakeTheirAnswers) {
    const auto corpus = testing_support::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "corpus absent";
    Person person(session.Platform());
    // Several blocks of orbital energies, then an optimisation: every way of answering is used.
    for (const char* log : {"g16/Mo4OCl4-sp.log", "g16/dvb_gopt.out"}) {
        session.OpenFile((corpus / log).string());
        EXPECT_EQ(person.stuck, 0) << log;
        EXPECT_EQ(session.App().log.FileDum, (corpus / log).string());
        EXPECT_GT(session.App().form3.StringGrid1.RowCount(), 10) << log;  // the scan ran to its end
        EXPECT_GT(session.App().form6.StringGrid1.RowCount(), 10) << log;
    }
    EXPECT_GE(person.duringScan, 4);
    EXPECT_GE(person.answered, person.duringScan);
}

TEST_F(ScanBoxesTest, InformationMovesToTheStatusBarOnceTickedAndBackWhenUnticked) {
    QtPlatform& platform = session.Platform();
    const std::string log = testing_support::TestApp::data("logscan/water_opt_freq.log");
    auto person = std::make_unique<Person>(platform);
    person->tick = true;
    session.OpenFile(log);
    EXPECT_EQ(person->answered, 1);  // the first box; the rest went to the status bar
    person.reset();
    const size_t messages = platform.Messages().Count();
    EXPECT_GE(messages, 2u);
    EXPECT_TRUE(QSettings().value(QStringLiteral("scanInfoInStatusBar")).toBool());
    QStatusBar* status = session.Binding().WindowOf(session.App().form1)->statusBar();
    EXPECT_FALSE(status->currentMessage().isEmpty());
    // The message stands alone in the line, also once the window is shown again; the panels
    // (file, lines, termination) come back when it goes.
    auto panelsShown = [status] {
        int shown = 0;
        for (QLabel* label : status->findChildren<QLabel*>()) shown += label->isVisible() && !label->text().isEmpty();
        return shown;
    };
    session.App().form1.Show();
    qt_testing::Settle();
    EXPECT_EQ(panelsShown(), 0);
    status->clearMessage();
    EXPECT_EQ(panelsShown(), 3);

    session.Binding().ActionOf(session.App().form1.ScanMessages1)->trigger();
    QDialog* window = platform.Messages().Window();
    ASSERT_TRUE(window && window->isVisible());
    const QString text = window->findChild<QPlainTextEdit*>()->toPlainText();
    EXPECT_EQ(static_cast<size_t>(text.count(QRegularExpression(QStringLiteral("(^|\n)\\d\\d:\\d\\d:\\d\\d  \\S")))),
              messages);
    QTest::mouseClick(window->findChild<QCheckBox*>(), Qt::LeftButton);
    EXPECT_FALSE(platform.Messages().InStatusBar());
    qt_testing::ModalCloser closer;  // every message boxed again
    session.OpenFile(log);
    EXPECT_EQ(closer.seen.size(), platform.Messages().Count());
}

}  // namespace

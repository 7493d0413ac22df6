// The desktop program as a whole: every window, the main menu, opening a file from the
// command line or by a drop, and the exit sequence.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QThread>
#include <QTimer>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <cstdlib>
#include <filesystem>

#include "app/application.h"
#include "qt_support.h"
#include "support/test_app.h"
#include "ui/qt/binding.h"
#include "app/desktop_session.h"
#include "ui/qt/widgets.h"

using namespace mavrolin::qt;
using qt_testing::ModalCloser;
using qt_testing::Settle;

namespace {

class DesktopTest : public ::testing::Test {
protected:
    DesktopTest() {
        qt_testing::QtApp();
        session = std::make_unique<DesktopSession>(dir.path());
        Settle();
    }
    // Whatever a test clicked, no handler may have ended in a programming error.
    void TearDown() override { EXPECT_EQ(session->Dispatch().InternalErrors(), 0); }
    mavrolin::Application& app() { return session->App(); }
    FormWindow* MainWindow() { return session->Binding().WindowOf(app().form1); }
    QAction* Action(ui::MenuItem& item) { return session->Binding().ActionOf(item); }

    testing_support::TempDir dir;
    std::unique_ptr<DesktopSession> session;
};

TEST_F(DesktopTest, StartsWithEveryWindowAndOnlyTheMainOneShown) {
    const std::vector<std::string> captions = {
        "Mavrolin 2025 (February 9, 2025)",
        "SCF Energy Change Profile during Opt (No chemical meaning!)",
        "Log/Out Analysis Report",
        "Frequencies and Other Reports",
        "Help",
        "List of MO Energy Levels Imported",
        "Comparison of MO Energy Levels",
        "Graphics Settings",
        "Spectral Simulation Using TD-DFT Results",
        "Graphics Setting for TD-DFT Spectral Simulation",
        "ESI Report Format",
        "Contributions",
        "Form13",
        "MO Coefficients",
        "Projected Density Of States (PDOS)",
        "Projected DOS Diagram",
        "BS Names",
        "IR/Raman Spectra",
        "Thermochemistry of Several Logs"};
    auto forms = app().Forms();
    ASSERT_EQ(forms.size(), captions.size());
    for (size_t i = 0; i < forms.size(); ++i) {
        FormWindow* w = session->Binding().WindowOf(*forms[i]);
        ASSERT_NE(w, nullptr) << i;
        EXPECT_EQ(w->windowTitle().toStdString(), captions[i]);
        EXPECT_EQ(w->isVisible(), i == 0) << captions[i];
    }
    // The main window's client area is what the program set, its menu bar excluded.
    EXPECT_EQ(MainWindow()->ClientArea()->size(), QSize(1038, 532));
    EXPECT_EQ(app().form1.ClientWidth(), 1038);
    EXPECT_EQ(app().form1.ClientHeight(), 532);
}

TEST_F(DesktopTest, MainMenuHasItsItemsAndShortcuts) {
    QList<QAction*> bar = MainWindow()->menuBar()->actions();
    std::vector<std::string> top;
    for (QAction* a : bar) top.push_back(a->text().toStdString());
    EXPECT_EQ(top, (std::vector<std::string>{"File", "View Results", "Show Z-matrix", "Help"}));
    QList<QAction*> file = bar[0]->menu()->actions();
    ASSERT_EQ(file.size(), 21);  // "Save as XYZ…" beside "Save Cartesian Coordinates with Labels"
    EXPECT_EQ(file[5]->text(), QString::fromUtf8("Save as XYZ\u2026"));
    EXPECT_EQ(file[0]->text(), QString("Open Log/Out File (Opt,Freq)"));
    EXPECT_EQ(file[2]->text(), QString("Recent Files"));
    EXPECT_NE(file[2]->menu(), nullptr);
    EXPECT_EQ(file.back()->text(), QString("Exit"));
    int separators = 0;
    for (QAction* a : file) separators += a->isSeparator();
    EXPECT_EQ(separators, 5);

    EXPECT_EQ(Action(app().form1.OpenLOG1)->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(Action(app().form1.Exit1)->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_FALSE(Action(app().form1.SpectraTDDFTResults1)->isEnabled());
    app().form1.SpectraTDDFTResults1.SetEnabled(true);
    EXPECT_TRUE(Action(app().form1.SpectraTDDFTResults1)->isEnabled());
}

TEST_F(DesktopTest, ChoosingHelpShowsTheHelpWindowCentredOnTheMainWindow) {
    Action(app().form1.Help1)->trigger();
    Settle();
    FormWindow* help = session->Binding().WindowOf(app().form5);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->pos(), QPoint(app().form5.Left(), app().form5.Top()));
    const auto& f1 = app().form1;
    EXPECT_EQ(app().form5.Top(), f1.Top() + f1.Height() / 2 - app().form5.Height() / 2);
}

TEST_F(DesktopTest, FileNamedOnTheCommandLineOrDroppedIsOpenedAsTheMenuWould) {
    std::vector<std::string> opened;
    auto& item = app().form1.OpenLOG1;
    item.OnClick = [&] {
        auto path = app().platform.OpenFileDialog(app().form1.DialogOptions("Open", "Log|*.log"));
        opened.push_back(path.value_or("<cancelled>"));
    };
    item.SetEnabled(false);
    EXPECT_FALSE(session->OpenFile("job.log"));
    item.SetEnabled(true);
    ASSERT_TRUE(session->OpenFile(std::string(dir.path() / "job.log")));
    EXPECT_EQ(opened, (std::vector<std::string>{(dir.path() / "job.log").string()}));
    EXPECT_FALSE(session->Platform().HasPresetOpenAnswer());

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((dir.path() / "dropped.out").string()))});
    QDragEnterEvent enter(QPoint(20, 40), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(MainWindow(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 40), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(MainWindow(), &drop);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1], (dir.path() / "dropped.out").string());

    // A relative name is taken from the current directory before any handler moves it.
    auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    session->OpenFile("rel.log");
    std::filesystem::current_path(cwd);
    EXPECT_EQ(opened[2], (std::filesystem::canonical(dir.path()) / "rel.log").string());
}

// Several logs dropped on the thermochemistry window become rows, the main window opens none.
TEST_F(DesktopTest, LogsDroppedOnTheThermochemistryWindowAreAllAdded) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const char* name : {"h2o2_gauche.log", "h2o2_trans.log", "c2h_linear_ts.log"})
        urls << QUrl::fromLocalFile(QString::fromStdString(testing_support::TestApp::data(std::string("thermo/") + name)));
    mime.setUrls(urls);
    FormWindow* window = session->Binding().WindowOf(app().thermo);
    QDragEnterEvent enter(QPoint(20, 40), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 40), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    EXPECT_EQ(app().thermo.Rows().size(), 3u);
    EXPECT_TRUE(app().scannedLog.empty());
}

TEST_F(DesktopTest, ClosingTheMainWindowRunsTheExitSequence) {
    app().log.sleeptime = 0;
    session->Binding().WindowOf(app().form5)->show();
    MainWindow()->close();
    Settle();
    EXPECT_TRUE(session->Platform().QuitRequested());
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(app().Forms()[i]->Released()) << i;
    EXPECT_FALSE(MainWindow()->isVisible());
}

TEST_F(DesktopTest, ExitFromTheMenuEndsTheProgramToo) {
    app().log.sleeptime = 0;
    Action(app().form1.Exit1)->trigger();
    EXPECT_TRUE(session->Platform().QuitRequested());
    EXPECT_TRUE(app().form1.Released());
}

TEST_F(DesktopTest, ExitEndsTheRunningEventLoop) {
    app().log.sleeptime = 0;
    QTimer exit, safety;
    exit.setSingleShot(true);
    safety.setSingleShot(true);
    QObject::connect(&exit, &QTimer::timeout, [&] { Action(app().form1.Exit1)->trigger(); });
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    exit.start(0);
    safety.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(session->Platform().QuitRequested());
}

TEST_F(DesktopTest, PlatformServicesAnswer) {
    auto& p = session->Platform();
    auto monitor = p.MonitorSize(app().form1);
    EXPECT_GT(monitor.width, 0);
    EXPECT_GT(monitor.height, 0);
    p.CopyToClipboard("HOMO -> LUMO 98%");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("HOMO -> LUMO 98%"));
    std::string when = p.DateTimeText();
    EXPECT_NE(when.find(std::to_string(QDate::currentDate().year())), std::string::npos) << when;
    EXPECT_NE(when.find(':'), std::string::npos) << when;
    EXPECT_EQ(QtPlatform::QtFilter("Log files (*.log)|*.log;*.out|All files|*.*"),
              "Log files (*.log) (*.log *.out);;All files (*.*)");

    // Pending grid refreshes are applied when the program processes messages.
    app().form1.StringGrid1.SetCell(1, 1, "-76.4");
    p.ProcessMessages();
    auto* view = session->Binding().GridOf(app().form1.StringGrid1);
    EXPECT_FALSE(view->RefreshPending());
    EXPECT_EQ(view->model()->data(view->model()->index(0, 1)).toString(), QString("-76.4"));
}

TEST_F(DesktopTest, ErrorOfAMenuHandlerIsReportedAndTheWindowStays) {
    ModalCloser closer;
    app().form1.ShowZmatrix1.OnClick = [] { throw std::runtime_error("No Z-matrix was found."); };
    app().form1.ShowZmatrix1.SetEnabled(true);
    Action(app().form1.ShowZmatrix1)->trigger();
    EXPECT_EQ(closer.Texts(), (std::vector<std::string>{"No Z-matrix was found."}));
    EXPECT_TRUE(MainWindow()->isVisible());
    EXPECT_FALSE(session->Platform().QuitRequested());
}

// Writes a picture of the screen with the main window and its View Results menu open, for the
// documentation. Runs only when MAVROLIN_SCREENSHOT names the file (under a real X
// server, for example xvfb-run).
TEST_F(DesktopTest, Screenshot) {
    const char* out = std::getenv("MAVROLIN_SCREENSHOT");
    if (!out || !*out) GTEST_SKIP() << "set MAVROLIN_SCREENSHOT to write one";
    // The bundled example when this build can scan it, otherwise a few sample rows.
    ModalCloser closer;
    const std::string example = std::string(MAVROLIN_TEST_DATA) + "/../../examples/opt_freq_td.log";
    if (!std::filesystem::exists(example) || !session->OpenFile(example)) {
        auto& grid = app().form1.StringGrid1;
        const char* heads[] = {"Step", "SCF Energy", "Max Force", "RMS Force", "Max Displ", "RMS Displ"};
        grid.SetColCount(6);
        grid.SetRowCount(9);
        for (int c = 0; c < 6; ++c) grid.SetCell(c, 0, heads[c]);
        for (int r = 1; r < 9; ++r) {
            grid.SetCell(0, r, std::to_string(r));
            // Texts appended piece by piece: GCC 12 at -O3 warns falsely on "-" + string.
            std::string energy = "-";
            energy.append(std::to_string(155.03 + 0.0001 * r * r), 0, 11);
            grid.SetCell(1, r, energy);
            for (int c = 2; c < 6; ++c) {
                std::string small = "0.00";
                small += std::to_string(900 / (r * c));
                grid.SetCell(c, r, small);
            }
        }
    }
    FormWindow* w = MainWindow();
    w->raise();
    Settle();
    QMenu* file = w->menuBar()->actions()[1]->menu();
    w->menuBar()->setActiveAction(w->menuBar()->actions()[1]);
    for (int i = 0; i < 40; ++i) {
        Settle();
        QThread::msleep(25);
    }
    ASSERT_TRUE(file->isVisible());
    QScreen* screen = QGuiApplication::primaryScreen();
    QRect area = w->frameGeometry().united(file->geometry()).adjusted(0, 0, 8, 8);
    QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    ASSERT_TRUE(shot.save(QString::fromLocal8Bit(out), "PNG"));
    file->close();
}

}  // namespace

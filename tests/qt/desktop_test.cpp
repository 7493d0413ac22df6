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
#include <QLabel>
#include <QTest>
#include <QMenu>
#include <QMenuBar>
#include <QHeaderView>
#include <QScrollBar>
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
        "Thermochemistry of Several Logs",
        "ECD Spectrum",
        "Weighted Spectrum"};
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

// A window shown again comes to the front, restored when minimised; the spectrum settings
// show wavelengths in red and wavenumbers in blue; the contributions window opens at the
// Ctrl-click, whatever the status line below the plot.
TEST_F(DesktopTest, WindowsComeBackLabelsKeepTheirColoursContributionsOpenAtTheClick) {
    ModalCloser closer;  // the scan's messages and those of the spectrum window
    ASSERT_TRUE(session->OpenFile(testing_support::TestApp::data("spectrum/td_closed.log")));
    auto openSpectrum = [this] { session->Dispatch().Run([this] { app().form1.SpectraTDDFTResults1.Click(); }); };
    openSpectrum();
    FormWindow* spectrum = session->Binding().WindowOf(app().form9);
    spectrum->showMinimized();
    openSpectrum();
    EXPECT_TRUE(spectrum->isVisible() && !spectrum->isMinimized());

    auto colourOf = [this](const ui::Control& c) { return session->Binding().WidgetOf(c)->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colourOf(app().form10.kayser_max), QColor(Qt::blue));
    EXPECT_EQ(colourOf(app().form10.kayser_min), QColor(Qt::blue));
    QStringList red;
    for (auto* label : session->Binding().WindowOf(app().form10)->findChildren<QLabel*>())
        if (label->palette().color(QPalette::WindowText) == QColor(Qt::red)) red << label->text();
    EXPECT_EQ(red, QStringList({"Minimum Wavelength (nm)", "Maximum Wavelength (nm)"}));

    QWidget* plot = session->Binding().WidgetOf(app().form9.PaintBox1);
    const QPoint at(app().form9.GetXPoint(1) + 3, 150), screen = plot->mapToGlobal(at);
    QTest::mouseClick(plot, Qt::LeftButton, Qt::ControlModifier, at);  // under the plot: a status line
    ASSERT_TRUE(app().form12.Visible());
    EXPECT_EQ(app().form12.Top(), screen.y());
    EXPECT_EQ(app().form12.Left(), screen.x() - app().form12.Width() / 2);
}

// The coefficient window through the real table: ranges made by Shift-click and by dragging
// reach ApplyToAll, a header double-click toggles nothing, and the pop-up and the basis-set
// names open at the click in a scrolled table.
TEST_F(DesktopTest, CoefficientTableRangesHeaderDoubleClickAndClickPointsWhenScrolled) {
    {
        ModalCloser closer;  // the scan's messages
        session->OpenFile(testing_support::TestApp::data("pdos/closed.log"));
    }
    auto& coeff = app().form14;
    coeff.SetBounds(40, 40, 420, 300);
    coeff.Show();
    Settle();
    GridView* view = session->Binding().GridOf(coeff.StringGrid1);
    QWidget* cells = view->viewport();
    auto cell = [&](int gcol, int grow) {  // centre of a grid cell, scrolled into view
        QModelIndex idx = view->Model().index(grow - view->Model().HeaderRows(), gcol - view->Model().HeaderCols());
        view->scrollTo(idx);
        return view->visualRect(idx).center();
    };
    auto inSet = [&](int ao) { return coeff.StringGrid1.Cell(0, ao).rfind('#', 0) == 0; };
    ASSERT_EQ(coeff.StringGrid1.RowCount(), 9);  // 7 AOs between the header and the sum row

    // A double-click on the header row toggles nothing; one on an AO toggles it.
    QTest::mouseClick(cells, Qt::LeftButton, {}, cell(1, 3));
    QTest::mouseDClick(view->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    Settle();
    EXPECT_FALSE(inSet(3));
    QTest::mouseDClick(cells, Qt::LeftButton, {}, cell(1, 3));
    EXPECT_TRUE(inSet(3));

    // Shift-click: ApplyToAll toggles every row of the range.
    QTest::mouseClick(cells, Qt::LeftButton, {}, cell(1, 2));
    QTest::mouseClick(cells, Qt::LeftButton, Qt::ShiftModifier, cell(1, 5));
    Settle();
    EXPECT_EQ(coeff.StringGrid1.Selection(), (ui::GridRect{1, 2, 1, 5}));
    session->Dispatch().Run([&] { coeff.AdoptAll1.Click(); }, "AdoptAll1");
    for (int ao = 1; ao <= 7; ++ao) EXPECT_EQ(inSet(ao), ao == 2 || ao == 4 || ao == 5) << ao;
    // A range dragged out with the button held.
    QTest::mousePress(cells, Qt::LeftButton, {}, cell(2, 6));
    QTest::mouseMove(cells, cell(3, 7));
    QTest::mouseRelease(cells, Qt::LeftButton, {}, cell(3, 7));
    EXPECT_EQ(coeff.StringGrid1.Selection(), (ui::GridRect{2, 6, 3, 7}));

    // Scrolled down, Alt+right-click and Ctrl+right-click open at the click.
    coeff.SetClientHeight(80);
    Settle();
    const QPoint at = cell(1, 7);
    ASSERT_GT(view->verticalScrollBar()->value(), 0);
    const QPoint screen = cells->mapToGlobal(at);
    QTest::mouseClick(cells, Qt::RightButton, Qt::AltModifier, at);
    EXPECT_TRUE(app().form18.Visible());
    EXPECT_EQ(app().form18.Left(), screen.x());
    EXPECT_EQ(app().form18.Top(), screen.y() - coeff.StringGrid1.Height() / 3);
    QTest::mouseClick(cells, Qt::RightButton, Qt::ControlModifier, at);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_LE((menu->pos() - screen).manhattanLength(), 2);
    menu->close();
}


}  // namespace

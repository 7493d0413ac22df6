// Model controls and their widgets stay in step in both directions, and every handler
// runs through the dispatch point.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QPushButton>
#include <QScrollBar>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "core/errors.h"
#include "qt_support.h"
#include "ui/qt/binding.h"
#include "ui/qt/qt_canvas.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/widgets.h"

using namespace mavrolin::qt;
using qt_testing::ModalCloser;
using qt_testing::Settle;

namespace {

struct TestForm : ui::Form {
    TestForm()
        : ui::Form("TestForm", "Test & window"),
          Grid(this, "Grid"),
          Spin(this, "Spin"),
          Text(this, "Text"),
          Check(this, "Check"),
          Go(this, "Go"),
          Notes(this, "Notes"),
          Caption(this, "Caption"),
          Box(this, "Box"),
          Scroll(this, "Scroll"),
          Inside(&Scroll, "Inside"),
          Progress(this, "Progress"),
          Legend(this, "Legend") {
        SetBounds(40, 30, 700, 500);
        Grid.SetBounds(0, 0, 420, 200);
        Spin.SetBounds(430, 0, 80, 24);
        Text.SetBounds(430, 30, 120, 24);
        Check.SetBounds(430, 60, 120, 24);
        Go.SetBounds(430, 90, 80, 24);
        Notes.SetBounds(430, 120, 200, 60);
        Caption.SetBounds(430, 190, 100, 20);
        Box.SetBounds(0, 210, 300, 200);
        Scroll.SetBounds(310, 210, 150, 100);
        Inside.SetBounds(0, 400, 60, 20);
        Progress.SetBounds(310, 320, 150, 16);
        Legend.SetBounds(310, 340, 300, 24);
        Menu.Add(File);
        File.Add(Run);
        File.AddSeparator();
        File.Add(Toggle);
        File.Add(Fails);
        Menu.Add(Help);
    }
    ui::StringGrid Grid;
    ui::SpinEdit Spin;
    ui::Edit Text;
    ui::CheckBox Check;
    ui::Button Go;
    ui::Memo Notes;
    ui::Label Caption;
    ui::PaintBox Box;
    ui::ScrollBox Scroll;
    ui::Label Inside;
    ui::ProgressBar Progress;
    ui::LegendGrid Legend;
    ui::MenuItem File{"File"}, Run{"Run && see"}, Toggle{"Toggle"}, Fails{"Fails"}, Help{"Help"};
};

class BindingTest : public ::testing::Test {
protected:
    BindingTest() : dispatch([this](const std::string& t) { platform.ErrorMessage(t); }), binding(dispatch) {
        qt_testing::QtApp();
    }
    void SetUp() override {
        platform.SetBinding(&binding);
        window = &binding.Bind(form);
        form.Show();
        Settle();
    }
    void TearDown() override { platform.SetBinding(nullptr); }
    template <class W>
    W* Widget(const ui::Control& c) {
        return dynamic_cast<W*>(binding.WidgetOf(c));
    }
    // Sends a mouse press (or double click) to a widget at a point.
    static void Press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton,
                      Qt::KeyboardModifiers mods = Qt::NoModifier, QEvent::Type type = QEvent::MouseButtonPress) {
        QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), b, b, mods);
        QCoreApplication::sendEvent(w, &e);
    }

    TestForm form;  // outlives the binding, as the application does
    QtPlatform platform;
    Dispatcher dispatch;
    QtBinding binding;
    FormWindow* window = nullptr;
};

// ---------------------------------------------------------------- windows and menus

TEST_F(BindingTest, WindowFollowsTheFormAndTheFormFollowsTheWindow) {
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QString("Test & window"));
    EXPECT_EQ(window->ClientArea()->size(), QSize(form.ClientWidth(), form.ClientHeight()));
    const int clientW = form.ClientWidth(), clientH = form.ClientHeight();
    EXPECT_GT(form.FrameHeight(), 0) << "the menu bar is not client area";

    form.SetClientWidth(500);
    form.SetLeft(77);
    Settle();
    EXPECT_EQ(window->ClientArea()->width(), 500);
    EXPECT_EQ(window->pos(), QPoint(77, 30));
    EXPECT_EQ(form.ClientHeight(), clientH);
    (void)clientW;

    int resized = 0;
    form.OnResize = [&] { ++resized; };
    window->resize(640, 480);
    Settle();
    EXPECT_EQ(form.Width(), 640 + form.FrameWidth());
    EXPECT_EQ(form.ClientHeight(), window->ClientArea()->height());
    EXPECT_GE(resized, 1);

    form.SetCaption("Renamed");
    form.SetStayOnTop(true);
    EXPECT_EQ(window->windowTitle(), QString("Renamed"));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    form.Hide();
    EXPECT_FALSE(window->isVisible());
    form.Show();
    form.BringToFront();
    form.Refresh();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(BindingTest, ClosingAWindowRunsItsCloseReactionAndHidesIt) {
    int closed = 0;
    form.OnClose = [&] { ++closed; };
    window->close();
    Settle();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(BindingTest, MenusMirrorTheModelAndRunHandlers) {
    QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->text(), QString("File"));
    QList<QAction*> items = bar[0]->menu()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QString("Run &&&& see"));  // shown literally as "Run && see"
    EXPECT_TRUE(items[1]->isSeparator());

    int runs = 0;
    form.Run.OnClick = [&] { ++runs; };
    binding.ActionOf(form.Run)->trigger();
    EXPECT_EQ(runs, 1);

    form.Run.SetEnabled(false);
    EXPECT_FALSE(binding.ActionOf(form.Run)->isEnabled());
    binding.ActionOf(form.Run)->trigger();
    EXPECT_EQ(runs, 1);

    // A check mark shows only while the model sets it, whatever Qt toggles.
    QAction* toggle = binding.ActionOf(form.Toggle);
    EXPECT_FALSE(toggle->isCheckable());
    form.Toggle.OnClick = [&] { form.Toggle.SetChecked(!form.Toggle.Checked()); };
    toggle->trigger();
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(toggle->isChecked());
    form.Toggle.SetCaption("Renamed");
    EXPECT_EQ(toggle->text(), QString("Renamed"));
    form.Toggle.SetVisible(false);
    EXPECT_FALSE(toggle->isVisible());

    // A top-level item without children is an action of the bar itself.
    int help = 0;
    form.Help.OnClick = [&] { ++help; };
    bar[1]->trigger();
    EXPECT_EQ(help, 1);
}

TEST_F(BindingTest, PopupMenuShowsAtTheScreenPointAndRunsTheChosenItem) {
    int runs = 0;
    form.Run.OnClick = [&] { ++runs; };
    platform.PopupMenu(form.File, 120, 140);
    Settle();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->pos(), QPoint(120, 140));
    menu->actions()[0]->trigger();
    menu->close();
    Settle();
    EXPECT_EQ(runs, 1);
}

// ---------------------------------------------------------------- errors

TEST_F(BindingTest, AnErrorInAHandlerBecomesAMessageAndTheProgramGoesOn) {
    ModalCloser closer;
    int clicks = 0;
    form.Go.OnClick = [&] {
        ++clicks;
        if (clicks == 1) throw core::FileError("Cannot open \"x.log\".");
        if (clicks == 2) throw std::runtime_error("plain failure");
        if (clicks == 3) throw 42;
        if (clicks == 4) throw std::out_of_range("vector::_M_range_check");
    };
    auto* button = Widget<QPushButton>(form.Go);
    ASSERT_NE(button, nullptr);
    for (int i = 0; i < 5; ++i) button->click();
    EXPECT_EQ(clicks, 5);
    ASSERT_EQ(closer.seen.size(), 4u);
    EXPECT_EQ(closer.seen[0].text, "Cannot open \"x.log\".");
    EXPECT_EQ(closer.seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(closer.seen[1].text, "plain failure");
    // A programming error is no user message: it names the control whose handler failed.
    EXPECT_EQ(closer.seen[2].text, "Internal error in Go: unknown exception");
    EXPECT_EQ(closer.seen[3].text, "Internal error in Go: vector::_M_range_check");
    EXPECT_EQ(dispatch.Errors(), 4);
    EXPECT_EQ(dispatch.InternalErrors(), 2);

    form.Fails.OnClick = [] { throw core::ConversionError("\"1.2.3\" is not a number."); };
    binding.ActionOf(form.Fails)->trigger();
    EXPECT_EQ(closer.Texts().back(), "\"1.2.3\" is not a number.");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(BindingTest, MessagesAppearWhereTheProgramPutsThem) {
    ModalCloser closer;
    platform.MessageAt("Too short!", 150, 90);
    platform.MessageCentred("Done.");
    ASSERT_EQ(closer.seen.size(), 2u);
    EXPECT_EQ(closer.seen[0].text, "Too short!");
    EXPECT_EQ(closer.seen[0].pos, QPoint(150, 90));
    EXPECT_EQ(closer.seen[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(closer.seen[1].text, "Done.");
}

// ---------------------------------------------------------------- grids

TEST_F(BindingTest, GridShowsModelEditsAndHeaders) {
    GridView* view = binding.GridOf(form.Grid);
    ASSERT_NE(view, nullptr);
    QAbstractItemModel* m = view->model();
    EXPECT_EQ(m->rowCount(), 4);  // 5 rows less the header row
    EXPECT_EQ(m->columnCount(), 4);

    form.Grid.SetCell(2, 3, "-0.512");
    form.Grid.SetCell(2, 0, "Energy");
    form.Grid.SetCell(0, 3, "MO 3");
    Settle();
    EXPECT_EQ(m->data(m->index(2, 1)).toString(), QString("-0.512"));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QString("Energy"));
    EXPECT_EQ(m->headerData(2, Qt::Vertical).toString(), QString("MO 3"));

    form.Grid.SetRowCount(40);
    form.Grid.SetColCount(3);
    form.Grid.SetColWidth(2, 150);
    form.Grid.SetDefaultRowHeight(18);
    Settle();
    EXPECT_EQ(m->rowCount(), 39);
    EXPECT_EQ(m->columnCount(), 2);
    EXPECT_EQ(view->horizontalHeader()->sectionSize(1), 151);
    EXPECT_EQ(view->verticalHeader()->sectionSize(0), 19);
    EXPECT_EQ(m->data(m->index(2, 1)).toString(), QString("-0.512"));

    form.Grid.SetFixedRows(0);
    form.Grid.SetFixedCols(0);
    Settle();
    EXPECT_TRUE(view->horizontalHeader()->isHidden());
    EXPECT_EQ(m->rowCount(), 40);
    EXPECT_EQ(m->data(m->index(0, 2)).toString(), QString("Energy"));

    form.Grid.SetAlignment(ui::CellAlign::Right);
    Settle();
    EXPECT_TRUE(m->data(m->index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
}

TEST_F(BindingTest, CellTypedByTheUserReachesTheModel) {
    GridView* view = binding.GridOf(form.Grid);
    QAbstractItemModel* m = view->model();
    EXPECT_FALSE(m->setData(m->index(0, 0), "ignored") && form.Grid.Cell(1, 1) == "ignored");
    EXPECT_EQ(form.Grid.Cell(1, 1), "");

    form.Grid.Editable = true;
    form.Grid.SetCell(1, 1, "");
    form.Grid.SelectCell(2, 2);
    Settle();
    QModelIndex idx = m->index(1, 1);
    view->edit(idx);
    auto* editor = view->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("1.25");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &enter);
    Settle();
    EXPECT_EQ(form.Grid.Cell(2, 2), "1.25");
    EXPECT_EQ(m->data(idx).toString(), QString("1.25"));
}

TEST_F(BindingTest, ClicksSelectThroughTheModelAndReportButtonsKeysAndPosition) {
    GridView* view = binding.GridOf(form.Grid);
    std::vector<std::pair<int, int>> asked;
    form.Grid.OnSelectCell = [&](int c, int r, bool& can) {
        asked.emplace_back(c, r);
        can = c != 2;  // column 2 refuses
    };
    std::vector<ui::MouseEvent> downs;
    form.Grid.OnMouseDown = [&](const ui::MouseEvent& e) { downs.push_back(e); };
    int dbl = 0;
    form.Grid.OnDblClick = [&] { ++dbl; };

    QAbstractItemModel* m = view->model();
    QRect cell = view->visualRect(m->index(1, 2));  // grid cell (3, 2)
    Press(view->viewport(), cell.topLeft() + QPoint(3, 4), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    Settle();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(3, 2));
    EXPECT_EQ(form.Grid.Selection(), (ui::GridRect{1, 1, 3, 2}));  // Shift: a range from the grid's cell
    EXPECT_EQ(view->currentIndex(), m->index(1, 2));
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].button, ui::MouseButton::Left);
    EXPECT_TRUE(downs[0].ctrl && downs[0].shift && !downs[0].alt);
    int c = -1, r = -1;
    ASSERT_TRUE(form.Grid.MouseToCell(downs[0].x, downs[0].y, c, r));
    EXPECT_EQ(std::make_pair(c, r), std::make_pair(3, 2));

    // A refused cell keeps the selection; a right click selects nothing.
    Press(view->viewport(), view->visualRect(m->index(0, 1)).center());
    Press(view->viewport(), view->visualRect(m->index(2, 0)).center(), Qt::RightButton, Qt::AltModifier);
    Settle();
    EXPECT_EQ(form.Grid.Selection(), (ui::GridRect{1, 1, 3, 2}));
    EXPECT_EQ(view->currentIndex(), m->index(0, 0));
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[2].button, ui::MouseButton::Right);
    EXPECT_TRUE(downs[2].alt);

    // The header row is part of the grid's layout: a click there is row 0.
    QHeaderView* header = view->horizontalHeader();
    Press(header->viewport(), QPoint(header->sectionViewportPosition(1) + 2, 3));
    ASSERT_EQ(downs.size(), 4u);
    ASSERT_TRUE(form.Grid.MouseToCell(downs[3].x, downs[3].y, c, r));
    EXPECT_EQ(std::make_pair(c, r), std::make_pair(2, 0));

    Press(view->viewport(), cell.center(), Qt::LeftButton, Qt::NoModifier, QEvent::MouseButtonDblClick);
    EXPECT_EQ(dbl, 1);

    // The program selects too, and the view follows.
    form.Grid.SetSelection({1, 3, 1, 3});
    Settle();
    EXPECT_EQ(view->currentIndex(), m->index(2, 0));
}

TEST_F(BindingTest, LargeGridOpensAndScrollsWithoutDelay) {
    ui::StringGrid& g = form.Grid;
    QElapsedTimer t;
    t.start();
    g.SetColCount(2000);
    g.SetRowCount(2000);
    for (int r = 0; r < 2000; ++r)
        for (int c = 0; c < 2000; ++c) g.SetCell(c, r, std::to_string(r * 7 + c));
    const qint64 fill = t.restart();

    GridView* view = binding.GridOf(g);
    Settle(1);
    view->viewport()->grab();
    ASSERT_GT(view->verticalScrollBar()->maximum(), 1000);
    const qint64 open = t.restart();
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    view->viewport()->grab();
    const qint64 scroll = t.elapsed();
    std::cout << "[ measure  ] 2000 x 2000 grid: fill " << fill << " ms, open " << open << " ms, scroll to the end "
              << scroll << " ms\n";
    EXPECT_EQ(view->model()->rowCount(), 1999);
    g.SetSelection({1000, 1000, 1000, 1000});  // the program moves the selection: it comes into view
    Settle();
    EXPECT_TRUE(view->viewport()->rect().intersects(view->visualRect(view->model()->index(999, 999))));
    EXPECT_EQ(view->model()->data(view->model()->index(1998, 1998)).toString(),
              QString::number(1999 * 7 + 1999));
    EXPECT_LT(open, 1500);
    EXPECT_LT(scroll, 1500);
}

// ---------------------------------------------------------------- spin edits and other controls

TEST_F(BindingTest, SpinEditClampsTypedValuesOnLeavingAndReactsToEveryChange) {
    ui::SpinEdit& s = form.Spin;
    s.SetMinValue(1);
    s.SetMaxValue(10);
    s.SetValue(5);
    std::vector<int> changes;
    s.OnChange = [&] { changes.push_back(s.Value()); };
    auto* box = Widget<SpinBox>(s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString("5"));

    box->Editor()->selectAll();
    for (auto key : {Qt::Key_2, Qt::Key_5}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar('0' + (key - Qt::Key_0))));
        QCoreApplication::sendEvent(box->Editor(), &press);
    }
    EXPECT_EQ(s.Text(), "25");                       // not clamped while typing
    EXPECT_EQ(changes, (std::vector<int>{2, 10}));  // "2", then "25" reading as 10
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
    EXPECT_EQ(s.Text(), "10");
    EXPECT_EQ(box->text(), QString("10"));
    EXPECT_EQ(changes.size(), 2u);  // the value did not change again

    box->stepBy(1);  // already at the maximum
    EXPECT_EQ(changes.size(), 2u);
    s.Increment = 3;
    box->stepBy(-2);
    EXPECT_EQ(s.Value(), 4);
    EXPECT_EQ(box->text(), QString("4"));
    s.SetValue(7);
    EXPECT_EQ(box->text(), QString("7"));
    EXPECT_EQ(changes, (std::vector<int>{2, 10, 4, 7}));

    // Letters cannot be typed; an empty field reads as the minimum.
    QString bad = "x1";
    int pos = 0;
    EXPECT_EQ(box->validate(bad, pos), QValidator::Invalid);
    box->Editor()->selectAll();
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(box->Editor(), &del);
    EXPECT_EQ(s.Text(), "");
    EXPECT_EQ(s.Value(), 1);
}

TEST_F(BindingTest, SpinEditWithoutRangeTakesAnyInteger) {
    auto* box = Widget<SpinBox>(form.Spin);
    box->Editor()->selectAll();
    for (auto [key, ch] : {std::pair{Qt::Key_Minus, '-'}, std::pair{Qt::Key_7, '7'}}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(ch)));
        QCoreApplication::sendEvent(box->Editor(), &press);
    }
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
    EXPECT_EQ(form.Spin.Value(), -7);
    EXPECT_EQ(box->text(), QString("-7"));
}

TEST_F(BindingTest, EditCheckBoxMemoAndLabelFollowBothWays) {
    int edits = 0, editClicks = 0, checks = 0;
    form.Text.OnChange = [&] { ++edits; };
    form.Text.OnClick = [&] { ++editClicks; };
    form.Check.OnClick = [&] { ++checks; };
    auto* edit = Widget<QLineEdit>(form.Text);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(edit, &key);
    EXPECT_EQ(form.Text.Text(), "a");
    EXPECT_EQ(edits, 1);
    Press(edit, QPoint(3, 3), Qt::LeftButton, Qt::NoModifier, QEvent::MouseButtonRelease);
    EXPECT_EQ(editClicks, 1);

    form.Text.SetText("16711680");
    form.Text.SetReadOnly(true);
    form.Text.SetBackColor(ui::kBlue);
    EXPECT_EQ(edit->text(), QString("16711680"));
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0, 0, 255));

    auto* check = Widget<QCheckBox>(form.Check);
    check->click();
    EXPECT_TRUE(form.Check.Checked());
    EXPECT_EQ(checks, 1);
    form.Check.SetChecked(false);
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(checks, 2);

    form.Notes.SetLines({"first", "second"});
    auto* memo = Widget<QPlainTextEdit>(form.Notes);
    EXPECT_EQ(memo->toPlainText(), QString("first\nsecond"));
    memo->setPlainText("typed\nlines");
    EXPECT_EQ(form.Notes.Lines(), (std::vector<std::string>{"typed", "lines"}));

    form.Caption.SetCaption("Width");
    EXPECT_EQ(Widget<QLabel>(form.Caption)->text(), QString("Width"));
    form.Caption.SetVisible(false);
    EXPECT_TRUE(Widget<QLabel>(form.Caption)->isHidden());
    form.Go.SetEnabled(false);
    EXPECT_FALSE(Widget<QPushButton>(form.Go)->isEnabled());
}

TEST_F(BindingTest, ScrollBoxProgressBarAndLegendShowTheirState) {
    auto* area = Widget<QScrollArea>(form.Scroll);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(binding.WidgetOf(form.Inside)->parentWidget(), area->widget());
    EXPECT_GE(area->widget()->height(), 420);  // room to scroll to the lowest child
    form.Inside.SetTop(700);
    EXPECT_GE(area->widget()->height(), 720);

    form.Progress.SetRange(0, 40);
    form.Progress.SetPosition(10);
    auto* bar = Widget<QProgressBar>(form.Progress);
    EXPECT_EQ(bar->maximum(), 40);
    EXPECT_EQ(bar->value(), 10);

    form.Legend.SetColumns({{"PDOS-1", 100, ui::kBlack}, {"PDOS-2", 100, 0x0000FF}});
    form.Legend.SetColumn(2, {"PDOS-3     65280", 100, 0x008000});
    QImage img = binding.WidgetOf(form.Legend)->grab().toImage();
    // Each column carries a bar of its colour along its foot.
    int foot = img.height() - 4;
    EXPECT_EQ(img.pixelColor(150, foot), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(250, foot), QColor(0, 128, 0));
}

TEST_F(BindingTest, FileAndColourDialogsStartWhereAskedAndMayBeCancelled) {
    ModalCloser closer;
    ui::FileDialogOptions o{"Open Log", std::filesystem::temp_directory_path().string(), "job.log",
                            "Log files|*.log;*.out|All files|*.*"};
    EXPECT_EQ(platform.OpenFileDialog(o), std::nullopt);
    closer.fileAnswer = (std::filesystem::temp_directory_path() / "out_report.txt").string();
    auto saved = platform.SaveFileDialog(o);
    ASSERT_EQ(closer.fileDialogs.size(), 2u);
    EXPECT_EQ(std::filesystem::path(closer.fileDialogs[0].folder), std::filesystem::temp_directory_path());
    EXPECT_EQ(std::filesystem::path(closer.fileDialogs[0].proposed).filename(), "job.log");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(std::filesystem::path(*saved).filename(), "out_report.txt");

    // The preset answer of a file named on the command line is used once, without a dialog.
    platform.PresetOpenAnswer("/data/a.log");
    EXPECT_EQ(platform.OpenFileDialog(o), std::optional<std::string>("/data/a.log"));
    EXPECT_EQ(closer.fileDialogs.size(), 2u);
    closer.fileAnswer.clear();
    EXPECT_EQ(platform.OpenFileDialog(o), std::nullopt);

    EXPECT_EQ(platform.ColorDialog(ui::kRed), std::nullopt);
    EXPECT_EQ(platform.FontDialog(ui::FontSpec{}), std::nullopt);

    // A name typed without an extension takes that of the chosen filter; all files, none.
    const auto tmp = std::filesystem::temp_directory_path();
    for (auto [filter, name] : {std::pair{"PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg", "figure.png"},
                                {"All files (*.*)|*.*", "figure"}}) {
        closer.fileAnswer = (tmp / "figure").string();
        auto chosen = platform.SaveFileDialog({"Save Figure", tmp.string(), "x", filter});
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(std::filesystem::path(*chosen).filename(), name);
    }
}

// ---------------------------------------------------------------- paint boxes

TEST_F(BindingTest, PaintBoxDrawingSurvivesHideAndShow) {
    ui::Canvas& c = form.Box.Canvas();
    c.Brush = {ui::kWhite, ui::BrushStyle::Solid};
    c.FillRect(0, 0, 300, 200);
    c.Brush.color = 0x0000FF;
    c.FillRect(10, 10, 60, 60);
    QWidget* w = binding.WidgetOf(form.Box);
    form.Hide();
    Settle();
    form.Show();
    Settle();
    QImage shown = w->grab().toImage();
    EXPECT_EQ(shown.pixelColor(30, 30), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(100, 100), QColor(Qt::white));
    // Metrics come from the real font once the box is on screen.
    EXPECT_EQ(form.Box.Canvas().TextWidth("Hg"), binding.CanvasOf(form.Box)->TextWidth("Hg"));
}

TEST_F(BindingTest, PaintBoxMouseReachesTheHandlers) {
    std::vector<std::string> seen;
    auto record = [&](const char* what) {
        return [&seen, what](const ui::MouseEvent& e) {
            seen.push_back(std::string(what) + " " + std::to_string(static_cast<int>(e.button)) + " " +
                           (e.shift ? "S" : "") + (e.ctrl ? "C" : "") + " " + std::to_string(e.x) + "," +
                           std::to_string(e.y));
        };
    };
    form.Box.OnMouseDown = record("down");
    form.Box.OnMouseMove = record("move");
    form.Box.OnMouseUp = record("up");
    form.Box.OnDblClick = [&] { seen.push_back("dbl"); };
    QWidget* w = binding.WidgetOf(form.Box);
    Press(w, QPoint(5, 6), Qt::LeftButton, Qt::ShiftModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(15, 16), QPointF(w->mapToGlobal(QPoint(15, 16))), Qt::NoButton,
                     Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(w, &move);
    Press(w, QPoint(15, 16), Qt::LeftButton, Qt::NoModifier, QEvent::MouseButtonRelease);
    Press(w, QPoint(7, 8), Qt::RightButton, Qt::ControlModifier, QEvent::MouseButtonDblClick);
    EXPECT_EQ(seen, (std::vector<std::string>{"down 0 S 5,6", "move 0 S 15,16", "up 0  15,16", "dbl",
                                              "down 1 C 7,8"}));
}

TEST_F(BindingTest, RangeSelectionCopiesAsTabSeparatedText) {
    GridView* view = binding.GridOf(form.Grid);
    for (int r = 0; r < form.Grid.RowCount(); ++r)
        for (int c = 0; c < form.Grid.ColCount(); ++c) form.Grid.SetCell(c, r, std::to_string(c) + std::to_string(r));
    Settle();
    QAbstractItemModel* m = view->model();
    // Click grid cell (1, 1), Shift+click (3, 2): a 3 x 2 block, which the grid takes.
    Press(view->viewport(), view->visualRect(m->index(0, 0)).center());
    Press(view->viewport(), view->visualRect(m->index(0, 0)).center(), Qt::LeftButton, Qt::NoModifier,
          QEvent::MouseButtonRelease);
    Press(view->viewport(), view->visualRect(m->index(1, 2)).center(), Qt::LeftButton, Qt::ShiftModifier);
    Settle();
    EXPECT_EQ(form.Grid.Selection(), (ui::GridRect{1, 1, 3, 2}));
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QCoreApplication::sendEvent(view, &copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("11\t21\t31\n12\t22\t32\n"));

    // Ctrl+A: every cell below the headers, each row once.
    QKeyEvent all(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QCoreApplication::sendEvent(view, &all);
    Settle();
    EXPECT_EQ(view->SelectedText(), "11\t21\t31\t41\n12\t22\t32\t42\n13\t23\t33\t43\n14\t24\t34\t44\n");

    // The program moving the selection elsewhere drops the user's range.
    form.Grid.SetSelection({4, 4, 4, 4});
    Settle();
    EXPECT_EQ(view->SelectedText(), "44\n");
}

}  // namespace

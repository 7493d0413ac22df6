#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/headless_platform.h"

using namespace ui;

namespace {
struct SpinForm : Form {
    SpinForm() : Form("F", "F"), spin(this, "SpinEdit1") {
        spin.OnChange = [this] { changes.push_back(spin.Value()); };
    }
    SpinEdit spin;
    std::vector<int> changes;
};
}  // namespace

TEST(SpinEdit, ClampsWhenRangeSetAndReactsToRealChangesOnly) {
    SpinForm f;
    f.spin.SetMinValue(1);  // value 0 now reads as 1: a real change
    f.spin.SetMaxValue(10);
    f.spin.SetValue(5);
    f.spin.SetValue(5);
    f.spin.SetValue(50);  // clamped at once when the program sets it
    EXPECT_EQ(f.spin.Value(), 10);
    EXPECT_EQ(f.spin.Text(), "10");
    EXPECT_EQ(f.changes, (std::vector<int>{1, 5, 10}));
}

TEST(SpinEdit, TypedTextNonIntegerAndFocusLoss) {
    SpinForm f;
    f.spin.SetMinValue(2);
    f.spin.SetMaxValue(8);
    f.spin.SetValue(4);
    f.changes.clear();
    f.spin.SetText("abc");  // reads as the minimum
    EXPECT_EQ(f.spin.Value(), 2);
    f.spin.SetText("20");  // reads clamped, text kept until the focus leaves
    EXPECT_EQ(f.spin.Text(), "20");
    EXPECT_EQ(f.spin.Value(), 8);
    f.spin.FocusLost();
    EXPECT_EQ(f.spin.Text(), "8");
    f.spin.SetText("08");  // same value, no reaction
    EXPECT_EQ(f.changes, (std::vector<int>{2, 8}));
}

TEST(SpinEdit, EqualMinAndMaxMeansNoClamping) {
    SpinForm f;
    f.spin.SetValue(-300);
    EXPECT_EQ(f.spin.Value(), -300);
    f.spin.SetText("99999999999");  // not a 32-bit integer
    EXPECT_EQ(f.spin.Value(), 0);
}

TEST(StringGrid, ResizeKeepsCellsAndOutOfRangeIsSafe) {
    Form f("F", "F");
    StringGrid g(&f, "g");
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCell(2, 2, "x");
    g.SetCell(1, 0, "h");
    g.SetColCount(4);
    EXPECT_EQ(g.Cell(2, 2), "x");
    EXPECT_EQ(g.Cell(1, 0), "h");
    g.SetCell(9, 9, "lost");
    EXPECT_EQ(g.Cell(9, 9), "");
    EXPECT_EQ(g.Cell(-1, 0), "");
    g.SetRowCount(2);
    g.SetRowCount(3);
    EXPECT_EQ(g.Cell(2, 2), "");
    g.UserSetCell(0, 1, "typed");
    EXPECT_EQ(g.Cell(0, 1), "");  // not editable
    g.Editable = true;
    g.UserSetCell(0, 1, "typed");
    EXPECT_EQ(g.Cell(0, 1), "typed");
}

TEST(StringGrid, SelectCellAsksFirstAndMouseToCellUsesWidths) {
    Form f("F", "F");
    StringGrid g(&f, "g");
    g.SetDefaultColWidth(50);
    g.SetColWidth(0, 20);
    g.SetDefaultRowHeight(10);
    int col = -1, row = -1;
    ASSERT_TRUE(g.MouseToCell(25, 15, col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
    EXPECT_FALSE(g.MouseToCell(1000, 5, col, row));
    g.OnSelectCell = [](int c, int, bool& can) { can = c != 3; };
    EXPECT_FALSE(g.SelectCell(3, 2));
    EXPECT_TRUE(g.SelectCell(2, 2));
    EXPECT_EQ(g.Row(), 2);
}

TEST(Form, AlignedChildrenShareTheClientArea) {
    Form f("F", "F");
    StringGrid top(&f, "top"), bottom(&f, "bottom"), client(&f, "client");
    top.SetHeight(30);
    top.SetAlign(Align::Top);
    bottom.SetHeight(20);
    bottom.SetAlign(Align::Bottom);
    client.SetAlign(Align::Client);
    f.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(client.Top(), 30);
    EXPECT_EQ(client.Height(), 50);
    EXPECT_EQ(bottom.Top(), 80);
    top.SetVisible(false);
    EXPECT_EQ(client.Top(), 0);
    EXPECT_EQ(client.Height(), 80);
    f.SetFrameExtents(10, 30);
    EXPECT_EQ(f.ClientWidth(), 200);
    EXPECT_EQ(f.Width(), 210);
}

TEST(MenuItem, DisabledItemsDoNotRunAndFindSearchesTheTree) {
    MenuItem root, file("File"), open("Open");
    root.Add(file);
    file.Add(open);
    file.AddSeparator();
    int runs = 0;
    open.OnClick = [&] { ++runs; };
    EXPECT_EQ(root.Find("Open"), &open);
    EXPECT_TRUE(file.Items()[1]->IsSeparator());
    open.SetEnabled(false);
    EXPECT_FALSE(open.Click());
    open.SetEnabled(true);
    EXPECT_TRUE(open.Click());
    EXPECT_EQ(runs, 1);
}

TEST(RecordingCanvas, RecordsPenStateAndRestartsOnFullRepaint) {
    Form f("F", "F");
    PaintBox box(&f, "PaintBox1");
    box.SetBounds(0, 0, 100, 50);
    auto& c = box.Canvas();
    c.Pen.color = kRed;
    c.Pen.width = 3;
    c.MoveTo(1, 2);
    c.LineTo(10, 2);
    c.TextOut(5, 5, "abc");
    ASSERT_EQ(c.Lines().size(), 1u);
    EXPECT_EQ(c.Lines()[0].pen.width, 3);
    EXPECT_EQ(c.Lines()[0].x2, 10);
    EXPECT_EQ(c.TextWidth("abc"), 3 * RecordingCanvas::CharWidth(c.Font));
    c.Brush.color = kWhite;
    c.FillRect(0, 0, 100, 50);
    EXPECT_EQ(c.Ops().size(), 1u);
    RecordingCanvas copy;
    c.Replay(copy);
    EXPECT_EQ(copy.Ops().size(), 1u);
}

TEST(HeadlessPlatform, ScriptedDialogsAndMessages) {
    HeadlessPlatform p;
    p.AnswerOpen("/tmp/x.log");
    EXPECT_EQ(p.OpenFileDialog({}), std::optional<std::string>("/tmp/x.log"));
    EXPECT_EQ(p.OpenFileDialog({}), std::nullopt);
    p.MessageAt("hello", 3, 4);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].x, 3);
    EXPECT_FALSE(p.messages[0].centred);
}

#pragma once
// The control model: windows and their controls as plain C++ objects holding the state
// the handlers read and write. A toolkit binding observes them (ControlObserver) and
// mirrors every change into real widgets; headless, the model is all there is.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/recording_canvas.h"

namespace ui {

class Control;
class Container;
class Form;

// Told about every change of a control's state; the Qt binding implements it.
class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void ControlChanged(Control& control) = 0;
};

enum class Align { None, Top, Bottom, Client };
enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
    MouseButton button = MouseButton::Left;
    bool shift = false, ctrl = false, alt = false;
    int x = 0, y = 0;
};

class Control {
public:
    Control(Container* parent, std::string name);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    Container* Parent() const { return parent_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);

    Align GetAlign() const { return align_; }
    void SetAlign(Align a);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    ControlObserver* Observer() const { return observer_; }
    void SetObserver(ControlObserver* o) { observer_ = o; }

protected:
    void Notify() {
        if (observer_) observer_->ControlChanged(*this);
    }
    virtual void Resized() {}

private:
    Container* parent_;
    std::string name_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Align align_ = Align::None;
    bool visible_ = true, enabled_ = true;
    ControlObserver* observer_ = nullptr;
};

// Holds child controls and places the aligned ones inside its client area.
class Container : public Control {
public:
    using Control::Control;
    const std::vector<Control*>& Children() const { return children_; }
    void AddChild(Control* c) { children_.push_back(c); }
    virtual int ClientWidth() const { return Width(); }
    virtual int ClientHeight() const { return Height(); }
    // Top-aligned children stack from the top, bottom-aligned from the bottom, a
    // client-aligned child takes what is left; hidden children take no space.
    void Realign();

protected:
    void Resized() override { Realign(); }

private:
    std::vector<Control*> children_;
};

// ---------------------------------------------------------------- menus

class MenuItem {
public:
    explicit MenuItem(std::string caption = {}, std::string name = {});
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    bool Checked() const { return checked_; }
    void SetChecked(bool c);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool IsSeparator() const { return caption_ == "-"; }

    MenuItem& Add(MenuItem& child);
    MenuItem& AddSeparator();
    const std::vector<MenuItem*>& Items() const { return items_; }
    MenuItem* Find(const std::string& caption);  // depth-first, by caption

    std::function<void()> OnClick;
    // Runs OnClick when the item is enabled; returns whether it ran.
    bool Click();

    std::function<void(MenuItem&)> OnChangedHook;  // set by the binding

private:
    void Changed() {
        if (OnChangedHook) OnChangedHook(*this);
    }
    std::string caption_, name_;
    bool enabled_ = true, checked_ = false, visible_ = true;
    std::vector<MenuItem*> items_;
    std::vector<std::unique_ptr<MenuItem>> owned_;
};

// ---------------------------------------------------------------- status bar

// The line of text panels below a window's client area (which file it shows, its state).
// It is part of the window's frame, not of its client area, so the positions the windows
// compute from their client size stay as they are. Hidden until a window turns it on.
class StatusBar {
public:
    const std::vector<std::string>& Panels() const { return panels_; }
    void SetPanels(std::vector<std::string> panels);
    void SetText(const std::string& text) { SetPanels({text}); }
    // The panels as one line, separated by "  |  " (what tests and batch read).
    std::string Text() const;
    bool Visible() const { return visible_; }
    void SetVisible(bool v);

    std::function<void(StatusBar&)> OnChangedHook;  // set by the binding

private:
    void Changed() {
        if (OnChangedHook) OnChangedHook(*this);
    }
    std::vector<std::string> panels_;
    bool visible_ = false;
};

// ---------------------------------------------------------------- forms

class Form : public Container {
public:
    Form(std::string name, std::string caption);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);

    // Client area = outer size less the frame the toolkit reports (0 headless).
    int ClientWidth() const override { return Width() - frameW_; }
    int ClientHeight() const override { return Height() - frameH_; }
    void SetClientWidth(int w) { SetWidth(w + frameW_); }
    void SetClientHeight(int h) { SetHeight(h + frameH_); }
    void SetFrameExtents(int w, int h);
    int FrameWidth() const { return frameW_; }
    int FrameHeight() const { return frameH_; }
    // Where the client area starts inside the outer window (the frame's left border, the
    // title bar and the menu bar); a status line below the client area is not part of it.
    // Until the toolkit reports it, the whole frame is taken to be above the client area.
    int ClientOffsetX() const { return clientX_ >= 0 ? clientX_ : 0; }
    int ClientOffsetY() const { return clientY_ >= 0 ? clientY_ : frameH_; }
    void SetClientOffset(int x, int y) { clientX_ = x, clientY_ = y; }

    void Show();
    void Hide();
    void BringToFront();
    void Refresh();
    bool StayOnTop() const { return stayOnTop_; }
    void SetStayOnTop(bool v);
    bool Released() const { return released_; }
    void Release();

    MenuItem Menu;                       // main menu (root; its items are the menu bar)
    StatusBar Status;                    // status line below the client area (off unless turned on)
    std::vector<MenuItem*> PopupMenus;   // pop-up menus owned by controls of this form

    std::function<void()> OnResize;
    std::function<void()> OnClose;
    std::function<void()> OnShow;

    // Requests from the model to the toolkit that are not state: bring to front, repaint.
    int FrontRequests() const { return frontRequests_; }
    int RefreshRequests() const { return refreshRequests_; }

protected:
    void Resized() override;

private:
    std::string caption_;
    int frameW_ = 0, frameH_ = 0;
    int clientX_ = -1, clientY_ = -1;
    bool stayOnTop_ = false, released_ = false;
    int frontRequests_ = 0, refreshRequests_ = 0;
};

// ---------------------------------------------------------------- simple controls

class Label : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    // Colour of the caption's text.
    Color FontColor() const { return fontColor_; }
    void SetFontColor(Color c);

private:
    std::string caption_;
    Color fontColor_ = kBlack;
};

class Button : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    std::function<void()> OnClick;
    void Click() {
        if (OnClick && Enabled()) OnClick();
    }

private:
    std::string caption_;
};

class CheckBox : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    bool Checked() const { return checked_; }
    // The reaction runs whenever the state actually changes, by the user or the program.
    void SetChecked(bool v);
    std::function<void()> OnClick;

private:
    std::string caption_;
    bool checked_ = false;
};

class Edit : public Control {
public:
    using Control::Control;
    const std::string& Text() const { return text_; }
    void SetText(const std::string& t);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    Color BackColor() const { return color_; }
    void SetBackColor(Color c);
    std::function<void()> OnChange;
    std::function<void()> OnClick;
    void Click() {
        if (OnClick) OnClick();
    }

private:
    std::string text_;
    bool readOnly_ = false;
    Color color_ = kWhite;
};

class Memo : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines);
    void AddLine(const std::string& line);
    void Clear() { SetLines({}); }
    std::string Text() const;  // lines joined with "\n"
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    bool ScrollBars = true;

private:
    std::vector<std::string> lines_;
    bool readOnly_ = false;
};

class ProgressBar : public Control {
public:
    using Control::Control;
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return pos_; }
    void SetRange(int min, int max);
    void SetPosition(int p);

private:
    int min_ = 0, max_ = 100, pos_ = 0;
};

class ScrollBox : public Container {
public:
    using Container::Container;
};

// Integer spin edit. Text is the store; Value() reads it (a non-integer text reads as
// MinValue) and clamps into [MinValue, MaxValue] when the two differ. OnChange runs
// whenever Value() actually changes, whether the user typed or the program set it.
class SpinEdit : public Control {
public:
    SpinEdit(Container* parent, std::string name);
    int Value() const;
    void SetValue(int v);
    const std::string& Text() const { return text_; }
    // Text typed by the user: not clamped until the control loses the focus.
    void SetText(const std::string& t);
    void FocusLost();
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    void SetMinValue(int v);
    void SetMaxValue(int v);
    int Increment = 1;
    std::function<void()> OnChange;

private:
    int Clamp(int v) const;
    void CheckChanged();
    std::string text_ = "0";
    int min_ = 0, max_ = 0;
    int lastValue_ = 0;
};

// ---------------------------------------------------------------- grids

enum class CellAlign { Left, Center, Right };

struct GridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const GridRect&) const = default;
};

class StringGrid : public Control {
public:
    StringGrid(Container* parent, std::string name);

    int ColCount() const { return cols_; }
    int RowCount() const { return rows_; }
    void SetColCount(int n);
    void SetRowCount(int n);
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixedRows(int n);
    void SetFixedCols(int n);

    // Cells outside the grid read as "" and are not written.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);
    void ClearCells();  // every cell empty, counts kept
    // Appends `count` rows and has `fill` write each one's ColCount() cells in place: one
    // change for them all, as a long table arrives.
    void AppendRows(int count, const std::function<void(int row, std::string* cells)>& fill);
    // A cell typed by the user (when editing is allowed).
    void UserSetCell(int col, int row, const std::string& text);
    bool Editable = false;

    int DefaultColWidth() const { return defColWidth_; }
    void SetDefaultColWidth(int w);
    int ColWidth(int col) const;
    void SetColWidth(int col, int w);
    int DefaultRowHeight() const { return defRowHeight_; }
    void SetDefaultRowHeight(int h);
    CellAlign Alignment() const { return align_; }
    void SetAlignment(CellAlign a);

    const GridRect& Selection() const { return selection_; }
    void SetSelection(const GridRect& r);
    int Col() const { return selection_.Left; }
    int Row() const { return selection_.Top; }
    // Selects a cell as a click would: asks OnSelectCell first.
    bool SelectCell(int col, int row);
    // Cell under a point of the grid's client area; false when outside the cells.
    bool MouseToCell(int x, int y, int& col, int& row) const;

    std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
    std::function<void()> OnDblClick;
    std::function<void(const MouseEvent&)> OnMouseDown;
    // The cell under the mouse at the last press or double-click, fixed cells included, as
    // the toolkit reports it before OnMouseDown and OnDblClick (-1, -1 when unknown).
    int MouseCol() const { return mouseCol_; }
    int MouseRow() const { return mouseRow_; }
    void SetMouseCell(int col, int row) { mouseCol_ = col, mouseRow_ = row; }

    // Incremented on every change, so a binding can refresh lazily.
    unsigned long long Version() const { return version_; }

private:
    void Changed() {
        ++version_;
        Notify();
    }
    int mouseCol_ = -1, mouseRow_ = -1;
    std::vector<std::string> cells_;  // row-major, rows_ * cols_
    int cols_ = 5, rows_ = 5, fixedRows_ = 1, fixedCols_ = 1;
    int defColWidth_ = 64, defRowHeight_ = 24;
    std::vector<int> colWidths_;
    CellAlign align_ = CellAlign::Left;
    GridRect selection_{1, 1, 1, 1};
    unsigned long long version_ = 0;
};

// A header-only grid whose columns carry a caption, a width and a colour.
class LegendGrid : public Control {
public:
    using Control::Control;
    struct Column {
        std::string caption;
        int width = 64;
        Color color = kBlack;
        bool operator==(const Column&) const = default;
    };
    const std::vector<Column>& Columns() const { return columns_; }
    void SetColumns(std::vector<Column> cols);
    void SetColumn(size_t i, const Column& c);

private:
    std::vector<Column> columns_;
};

// ---------------------------------------------------------------- paint box

class PaintBox : public Control {
public:
    PaintBox(Container* parent, std::string name);
    // The drawing surface: always recorded; the binding attaches an on-screen mirror.
    RecordingCanvas& Canvas() { return canvas_; }
    const RecordingCanvas& Canvas() const { return canvas_; }

    std::function<void(const MouseEvent&)> OnMouseDown;
    std::function<void(const MouseEvent&)> OnMouseMove;
    std::function<void(const MouseEvent&)> OnMouseUp;
    std::function<void()> OnDblClick;

protected:
    void Resized() override;

private:
    RecordingCanvas canvas_;
};

}  // namespace ui

#include "ui/controls.h"

#include <algorithm>

#include "core/memory_pages.h"
#include "core/number_text.h"

namespace ui {

// ---------------------------------------------------------------- Control

Control::Control(Container* parent, std::string name) : parent_(parent), name_(std::move(name)) {
    if (parent_) parent_->AddChild(this);
}

void Control::SetBounds(int left, int top, int width, int height) {
    bool resized = width != width_ || height != height_;
    if (left == left_ && top == top_ && !resized) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify();
    if (resized) Resized();
}

void Control::SetAlign(Align a) {
    align_ = a;
    if (parent_) parent_->Realign();
    Notify();
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    if (parent_ && align_ != Align::None) parent_->Realign();
    Notify();
}

void Control::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Notify();
}

void Container::Realign() {
    int top = 0, bottom = ClientHeight();
    const int w = ClientWidth();
    for (auto* c : children_) {
        if (!c->Visible() || c->GetAlign() != Align::Top) continue;
        c->SetBounds(0, top, w, c->Height());
        top += c->Height();
    }
    for (auto* c : children_) {
        if (!c->Visible() || c->GetAlign() != Align::Bottom) continue;
        bottom -= c->Height();
        c->SetBounds(0, bottom, w, c->Height());
    }
    for (auto* c : children_) {
        if (!c->Visible() || c->GetAlign() != Align::Client) continue;
        c->SetBounds(0, top, w, std::max(0, bottom - top));
    }
}

// ---------------------------------------------------------------- MenuItem

MenuItem::MenuItem(std::string caption, std::string name)
    : caption_(std::move(caption)), name_(std::move(name)) {}

void MenuItem::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Changed();
}
void MenuItem::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    Changed();
}
void MenuItem::SetChecked(bool c) {
    if (c == checked_) return;
    checked_ = c;
    Changed();
}
void MenuItem::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    Changed();
}

MenuItem& MenuItem::Add(MenuItem& child) {
    items_.push_back(&child);
    return child;
}

MenuItem& MenuItem::AddSeparator() {
    owned_.push_back(std::make_unique<MenuItem>("-"));
    items_.push_back(owned_.back().get());
    return *owned_.back();
}

MenuItem* MenuItem::Find(const std::string& caption) {
    for (auto* item : items_) {
        if (item->Caption() == caption) return item;
        if (auto* inner = item->Find(caption)) return inner;
    }
    return nullptr;
}

bool MenuItem::Click() {
    if (!enabled_ || !OnClick) return false;
    OnClick();
    return true;
}

// ---------------------------------------------------------------- Form

void StatusBar::SetPanels(std::vector<std::string> panels) {
    if (panels == panels_) return;
    panels_ = std::move(panels);
    Changed();
}

std::string StatusBar::Text() const {
    std::string text;
    for (size_t i = 0; i < panels_.size(); ++i) text += (i ? "  |  " : "") + panels_[i];
    return text;
}

void StatusBar::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    Changed();
}

Form::Form(std::string name, std::string caption)
    : Container(nullptr, std::move(name)), caption_(std::move(caption)) {
    SetVisible(false);
}

void Form::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Notify();
}

void Form::SetFrameExtents(int w, int h) {
    // The outer size follows so that the client area stays what the program set.
    int cw = ClientWidth(), ch = ClientHeight();
    frameW_ = w;
    frameH_ = h;
    SetBounds(Left(), Top(), cw + w, ch + h);
}

void Form::Show() {
    released_ = false;
    bool wasVisible = Visible();
    SetVisible(true);
    if (!wasVisible && OnShow) OnShow();
    // Showing a window that is already open brings it to the front (restored when
    // minimised), as the classic Show does.
    if (wasVisible) BringToFront();
}

void Form::Hide() { SetVisible(false); }

void Form::BringToFront() {
    ++frontRequests_;
    Notify();
}

void Form::Refresh() {
    ++refreshRequests_;
    Notify();
}

void Form::SetStayOnTop(bool v) {
    if (v == stayOnTop_) return;
    stayOnTop_ = v;
    Notify();
}

void Form::Release() {
    SetVisible(false);
    released_ = true;
    Notify();
}

void Form::Resized() {
    Realign();
    if (OnResize) OnResize();
}

// ---------------------------------------------------------------- simple controls

void Label::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Notify();
}

void Label::SetFontColor(Color c) {
    if (c == fontColor_) return;
    fontColor_ = c;
    Notify();
}

void Button::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Notify();
}

void CheckBox::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Notify();
}

void CheckBox::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    Notify();
    if (OnClick) OnClick();
}

void Edit::SetText(const std::string& t) {
    if (t == text_) return;
    text_ = t;
    Notify();
    if (OnChange) OnChange();
}

void Edit::SetReadOnly(bool v) {
    if (v == readOnly_) return;
    readOnly_ = v;
    Notify();
}

void Edit::SetBackColor(Color c) {
    if (c == color_) return;
    color_ = c;
    Notify();
}

void Memo::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    Notify();
}

void Memo::AddLine(const std::string& line) {
    lines_.push_back(line);
    Notify();
}

std::string Memo::Text() const {
    std::string out;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i) out += '\n';
        out += lines_[i];
    }
    return out;
}

void ProgressBar::SetRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    pos_ = std::clamp(pos_, min_, max_);
    Notify();
}

void ProgressBar::SetPosition(int p) {
    p = std::clamp(p, min_, max_);
    if (p == pos_) return;
    pos_ = p;
    Notify();
}

// ---------------------------------------------------------------- SpinEdit

SpinEdit::SpinEdit(Container* parent, std::string name) : Control(parent, std::move(name)) {}

int SpinEdit::Clamp(int v) const {
    if (min_ == max_) return v;
    return std::clamp(v, std::min(min_, max_), std::max(min_, max_));
}

int SpinEdit::Value() const {
    long long v = 0;
    if (!core::TryParseInt(text_, v) || v < INT32_MIN || v > INT32_MAX) return min_;
    return Clamp(static_cast<int>(v));
}

void SpinEdit::CheckChanged() {
    int v = Value();
    if (v == lastValue_) return;
    lastValue_ = v;
    if (OnChange) OnChange();
}

void SpinEdit::SetValue(int v) {
    std::string t = core::IntText(Clamp(v));
    if (t != text_) {
        text_ = t;
        Notify();
    }
    CheckChanged();
}

void SpinEdit::SetText(const std::string& t) {
    if (t != text_) {
        text_ = t;
        Notify();
    }
    CheckChanged();
}

void SpinEdit::FocusLost() {
    long long v = 0;
    bool isInt = core::TryParseInt(text_, v);
    if (!isInt || min_ == max_) return;
    if (v < std::min(min_, max_) || v > std::max(min_, max_))
        SetValue(static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX)));
}

void SpinEdit::SetMinValue(int v) {
    min_ = v;
    Notify();
    CheckChanged();
}

void SpinEdit::SetMaxValue(int v) {
    max_ = v;
    Notify();
    CheckChanged();
}

// ---------------------------------------------------------------- StringGrid

namespace {
const std::string kEmpty;
}

StringGrid::StringGrid(Container* parent, std::string name)
    : Control(parent, std::move(name)) {
    cells_.resize(static_cast<size_t>(cols_) * rows_);
}

void StringGrid::SetColCount(int n) {
    n = std::max(n, 0);
    if (n == cols_) return;
    std::vector<std::string> next(static_cast<size_t>(n) * rows_);
    int keep = std::min(n, cols_);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < keep; ++c)
            next[static_cast<size_t>(r) * n + c] = std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
    cells_ = std::move(next);
    cols_ = n;
    Changed();
}

void StringGrid::SetRowCount(int n) {
    n = std::max(n, 0);
    if (n == rows_) return;
    rows_ = n;
    cells_.resize(static_cast<size_t>(rows_) * cols_);
    Changed();
}

void StringGrid::SetFixedRows(int n) {
    fixedRows_ = std::max(n, 0);
    Changed();
}

void StringGrid::SetFixedCols(int n) {
    fixedCols_ = std::max(n, 0);
    Changed();
}

const std::string& StringGrid::Cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return kEmpty;
    return cells_[static_cast<size_t>(row) * cols_ + col];
}

void StringGrid::SetCell(int col, int row, const std::string& text) {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return;
    auto& cell = cells_[static_cast<size_t>(row) * cols_ + col];
    if (cell == text) return;
    cell = text;
    Changed();
}

void StringGrid::AppendRows(int count, const std::function<void(int row, std::string* cells)>& fill) {
    if (count <= 0) return;
    const int first = rows_;
    rows_ += count;
    const size_t cells = static_cast<size_t>(rows_) * cols_;
    if (cells > cells_.capacity()) {
        cells_.reserve(cells);
        core::PrefaultForWriting(cells_.data() + cells_.size(), (cells - cells_.size()) * sizeof(std::string));
    }
    cells_.resize(cells);
    for (int r = first; r < rows_; ++r) fill(r, cells_.data() + static_cast<size_t>(r) * cols_);
    Changed();
}

void StringGrid::ClearCells() {
    for (auto& c : cells_) c.clear();
    Changed();
}

void StringGrid::UserSetCell(int col, int row, const std::string& text) {
    if (Editable) SetCell(col, row, text);
}

void StringGrid::SetDefaultColWidth(int w) {
    defColWidth_ = w;
    colWidths_.clear();
    Changed();
}

int StringGrid::ColWidth(int col) const {
    if (col >= 0 && static_cast<size_t>(col) < colWidths_.size() && colWidths_[col] >= 0)
        return colWidths_[col];
    return defColWidth_;
}

void StringGrid::SetColWidth(int col, int w) {
    if (col < 0) return;
    if (static_cast<size_t>(col) >= colWidths_.size()) colWidths_.resize(col + 1, -1);
    colWidths_[col] = w;
    Changed();
}

void StringGrid::SetDefaultRowHeight(int h) {
    defRowHeight_ = h;
    Changed();
}

void StringGrid::SetAlignment(CellAlign a) {
    align_ = a;
    Changed();
}

void StringGrid::SetSelection(const GridRect& r) {
    if (r == selection_) return;
    selection_ = r;
    Changed();
}

bool StringGrid::SelectCell(int col, int row) {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return false;
    bool can = true;
    if (OnSelectCell) OnSelectCell(col, row, can);
    if (can) SetSelection({col, row, col, row});
    return can;
}

bool StringGrid::MouseToCell(int x, int y, int& col, int& row) const {
    if (x < 0 || y < 0 || defRowHeight_ <= 0) return false;
    int acc = 0;
    col = -1;
    for (int c = 0; c < cols_; ++c) {
        acc += ColWidth(c) + 1;  // one-pixel grid line
        if (x < acc) {
            col = c;
            break;
        }
    }
    row = y / (defRowHeight_ + 1);
    return col >= 0 && row < rows_;
}

// ---------------------------------------------------------------- LegendGrid, PaintBox

void LegendGrid::SetColumns(std::vector<Column> cols) {
    columns_ = std::move(cols);
    Notify();
}

void LegendGrid::SetColumn(size_t i, const Column& c) {
    if (i >= columns_.size()) columns_.resize(i + 1);
    columns_[i] = c;
    Notify();
}

PaintBox::PaintBox(Container* parent, std::string name) : Control(parent, std::move(name)) {}

void PaintBox::Resized() { canvas_.SetSize(Width(), Height()); }

}  // namespace ui

#include "ui/qt/widgets.h"

#include <array>

#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QUrl>

#include "ui/grid_text.h"
#include "ui/qt/qt_canvas.h"
#include "ui/qt/text.h"

namespace mavrolin::qt {

ui::MouseEvent ToMouseEvent(const QMouseEvent& e, int x, int y) {
    ui::MouseEvent m;
    Qt::MouseButtons b = e.button() != Qt::NoButton ? Qt::MouseButtons(e.button()) : e.buttons();
    if (b & Qt::LeftButton)
        m.button = ui::MouseButton::Left;
    else if (b & Qt::RightButton)
        m.button = ui::MouseButton::Right;
    else if (b & Qt::MiddleButton)
        m.button = ui::MouseButton::Middle;
    m.shift = e.modifiers() & Qt::ShiftModifier;
    m.ctrl = e.modifiers() & Qt::ControlModifier;
    m.alt = e.modifiers() & Qt::AltModifier;
    m.x = x;
    m.y = y;
    return m;
}

// ---------------------------------------------------------------- FormWindow

FormWindow::FormWindow() : client_(new QWidget(this)) { setCentralWidget(client_); }

void FormWindow::closeEvent(QCloseEvent* e) {
    if (!onCloseRequested) return QMainWindow::closeEvent(e);
    // The program decides what closing means (hide, or the exit sequence).
    e->ignore();
    onCloseRequested();
}

void FormWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (onGeometryChanged) onGeometryChanged();
}

void FormWindow::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    if (onGeometryChanged) onGeometryChanged();
}

void FormWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (onShown) onShown();
}

namespace {
QString DroppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}
}  // namespace

void FormWindow::dragEnterEvent(QDragEnterEvent* e) {
    if ((onFileDropped || onFilesDropped) && !DroppedFile(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void FormWindow::dropEvent(QDropEvent* e) {
    QString file = DroppedFile(e->mimeData());
    if (onFilesDropped && !file.isEmpty()) {
        QStringList files;
        for (const QUrl& url : e->mimeData()->urls())
            if (url.isLocalFile()) files << url.toLocalFile();
        e->acceptProposedAction();
        return onFilesDropped(files);
    }
    if (!onFileDropped || file.isEmpty()) return;
    e->acceptProposedAction();
    onFileDropped(file);
}

// ---------------------------------------------------------------- GridModel

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

bool GridModel::IsFixed(int gcol, int grow) const { return gcol < fixedCols_ || grow < fixedRows_; }

static Qt::Alignment AlignOf(ui::CellAlign a) {
    switch (a) {
        case ui::CellAlign::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
        case ui::CellAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    int gc = GridCol(index.column()), gr = GridRow(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return ToQString(grid_.Cell(gc, gr));
        case Qt::TextAlignmentRole: return QVariant::fromValue(AlignOf(align_));
        case Qt::BackgroundRole:
            if (IsFixed(gc, gr)) return QGuiApplication::palette().button();
            return {};
        default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(AlignOf(align_));
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal) return hr_ ? ToQString(grid_.Cell(GridCol(section), 0)) : QVariant();
    return hc_ ? ToQString(grid_.Cell(0, GridRow(section))) : QVariant();
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid_.Editable && !IsFixed(GridCol(index.column()), GridRow(index.row()))) f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !onUserEdit) return false;
    onUserEdit(GridCol(index.column()), GridRow(index.row()), FromQString(value.toString()));
    return true;
}

bool GridModel::Refresh() {
    int fr = grid_.FixedRows(), fc = grid_.FixedCols();
    int hr = fr > 0 && grid_.RowCount() > 0 ? 1 : 0;
    int hc = fc > 0 && grid_.ColCount() > 0 ? 1 : 0;
    int rows = std::max(0, grid_.RowCount() - hr), cols = std::max(0, grid_.ColCount() - hc);
    align_ = grid_.Alignment();
    if (rows != rows_ || cols != cols_ || hr != hr_ || hc != hc_ || fr != fixedRows_ || fc != fixedCols_) {
        beginResetModel();
        rows_ = rows, cols_ = cols, hr_ = hr, hc_ = hc, fixedRows_ = fr, fixedCols_ = fc;
        endResetModel();
        return true;
    }
    if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (rows_ > 0) emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
    return false;
}

// ---------------------------------------------------------------- GridView

GridView::GridView(ui::StringGrid& grid, QWidget* parent) : QTableView(parent), grid_(grid), model_(grid) {
    setModel(&model_);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    // Ranges by dragging, Shift and Ctrl+A, so that Ctrl+C copies a block; the grid's own
    // selection follows the current cell.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    for (QHeaderView* h : {horizontalHeader(), verticalHeader()}) {
        h->setSectionResizeMode(QHeaderView::Fixed);
        h->setMinimumSectionSize(1);
        h->setHighlightSections(false);
        h->setSectionsClickable(false);
        h->viewport()->installEventFilter(this);
    }
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] { Refresh(); });
}

void GridView::ScheduleRefresh() {
    if (!timer_.isActive()) timer_.start();
}

void GridView::Refresh() {
    timer_.stop();
    if (grid_.Version() == version_) return;
    version_ = grid_.Version();
    syncing_ = true;
    model_.Refresh();
    const int hr = model_.HeaderRows(), hc = model_.HeaderCols();
    const int rowH = std::max(grid_.DefaultRowHeight(), 0) + 1;

    QHeaderView* hh = horizontalHeader();
    hh->setVisible(hr > 0);
    hh->setFixedHeight(rowH);
    hh->setDefaultSectionSize(std::max(grid_.DefaultColWidth(), 0) + 1);
    for (int c = 0, n = model_.columnCount(); c < n; ++c) {
        int w = std::max(grid_.ColWidth(model_.GridCol(c)), 0) + 1;
        if (hh->sectionSize(c) != w) hh->resizeSection(c, w);
    }
    QHeaderView* vh = verticalHeader();
    vh->setVisible(hc > 0);
    vh->setFixedWidth(std::max(grid_.ColWidth(0), 0) + 1);
    vh->setDefaultSectionSize(rowH);

    setEditTriggers(grid_.Editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::AnyKeyPressed
                                   : QAbstractItemView::NoEditTriggers);
    ApplySelection();
    viewport()->update();
    syncing_ = false;
}

void GridView::ApplySelection() {
    const ui::GridRect& s = grid_.Selection();
    const int hr = model_.HeaderRows(), hc = model_.HeaderCols();
    QModelIndex tl = model_.index(s.Top - hr, s.Left - hc), br = model_.index(s.Bottom - hr, s.Right - hc);
    if (!tl.isValid() || !br.isValid()) {
        selectionModel()->clearSelection();
        return;
    }
    // A range the user selected stays while the cell the user moved to is a corner of the
    // grid's selection (the cell itself, or the range once reported, whichever way it was
    // dragged).
    const QModelIndex cur = currentIndex();
    const bool corner = cur.isValid() && (cur.row() == tl.row() || cur.row() == br.row()) &&
                        (cur.column() == tl.column() || cur.column() == br.column());
    if (corner && selectionModel()->isSelected(tl) && selectionModel()->isSelected(br)) return;
    if (currentIndex() != tl) selectionModel()->setCurrentIndex(tl, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
    // A selection the program moves is scrolled into view, once.
    if (!(s == shown_)) {
        shown_ = s;
        scrollTo(tl);
    }
}

void GridView::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    if (e->button() == Qt::LeftButton) {
        // Starts (or with Shift extends) a range; the grid is told below, once.
        syncing_ = true;
        QTableView::mousePressEvent(e);
        syncing_ = false;
        version_ = ~0ULL;  // a cell the grid refuses loses the highlight again
        ScheduleRefresh();
    }
    const QPoint pos = e->position().toPoint();
    const QModelIndex idx = indexAt(pos);
    int gc = -1, gr = -1;
    if (idx.isValid()) {
        gc = model_.GridCol(idx.column()), gr = model_.GridRow(idx.row());
        bool selectable = gc >= grid_.FixedCols() && gr >= grid_.FixedRows();
        if (e->button() == Qt::LeftButton && selectable && onSelectCell) onSelectCell(gc, gr);
        if (e->button() == Qt::LeftButton && (e->modifiers() & Qt::ShiftModifier)) ReportRange();
    }
    const QPoint at = viewport()->mapTo(this, pos);
    if (onMouseDown) onMouseDown(ToMouseEvent(*e, at.x(), at.y()), gc, gr);
}

void GridView::mouseMoveEvent(QMouseEvent* e) {
    QTableView::mouseMoveEvent(e);
    if (e->buttons() & Qt::LeftButton) ReportRange();  // a range dragged out
}

void GridView::mouseDoubleClickEvent(QMouseEvent* e) {
    QModelIndex idx = indexAt(e->position().toPoint());
    if (onDblClick)
        onDblClick(idx.isValid() ? model_.GridCol(idx.column()) : -1, idx.isValid() ? model_.GridRow(idx.row()) : -1);
    if (idx.isValid() && (model_.flags(idx) & Qt::ItemIsEditable)) edit(idx);
}

void GridView::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(ToQString(SelectedText()));
        return;
    }
    QTableView::keyPressEvent(e);  // Ctrl+A selects all, Shift+arrows extend
    if (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) ReportRange();
}

// The rows and columns (top, left, bottom, right) of the rectangle around a selection.
static std::array<int, 4> Bounds(const QItemSelection& sel) {
    int top = INT32_MAX, left = INT32_MAX, bottom = -1, right = -1;
    for (const QItemSelectionRange& r : sel) {
        top = std::min(top, r.top());
        left = std::min(left, r.left());
        bottom = std::max(bottom, r.bottom());
        right = std::max(right, r.right());
    }
    return {top, left, bottom, right};
}

// The grid's selection is one rectangle: a range the user made of several cells reaches it
// as the rectangle around the selected cells that are not fixed.
void GridView::ReportRange() {
    const QItemSelection sel = selectionModel()->selection();
    if (sel.isEmpty() || !onSelectRange) return;
    const auto [top, left, bottom, right] = Bounds(sel);
    ui::GridRect block{std::max(model_.GridCol(left), grid_.FixedCols()), std::max(model_.GridRow(top), grid_.FixedRows()),
                       model_.GridCol(right), model_.GridRow(bottom)};
    if (block.Left > block.Right || block.Top > block.Bottom) return;
    if (block.Left == block.Right && block.Top == block.Bottom) return;  // one cell: the click said it
    onSelectRange(block);
    version_ = ~0ULL;
    ScheduleRefresh();
}

std::string GridView::SelectedText() const {
    const QItemSelection sel = selectionModel()->selection();
    if (sel.isEmpty()) return {};
    const auto [top, left, bottom, right] = Bounds(sel);
    ui::GridRect block{model_.GridCol(left), model_.GridRow(top), model_.GridCol(right), model_.GridRow(bottom)};
    if (sel.size() == 1) return ui::SelectionText(grid_, block);
    const int hr = model_.HeaderRows(), hc = model_.HeaderCols();
    return ui::SelectionText(grid_, block, [&](int c, int r) { return sel.contains(model_.index(r - hr, c - hc)); });
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (syncing_ || !current.isValid()) return;
    // Moved by the keyboard: the grid decides; a refused move is undone.
    if (onSelectCell) onSelectCell(model_.GridCol(current.column()), model_.GridRow(current.row()));
    version_ = ~0ULL;
    ScheduleRefresh();
}

// The headers are the grid's first fixed row and column: a press there is a press on
// that row's or column's cell.
void GridView::HeaderMouse(QObject* header, QMouseEvent* e, bool dbl) {
    const QPoint pos = e->position().toPoint();
    int gc = 0, gr = 0;
    if (header == horizontalHeader()->viewport()) {
        int section = horizontalHeader()->logicalIndexAt(pos.x());
        if (section < 0) return;
        gc = model_.GridCol(section);
    } else {
        int section = verticalHeader()->logicalIndexAt(pos.y());
        if (section < 0) return;
        gr = model_.GridRow(section);
    }
    if (dbl) {
        if (onDblClick) onDblClick(gc, gr);
    } else if (onMouseDown) {
        const QPoint at = static_cast<QWidget*>(header)->mapTo(this, pos);
        onMouseDown(ToMouseEvent(*e, at.x(), at.y()), gc, gr);
    }
}

bool GridView::eventFilter(QObject* watched, QEvent* e) {
    bool header = watched == horizontalHeader()->viewport() || watched == verticalHeader()->viewport();
    if (header && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)) {
        HeaderMouse(watched, static_cast<QMouseEvent*>(e), e->type() == QEvent::MouseButtonDblClick);
        return true;
    }
    return QTableView::eventFilter(watched, e);
}

// ---------------------------------------------------------------- SpinBox

SpinBox::SpinBox(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        if (!quiet_ && onTyped) onTyped(t);
    });
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (!quiet_ && onFocusLost) onFocusLost();
    });
}

void SpinBox::SetTextQuietly(const QString& t) {
    if (lineEdit()->text() == t) return;
    quiet_ = true;
    lineEdit()->setText(t);
    quiet_ = false;
}

QValidator::State SpinBox::validate(QString& input, int&) const {
    static const QRegularExpression integer(QStringLiteral("^-?[0-9]*$"));
    return integer.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

void SpinBox::stepBy(int steps) {
    if (onStep) onStep(steps);
}

QAbstractSpinBox::StepEnabled SpinBox::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    return StepUpEnabled | StepDownEnabled;
}

// ---------------------------------------------------------------- LineEdit

void LineEdit::mouseReleaseEvent(QMouseEvent* e) {
    QLineEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && onClick) onClick();
}

// ---------------------------------------------------------------- PaintBoxWidget

PaintBoxWidget::PaintBoxWidget(QtCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBoxWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QImage& image = canvas_.Image();
    p.fillRect(rect(), ToQColor(QtCanvas::kBackground));
    if (!image.isNull()) p.drawImage(0, 0, image);
}

void PaintBoxWidget::mousePressEvent(QMouseEvent* e) {
    QPoint p = e->position().toPoint();
    if (onMouseDown) onMouseDown(ToMouseEvent(*e, p.x(), p.y()));
}

void PaintBoxWidget::mouseMoveEvent(QMouseEvent* e) {
    QPoint p = e->position().toPoint();
    if (onMouseMove) onMouseMove(ToMouseEvent(*e, p.x(), p.y()));
}

void PaintBoxWidget::mouseReleaseEvent(QMouseEvent* e) {
    QPoint p = e->position().toPoint();
    if (onMouseUp) onMouseUp(ToMouseEvent(*e, p.x(), p.y()));
}

void PaintBoxWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    // The classic order: the double click, then the press that caused it.
    if (onDblClick) onDblClick();
    mousePressEvent(e);
}

// ---------------------------------------------------------------- LegendWidget

LegendWidget::LegendWidget(const ui::LegendGrid& legend, QWidget* parent) : QWidget(parent), legend_(legend) {}

QSize LegendWidget::sizeHint() const {
    int w = 0;
    for (const auto& c : legend_.Columns()) w += std::max(c.width, 0) + 1;
    return QSize(std::max(w, 1), fontMetrics().height() + 10);
}

void LegendWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QFontMetrics fm = fontMetrics();
    int x = 0;
    const int h = height();
    for (const auto& c : legend_.Columns()) {
        const int w = std::max(c.width, 0);
        QRect cell(x, 0, w, h);
        p.fillRect(cell, palette().button());
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(x + w, 0, x + w, h - 1);
        p.drawLine(x, h - 1, x + w, h - 1);
        p.fillRect(QRect(x + 2, h - 6, std::max(w - 4, 0), 4), ToQColor(c.color));
        p.setPen(ToQColor(c.color));
        p.drawText(cell.adjusted(3, 0, -2, -6), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fm.elidedText(ToQString(c.caption), Qt::ElideNone, w));
        x += w + 1;
        if (x > width()) break;
    }
}

}  // namespace mavrolin::qt

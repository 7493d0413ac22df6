#pragma once
// The Qt widgets the binding puts in place of model controls. They know nothing of the
// program: they report user actions through callbacks that the binding routes through
// its dispatch point.
#include <QAbstractSpinBox>
#include <QAbstractTableModel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "ui/controls.h"

class QMouseEvent;

namespace mavrolin::qt {

class QtCanvas;

ui::MouseEvent ToMouseEvent(const QMouseEvent& e, int x, int y);

// ---------------------------------------------------------------- window

class FormWindow : public QMainWindow {
public:
    FormWindow();
    QWidget* ClientArea() const { return client_; }

    std::function<void()> onCloseRequested;   // the close box or Alt+F4
    std::function<void()> onGeometryChanged;  // moved or resized by the user or the system
    std::function<void()> onShown;
    std::function<void(const QString&)> onFileDropped;  // set only where drops are welcome
    std::function<void(const QStringList&)> onFilesDropped;  // the same, taking every file dropped

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    QWidget* client_;
};

// ---------------------------------------------------------------- string grid

// The model's first fixed row is the horizontal header and its first fixed column the
// vertical header; further fixed rows and columns show as shaded cells.
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(ui::StringGrid& grid) : grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Brings the table up to date with the grid: a reset when its shape changed, one
    // change notice otherwise. Returns true when the shape changed.
    bool Refresh();
    int HeaderRows() const { return hr_; }
    int HeaderCols() const { return hc_; }
    // Grid cell of a table index.
    int GridCol(int column) const { return column + hc_; }
    int GridRow(int row) const { return row + hr_; }

    std::function<void(int col, int row, const std::string& text)> onUserEdit;

private:
    bool IsFixed(int gcol, int grow) const;
    ui::StringGrid& grid_;
    int rows_ = 0, cols_ = 0, hr_ = 0, hc_ = 0, fixedRows_ = 0, fixedCols_ = 0;
    ui::CellAlign align_ = ui::CellAlign::Left;
};

class GridView : public QTableView {
public:
    explicit GridView(ui::StringGrid& grid, QWidget* parent);
    GridModel& Model() { return model_; }

    // Applies the grid's state now (normally done once after a burst of changes).
    void Refresh();
    // Asks for a refresh at the next turn of the event loop; many changes, one refresh.
    void ScheduleRefresh();
    bool RefreshPending() const { return timer_.isActive(); }
    // The selected cells as tab-separated text (what Ctrl+C puts on the clipboard).
    std::string SelectedText() const;

    std::function<void(int col, int row)> onSelectCell;
    // A range of cells the user selected by dragging, Shift or Ctrl+A (grid cells).
    std::function<void(const ui::GridRect&)> onSelectRange;
    // Mouse positions are those of the visible table (headers included, scrolling
    // applied); `col`, `row` name the grid cell under the mouse (-1 off the cells).
    std::function<void(const ui::MouseEvent&, int col, int row)> onMouseDown;
    std::function<void(int col, int row)> onDblClick;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ApplySelection();
    void ReportRange();
    void HeaderMouse(QObject* header, QMouseEvent* e, bool dbl);
    ui::StringGrid& grid_;
    GridModel model_;
    QTimer timer_;
    bool syncing_ = false;
    unsigned long long version_ = ~0ULL;
    ui::GridRect shown_{-1, -1, -1, -1};  // the selection last brought into view
};

// ---------------------------------------------------------------- spin edit

// A spin box whose text is free (the model clamps and interprets it): typing reports the
// text, leaving the field reports the loss of focus, the arrows report steps.
class SpinBox : public QAbstractSpinBox {
public:
    explicit SpinBox(QWidget* parent);
    void SetTextQuietly(const QString& t);
    QLineEdit* Editor() const { return lineEdit(); }

    std::function<void(const QString&)> onTyped;
    std::function<void()> onFocusLost;
    std::function<void(int steps)> onStep;

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString&) const override {}
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    bool quiet_ = false;
};

// ---------------------------------------------------------------- edit box

class LineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// ---------------------------------------------------------------- paint box

class PaintBoxWidget : public QWidget {
public:
    PaintBoxWidget(QtCanvas& canvas, QWidget* parent);

    std::function<void(const ui::MouseEvent&)> onMouseDown, onMouseMove, onMouseUp;
    std::function<void()> onDblClick;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QtCanvas& canvas_;
};

// ---------------------------------------------------------------- legend

class LegendWidget : public QWidget {
public:
    LegendWidget(const ui::LegendGrid& legend, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    const ui::LegendGrid& legend_;
};

}  // namespace mavrolin::qt

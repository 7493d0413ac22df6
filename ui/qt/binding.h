#pragma once
// The one place that maps model controls to Qt widgets and keeps both sides in step:
// model changes arrive through ControlObserver and MenuItem hooks and are applied to the
// widgets; user actions on the widgets are applied to the model through the dispatch
// point, which runs the program's handlers.
#include <QPointer>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/controls.h"
#include "ui/qt/dispatch.h"

class QAction;
class QMenu;
class QWidget;

namespace mavrolin::qt {

class FormWindow;
class GridView;
class QtCanvas;

class QtBinding : public ui::ControlObserver {
public:
    explicit QtBinding(const Dispatcher& dispatch);
    ~QtBinding() override;
    QtBinding(const QtBinding&) = delete;
    QtBinding& operator=(const QtBinding&) = delete;

    // Creates the window of a form with its menu and every control, in the model's state.
    FormWindow& Bind(ui::Form& form);

    FormWindow* WindowOf(const ui::Form& form) const;
    QWidget* WidgetOf(const ui::Control& control) const;
    QAction* ActionOf(const ui::MenuItem& item) const;
    QtCanvas* CanvasOf(const ui::PaintBox& box) const;
    GridView* GridOf(const ui::StringGrid& grid) const;

    // A pop-up menu of a model menu; its items run their handlers through the dispatch
    // point. The menu deletes itself when it closes.
    QMenu* BuildPopup(ui::MenuItem& root);
    // Applies every coalesced grid refresh now (before a repaint the program asked for).
    void FlushGrids();

    const Dispatcher& Dispatch() const { return dispatch_; }

    void ControlChanged(ui::Control& control) override;

    struct Bound;  // one per bound control

private:
    void BindChildren(ui::Container& container, QWidget* parentWidget);
    void BindControl(ui::Control& control, QWidget* parentWidget);
    void AddMenuItems(QWidget* target, ui::MenuItem& parent, bool persistent);
    void SyncAction(ui::MenuItem& item, QAction& action);

    const Dispatcher& dispatch_;
    std::unordered_map<const ui::Control*, std::unique_ptr<Bound>> bound_;
    std::map<const ui::MenuItem*, QPointer<QAction>> actions_;
    std::vector<ui::MenuItem*> hookedItems_;
    std::vector<GridView*> grids_;
    // Bursts of changes come from one control (a grid being filled): remember the last.
    const ui::Control* lastControl_ = nullptr;
    Bound* lastBound_ = nullptr;
    // Window decorations learnt from the first window shown; windows not yet shown
    // take them, so their outer sizes are right before they appear.
    int decoW_ = -1, decoH_ = -1;
};

}  // namespace mavrolin::qt

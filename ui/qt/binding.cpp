#include "ui/qt/binding.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "ui/qt/qt_canvas.h"
#include "ui/qt/text.h"
#include "ui/qt/widgets.h"

namespace mavrolin::qt {

// ---------------------------------------------------------------- bound controls

struct QtBinding::Bound {
    Bound(QtBinding& b, ui::Control& c, QWidget* w) : binding(b), control(c), widget(w) {}
    virtual ~Bound() = default;
    // Applies the control's state to the widget.
    virtual void Sync() { SyncCommon(); }
    // The widget whose children are this control's children (containers only).
    virtual QWidget* ChildParent() { return widget; }
    virtual void ChildMoved() {}
    virtual void Detach() {}

    void Run(const std::function<void()>& action) { binding.dispatch_.Run(action, control.Name()); }

    // Position, size (the widget's preferred size where the program left it at 0),
    // visibility and enabled state.
    void SyncCommon() {
        QSize hint = widget->sizeHint();
        QRect r(control.Left(), control.Top(), control.Width() > 0 ? control.Width() : std::max(hint.width(), 0),
                control.Height() > 0 ? control.Height() : std::max(hint.height(), 0));
        bool moved = false;
        if (widget->geometry() != r) widget->setGeometry(r), moved = true;
        if (widget->isEnabled() != control.Enabled()) widget->setEnabled(control.Enabled());
        if (widget->isHidden() == control.Visible()) widget->setVisible(control.Visible()), moved = true;
        if (moved) NotifyParent();
    }
    void NotifyParent() {
        if (!control.Parent()) return;
        auto it = binding.bound_.find(control.Parent());
        if (it != binding.bound_.end()) it->second->ChildMoved();
    }

    // Decorations of the window system, once a window has shown them.
    void LearnDecorations(int w, int h);
    int KnownDecoW() const { return binding.decoW_; }
    int KnownDecoH() const { return binding.decoH_; }

    QtBinding& binding;
    ui::Control& control;
    QWidget* widget;
    bool syncing = false;
};

namespace {

using Bound = QtBinding::Bound;

struct FormBound : Bound {
    FormBound(QtBinding& b, ui::Form& f, FormWindow* w) : Bound(b, f, w), form(f), window(w) {
        fronts = f.FrontRequests();
        refreshes = f.RefreshRequests();
        window->setAttribute(Qt::WA_QuitOnClose, false);
        window->onCloseRequested = [this] {
            Run([this] {
                if (form.OnClose) form.OnClose();
                form.Hide();
            });
        };
        window->onGeometryChanged = [this] { FromWindow(); };
        window->onShown = [this] {
            // Decorations are known once the window system has placed the window.
            QTimer::singleShot(0, window, [this] { FromWindow(); });
        };
        // The status line exists from the start when the form has one, so the frame the
        // client sizes are counted from never changes later.
        if (f.Status.Visible()) {
            status = window->statusBar();
            status->setSizeGripEnabled(false);
            f.Status.OnChangedHook = [this](ui::StatusBar&) { SyncStatus(); };
            // A scan message shown in the status line stands in place of the panels for its
            // time. The status bar hides them only until the window is shown again (then
            // the two texts were drawn over each other): they are hidden outright here.
            QObject::connect(status, &QStatusBar::messageChanged, window, [this](const QString& message) {
                for (QLabel* label : panelLabels) label->setVisible(message.isEmpty());
            });
            SyncStatus();
        }
    }
    ~FormBound() override { Detach(); }
    void Detach() override { form.Status.OnChangedHook = nullptr; }

    // One label per panel, the first taking the spare width; the text (often a long
    // path) can be selected and is repeated as a tooltip.
    void SyncStatus() {
        if (!status) return;
        const auto& panels = form.Status.Panels();
        while (panelLabels.size() > panels.size()) {
            delete panelLabels.back();
            panelLabels.pop_back();
        }
        while (panelLabels.size() < panels.size()) {
            auto* label = new QLabel(status);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            status->addWidget(label, panelLabels.empty() ? 1 : 0);
            label->setVisible(status->currentMessage().isEmpty());
            panelLabels.push_back(label);
        }
        for (size_t i = 0; i < panels.size(); ++i) {
            QString text = ToQString(panels[i]);
            panelLabels[i]->setText(text);
            panelLabels[i]->setToolTip(text);
        }
    }

    int MenuHeight() const {
        int h = 0;
        QWidget* menu = window->menuWidget();
        if (menu && !menu->isHidden()) h += window->isVisible() ? menu->height() : menu->sizeHint().height();
        if (status) h += window->isVisible() ? status->height() : status->sizeHint().height();
        return h;
    }

    void Sync() override {
        syncing = true;
        QString title = ToQString(form.Caption());
        if (window->windowTitle() != title) window->setWindowTitle(title);
        const bool visible = form.Visible() && !form.Released();
        if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != form.StayOnTop()) {
            window->setWindowFlag(Qt::WindowStaysOnTopHint, form.StayOnTop());
        }
        QSize size(std::max(form.Width() - decoW, 1), std::max(form.Height() - decoH, 1));
        if (window->size() != size) window->resize(size);
        QPoint pos(form.Left(), form.Top());
        if (window->pos() != pos) window->move(pos);
        if (window->isEnabled() != form.Enabled()) window->setEnabled(form.Enabled());
        if (visible != window->isVisible()) window->setVisible(visible);
        if (form.FrontRequests() != fronts) {
            fronts = form.FrontRequests();
            if (visible) {
                // A minimised window comes back as it was before.
                if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                window->raise();
                window->activateWindow();
            }
        }
        if (form.RefreshRequests() != refreshes) {
            refreshes = form.RefreshRequests();
            binding.FlushGrids();
            if (visible) window->repaint();
        }
        syncing = false;
    }

    QWidget* ChildParent() override { return window->ClientArea(); }

    // The window was moved or resized (by the user or the window system), or its
    // decorations became known: the model follows, with its outer size and client area.
    void FromWindow() {
        if (syncing) return;
        int menuH = MenuHeight();
        int dw = decoW, dh = decoH;
        if (window->isVisible()) {
            QSize deco = window->frameGeometry().size() - window->geometry().size();
            dw = std::max(deco.width(), 0), dh = std::max(deco.height(), 0);
            measured = true;
            LearnDecorations(dw, dh);
        } else if (!measured && KnownDecoW() >= 0) {
            dw = KnownDecoW(), dh = KnownDecoH();
        }
        if (dw != decoW || dh != decoH || menuH + dh != form.FrameHeight() || dw != form.FrameWidth()) {
            decoW = dw, decoH = dh;
            Run([&] { form.SetFrameExtents(decoW, decoH + menuH); });
        }
        if (!window->isVisible()) return;
        const QPoint client = window->ClientArea()->mapTo(window, QPoint(0, 0)) +
                              (window->geometry().topLeft() - window->frameGeometry().topLeft());
        form.SetClientOffset(client.x(), client.y());
        QPoint pos = window->pos();
        int w = window->width() + decoW, h = window->height() + decoH;
        if (pos.x() != form.Left() || pos.y() != form.Top() || w != form.Width() || h != form.Height())
            Run([&] { form.SetBounds(pos.x(), pos.y(), w, h); });
    }

    ui::Form& form;
    FormWindow* window;
    QStatusBar* status = nullptr;
    std::vector<QLabel*> panelLabels;
    bool measured = false;
    int decoW = 0, decoH = 0;
    int fronts = 0, refreshes = 0;
};

struct LabelBound : Bound {
    LabelBound(QtBinding& b, ui::Label& l, QWidget* parent) : Bound(b, l, new QLabel(parent)), label(l) {}
    void Sync() override {
        auto* l = static_cast<QLabel*>(widget);
        l->setText(ToQString(label.Caption()));
        QPalette pal = l->palette();
        const QColor c = ToQColor(label.FontColor());
        if (pal.color(QPalette::WindowText) != c) {
            pal.setColor(QPalette::WindowText, c);
            l->setPalette(pal);
        }
        SyncCommon();
    }
    ui::Label& label;
};

struct ButtonBound : Bound {
    ButtonBound(QtBinding& b, ui::Button& btn, QWidget* parent)
        : Bound(b, btn, new QPushButton(parent)), button(btn) {
        QObject::connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, widget,
                         [this] { Run([this] { button.Click(); }); });
    }
    void Sync() override {
        static_cast<QPushButton*>(widget)->setText(CaptionText(button.Caption()));
        SyncCommon();
    }
    ui::Button& button;
};

struct CheckBound : Bound {
    CheckBound(QtBinding& b, ui::CheckBox& c, QWidget* parent) : Bound(b, c, new QCheckBox(parent)), box(c) {
        QObject::connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, widget, [this](bool checked) {
            Run([&] { box.SetChecked(checked); });
            Sync();  // a reaction may have put it back
        });
    }
    void Sync() override {
        auto* cb = static_cast<QCheckBox*>(widget);
        cb->setText(CaptionText(box.Caption()));
        if (cb->isChecked() != box.Checked()) {
            QSignalBlocker quiet(cb);
            cb->setChecked(box.Checked());
        }
        SyncCommon();
    }
    ui::CheckBox& box;
};

struct EditBound : Bound {
    EditBound(QtBinding& b, ui::Edit& e, QWidget* parent) : Bound(b, e, new LineEdit(parent)), edit(e) {
        auto* le = static_cast<LineEdit*>(widget);
        QObject::connect(le, &QLineEdit::textEdited, le,
                         [this](const QString& t) { Run([&] { edit.SetText(FromQString(t)); }); });
        le->onClick = [this] { Run([this] { edit.Click(); }); };
    }
    void Sync() override {
        auto* le = static_cast<LineEdit*>(widget);
        QString t = ToQString(edit.Text());
        if (le->text() != t) le->setText(t);
        le->setReadOnly(edit.ReadOnly());
        QPalette pal = le->palette();
        QColor c = ToQColor(edit.BackColor());
        if (pal.color(QPalette::Base) != c) {
            pal.setColor(QPalette::Base, c);
            // Dark colour boxes keep a readable text.
            pal.setColor(QPalette::Text, c.lightness() < 110 ? Qt::white : Qt::black);
            le->setPalette(pal);
        }
        SyncCommon();
    }
    ui::Edit& edit;
};

struct MemoBound : Bound {
    MemoBound(QtBinding& b, ui::Memo& m, QWidget* parent) : Bound(b, m, new QPlainTextEdit(parent)), memo(m) {
        auto* te = static_cast<QPlainTextEdit*>(widget);
        QObject::connect(te, &QPlainTextEdit::textChanged, te, [this, te] {
            if (syncing) return;
            QString all = te->toPlainText();
            std::vector<std::string> lines;
            for (const QString& line : all.split(QLatin1Char('\n'))) lines.push_back(FromQString(line));
            Run([&] { memo.SetLines(std::move(lines)); });
        });
    }
    void Sync() override {
        auto* te = static_cast<QPlainTextEdit*>(widget);
        syncing = true;
        QString t = ToQString(memo.Text());
        if (te->toPlainText() != t) te->setPlainText(t);
        te->setReadOnly(memo.ReadOnly());
        te->setLineWrapMode(memo.ScrollBars ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        syncing = false;
        SyncCommon();
    }
    ui::Memo& memo;
};

struct ProgressBound : Bound {
    ProgressBound(QtBinding& b, ui::ProgressBar& p, QWidget* parent)
        : Bound(b, p, new QProgressBar(parent)), bar(p) {}
    void Sync() override {
        auto* pb = static_cast<QProgressBar*>(widget);
        pb->setRange(bar.Min(), bar.Max());
        pb->setValue(bar.Position());
        SyncCommon();
    }
    ui::ProgressBar& bar;
};

struct SpinBound : Bound {
    SpinBound(QtBinding& b, ui::SpinEdit& s, QWidget* parent) : Bound(b, s, new SpinBox(parent)), spin(s) {
        auto* sb = static_cast<SpinBox*>(widget);
        sb->onTyped = [this](const QString& t) { Run([&] { spin.SetText(FromQString(t)); }); };
        sb->onFocusLost = [this] { Run([this] { spin.FocusLost(); }); };
        sb->onStep = [this](int steps) {
            Run([&] {
                long long next = static_cast<long long>(spin.Value()) + static_cast<long long>(steps) * spin.Increment;
                spin.SetValue(static_cast<int>(std::clamp<long long>(next, INT32_MIN, INT32_MAX)));
            });
        };
    }
    void Sync() override {
        static_cast<SpinBox*>(widget)->SetTextQuietly(ToQString(spin.Text()));
        SyncCommon();
    }
    ui::SpinEdit& spin;
};

struct GridBound : Bound {
    GridBound(QtBinding& b, ui::StringGrid& g, QWidget* parent) : Bound(b, g, new GridView(g, parent)), grid(g) {
        auto* view = static_cast<GridView*>(widget);
        view->onSelectCell = [this](int c, int r) { Run([&] { grid.SelectCell(c, r); }); };
        view->onSelectRange = [this](const ui::GridRect& r) { Run([&] { grid.SetSelection(r); }); };
        view->onMouseDown = [this](const ui::MouseEvent& e, int c, int r) {
            Run([&] {
                grid.SetMouseCell(c, r);
                if (grid.OnMouseDown) grid.OnMouseDown(e);
            });
        };
        view->onDblClick = [this](int c, int r) {
            Run([&] {
                grid.SetMouseCell(c, r);
                if (grid.OnDblClick) grid.OnDblClick();
            });
        };
        view->Model().onUserEdit = [this](int c, int r, const std::string& t) {
            Run([&] { grid.UserSetCell(c, r, t); });
        };
    }
    void Sync() override {
        // Every cell write notifies: geometry only when it changed, contents once per burst.
        QRect r(grid.Left(), grid.Top(), grid.Width(), grid.Height());
        if (r != last || grid.Visible() != lastVisible || grid.Enabled() != lastEnabled) {
            last = r, lastVisible = grid.Visible(), lastEnabled = grid.Enabled();
            SyncCommon();
        }
        static_cast<GridView*>(widget)->ScheduleRefresh();
    }
    ui::StringGrid& grid;
    QRect last{0, 0, -1, -1};
    bool lastVisible = false, lastEnabled = false;
};

struct LegendBound : Bound {
    LegendBound(QtBinding& b, ui::LegendGrid& l, QWidget* parent) : Bound(b, l, new LegendWidget(l, parent)) {}
    void Sync() override {
        widget->update();
        SyncCommon();
    }
};

struct PaintBound : Bound {
    PaintBound(QtBinding& b, ui::PaintBox& p, QWidget* parent, std::unique_ptr<QtCanvas> c)
        : Bound(b, p, new PaintBoxWidget(*c, parent)), box(p), canvas(std::move(c)) {
        auto* w = static_cast<PaintBoxWidget*>(widget);
        canvas->OnPainted = [w] { w->update(); };
        auto mouse = [this](std::function<void(const ui::MouseEvent&)> ui::PaintBox::*handler) {
            return [this, handler](const ui::MouseEvent& e) {
                Run([&] {
                    if (box.*handler) (box.*handler)(e);
                });
            };
        };
        w->onMouseDown = mouse(&ui::PaintBox::OnMouseDown);
        w->onMouseMove = mouse(&ui::PaintBox::OnMouseMove);
        w->onMouseUp = mouse(&ui::PaintBox::OnMouseUp);
        w->onDblClick = [this] {
            Run([this] {
                if (box.OnDblClick) box.OnDblClick();
            });
        };
        // What was drawn before the window existed is shown too.
        box.Canvas().SetMirror(canvas.get());
        box.Canvas().Replay(*canvas);
    }
    void Detach() override { box.Canvas().SetMirror(nullptr); }
    ui::PaintBox& box;
    std::unique_ptr<QtCanvas> canvas;
};

struct ScrollBound : Bound {
    ScrollBound(QtBinding& b, ui::ScrollBox& s, QWidget* parent) : Bound(b, s, new QScrollArea(parent)) {
        auto* area = static_cast<QScrollArea*>(widget);
        inner = new QWidget;
        area->setWidget(inner);
        area->setWidgetResizable(false);
    }
    QWidget* ChildParent() override { return inner; }
    void ChildMoved() override {
        QRect all;
        for (QWidget* child : inner->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!child->isHidden()) all |= child->geometry();
        inner->resize(std::max(all.right() + 1, 1), std::max(all.bottom() + 1, 1));
    }
    QWidget* inner;
};

// A container the binding has no special widget for: a plain panel.
struct PanelBound : Bound {
    PanelBound(QtBinding& b, ui::Container& c, QWidget* parent) : Bound(b, c, new QWidget(parent)) {}
};

}  // namespace

void QtBinding::Bound::LearnDecorations(int w, int h) {
    if (w == binding.decoW_ && h == binding.decoH_) return;
    binding.decoW_ = w, binding.decoH_ = h;
    for (auto& [control, bound] : binding.bound_)
        if (auto* form = dynamic_cast<FormBound*>(bound.get()); form && !form->measured) form->FromWindow();
}

// ---------------------------------------------------------------- QtBinding

QtBinding::QtBinding(const Dispatcher& dispatch) : dispatch_(dispatch) {}

QtBinding::~QtBinding() {
    // The model outlives the binding: detach first, then close the windows.
    for (auto& [control, bound] : bound_) {
        const_cast<ui::Control*>(control)->SetObserver(nullptr);
        bound->Detach();
    }
    for (auto* item : hookedItems_) item->OnChangedHook = nullptr;
    std::vector<QWidget*> windows;
    for (auto& [control, bound] : bound_)
        if (dynamic_cast<FormBound*>(bound.get())) windows.push_back(bound->widget);
    for (QWidget* w : windows) delete w;
    lastControl_ = nullptr;
    lastBound_ = nullptr;
    bound_.clear();
}

FormWindow& QtBinding::Bind(ui::Form& form) {
    auto* window = new FormWindow;
    window->setObjectName(QString::fromStdString(form.Name()));
    auto bound = std::make_unique<FormBound>(*this, form, window);
    auto* fb = bound.get();
    bound_[&form] = std::move(bound);
    form.SetObserver(this);

    if (!form.Menu.Items().empty()) AddMenuItems(window->menuBar(), form.Menu, true);
    BindChildren(form, window->ClientArea());
    // The program's sizes are client sizes: count the menu bar as frame from the start.
    fb->FromWindow();
    for (auto& [control, b] : bound_)
        if (b.get() != fb && b->widget->window() == window) b->Sync();
    fb->Sync();
    return *window;
}

void QtBinding::BindChildren(ui::Container& container, QWidget* parentWidget) {
    for (ui::Control* child : container.Children()) BindControl(*child, parentWidget);
}

void QtBinding::BindControl(ui::Control& c, QWidget* parent) {
    std::unique_ptr<Bound> b;
    if (auto* grid = dynamic_cast<ui::StringGrid*>(&c)) {
        b = std::make_unique<GridBound>(*this, *grid, parent);
        grids_.push_back(static_cast<GridView*>(b->widget));
    } else if (auto* spin = dynamic_cast<ui::SpinEdit*>(&c)) {
        b = std::make_unique<SpinBound>(*this, *spin, parent);
    } else if (auto* edit = dynamic_cast<ui::Edit*>(&c)) {
        b = std::make_unique<EditBound>(*this, *edit, parent);
    } else if (auto* label = dynamic_cast<ui::Label*>(&c)) {
        b = std::make_unique<LabelBound>(*this, *label, parent);
    } else if (auto* button = dynamic_cast<ui::Button*>(&c)) {
        b = std::make_unique<ButtonBound>(*this, *button, parent);
    } else if (auto* check = dynamic_cast<ui::CheckBox*>(&c)) {
        b = std::make_unique<CheckBound>(*this, *check, parent);
    } else if (auto* memo = dynamic_cast<ui::Memo*>(&c)) {
        b = std::make_unique<MemoBound>(*this, *memo, parent);
    } else if (auto* bar = dynamic_cast<ui::ProgressBar*>(&c)) {
        b = std::make_unique<ProgressBound>(*this, *bar, parent);
    } else if (auto* legend = dynamic_cast<ui::LegendGrid*>(&c)) {
        b = std::make_unique<LegendBound>(*this, *legend, parent);
    } else if (auto* box = dynamic_cast<ui::PaintBox*>(&c)) {
        b = std::make_unique<PaintBound>(*this, *box, parent, std::make_unique<QtCanvas>());
    } else if (auto* scroll = dynamic_cast<ui::ScrollBox*>(&c)) {
        b = std::make_unique<ScrollBound>(*this, *scroll, parent);
    } else if (auto* panel = dynamic_cast<ui::Container*>(&c)) {
        b = std::make_unique<PanelBound>(*this, *panel, parent);
    } else {
        return;  // nothing to show
    }
    b->widget->setObjectName(QString::fromStdString(c.Name()));
    QWidget* childParent = b->ChildParent();
    bound_[&c] = std::move(b);
    c.SetObserver(this);
    if (auto* container = dynamic_cast<ui::Container*>(&c)) BindChildren(*container, childParent);
}

void QtBinding::ControlChanged(ui::Control& control) {
    if (&control != lastControl_) {
        auto it = bound_.find(&control);
        if (it == bound_.end()) return;
        lastControl_ = &control;
        lastBound_ = it->second.get();
    }
    lastBound_->Sync();
}

FormWindow* QtBinding::WindowOf(const ui::Form& form) const {
    auto it = bound_.find(&form);
    return it == bound_.end() ? nullptr : static_cast<FormWindow*>(it->second->widget);
}

QWidget* QtBinding::WidgetOf(const ui::Control& control) const {
    auto it = bound_.find(&control);
    return it == bound_.end() ? nullptr : it->second->widget;
}

QAction* QtBinding::ActionOf(const ui::MenuItem& item) const {
    auto it = actions_.find(&item);
    return it == actions_.end() ? nullptr : it->second.data();
}

QtCanvas* QtBinding::CanvasOf(const ui::PaintBox& box) const {
    auto it = bound_.find(&box);
    if (it == bound_.end()) return nullptr;
    auto* pb = dynamic_cast<PaintBound*>(it->second.get());
    return pb ? pb->canvas.get() : nullptr;
}

GridView* QtBinding::GridOf(const ui::StringGrid& grid) const { return dynamic_cast<GridView*>(WidgetOf(grid)); }

void QtBinding::FlushGrids() {
    for (GridView* g : grids_)
        if (g->RefreshPending()) g->Refresh();
}

// ---------------------------------------------------------------- menus

void QtBinding::SyncAction(ui::MenuItem& item, QAction& action) {
    action.setText(CaptionText(item.Caption()));
    action.setEnabled(item.Enabled());
    action.setVisible(item.Visible());
    // A check mark only where one is set, as classic menus show it.
    action.setCheckable(item.Checked());
    action.setChecked(item.Checked());
}

void QtBinding::AddMenuItems(QWidget* target, ui::MenuItem& parent, bool persistent) {
    for (ui::MenuItem* child : parent.Items()) {
        ui::MenuItem& item = *child;
        QAction* action = nullptr;
        if (item.IsSeparator()) {
            action = new QAction(target);
            action->setSeparator(true);
            target->addAction(action);
            continue;
        }
        if (!item.Items().empty()) {
            auto* sub = new QMenu(CaptionText(item.Caption()), target);
            AddMenuItems(sub, item, persistent);
            action = sub->menuAction();
        } else {
            action = new QAction(CaptionText(item.Caption()), target);
            QPointer<QAction> guard(action);
            QObject::connect(action, &QAction::triggered, action, [this, &item, guard] {
                dispatch_.Run([&item] { item.Click(); }, item.Name());
                if (guard) SyncAction(item, *guard);  // Qt toggled the check mark itself
            });
        }
        target->addAction(action);
        SyncAction(item, *action);
        if (persistent) {
            actions_[&item] = action;
            item.OnChangedHook = [this](ui::MenuItem& changed) {
                if (QAction* a = ActionOf(changed)) SyncAction(changed, *a);
            };
            hookedItems_.push_back(&item);
        }
    }
}

QMenu* QtBinding::BuildPopup(ui::MenuItem& root) {
    auto* menu = new QMenu;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    AddMenuItems(menu, root, false);
    return menu;
}

}  // namespace mavrolin::qt

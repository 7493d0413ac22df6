// The status line of a window: a QStatusBar with one label per model panel, kept in step,
// counted as frame so the client area the program set stays as it was.
#include <gtest/gtest.h>

#include <QLabel>
#include <QStatusBar>

#include "qt_support.h"
#include "ui/controls.h"
#include "ui/qt/binding.h"
#include "ui/qt/widgets.h"

using qt_testing::Settle;

namespace {

struct StatusForm : ui::Form {
    explicit StatusForm(bool withStatus) : ui::Form("StatusForm", "Status"), Grid(this, "Grid") {
        SetBounds(20, 20, 400, 300);
        Grid.SetAlign(ui::Align::Client);
        Status.SetVisible(withStatus);
    }
    ui::StringGrid Grid;
};

QStringList LabelTexts(QStatusBar* bar) {
    QStringList texts;
    for (auto* label : bar->findChildren<QLabel*>()) texts << label->text();
    return texts;
}

}  // namespace

TEST(StatusBar, PanelsFollowTheModelAndTheClientAreaStays) {
    qt_testing::QtApp();
    mavrolin::qt::Dispatcher dispatch([](const std::string&) {});
    StatusForm plain(false), withStatus(true);
    withStatus.Status.SetPanels({"/data/run.log", "1200 lines", "normal termination"});
    {
        mavrolin::qt::QtBinding binding(dispatch);
        auto& window = binding.Bind(withStatus);
        auto& other = binding.Bind(plain);
        withStatus.Show();
        plain.Show();
        Settle();
        EXPECT_EQ(other.findChild<QStatusBar*>(), nullptr);
        auto* bar = window.findChild<QStatusBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(LabelTexts(bar), (QStringList{"/data/run.log", "1200 lines", "normal termination"}));

        withStatus.Status.SetPanels({"/data/cut.log", "80 lines"});
        Settle();
        EXPECT_EQ(LabelTexts(bar), (QStringList{"/data/cut.log", "80 lines"}));

        // The grid fills the client area the program knows, above the status line.
        const int clientHeight = withStatus.ClientHeight();
        EXPECT_EQ(window.ClientArea()->height(), clientHeight);
        EXPECT_GT(withStatus.FrameHeight(), plain.FrameHeight());
    }
    // The binding is gone: the model changes on without it.
    withStatus.Status.SetText("after");
    EXPECT_EQ(withStatus.Status.Text(), "after");
}

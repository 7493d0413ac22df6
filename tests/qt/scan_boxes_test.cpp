// The message boxes a scan opens while its progress panel holds the other input back,
// answered as a person answers them: a click on OK, Return, Space or Escape.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "app/desktop_session.h"
#include "qt_support.h"
#include "support/test_app.h"
#include "ui/qt/progress_panel.h"

using namespace mavrolin::qt;

namespace {

// Answers each modal box in turn by one of the ways a person would. A box still open after
// a few answers took none of them: it is closed directly and counted, so that the test
// fails instead of hanging.
class PersonAnsweringBoxes {
public:
    PersonAnsweringBoxes() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start();
    }
    int answered = 0;
    int stuck = 0;
    int duringScan = 0;  // boxes that opened while the progress panel was shown
    ProgressPanel* panel = nullptr;

private:
    void Answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (box != last_) {
            last_ = box;
            tries_ = 0;
            if (panel && panel->isVisible()) ++duringScan;
        }
        if (++tries_ > 3) {
            ++stuck;
            box->done(QMessageBox::Ok);
            return;
        }
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        switch (answered % 4) {
            case 0: QTest::mouseClick(ok, Qt::LeftButton); break;
            case 1: QTest::keyClick(box, Qt::Key_Return); break;
            case 2: QTest::keyClick(ok, Qt::Key_Space); break;
            default: QTest::keyClick(box, Qt::Key_Escape); break;
        }
        if (!box->isVisible()) ++answered;
    }
    QTimer timer_;
    QMessageBox* last_ = nullptr;
    int tries_ = 0;
};

TEST(DesktopScanBoxes, BoxesOpenedDuringAScanTakeTheirAnswers) {
    const auto corpus = testing_support::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "corpus absent";
    qt_testing::QtApp();
    testing_support::TempDir dir;
    DesktopSession session(dir.path());
    session.App().form1.Show();
    qt_testing::Settle();
    PersonAnsweringBoxes person;
    person.panel = session.Platform().Panel();
    // Several blocks of orbital energies (the scan says which one it uses, and more), then
    // an optimisation: between them every way of answering is used.
    for (const char* log : {"g16/Mo4OCl4-sp.log", "g16/dvb_gopt.out"}) {
        SCOPED_TRACE(log);
        session.OpenFile((corpus / log).string());
        EXPECT_EQ(person.stuck, 0);
        EXPECT_FALSE(session.Platform().Panel()->isVisible());
        // The scan ran to its end: the report and the orbital table are filled.
        EXPECT_EQ(session.App().log.FileDum, (corpus / log).string());
        EXPECT_GT(session.App().form3.StringGrid1.RowCount(), 10);
        EXPECT_GT(session.App().form6.StringGrid1.RowCount(), 10);
    }
    EXPECT_GE(person.duringScan, 4);
    EXPECT_GE(person.answered, person.duringScan);
}

}  // namespace

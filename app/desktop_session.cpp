// The desktop start-up: the application on the Qt platform with every window bound, and
// the event loop that runs it.
#include "app/desktop_session.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>
#include <QKeySequence>
#include <QTimer>
#include <filesystem>
#include <iostream>
#if defined(__unix__)
#include <sys/resource.h>
#endif

#include "app/application.h"
#include "ui/qt/binding.h"
#include "ui/qt/desktop.h"
#include "ui/qt/text.h"
#include "ui/qt/widgets.h"

namespace mavrolin::qt {

DesktopSession::DesktopSession(const std::filesystem::path& startDir)
    : dispatch_([this](const std::string& text) { platform_.ErrorMessage(text); }) {
    app_ = std::make_unique<Application>(platform_, startDir);
    binding_ = std::make_unique<QtBinding>(dispatch_);
    platform_.SetBinding(binding_.get());
    for (ui::Form* form : app_->Forms()) binding_->Bind(*form);

    TForm1& main = app_->form1;
    if (QAction* open = binding_->ActionOf(main.OpenLOG1)) open->setShortcut(QKeySequence::Open);
    if (QAction* exit = binding_->ActionOf(main.Exit1)) exit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    if (FormWindow* window = binding_->WindowOf(main)) {
        window->setAcceptDrops(true);
        window->onFileDropped = [this](const QString& file) { OpenFile(FromQString(file)); };
        platform_.SetProgressWindow(window);
    }
    if (FormWindow* window = binding_->WindowOf(app_->thermo)) {
        window->setAcceptDrops(true);
        window->onFilesDropped = [this](const QStringList& files) {
            std::vector<std::string> paths;
            for (const QString& f : files) paths.push_back(FromQString(f));
            dispatch_.Run([&] { app_->thermo.AddFiles(paths); }, "ThermoWindow.AddFiles");
        };
    }
}

DesktopSession::~DesktopSession() {
    platform_.SetBinding(nullptr);
    binding_.reset();  // windows go before the model they show
    app_.reset();
}

bool DesktopSession::OpenFile(const std::string& path) {
    ui::MenuItem& open = app_->form1.OpenLOG1;
    if (!open.Enabled() || !open.OnClick) return false;
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    platform_.PresetOpenAnswer(ec ? path : absolute.string());
    dispatch_.Run([&open] { open.Click(); }, open.Name());
    platform_.ClearPresetOpenAnswer();
    return true;
}

namespace {

void Settle() {
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

// Writes a window as shown (menu bar and status bar included) into `dir`/`name`; a
// palette of 256 colours keeps the pictures small.
void Shoot(QWidget* window, const QString& dir, const QString& name) {
    if (!window) return;
    window->raise();
    Settle();
    QImage image = window->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const QString path = dir + QStringLiteral("/") + name;
    if (!image.save(path, "PNG")) std::cerr << "mavrolin: cannot write " << FromQString(path) << '\n';
}

// MAVROLIN_SCREENSHOTS=DIR mavrolin LOG: scans LOG, says how long the open took, writes the
// pictures of the documentation (the main window and the main analysis windows) into DIR
// and exits. Message boxes are answered as a person answers them, with a click on their
// default button that passes the same way as a real one; a box that does not take it stays
// open (and the run with it), so a box a person could not answer shows.
void ClickDefaultButton() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    QAbstractButton* button = box->defaultButton();
    if (!button && !box->buttons().isEmpty()) button = box->buttons().front();
    if (!button) return;
    const QPointF at = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &click);
    }
}

// User and system time of this process so far.
double ProcessCpuSeconds() {
#if defined(__unix__)
    rusage use{};
    if (::getrusage(RUSAGE_SELF, &use) != 0) return 0;
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(use.ru_utime) + seconds(use.ru_stime);
#else
    return 0;
#endif
}

void TakeScreenshots(DesktopSession& session, const std::string& file, const QString& dir) {
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [] { ClickDefaultButton(); });
    answerer.start(20);
    Application& app = session.App();
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = ProcessCpuSeconds();
    session.OpenFile(file);
    // Wall time holds the pauses between the phases; CPU time is what the reading cost.
    std::cerr << "mavrolin: opened " << file << " in " << clock.elapsed() << " ms, "
              << static_cast<long long>((ProcessCpuSeconds() - cpuBefore) * 1000 + 0.5) << " ms of CPU time\n";
    QtBinding& binding = session.Binding();
    Shoot(binding.WindowOf(app.form1), dir, QStringLiteral("main_window.png"));
    struct Shot {
        ui::MenuItem& item;
        ui::Form& form;
        const char* name;
    };
    const Shot shots[] = {
        {app.form1.AlanlysisReport1, app.form3, "analysis_report.png"},
        {app.form1.FrequenciesEnergiesOpt1, app.form4, "job_summary.png"},
        {app.form1.SCFEnergies1, app.form2, "profile_window.png"},
        {app.form1.SpectraTDDFTResults1, app.form9, "spectrum_window.png"},
        {app.form1.MOEnergyDiTable1, app.form6, "mo_table.png"},
    };
    for (const Shot& shot : shots) {
        session.Dispatch().Run([&shot] { shot.item.Click(); }, shot.item.Name());
        if (&shot.form == &app.form9) session.Dispatch().Run([&app] { app.form9.DrawSpecClick(); }, "DrawSpecClick");
        Shoot(binding.WindowOf(shot.form), dir, QString::fromLatin1(shot.name));
        shot.form.Hide();
    }
    session.Dispatch().Run([&app] { app.form4.ShowIRRamanSpectra1.Click(); }, "ShowIRRamanSpectra1");
    Shoot(binding.WindowOf(app.form19), dir, QStringLiteral("ir_window.png"));
    app.form19.Hide();
    session.Dispatch().Run([&app] { app.form6.ViewMOClick(); }, "ViewMOClick");
    Shoot(binding.WindowOf(app.form7), dir, QStringLiteral("mo_diagram.png"));
}

}  // namespace

int RunDesktop(int argc, char** argv, const std::string& fileToOpen) {
#if defined(__linux__)
    // Without a display Qt would abort; say what to do instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::cerr << "mavrolin: no display found. Run it on a desktop (or under xvfb-run), or use the "
                     "batch commands: mavrolin --help\n";
        return 2;
    }
#endif
    QApplication qapp(argc, argv);
    // Settings (the "Recent Files" list) live under ~/.config/Mavrolin/Mavrolin.conf.
    QApplication::setOrganizationName(QStringLiteral("Mavrolin"));
    QApplication::setApplicationName(QStringLiteral("Mavrolin"));
    QApplication::setQuitOnLastWindowClosed(false);  // only the exit sequence ends the program
    UseWindowFont();

    std::error_code ec;
    DesktopSession session(std::filesystem::current_path(ec));
    const QString shotsDir = qEnvironmentVariable("MAVROLIN_SCREENSHOTS");
    if (!shotsDir.isEmpty() && !fileToOpen.empty()) {
        std::string file = std::filesystem::absolute(fileToOpen, ec).string();
        session.App().form1.Show();
        QTimer::singleShot(0, &qapp, [&session, file, shotsDir] {
            TakeScreenshots(session, file, shotsDir);
            QCoreApplication::exit(0);
        });
    } else if (!fileToOpen.empty()) {
        std::string file = std::filesystem::absolute(fileToOpen, ec).string();
        if (ec) file = fileToOpen;
        QTimer::singleShot(0, &qapp, [&session, file] {
            if (!session.OpenFile(file))
                std::cerr << "mavrolin: log files cannot be opened by this build: " << file << '\n';
        });
    }
    if (session.Platform().QuitRequested()) return 0;
    return QApplication::exec();
}

}  // namespace mavrolin::qt

#include "app/application.h"

#include <exception>

#include "app/log_views.h"
#include "core/errors.h"
#include "core/number_text.h"

namespace mavrolin {

Application::StartUp::StartUp(Application& app, const std::filesystem::path& startDir) {
    core::InitLoadedLog(app.log, startDir, [&app](int ms) { app.Pause(ms); });
}

Application::Application(ui::Platform& p, const std::filesystem::path& startDir)
    : platform(p),
      startUp_(*this, startDir),
      form1(*this),
      form2(*this),
      form3(*this),
      form4(*this),
      form5(*this),
      form6(*this),
      form7(*this),
      form8(*this),
      form9(*this),
      form10(*this),
      form11(*this),
      form12(*this),
      form13(*this),
      form14(*this),
      form15(*this),
      form16(*this),
      form18(*this),
      form19(*this),
      thermo(*this),
      ecd(*this),
      weighted(*this) {
    RegisterLogViews(*this);
    ShowStatus();
    form1.Show();
    platform.filesInUse = [this] { return FilesInUse(); };
}

Application::~Application() { platform.filesInUse = nullptr; }

std::vector<std::string> Application::FilesInUse() const {
    std::vector<std::string> files = inputs;
    for (const std::string* f : {&log.FileDum, &scannedLog, &log.tddft_file, &form14.Tables.file})
        if (!f->empty()) files.push_back(*f);
    return files;
}

std::vector<ui::Form*> Application::Forms() {
    return {&form1,  &form2,  &form3,  &form4,  &form5,  &form6,  &form7,  &form8, &form9,
            &form10, &form11, &form12, &form13, &form14, &form15, &form16, &form18, &form19, &thermo, &ecd,
            &weighted};
}

void Application::ShowMessagePos(const std::string& text) {
    ShowMessagePos(text, form1.Left() + form1.Width() / 2 - 200, form1.Top() + form1.Height() / 4);
}

void Application::ShowMessagePos(const std::string& text, int x, int y) {
    platform.MessageAt(text, x, y);
}

void Application::SavePicture(ui::PaintBox& box, const std::string& stem, const std::function<bool()>& redraw) {
    auto chosen = platform.SaveFileDialog(
        {"Save Picture", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo, stem + ".png",
         "PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf"});
    if (!chosen || (redraw && !redraw())) return;
    platform.SavePicture(box.Canvas(), box.Width(), box.Height(), *chosen);
}

void Application::ShowWarningPos(const std::string& text) {
    platform.WarningAt(text, form1.Left() + form1.Width() / 2 - 200, form1.Top() + form1.Height() / 4);
}

void Application::ShowProblemPos(const std::string& text) {
    platform.ProblemAt(text, form1.Left() + form1.Width() / 2 - 200, form1.Top() + form1.Height() / 4);
}

void Application::AddLogView(ui::Form& form, std::function<std::string()> source, std::function<bool()> refresh) {
    form.Status.SetVisible(true);
    logViews_.push_back({&form, std::move(source), std::move(refresh)});
}

void Application::LogChanged(bool scanned) {
    if (scanned) scannedLog = log.FileDum;
    for (const auto& view : logViews_)
        if (!view.refresh()) view.form->Hide();
    ShowStatus();
}

void Application::ShowStatus() {
    if (log.FileDum.empty()) {
        form1.Status.SetText("No log loaded");
    } else {
        std::vector<std::string> panels = {log.FileDum, core::IntText(log.nline) + " lines"};
        switch (log.jobEnd) {
            case core::JobEnd::Normal: panels.push_back("normal termination"); break;
            case core::JobEnd::Error: panels.push_back("error termination"); break;
            case core::JobEnd::Unfinished: panels.push_back("unfinished: no termination line"); break;
            case core::JobEnd::Unknown: break;
        }
        form1.Status.SetPanels(std::move(panels));
    }
    for (const auto& view : logViews_) {
        std::string source = view.source();
        view.form->Status.SetText(source.empty() ? "No log loaded" : "Log: " + source);
    }
}

void Application::ShowMessageCentred(const std::string& text) { platform.MessageCentred(text); }

bool Application::Dispatch(const std::function<void()>& action, std::string_view where) {
    failed_ = false;
    core::ActionOutcome outcome = core::RunAction(action);
    switch (outcome.kind) {
        case core::ActionOutcome::Kind::Done:
            return !failed_;
        case core::ActionOutcome::Kind::UserError:
            platform.ErrorMessage(outcome.message);
            break;
        case core::ActionOutcome::Kind::InternalError:
            if (rethrowInternalErrors) std::rethrow_exception(outcome.error);
            platform.ErrorMessage(core::InternalErrorText(where, outcome.message));
            break;
    }
    failed_ = true;
    return false;
}

void Application::Exit() {
    ui::Form* order[] = {&form1, &form2, &form3, &form4, &form5,
                         &form6, &form7, &form8, &form9, &form10};
    for (auto* f : order) {
        platform.ReleaseForm(*f);
        Pause(log.sleeptime);
    }
    platform.Quit();
}

}  // namespace mavrolin

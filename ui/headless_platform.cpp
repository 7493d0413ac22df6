#include "ui/headless_platform.h"

#include <filesystem>
#include <system_error>

#include <chrono>
#include <ostream>
#include <system_error>
#include <thread>

#include "core/errors.h"
#include "ui/controls.h"

namespace ui {

namespace {
template <class T>
std::optional<T> Take(std::deque<std::optional<T>>& q) {
    if (q.empty()) return std::nullopt;
    auto v = std::move(q.front());
    q.pop_front();
    return v;
}
}  // namespace

std::optional<std::string> HeadlessPlatform::OpenFileDialog(const FileDialogOptions& o) {
    openRequests.push_back(o);
    return Take(openAnswers_);
}

std::optional<std::string> HeadlessPlatform::ChooseSaveFile(const FileDialogOptions& o) {
    saveRequests.push_back(o);
    return Take(saveAnswers_);
}

std::optional<std::vector<std::string>> HeadlessPlatform::AskValues(const std::string&, const std::vector<std::string>&,
                                                                   const std::vector<std::string>& initial) {
    if (valueAnswers_.empty()) return initial;
    ValueAnswer a = std::move(valueAnswers_.front());
    valueAnswers_.pop_front();
    if (a.cancel) return std::nullopt;
    return a.values;
}

std::optional<Color> HeadlessPlatform::ColorDialog(Color) { return Take(colorAnswers_); }

std::optional<FontSpec> HeadlessPlatform::FontDialog(const FontSpec&) { return Take(fontAnswers_); }

void HeadlessPlatform::MessageAt(const std::string& text, int x, int y) {
    messages.push_back({text, x, y, false, false});
    Echo(text);
}

void HeadlessPlatform::MessageCentred(const std::string& text) {
    messages.push_back({text, 0, 0, true, false});
    Echo(text);
}

void HeadlessPlatform::Echo(const std::string& text) {
    if (!echo) return;
    if (quiet)
        held = text;
    else
        *echo << text << '\n';
}

void HeadlessPlatform::ErrorMessage(const std::string& text) {
    messages.push_back({text, 0, 0, true, true});
    if (echo) *echo << "error: " << text << '\n';
    errorEchoed = true;
}

void HeadlessPlatform::WarningAt(const std::string& text, int x, int y) {
    messages.push_back({text, x, y, false, false, true});
    if (echo) *echo << "warning: " << text << '\n';
}

void HeadlessPlatform::Pause(int ms) {
    events.push_back("pause " + std::to_string(ms));
    if (realPauses && ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool HeadlessPlatform::Progress(const ProgressReport& r) {
    progress.push_back({std::string(r.phase), r.step, r.steps, r.fraction});
    if (cancelInPhase.empty() || r.phase != cancelInPhase) return true;
    long shown = 0;
    for (const auto& p : progress) shown += p.phase == cancelInPhase;
    return shown <= cancelAfterReports;
}

void HeadlessPlatform::PopupMenu(MenuItem& menu, int x, int y) {
    lastPopup = &menu;
    events.push_back("popup " + std::to_string(x) + "," + std::to_string(y));
}

void HeadlessPlatform::ReleaseForm(Form& form) {
    form.Release();
    events.push_back("release " + form.Name());
}

void HeadlessPlatform::SavePicture(const RecordingCanvas& drawing, int width, int height,
                                   const std::string& path) {
    events.push_back("picture " + path);
    // The picture writers can only report that the file could not be written; a missing
    // folder is the common reason, so it is named here.
    auto folder = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
        throw core::FileError("Cannot write the picture \"" + path + "\": the folder \"" + folder.string() +
                              "\" does not exist.");
    if (!pictureWriter) throw core::FileError("Pictures cannot be written by this build: \"" + path + "\".");
    pictureWriter(drawing, width, height, path);
}

std::vector<std::string> HeadlessPlatform::MessageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
}

}  // namespace ui

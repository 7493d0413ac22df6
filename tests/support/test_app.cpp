#include "support/test_app.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "app/batch.h"
#include "core/mapped_file.h"

// Every test program maps files as the program does, so it installs the guard the
// program's main() installs.
[[maybe_unused]] static const bool kMappedFileGuard = (core::InstallMappedFileGuard(), true);

namespace testing_support {

TempDir::TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("mavrolin-test-" + std::to_string(rd()) + "-" +
                                                      std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    std::filesystem::remove_all(path_, ec);
}

namespace {
std::unique_ptr<mavrolin::Application> MakeApp(ui::HeadlessPlatform& platform, const TempDir& dir) {
    return std::make_unique<mavrolin::Application>(platform, dir.path());
}
}  // namespace

// A programming error inside a handler is thrown on, so it fails the test that ran it.
TestApp::TestApp() : holder(MakeApp(platform, dir)), app(*holder) { app.rethrowInternalErrors = true; }

TestApp::~TestApp() { holder.reset(); }

std::string TestApp::data(const std::string& name) { return std::string(MAVROLIN_TEST_DATA) + "/" + name; }

std::string TestApp::write(const std::string& name, const std::string& content) const {
    auto p = dir / name;
    WriteFile(p, content);
    return p.string();
}

std::string FigureTextFault(const ui::RecordingCanvas& cv) {
    const auto texts = cv.OpsOf(ui::DrawOp::TextAt);
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto& a = texts[i];
        if (a.x1 < 0 || a.y1 < 0 || a.x2 > cv.Width() || a.y2 > cv.Height()) return a.text + " off the page";
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const auto& b = texts[j];
            if (a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2) return a.text + " / " + b.text;
        }
    }
    return "";
}

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::filesystem::path& p, const std::string& content) {
    std::ofstream out(p, std::ios::binary);
    out << content;
}

int RunCli(std::vector<std::string> args, std::string& out, std::string& err) {
    args.insert(args.begin(), "mavrolin");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::ostringstream o, e;
    int rc = mavrolin::RunBatch(static_cast<int>(argv.size()), argv.data(), o, e);
    out = o.str();
    err = e.str();
    return rc;
}

std::filesystem::path CorpusDir() {
    const char* env = std::getenv("MAVROLIN_CORPUS");
    std::filesystem::path p = env && *env ? env : MAVROLIN_CORPUS_DEFAULT;
    std::error_code ec;
    return std::filesystem::is_directory(p, ec) ? p : std::filesystem::path();
}

}  // namespace testing_support

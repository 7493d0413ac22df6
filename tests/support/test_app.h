#pragma once
// A fresh application on a headless platform with a temporary start directory.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "ui/headless_platform.h"

namespace testing_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

struct TestApp {
    TestApp();
    ~TestApp();
    TempDir dir;
    ui::HeadlessPlatform platform;
    std::unique_ptr<mavrolin::Application> holder;
    mavrolin::Application& app;

    // Path of a fixture under tests/data.
    static std::string data(const std::string& name);
    // Writes a file into the temporary directory and returns its path.
    std::string write(const std::string& name, const std::string& content) const;
};

std::string ReadFile(const std::filesystem::path& p);
void WriteFile(const std::filesystem::path& p, const std::string& content);
// Runs the command line in-process (as "mavrolin ARGS...") and returns its exit status.
int RunCli(std::vector<std::string> args, std::string& out, std::string& err);

// The first text of a figure that runs off the page or covers another ("" when none does).
std::string FigureTextFault(const ui::RecordingCanvas& cv);

// The corpus folder, or empty when it is absent (corpus tests then skip).
std::filesystem::path CorpusDir();

}  // namespace testing_support

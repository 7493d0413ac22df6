#pragma once
// The command line as a scripted user: every batch command builds a headless
// Application, answers its dialogs from the arguments and drives the same handlers a
// user would click. Messages go to stderr; exit status 0 success, 1 a failed action,
// 2 bad arguments.
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "ui/headless_platform.h"

namespace mavrolin {

class Application;

class BatchSession {
public:
    BatchSession(std::ostream& out, std::ostream& err);
    ~BatchSession();

    ui::HeadlessPlatform platform;
    std::ostream& out;
    std::ostream& err;
    bool quiet = false;
    int status = 0;

    // The headless application, created on first use with a private start directory
    // (so the directory memory file of a desktop user is never touched).
    Application& App();
    // Runs one user action; an error or a refused input sets the exit status to 1.
    bool Run(const std::function<void()>& action);
    // Paths from the command line, made absolute before handlers change the directory.
    static std::string Absolute(const std::string& path);
    // Copies a finished file to stdout (used when no -o was given).
    void CopyToStdout(const std::filesystem::path& file);
    // A scratch file name inside the private start directory.
    std::filesystem::path Scratch(const std::string& name);
    void Fail(const std::string& message);  // reports on stderr, status 1

private:
    std::filesystem::path startDir_;
    std::unique_ptr<Application> app_;
};

// Each subsystem adds its subcommands here (defined in its own folder).
void RegisterLogScanCommands(CLI::App& cli, BatchSession& session);
void RegisterGeometryCommands(CLI::App& cli, BatchSession& session);
void RegisterProfileCommands(CLI::App& cli, BatchSession& session);
void RegisterOrientationCommands(CLI::App& cli, BatchSession& session);
void RegisterReportCommand(CLI::App& cli, BatchSession& session);
void RegisterSpectrumCommands(CLI::App& cli, BatchSession& session);

// How batch commands write pictures (installed by main() from the Qt binding).
using PictureWriter = std::function<void(const ui::RecordingCanvas&, int, int, const std::string&)>;

// True when the arguments ask for a batch command (or --help/--version) rather than
// the desktop program ("mavrolin" or "mavrolin FILE").
bool IsBatchInvocation(int argc, char** argv);
int RunBatch(int argc, char** argv, std::ostream& out, std::ostream& err,
             PictureWriter pictures = {});

}  // namespace mavrolin

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
#include <vector>

#include <CLI/CLI.hpp>

#include "ui/headless_platform.h"

namespace mavrolin {

class Application;
struct FileArgs;

class BatchSession {
public:
    BatchSession(std::ostream& out, std::ostream& err);
    ~BatchSession();

    ui::HeadlessPlatform platform;
    std::ostream& out;
    std::ostream& err;
    bool quiet = false;
    int status = 0;
    std::string command;  // the running subcommand, named in an internal-error message

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
    void Warn(const std::string& message);  // reports on stderr, status unchanged

    // The steps every command repeats. Open and Save answer the next open or save dialog
    // with `file` and run the handler that shows it; false when the handler failed. A file
    // opened is one the command reads: no save may replace it.
    bool Open(const std::string& file, const std::function<void()>& handler);
    bool Save(const std::string& file, const std::function<void()>& handler);
    // Where a command writes: the -o path, or a scratch file that Deliver then copies to
    // standard output.
    std::filesystem::path OutputOrScratch(const std::string& output, const std::string& scratchName);
    void Deliver(const std::string& output, const std::filesystem::path& written);
    // The -o path, or the name the save dialog proposes (input stem + suffix). A proposed
    // name that is the input itself is refused (status 1, "" returned).
    std::string OutputName(const FileArgs& args, const std::string& suffix);
    // False (status 1, with a message) when `path` names a file this command reads: no
    // output may replace an input, however its name was given.
    bool MayWrite(const std::string& path);
    // A finished scratch file to the -o path (replaced atomically, so a failure leaves
    // the old file whole) or, without -o, to standard output.
    void DeliverCopy(const std::filesystem::path& scratch, const std::string& output);

    // Name of the subcommand on the command line, handed to the application it creates.
    void SetCommandName(const std::string& name) { commandName_ = name; }

private:
    std::string commandName_;
    std::filesystem::path startDir_;
    std::unique_ptr<Application> app_;
};

// The arguments most commands take: one input file and -o,--output, made absolute
// before any handler changes the directory (output stays empty when not given).
struct FileArgs {
    std::string input, output;
};

struct CommandText {
    const char* name;
    const char* description;
    const char* input;  // name of the positional argument, e.g. "LOG"
    const char* inputHelp;
    const char* outputHelp;
};

// A subcommand with a required input file and -o,--output that calls `run` with them.
// Further options are added to the returned subcommand by the caller.
CLI::App* AddFileCommand(CLI::App& cli, BatchSession& session, const CommandText& text,
                         std::function<void(const FileArgs&)> run);

// Paint-box size of a picture from "WxH" (sides of 100 to 16384 pixels); a bad text is
// refused as a bad argument of `option`.
struct PictureSize {
    int width = 1200, height = 800;
};
// The real local time as "yyyy/mm/dd hh:mm:ss": the creation stamp of reports written in batch.
std::string LocalTimeText();

// Largest side the picture writer takes.
inline constexpr long long kMaxPictureSide = 16384;
PictureSize ParsePictureSize(const std::string& text, const std::string& option = "--size");
// Refuses (status 2) a picture name whose extension is not .png, .svg or .pdf.
void RequirePictureName(const std::string& path, const std::string& option);

// Every folder's batch_commands.cpp defines one registration function; app/batch.cpp
// keeps the table of them.
using CommandRegistrar = void (*)(CLI::App& cli, BatchSession& session);

// How batch commands write pictures (installed by main() from the Qt binding).
using PictureWriter = std::function<void(const ui::RecordingCanvas&, int, int, const std::string&)>;

// True when the arguments ask for a batch command (or --help/--version) rather than
// the desktop program ("mavrolin" or "mavrolin FILE").
bool IsBatchInvocation(int argc, char** argv);
// Names of every batch command, in the order the folders register them.
std::vector<std::string> BatchCommandNames();
int RunBatch(int argc, char** argv, std::ostream& out, std::ostream& err,
             PictureWriter pictures = {});

}  // namespace mavrolin

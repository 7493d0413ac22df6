#include "app/batch.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fstream>
#include <memory>
#include <iostream>
#include <random>
#include <sstream>

#include "app/application.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"

#ifndef MAVROLIN_VERSION
#define MAVROLIN_VERSION "0.1.0"
#endif

namespace mavrolin {

// Defined in each folder's batch_commands.cpp.
void RegisterLogScanCommands(CLI::App& cli, BatchSession& session);
void RegisterGeometryCommands(CLI::App& cli, BatchSession& session);
void RegisterProfileCommands(CLI::App& cli, BatchSession& session);
void RegisterMoCommands(CLI::App& cli, BatchSession& session);
void RegisterSpectrumCommands(CLI::App& cli, BatchSession& session);
void RegisterPdosCommands(CLI::App& cli, BatchSession& session);
void RegisterIrRamanCommands(CLI::App& cli, BatchSession& session);
void RegisterThermoCommands(CLI::App& cli, BatchSession& session);
void RegisterMoldenCommands(CLI::App& cli, BatchSession& session);

namespace {

// The batch commands of every folder; a new folder adds its registration function here.
constexpr CommandRegistrar kCommandFolders[] = {
    RegisterLogScanCommands,
    RegisterGeometryCommands,
    RegisterProfileCommands,
    RegisterMoCommands,
    RegisterSpectrumCommands,
    RegisterPdosCommands,
    RegisterIrRamanCommands,
    RegisterThermoCommands,
    RegisterMoldenCommands,
};

constexpr const char* kPrivatePrefix = "mavrolin-";

// Private folders are named "mavrolin-<pid>-<random>", so a later run can tell those
// of a run that was killed (its process is gone) from those of a run still going.
std::filesystem::path MakePrivateDir() {
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    const std::string stem = kPrivatePrefix + std::to_string(::getpid()) + "-";
    for (int i = 0; i < 100; ++i) {
        auto p = base / (stem + std::to_string(rd()));
        std::error_code ec;
        if (std::filesystem::create_directory(p, ec)) return p;
    }
    return base;
}

// True when `name` is a private folder left by a run that no longer exists. Folders of
// the older "mavrolin-<random>" form carry no process id; they count as stale after a day.
bool IsStalePrivateDir(const std::filesystem::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kPrivatePrefix, 0) != 0) return false;
    std::string rest = name.substr(std::char_traits<char>::length(kPrivatePrefix));
    auto dash = rest.find('-');
    std::string pidText = dash == std::string::npos ? std::string() : rest.substr(0, dash);
    std::string tail = dash == std::string::npos ? rest : rest.substr(dash + 1);
    auto digits = [](const std::string& t) {
        return !t.empty() && t.size() <= 10 && t.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digits(tail)) return false;
    if (dash != std::string::npos) {
        if (!digits(pidText)) return false;
        long pid = std::stol(pidText);
        return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
    }
    std::error_code ec;
    auto age = std::filesystem::file_time_type::clock::now() - entry.last_write_time(ec);
    return !ec && age > std::chrono::hours(24);
}

// A killed batch run cannot remove its private folder; the next run does.
void RemoveStalePrivateDirs() {
    std::error_code ec;
    auto base = std::filesystem::temp_directory_path(ec);
    if (ec) return;
    std::filesystem::directory_iterator it(base, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code statEc;
        if (!it->is_directory(statEc) || it->is_symlink(statEc)) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || st.st_uid != ::getuid()) continue;
        std::error_code removeEc;
        if (IsStalePrivateDir(*it)) std::filesystem::remove_all(it->path(), removeEc);
    }
}

void BuildCli(CLI::App& cli, BatchSession& session) {
    cli.set_version_flag("--version", std::string("mavrolin ") + MAVROLIN_VERSION);
    cli.add_flag("-q,--quiet", session.quiet, "Hide informational messages");
    cli.fallthrough();  // so --quiet is also taken after the command name
    cli.require_subcommand(0, 1);
    cli.footer(
        "Without a command, mavrolin opens the desktop program; mavrolin FILE opens it and "
        "scans FILE.");
    for (CommandRegistrar add : kCommandFolders) add(cli, session);
    // The command's name reaches the application before anything runs (see batchCommand).
    for (auto* sub : cli.get_subcommands([](CLI::App*) { return true; }))
        sub->preparse_callback([&session, name = sub->get_name()](std::size_t) { session.SetCommandName(name); });
}

}  // namespace

BatchSession::BatchSession(std::ostream& o, std::ostream& e) : out(o), err(e) {
    platform.echo = &err;
}

BatchSession::~BatchSession() {
    app_.reset();
    if (!startDir_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(startDir_, ec);
    }
}

Application& BatchSession::App() {
    if (!app_) {
        RemoveStalePrivateDirs();
        startDir_ = MakePrivateDir();
        platform.quiet = quiet;
        app_ = std::make_unique<Application>(platform, startDir_);
        app_->batchCommand = commandName_;
    }
    return *app_;
}

bool BatchSession::Run(const std::function<void()>& action) {
    Application& app = App();
    platform.held.reset();
    platform.errorEchoed = false;
    bool ok = app.Dispatch(action, command);
    if (!ok) {
        status = 1;
        // --quiet hides information, never why a command failed: a handler that refused
        // its input said so in its last message.
        if (platform.held && !platform.errorEchoed) err << "error: " << *platform.held << '\n';
    }
    platform.held.reset();
    return ok;
}

std::string BatchSession::Absolute(const std::string& path) {
    if (path.empty()) return path;
    std::error_code ec;
    auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.lexically_normal().string();
}

void BatchSession::CopyToStdout(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    out << in.rdbuf();
    out.flush();
}

std::filesystem::path BatchSession::Scratch(const std::string& name) {
    App();
    return startDir_ / name;
}

std::string BatchSession::OutputName(const FileArgs& args, const std::string& suffix) {
    if (!args.output.empty()) return args.output;
    std::string proposed = core::StemOf4(args.input) + suffix;
    std::error_code ec;
    if (proposed == args.input || std::filesystem::equivalent(proposed, args.input, ec)) {
        Fail("the proposed output " + proposed + " is the input itself; name another with -o");
        return {};
    }
    return proposed;
}

bool BatchSession::MayWrite(const std::string& path) {
    return Run([&] { ui::RefuseFileInUse(path, App().FilesInUse()); });
}

void BatchSession::Warn(const std::string& message) { err << "warning: " << message << '\n'; }

void BatchSession::DeliverCopy(const std::filesystem::path& scratch, const std::string& output) {
    if (output.empty()) return CopyToStdout(scratch);
    Run([&] {
        ui::RefuseFileInUse(output, App().FilesInUse());
        std::ifstream in(scratch, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in.is_open()) throw core::FileError("Cannot read file \"" + scratch.string() + "\".");
        core::WriteFileAtomically(output, bytes.str());
    });
}

void BatchSession::Fail(const std::string& message) {
    err << "error: " << message << '\n';
    status = 1;
}

bool BatchSession::Open(const std::string& file, const std::function<void()>& handler) {
    App().inputs.push_back(file);
    platform.AnswerOpen(file);
    return Run(handler);
}

bool BatchSession::Save(const std::string& file, const std::function<void()>& handler) {
    platform.AnswerSave(file);
    return Run(handler);
}

std::filesystem::path BatchSession::OutputOrScratch(const std::string& output, const std::string& scratchName) {
    return output.empty() ? Scratch(scratchName) : std::filesystem::path(output);
}

void BatchSession::Deliver(const std::string& output, const std::filesystem::path& written) {
    if (output.empty()) CopyToStdout(written);
}

PictureSize ParsePictureSize(const std::string& text, const std::string& option) {
    auto x = text.find_first_of("xX");
    long long w = 0, h = 0;
    if (x == std::string::npos || !core::TryParseInt(text.substr(0, x), w) ||
        !core::TryParseInt(text.substr(x + 1), h) || w < 100 || h < 100 || w > kMaxPictureSide ||
        h > kMaxPictureSide)
        throw CLI::ValidationError(option, "expected WxH with sides from 100 to 16384, for example 1200x800");
    return {static_cast<int>(w), static_cast<int>(h)};
}

std::string LocalTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

void RequirePictureName(const std::string& path, const std::string& option) {
    auto dot = path.find_last_of('.');
    std::string ext = dot == std::string::npos || path.find('/', dot) != std::string::npos ? "" : path.substr(dot);
    for (auto& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (ext != ".png" && ext != ".svg" && ext != ".pdf")
        throw CLI::ValidationError(option, "the picture name must end in .png, .svg or .pdf");
}

CLI::App* AddFileCommand(CLI::App& cli, BatchSession& session, const CommandText& text,
                         std::function<void(const FileArgs&)> run) {
    auto args = std::make_shared<FileArgs>();
    auto* cmd = cli.add_subcommand(text.name, text.description);
    cmd->add_option(text.input, args->input, text.inputHelp)->required();
    cmd->add_option("-o,--output", args->output, text.outputHelp);
    cmd->callback([args, &session, name = std::string(text.name), run = std::move(run)] {
        session.command = "mavrolin " + name;
        const FileArgs a{BatchSession::Absolute(args->input), BatchSession::Absolute(args->output)};
        // The input is protected before anything runs, so that no picture or side file
        // is written when -o names it.
        session.App().inputs.push_back(a.input);
        if (!a.output.empty() && !session.MayWrite(a.output)) return;
        run(a);
    });
    return cmd;
}

std::vector<std::string> BatchCommandNames() {
    std::ostringstream sink;
    BatchSession probe(sink, sink);
    CLI::App cli;
    BuildCli(cli, probe);
    std::vector<std::string> names;
    for (const auto* sub : cli.get_subcommands([](CLI::App*) { return true; })) names.push_back(sub->get_name());
    return names;
}

bool IsBatchInvocation(int argc, char** argv) {
    if (argc < 2) return false;
    std::string first = argv[1];
    if (argc > 2 || first.starts_with("-")) return true;
    auto names = BatchCommandNames();
    return std::find(names.begin(), names.end(), first) != names.end();
}

int RunBatch(int argc, char** argv, std::ostream& out, std::ostream& err, PictureWriter pictures) {
    BatchSession session(out, err);
    session.platform.pictureWriter = std::move(pictures);
    CLI::App cli{"Mavrolin: analysis of Gaussian output for chemists", "mavrolin"};
    BuildCli(cli, session);
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = cli.exit(e, out, err);
        return code == 0 ? 0 : 2;
    }
    if (cli.get_subcommands().empty()) {
        err << cli.help();
        return 2;
    }
    return session.status;
}

}  // namespace mavrolin

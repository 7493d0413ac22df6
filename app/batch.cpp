#include "app/batch.h"

#include <fstream>
#include <memory>
#include <iostream>
#include <random>
#include <sstream>

#include "app/application.h"
#include "core/number_text.h"

#ifndef MAVROLIN_VERSION
#define MAVROLIN_VERSION "0.1.0"
#endif

namespace mavrolin {

// Defined in each folder's batch_commands.cpp.
void RegisterLogScanCommands(CLI::App& cli, BatchSession& session);
void RegisterGeometryCommands(CLI::App& cli, BatchSession& session);
void RegisterProfileCommands(CLI::App& cli, BatchSession& session);
void RegisterMoCommands(CLI::App& cli, BatchSession& session);
void RegisterPdosCommands(CLI::App& cli, BatchSession& session);

namespace {

// The batch commands of every folder; a new folder adds its registration function here.
constexpr CommandRegistrar kCommandFolders[] = {
    RegisterLogScanCommands,
    RegisterGeometryCommands,
    RegisterProfileCommands,
    RegisterMoCommands,
    RegisterPdosCommands,
};

std::filesystem::path MakePrivateDir() {
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int i = 0; i < 100; ++i) {
        auto p = base / ("mavrolin-" + std::to_string(rd()));
        std::error_code ec;
        if (std::filesystem::create_directory(p, ec)) return p;
    }
    return base;
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
        startDir_ = MakePrivateDir();
        platform.quiet = quiet;
        app_ = std::make_unique<Application>(platform, startDir_);
    }
    return *app_;
}

bool BatchSession::Run(const std::function<void()>& action) {
    bool ok = App().Dispatch(action, command);
    if (!ok) status = 1;
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

void BatchSession::Fail(const std::string& message) {
    err << "error: " << message << '\n';
    status = 1;
}

bool BatchSession::Open(const std::string& file, const std::function<void()>& handler) {
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
        !core::TryParseInt(text.substr(x + 1), h) || w < 100 || h < 100 || w > 20000 || h > 20000)
        throw CLI::ValidationError(option, "expected WxH with sides of 100 to 20000 pixels, for example 1200x800");
    return {static_cast<int>(w), static_cast<int>(h)};
}

CLI::App* AddFileCommand(CLI::App& cli, BatchSession& session, const CommandText& text,
                         std::function<void(const FileArgs&)> run) {
    auto args = std::make_shared<FileArgs>();
    auto* cmd = cli.add_subcommand(text.name, text.description);
    cmd->add_option(text.input, args->input, text.inputHelp)->required();
    cmd->add_option("-o,--output", args->output, text.outputHelp);
    cmd->callback([args, &session, name = std::string(text.name), run = std::move(run)] {
        session.command = "mavrolin " + name;
        run(FileArgs{BatchSession::Absolute(args->input), BatchSession::Absolute(args->output)});
    });
    return cmd;
}

bool IsBatchInvocation(int argc, char** argv) {
    if (argc < 2) return false;
    std::string first = argv[1];
    if (argc > 2 || first.starts_with("-")) return true;
    std::ostringstream sink;
    BatchSession probe(sink, sink);
    CLI::App cli;
    BuildCli(cli, probe);
    for (const auto* sub : cli.get_subcommands([](CLI::App*) { return true; }))
        if (sub->get_name() == first) return true;
    return false;
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

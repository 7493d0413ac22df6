// The atomic writer: a file replaces its target only once it has been written whole.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "core/errors.h"
#include "core/file_common.h"
#include "core/text_file.h"

namespace core {

namespace {

constexpr std::string_view kTempTag = ".mavrolin-tmp";

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "host";
    for (char* c = name; *c; ++c)
        if (*c == '/' || *c == '.') *c = '_';
    return name;
}

bool ProcessAlive(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

// An unnamed file in the target's folder: nothing of it is left if the run is killed.
// -1 where the file system or /proc cannot give it a name later.
int OpenUnnamed(const std::filesystem::path& folder) {
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) != 0) return -1;
    return ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)folder;
    return -1;
#endif
}

}  // namespace

// The host keeps writers on other machines sharing the folder apart; the pid tells
// whether the writer is still alive.
std::filesystem::path TemporaryName(const std::filesystem::path& target, long pid) {
    std::filesystem::path temp = target;
    temp += std::string(kTempTag) + "." + HostName() + "." + std::to_string(pid);
    return temp;
}

void RemoveStaleTemporaries(const std::filesystem::path& target) {
    const std::string legacy = target.filename().string() + std::string(kTempTag);
    const std::string prefix = legacy + "." + HostName() + ".";
    std::error_code ec;
    const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::vector<std::filesystem::path> stale;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name == legacy) {  // the fixed name earlier versions used
            stale.push_back(it->path());
        } else if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) {
            const std::string pid = name.substr(prefix.size());
            if (pid.find_first_not_of("0123456789") == std::string::npos && !ProcessAlive(std::stol(pid)))
                stale.push_back(it->path());
        }
    }
    for (const auto& path : stale) std::filesystem::remove(path, ec);
}

TextWriter::TextWriter(const std::filesystem::path& path) : path_(path) {
    std::error_code ec;
    // Writing through a link replaces the file it points to, not the link.
    if (std::filesystem::is_symlink(path, ec)) {
        auto target = std::filesystem::weakly_canonical(path, ec);
        if (!ec) path_ = target;
    }
    auto status = std::filesystem::status(path_, ec);
    if (std::filesystem::is_directory(status))
        throw FileError("Cannot write file " + Quoted(path) + ". It is a folder.");
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw FileError("Cannot write file " + Quoted(path) + ". It is not a regular file.");
    RemoveStaleTemporaries(path_);
    temp_ = TemporaryName(path_, static_cast<long>(::getpid()));
    int fd = OpenUnnamed(path_.parent_path());
    unnamed_ = fd >= 0;
    // Without an unnamed file, a named one; a killed run leaves it, and the next write
    // of the same target removes it.
    if (!unnamed_) fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd >= 0) file_ = ::fdopen(fd, "wb");
    if (!file_) {
        int error = errno;
        if (fd >= 0) ::close(fd);
        if (!unnamed_ && fd >= 0) std::filesystem::remove(temp_, ec);
        throw FileError("Cannot create file " + Quoted(path) + ". " + Reason(error));
    }
}

TextWriter::~TextWriter() {
    if (file_) {
        std::fclose(file_);
        std::error_code ec;
        if (!unnamed_) std::filesystem::remove(temp_, ec);
    }
}

void TextWriter::Write(std::string_view text) {
    if (!file_) throw FileError("File " + Quoted(path_) + " is closed.");
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() && error_ == 0) error_ = errno ? errno : EIO;
}

void TextWriter::WriteLine(const std::string& text) {
    Write(text);
    Write("\r\n");
}

// Gives the unnamed file its temporary name; the rename then replaces the target.
int TextWriter::NameUnnamed() {
    const std::string self = "/proc/self/fd/" + std::to_string(::fileno(file_));
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp_.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
        if (errno != EEXIST) return errno;
        ::unlink(temp_.c_str());  // ours by its pid: left by an earlier writer of this process
    }
    return EEXIST;
}

void TextWriter::Close() {
    if (!file_) return;
    if (std::fflush(file_) != 0 && error_ == 0) error_ = errno;
    bool named = !unnamed_;
    if (error_ == 0 && unnamed_) {
        error_ = NameUnnamed();
        named = error_ == 0;
    }
    if (std::fclose(file_) != 0 && error_ == 0) error_ = errno;
    file_ = nullptr;
    std::error_code ec;
    if (error_ != 0) {
        std::string reason = Reason(error_);
        if (named) std::filesystem::remove(temp_, ec);
        throw FileError("Cannot write file " + Quoted(path_) + ". " + reason);
    }
    std::filesystem::rename(temp_, path_, ec);
    if (ec) {
        std::string reason = ec.message();  // read before the clean-up reuses ec
        std::filesystem::remove(temp_, ec);
        throw FileError("Cannot write file " + Quoted(path_) + ". " + reason);
    }
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    TextWriter w(path);
    w.Write(bytes);
    w.Close();
}

}  // namespace core

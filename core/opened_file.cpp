// The one gate every reader opens its file through, and the wording of file messages.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/errors.h"
#include "core/file_common.h"
#include "core/text_file.h"

namespace core {

namespace {

[[noreturn]] void CannotOpen(const std::filesystem::path& path, const std::string& reason) {
    throw FileError("Cannot open file " + Quoted(path) + ". " + reason);
}

}  // namespace

std::string Quoted(const std::filesystem::path& path) {
    std::string text = "\"";
    text += path.string();
    text += "\"";
    return text;
}

std::string Reason(int error) { return std::strerror(error); }

OpenedFile OpenForReading(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a FIFO read-only would otherwise wait for a writer forever.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        int error = errno;
        if (error == EISDIR) CannotOpen(path, "It is a folder.");
        CannotOpen(path, Reason(error));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        int error = errno;
        ::close(fd);
        CannotOpen(path, Reason(error));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        CannotOpen(path, S_ISDIR(st.st_mode) ? "It is a folder." : "It is not a regular file.");
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    OpenedFile opened;
    opened.fd = fd;
    opened.size = static_cast<long long>(st.st_size);
    opened.device = static_cast<unsigned long long>(st.st_dev);
    opened.inode = static_cast<unsigned long long>(st.st_ino);
    opened.modifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return opened;
}

}  // namespace core

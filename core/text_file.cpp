#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/errors.h"
#include "core/read_progress.h"

namespace core {

namespace {

// Twice the longest line, so that after moving a partial line to the front there is
// always room for the rest of it: the buffer never grows.
constexpr size_t kBufferSize = 2 * kMaxLineLength;
// How much of the start of a file is inspected for text that is not 8-bit text.
constexpr size_t kSniffSize = 64 * 1024;

std::string Quoted(const std::filesystem::path& path) {
    std::string text = "\"";
    text += path.string();
    text += "\"";
    return text;
}

std::string Reason(int error) { return std::strerror(error); }

[[noreturn]] void CannotOpen(const std::filesystem::path& path, const std::string& reason) {
    throw FileError("Cannot open file " + Quoted(path) + ". " + reason);
}

}  // namespace

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
    return {fd, static_cast<long long>(st.st_size)};
}

TextReader::TextReader(const std::filesystem::path& path) : path_(path) {
    OpenedFile file = OpenForReading(path);
    fd_ = file.fd;
    size_ = file.size;
    try {
        buf_.resize(kBufferSize);
        Fill();
        RefuseNonText();
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

TextReader::~TextReader() {
    if (fd_ >= 0) ::close(fd_);
}

void TextReader::Refuse(const std::string& reason) const {
    throw FileError("Cannot read file " + Quoted(path_) + ". " + reason);
}

// Gaussian writes 8-bit text. A file saved as UTF-16 (by a Windows editor, say) or a
// binary file would otherwise read as a few meaningless lines; say what it is instead.
void TextReader::RefuseNonText() {
    auto byte = [this](size_t i) { return static_cast<unsigned char>(buf_[i]); };
    if (end_ >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF)))
        Refuse("It is UTF-16 text; save it as plain (ASCII or UTF-8) text and open it again.");
    if (end_ >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) pos_ = 3;  // UTF-8 mark
    size_t n = std::min(end_, kSniffSize);
    size_t zeros[2] = {0, 0}, controls = 0;
    for (size_t i = pos_; i < n; ++i) {
        unsigned char c = byte(i);
        if (c == 0) ++zeros[i & 1];
        if (c < 32 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v') ++controls;
    }
    // Text in UTF-16 has a zero in every other byte.
    size_t most = std::max(zeros[0], zeros[1]), least = std::min(zeros[0], zeros[1]);
    if (most >= n / 4 && least * 8 < most)
        Refuse("It is UTF-16 text; save it as plain (ASCII or UTF-8) text and open it again.");
    // Compressed or binary data is full of control bytes; a log with a damaged stretch
    // (a few stray bytes) is still read.
    if (controls * 20 > n) Refuse("It holds binary data, not text.");
}

bool TextReader::Fill() {
    if (eof_) return false;
    if (pos_ > 0) {
        std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    for (;;) {
        ssize_t got = ::read(fd_, buf_.data() + end_, buf_.size() - end_);
        if (got > 0) {
            end_ += static_cast<size_t>(got);
            read_ += got;
            ReadProgressScope::Report(read_, size_);
            return true;
        }
        if (got == 0) {
            eof_ = true;
            return false;
        }
        if (errno == EINTR) continue;
        Refuse("Read error: " + Reason(errno));
    }
}

// The one place lines are split. A line ends at LF, CR LF or a CR alone; a CR that is
// the last byte in the buffer waits for the next byte to tell which.
bool TextReader::ReadLineView(std::string_view& line) {
    size_t scanned = 0;  // bytes after pos_ already known to hold no line end
    for (;;) {
        const char* s = buf_.data() + pos_;  // Fill moves the buffer: set on every round
        const size_t avail = end_ - pos_;
        const char* lf = static_cast<const char*>(std::memchr(s + scanned, '\n', avail - scanned));
        const size_t crEnd = lf ? static_cast<size_t>(lf - s) : avail;
        const char* cr = static_cast<const char*>(std::memchr(s + scanned, '\r', crEnd - scanned));
        size_t len = 0, next = 0;  // the line's length, where the next one starts
        if (cr && static_cast<size_t>(cr - s) + 1 < avail) {
            len = static_cast<size_t>(cr - s);
            next = len + (s[len + 1] == '\n' ? 2 : 1);
        } else if (!cr && lf) {
            len = static_cast<size_t>(lf - s);
            next = len + 1;
        } else {
            if (avail > kMaxLineLength)
                Refuse("Line " + std::to_string(lineNo_ + 1) + " is longer than 1 MiB; it is not a text file.");
            scanned = cr ? static_cast<size_t>(cr - s) : avail;
            if (Fill()) continue;
            s = buf_.data() + pos_;
            if (avail == 0) return false;
            len = cr ? avail - 1 : avail;  // the last line, without a final CR
            next = avail;
        }
        if (len > kMaxLineLength)
            Refuse("Line " + std::to_string(lineNo_ + 1) + " is longer than 1 MiB; it is not a text file.");
        line = std::string_view(s, len);
        pos_ += next;
        ++lineNo_;
        return true;
    }
}

bool TextReader::ReadLine(std::string& line) {
    std::string_view view;
    if (!ReadLineView(view)) return false;
    line.assign(view.data(), view.size());
    return true;
}

bool TextReader::AdvanceTo(long long n, std::string& line) {
    while (lineNo_ < n) {
        if (!ReadLine(line)) return false;
    }
    return true;
}

bool TextReader::Eof() {
    if (pos_ < end_) return false;
    return !Fill();
}

std::string ReadTail(const std::filesystem::path& path, size_t maxBytes) {
    OpenedFile f = OpenForReading(path);
    const size_t size = static_cast<size_t>(std::max(f.size, 0LL));
    const size_t want = std::min(size, maxBytes);
    std::string bytes(want, '\0');
    size_t got = 0;
    while (got < want) {
        ssize_t n = ::pread(f.fd, bytes.data() + got, want - got, static_cast<off_t>(size - want + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(f.fd);
    bytes.resize(got);
    return bytes;
}

long long CountLines(const std::filesystem::path& path) {
    TextReader reader(path);
    std::string_view line;
    while (reader.ReadLineView(line)) {
    }
    return reader.LineNumber();
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
    temp_ = path_;
    temp_ += ".mavrolin-tmp";
    file_ = std::fopen(temp_.c_str(), "wb");
    if (!file_) {
        int error = errno;
        throw FileError("Cannot create file " + Quoted(path) + ". " + Reason(error));
    }
}

TextWriter::~TextWriter() {
    if (file_) {
        std::fclose(file_);
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
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

void TextWriter::Close() {
    if (!file_) return;
    if (std::fflush(file_) != 0 && error_ == 0) error_ = errno;
    if (std::fclose(file_) != 0 && error_ == 0) error_ = errno;
    file_ = nullptr;
    std::error_code ec;
    if (error_ != 0) {
        std::string reason = Reason(error_);
        std::filesystem::remove(temp_, ec);
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

// Reading a text file line by line: opening and checking it (what is not 8-bit text is
// refused), buffering what cannot be mapped, splitting lines, jumps by line marks and
// reading the tail of a file.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/errors.h"
#include "core/file_common.h"
#include "core/line_end.h"
#include "core/read_progress.h"
#include "core/text_file.h"

namespace core {

namespace {

// Buffered reading starts small and grows only for long lines, up to twice the longest
// line, so that after moving a partial line to the front there is always room for the
// rest of it.
constexpr size_t kFirstBufferSize = 128 * 1024;
constexpr size_t kBufferSize = 2 * kMaxLineLength;
// How much of the start of a file is inspected for text that is not 8-bit text.
constexpr size_t kSniffSize = 64 * 1024;

}  // namespace

TextReader::TextReader(const std::filesystem::path& path, Mode mode) : path_(path) {
    const OpenedFile opened = OpenForReading(path);
    file_ = opened;
    fd_ = opened.fd;
    try {
        if (opened.size > 0 && mode == Mode::MapWhenPossible) Map(static_cast<size_t>(opened.size));
        if (!map_) {
            buf_.resize(kFirstBufferSize);
            data_ = buf_.data();
            Fill();
        }
        RefuseNonText();
    } catch (...) {
        Unmap();
        if (fd_ >= 0) ::close(fd_);
        throw;
    }
}

TextReader::~TextReader() {
    Unmap();
    if (fd_ >= 0) ::close(fd_);
}

void TextReader::Refuse(const std::string& reason) const {
    throw FileError("Cannot read file " + Quoted(path_) + ". " + reason);
}

void TextReader::RefuseLongLine() const {
    Refuse("Line " + std::to_string(lineNo_ + 1) + " is longer than 1 MiB; it is not a text file.");
}

// Gaussian writes 8-bit text. A file saved as UTF-16 (by a Windows editor, say) or a
// binary file would otherwise read as a few meaningless lines; say what it is instead.
void TextReader::RefuseNonText() {
    auto byte = [this](size_t i) { return static_cast<unsigned char>(data_[i]); };
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

// Buffered reading only: moves the unread rest to the front and reads more, growing the
// buffer when a long line fills it (up to twice the longest line, so it never grows
// beyond that: ReadLineView refuses a longer line first).
bool TextReader::Fill() {
    if (eof_) return false;
    if (pos_ > 0) {
        std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        bufStart_ += static_cast<long long>(pos_);
        pos_ = 0;
    }
    if (end_ == buf_.size()) {
        buf_.resize(std::min(buf_.size() * 2, kBufferSize));
        data_ = buf_.data();
    }
    for (;;) {
        ssize_t got = ::read(fd_, buf_.data() + end_, buf_.size() - end_);
        if (got > 0) {
            end_ += static_cast<size_t>(got);
            ReadProgressScope::Report(bufStart_ + static_cast<long long>(end_), file_.size);
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
// the last byte read so far waits for the next byte to tell which.
bool TextReader::ReadLineView(std::string_view& line) {
    size_t scanned = 0;  // bytes after pos_ already known to hold no line end
    for (;;) {
        const char* s = data_ + pos_;  // Fill moves the buffer: set on every round
        const size_t avail = end_ - pos_;
        const size_t window = std::min(avail, kMaxLineLength + 1);
        const size_t len = static_cast<size_t>(FindLineEnd(s + scanned, s + window) - s);
        RefuseIfShrunk();
        const bool ended = len < window;
        const bool crWaits = ended && s[len] == '\r' && len + 1 == avail && !eof_;
        if (ended && !crWaits) {
            size_t next = len + 1;
            if (s[len] == '\r' && next < avail && s[next] == '\n') ++next;
            line = std::string_view(s, len);
            pos_ += next;
            ++lineNo_;
            ReleaseBehind();
            return true;
        }
        if (len > kMaxLineLength) RefuseLongLine();
        scanned = len;
        if (Fill()) continue;
        // The end of the file: what is left is the last line, without a final CR.
        const size_t rest = end_ - pos_;
        if (rest == 0) return false;
        line = std::string_view(data_ + pos_, crWaits ? rest - 1 : rest);
        pos_ = end_;
        ++lineNo_;
        return true;
    }
}

void TextReader::StartMarks(LineMarks& marks) const {
    marks.Clear();
    marks.file_ = file_;
    marks.file_.fd = -1;
}

void TextReader::MovedTo(size_t pos, long long lineNo) {
    pos_ = pos;
    lineNo_ = lineNo;
    RefuseIfShrunk();
    ReleaseBehind();
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

bool TextReader::JumpTowards(const LineMarks& marks, long long line) {
    if (line <= lineNo_ + 1 || !marks.Describe(file_)) return false;
    const auto index = std::min(static_cast<size_t>((line - 1) / marks.spacing_), marks.offsets_.size() - 1);
    const long long markLine = static_cast<long long>(index) * marks.spacing_ + 1;
    if (markLine <= lineNo_ + 1) return false;
    const long long offset = marks.offsets_[index];
    if (map_) {
        pos_ = static_cast<size_t>(offset);
    } else {
        if (::lseek(fd_, offset, SEEK_SET) != offset) return false;
        bufStart_ = offset;
        pos_ = end_ = 0;
        eof_ = false;
    }
    lineNo_ = markLine - 1;
    return true;
}

}  // namespace core

#include "core/text_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <system_error>

#include "core/errors.h"
#include "core/line_end.h"
#include "core/read_progress.h"

namespace core {

namespace {

// Buffered reading starts small and grows only for long lines, up to twice the longest
// line, so that after moving a partial line to the front there is always room for the
// rest of it.
constexpr size_t kFirstBufferSize = 128 * 1024;
constexpr size_t kBufferSize = 2 * kMaxLineLength;
// A mapped file is let go of in steps of kReleaseStep, keeping kKeepBehind before the
// current line (the few lines a reader's history reaches back stay resident).
constexpr size_t kReleaseStep = 1024 * 1024;
constexpr size_t kKeepBehind = 64 * 1024;
// Pages ahead of the reader are mapped kMapAhead at a time by one call, instead of by a
// page fault every few pages (costly where the machine is virtual).
constexpr size_t kMapAhead = 2 * 1024 * 1024;
// How much of the start of a file is inspected for text that is not 8-bit text.
constexpr size_t kSniffSize = 64 * 1024;

// Reading a mapped page past the end of a file that another program has shortened
// meanwhile (a job re-run under the same log name) raises SIGBUS. The handler puts
// zero pages in place of the rest of that map and marks it, so the reader stops with a
// message instead of the program dying. Maps register in a fixed table the handler can
// read without locks.
struct MapSlot {
    std::atomic<char*> start{nullptr};
    std::atomic<size_t> size{0};
    std::atomic<bool> shrunk{false};
};
MapSlot g_maps[16];
struct sigaction g_previousBusAction {};
size_t g_pageSize = 4096;

void OnBusError(int, siginfo_t* info, void*) {
    char* at = static_cast<char*>(info->si_addr);
    for (auto& slot : g_maps) {
        char* start = slot.start.load();
        const size_t size = slot.size.load();
        if (start == nullptr || at < start || at >= start + size) continue;
        char* from = start + static_cast<size_t>(at - start) / g_pageSize * g_pageSize;
        ::mmap(from, static_cast<size_t>(start + size - from), PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED,
               -1, 0);
        slot.shrunk.store(true);
        return;  // the read is retried and now sees zeros
    }
    // Not one of ours: hand it back to whoever handled it before; the fault repeats there.
    ::sigaction(SIGBUS, &g_previousBusAction, nullptr);
}

int RegisterMap(char* start, size_t size) {
    static std::once_flag installed;
    std::call_once(installed, [] {
        g_pageSize = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_previousBusAction);
    });
    for (int i = 0; i < static_cast<int>(std::size(g_maps)); ++i) {
        char* none = nullptr;
        if (!g_maps[i].start.compare_exchange_strong(none, start)) continue;
        g_maps[i].shrunk.store(false);
        g_maps[i].size.store(size);  // until set, the handler matches no address of the map
        return i;
    }
    return -1;  // too many files open at once: the caller reads through a buffer
}

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
    OpenedFile opened;
    opened.fd = fd;
    opened.size = static_cast<long long>(st.st_size);
    opened.device = static_cast<unsigned long long>(st.st_dev);
    opened.inode = static_cast<unsigned long long>(st.st_ino);
    opened.modifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return opened;
}

void LineMarks::Clear() {
    file_ = {};
    spacing_ = 16;
    offsets_.clear();
}

void LineMarks::Add(long long offset) {
    if (offsets_.size() == kMaxMarks) {  // keep every other mark, twice as far apart
        for (size_t i = 0; i < kMaxMarks / 2; ++i) offsets_[i] = offsets_[2 * i];
        offsets_.resize(kMaxMarks / 2);
        spacing_ *= 2;  // the line being noted is then the first of the new spacing
    }
    offsets_.push_back(offset);
}

bool LineMarks::Describe(const OpenedFile& file) const {
    return !offsets_.empty() && file.size == file_.size && file.device == file_.device &&
           file.inode == file_.inode && file.modifiedNs == file_.modifiedNs;
}

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

// A shared read-only map: pages let go of are read back from the file when a view into
// them is used again, so dropping them never invalidates a view.
void TextReader::Map(size_t size) {
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd_, 0);
    if (at == MAP_FAILED) return;  // read through the buffer instead
    slot_ = RegisterMap(static_cast<char*>(at), size);
    if (slot_ < 0) {
        ::munmap(at, size);
        return;
    }
    ::madvise(at, size, MADV_SEQUENTIAL);
    map_ = static_cast<char*>(at);
    mapSize_ = size;
    data_ = map_;
    end_ = size;
    eof_ = true;  // everything is in view: nothing to fill
    ::close(fd_);
    fd_ = -1;
}

void TextReader::Unmap() {
    if (map_) ::munmap(map_, mapSize_);
    if (slot_ >= 0) g_maps[slot_].start.store(nullptr);
    map_ = nullptr;
    slot_ = -1;
}

void TextReader::RefuseIfShrunk() const {
    if (slot_ >= 0 && g_maps[slot_].shrunk.load(std::memory_order_relaxed))
        Refuse("It became shorter while it was read (rewritten by a running job?); open it again.");
}

// Lets go of the mapped pages well behind the current line, so that a whole pass over
// a file of any size holds only a few MiB of it.
void TextReader::ReleaseBehind() {
    if (!map_) return;
    if (pos_ + kMapAhead / 2 > populated_ && populated_ < mapSize_) MapAhead();
    if (pos_ < released_ + kReleaseStep + kKeepBehind) return;
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const size_t upTo = (pos_ - kKeepBehind) / page * page;
    ::madvise(map_ + released_, upTo - released_, MADV_DONTNEED);
    released_ = upTo;
    ReadProgressScope::Report(static_cast<long long>(pos_), file_.size);  // every kReleaseStep
}

void TextReader::MapAhead() {
#ifdef MADV_POPULATE_READ
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const size_t from = std::max(populated_, pos_ / page * page);
    const size_t to = std::min(mapSize_, from + kMapAhead);
    // A file cut under the map fails here; the faults of the reads then say so.
    populated_ = ::madvise(map_ + from, to - from, MADV_POPULATE_READ) == 0 ? to : mapSize_;
#else
    populated_ = mapSize_;
#endif
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

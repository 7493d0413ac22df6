#pragma once
// Line-oriented text files. Readers accept LF, CR LF and CR alone as line ends; writers
// end every line with CR LF and replace the target only when the whole file has been
// written.
//
// Every reader opens its file through OpenForReading, the one gate that refuses what
// is not a plain file (a folder, a device such as /dev/zero, a FIFO that would block
// forever). A reader then maps the file and hands out views into the map, so a line is
// never copied; the pages behind it are let go as it moves on, so memory stays flat
// however large the file. What cannot be mapped (an empty size, as /proc files report)
// is read through a buffer instead.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Longest line a reader accepts; a longer one means the file is not a text file we read.
constexpr size_t kMaxLineLength = size_t{1} << 20;

// An open regular file: descriptor, size and identity at the time it was opened.
struct OpenedFile {
    int fd = -1;
    long long size = 0;
    unsigned long long device = 0, inode = 0;
    long long modifiedNs = 0;
};

// Where every so many lines of one file start, recorded by a counting pass so that later
// passes over the same file go straight to the lines they want instead of splitting all
// the lines before them. The spacing doubles whenever kMaxMarks would be passed, so the
// marks stay a few KiB however long the file. They hold only while the file is the one
// they were taken from (same file, size and time): a reader checks before it jumps.
class LineMarks {
public:
    static constexpr size_t kMaxMarks = 65536;
    void Clear();
    bool Empty() const { return offsets_.empty(); }
    // The line numbers between two marks.
    long long Spacing() const { return spacing_; }
    // The number of the last line that has a mark (0 without marks): the file has at least
    // that many lines.
    long long LastMarkedLine() const {
        return offsets_.empty() ? 0 : static_cast<long long>(offsets_.size() - 1) * spacing_ + 1;
    }

private:
    friend class TextReader;
    friend class LineReader;
    friend long long CountLines(const std::filesystem::path& path, LineMarks* marks);
    // The number of lines before the line that gets the next mark.
    long long NextMarked() const { return static_cast<long long>(offsets_.size()) * spacing_; }
    // Line `lineNo` + 1, just read, started at `offset`.
    void Note(long long lineNo, long long offset) {
        if (lineNo == NextMarked()) Add(offset);
    }
    void Add(long long offset);
    bool Describe(const OpenedFile& file) const;

    OpenedFile file_;
    long long spacing_ = 16;
    std::vector<long long> offsets_;  // offsets_[i]: where line i * spacing_ + 1 starts
};

// Opens `path` read-only without ever blocking. Throws FileError naming the file and
// the reason ("It is a folder.", "It is not a regular file.", the system's reason).
OpenedFile OpenForReading(const std::filesystem::path& path);

class TextReader {
public:
    enum class Mode { MapWhenPossible, Buffered };
    // Throws FileError. Buffered: read through the buffer even when the file could be
    // mapped (the tests drive both ways through it).
    explicit TextReader(const std::filesystem::path& path, Mode mode = Mode::MapWhenPossible);
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // Reads the next line without its terminator. Returns false at the end of the file.
    // Throws FileError on a line longer than kMaxLineLength.
    bool ReadLine(std::string& line);
    // The same, handing out a view into the reader's buffer that stays valid until the
    // next read, or for the reader's whole life when ViewsLast().
    bool ReadLineView(std::string_view& line);
    // True when the file is mapped: every view stays valid until the reader is destroyed.
    bool ViewsLast() const { return map_ != nullptr; }
    // Number of the line last read (1-based); 0 before the first read.
    long long LineNumber() const { return lineNo_; }
    // Reads until the line last read is line n. Returns false when the file ends first;
    // the line number then stays at the last line that existed.
    bool AdvanceTo(long long n, std::string& line);
    bool Eof();
    // Moves forward to the latest mark at or before line `line`, so that the next read
    // gives the marked line. False (nothing moves) when the marks are of another file or
    // no mark lies ahead.
    bool JumpTowards(const LineMarks& marks, long long line);

    // For a reader that splits the lines of a mapped file itself (LineReader's skipping
    // read): the map, where the next line starts, and MovedTo, which goes on after what it
    // read (up to byte `pos`, line `lineNo`) and lets the pages behind go as reading does.
    const char* MapData() const { return map_; }
    size_t MapSize() const { return mapSize_; }
    size_t Position() const { return pos_; }
    // Where the next line starts in the file, for readers that take marks as they read.
    long long NextLineOffset() const { return bufStart_ + static_cast<long long>(pos_); }
    // Starts `marks` afresh for this file, as it was when opened.
    void StartMarks(LineMarks& marks) const;
    void MovedTo(size_t pos, long long lineNo);

private:
    bool Fill();
    void RefuseNonText();
    void Map(size_t size);
    void Unmap();
    void ReleaseBehind();
    void MapAhead();
    void RefuseIfShrunk() const;
    [[noreturn]] void Refuse(const std::string& reason) const;
    [[noreturn]] void RefuseLongLine() const;
    long long CountMapped(LineMarks* marks);
    friend long long CountLines(const std::filesystem::path& path, LineMarks* marks);
    OpenedFile file_;
    long long bufStart_ = 0;  // offset in the file of buf_[0] when buffered
    int fd_ = -1;
    char* map_ = nullptr;      // the whole file when mapped
    size_t mapSize_ = 0;
    int slot_ = -1;            // the map's entry in the table the SIGBUS handler reads
    size_t released_ = 0;      // map bytes before this offset have been let go
    size_t populated_ = 0;     // map bytes up to this offset have been mapped ahead
    std::vector<char> buf_;    // the buffer when not mapped
    const char* data_ = nullptr;  // map_ or buf_.data()
    size_t pos_ = 0, end_ = 0;
    bool eof_ = false;
    long long lineNo_ = 0;
    std::filesystem::path path_;
};

// The last `maxBytes` bytes of a file (all of a smaller one), opened through the gate.
std::string ReadTail(const std::filesystem::path& path, size_t maxBytes);

// Number of lines as TextReader would read them (a last line without terminator counts).
// With `marks`, also records where lines start, for later readers of the same file.
long long CountLines(const std::filesystem::path& path, LineMarks* marks = nullptr);

// The writer fills an unnamed file in the target's folder (O_TMPFILE), so a run killed
// part-way leaves nothing behind; Close names it "<target>.mavrolin-tmp.<host>.<pid>" and
// renames it over the target. Where the file system has no unnamed files it writes under
// that name from the start, and a later write of the same target removes what a killed
// run left.
class TextWriter {
public:
    explicit TextWriter(const std::filesystem::path& path);  // throws FileError
    ~TextWriter();  // without Close(): the partial file is discarded, the target untouched
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void Write(std::string_view text);
    void WriteLine(const std::string& text = {});
    // Flushes and moves the finished file into place. Throws FileError on failure.
    void Close();

private:
    int NameUnnamed();
    std::filesystem::path path_, temp_;
    bool unnamed_ = false;  // the file has no name until Close links it as temp_
    std::FILE* file_ = nullptr;
    int error_ = 0;  // errno of the first failed write, kept before anything resets it
};

// The name a writer in process `pid` of this machine gives its file before it replaces
// `target`: "<target>.mavrolin-tmp.<host>.<pid>".
std::filesystem::path TemporaryName(const std::filesystem::path& target, long pid);

// Removes the temporary files of `target` whose writers on this machine are no longer
// running (and the fixed-name ones of earlier versions).
void RemoveStaleTemporaries(const std::filesystem::path& target);

// Writes `bytes` as the whole content of `path` through TextWriter (no line ends added).
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace core

#pragma once
// Line-oriented text files. Readers stream through a large buffer (never the whole
// file) and accept LF, CR LF and CR alone as line ends; writers end every line with
// CR LF and replace the target only when the whole file has been written.
//
// Every reader opens its file through OpenForReading, the one gate that refuses what
// is not a plain file (a folder, a device such as /dev/zero, a FIFO that would block
// forever) and that a memory-mapped fast path can later join, since it already holds
// the descriptor and the size of the file.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Longest line a reader accepts; a longer one means the file is not a text file we read.
constexpr size_t kMaxLineLength = size_t{1} << 20;

// An open regular file: descriptor and size at the time it was opened.
struct OpenedFile {
    int fd = -1;
    long long size = 0;
};

// Opens `path` read-only without ever blocking. Throws FileError naming the file and
// the reason ("It is a folder.", "It is not a regular file.", the system's reason).
OpenedFile OpenForReading(const std::filesystem::path& path);

class TextReader {
public:
    explicit TextReader(const std::filesystem::path& path);  // throws FileError
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // Reads the next line without its terminator. Returns false at the end of the file.
    // Throws FileError on a line longer than kMaxLineLength.
    bool ReadLine(std::string& line);
    // The same, handing out a view into the reader's buffer that stays valid until the
    // next read.
    bool ReadLineView(std::string_view& line);
    // Number of the line last read (1-based); 0 before the first read.
    long long LineNumber() const { return lineNo_; }
    // Reads until the line last read is line n. Returns false when the file ends first;
    // the line number then stays at the last line that existed.
    bool AdvanceTo(long long n, std::string& line);
    bool Eof();

private:
    bool Fill();
    long long size_ = 0;  // of the file when it was opened, for progress reports
    long long read_ = 0;  // bytes read from the file so far
    void RefuseNonText();
    [[noreturn]] void Refuse(const std::string& reason) const;
    int fd_ = -1;
    std::vector<char> buf_;
    size_t pos_ = 0, end_ = 0;
    bool eof_ = false;
    long long lineNo_ = 0;
    std::filesystem::path path_;
};

// The last `maxBytes` bytes of a file (all of a smaller one), opened through the gate.
std::string ReadTail(const std::filesystem::path& path, size_t maxBytes);

// Number of lines as TextReader would read them (a last line without terminator counts).
long long CountLines(const std::filesystem::path& path);

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
    std::filesystem::path path_, temp_;
    std::FILE* file_ = nullptr;
    int error_ = 0;  // errno of the first failed write, kept before anything resets it
};

// Writes `bytes` as the whole content of `path` through TextWriter (no line ends added).
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace core

#pragma once
// Line-oriented text files. Readers stream through a large buffer (never the whole
// file) and accept LF and CR LF; writers end every line with CR LF and replace the
// target only when the whole file has been written.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace core {

class TextReader {
public:
    explicit TextReader(const std::filesystem::path& path);  // throws FileError
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // Reads the next line without its terminator. Returns false at the end of the file.
    bool ReadLine(std::string& line);
    // Number of the line last read (1-based); 0 before the first read.
    long long LineNumber() const { return lineNo_; }
    // Reads until the line last read is line n. Returns false when the file ends first;
    // the line number then stays at the last line that existed.
    bool AdvanceTo(long long n, std::string& line);
    bool Eof();

private:
    bool Fill();
    std::FILE* file_ = nullptr;
    std::vector<char> buf_;
    size_t pos_ = 0, end_ = 0;
    bool eof_ = false;
    long long lineNo_ = 0;
    std::filesystem::path path_;
};

// Number of lines as TextReader would read them (a last line without terminator counts).
long long CountLines(const std::filesystem::path& path);

class TextWriter {
public:
    explicit TextWriter(const std::filesystem::path& path);  // throws FileError
    ~TextWriter();  // without Close(): the partial file is discarded, the target untouched
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void Write(const std::string& text);
    void WriteLine(const std::string& text = {});
    // Flushes and moves the finished file into place. Throws FileError on failure.
    void Close();

private:
    std::filesystem::path path_, temp_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace core

#pragma once
// Forward reading of a text file line by line, with a short history and an optional
// line limit. Every log reader goes through it, so the rules live here once:
//   - LF, CR LF and CR alone end a line; a last line without a terminator is a line;
//   - the file is opened and checked as TextReader does (only regular files of 8-bit or UTF-8 text,
//     lines of at most 1 MiB: FileError otherwise);
//   - Line(k) is the line read k reads ago, as read; TrimmedLine(k) the same trimmed;
//     "" for reads before the start of the file;
//   - reading stops at the limit (the line count a scan measured, say) even when the
//     file has grown since, and at the end of the file;
//   - a read that fails still moves the history: the current line becomes "", so
//     Line(k) keeps meaning "k reads ago" for code that reads a fixed number of lines.
// Lines are handed out as views. A view stays valid until its line drops out of the
// history (history + 1 reads later). Callers see no storage, so the source can change
// underneath (a memory map handing out views, say) without touching them.
#include <array>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_file.h"
#include "core/text_view.h"

namespace core {

// The beginnings a skipping read (LineReader::NextStartingWith) stops on: the first one
// or two characters of a line after its leading blanks.
class LineStarts {
public:
    // `prefix`: one character (followed by anything) or two; with `anyCase`, ASCII
    // letters match in either case.
    LineStarts& Add(std::string_view prefix, bool anyCase = false);
    // `second`: the character after `first`, whatever it is ('\0' when the line ends).
    // True when the trimmed line `line` begins as one of these.
    bool Begins(std::string_view line) const { return !line.empty() && Has(line[0], line.size() > 1 ? line[1] : '\0'); }
    bool Has(char first, char second) const {
        const size_t bit = static_cast<size_t>(static_cast<unsigned char>(first)) * 256 +
                           static_cast<unsigned char>(second);
        return (pairs_[bit / 64] >> (bit % 64)) & 1;
    }

private:
    std::array<std::uint64_t, 1024> pairs_{};  // bit first * 256 + second
};

class LineReader {
public:
    static constexpr long long kNoLimit = std::numeric_limits<long long>::max();

    // `history`: how many earlier lines Line(k) reaches back (k = 0..history).
    // `limit`: the last line number that may be read. Throws FileError when the file
    // cannot be opened.
    // `marks`, when given, are those a counting pass took of the same file: AdvanceTo then
    // goes straight to the lines before its target instead of reading every line.
    LineReader(const std::filesystem::path& path, int history, long long limit = kNoLimit,
               const LineMarks* marks = nullptr);

    // From the first read on, notes in `marks` where lines start, as a counting pass
    // does, so that one read both counts a file and looks at its lines. Such a reader
    // reads every line (it never jumps).
    void TakeMarks(LineMarks& marks);

    // Reads the next line. False at the end of the file or past the limit.
    bool Next();
    // Reads until line n is the current one; true at once when it already is or lies
    // behind (a forward reader cannot go back). False when the end comes first.
    bool AdvanceTo(long long n);
    // Reads as Next() does until a line that begins (after its blanks) as one of `starts`
    // is the current one; the lines read over are in the history as Next() leaves them.
    // False when the end of the file, the limit or line `until` comes first. A mapped file
    // is split here without a call per line: the passes that look at a few lines of every
    // thousand read at several times the speed of Next().
    bool NextStartingWith(const LineStarts& starts, long long until = kNoLimit);
    // Reads the next line in place of the current one: the line number advances, the
    // history does not move, so the line it replaces is forgotten. False at the end
    // (the current line then becomes "").
    bool ReadOver();

    // Number of the current line (0 before the first read; stays at the last line that
    // existed once reading has ended).
    long long LineNumber() const { return lineNo_; }
    int History() const { return history_; }
    // The line read k reads ago (0 = current), as read. k beyond History() is a
    // programming error (std::out_of_range).
    std::string_view Line(int k = 0) const {
        if (k < 0 || k > history_) BeyondHistory();
        return ring_[SlotIndex(k)];
    }
    std::string_view TrimmedLine(int k = 0) const { return TrimView(Line(k)); }

private:
    size_t SlotIndex(int k) const { return (head_ + static_cast<size_t>(k)) & mask_; }
    bool Fetch(size_t slot);
    bool SkipMapped(const LineStarts& starts, long long last, bool& found);
    [[noreturn]] void BeyondHistory() const;

    TextReader in_;
    const LineMarks* marks_;
    LineMarks* taking_ = nullptr;  // the marks this reader takes, if any
    int history_;
    long long limit_;
    long long lineNo_ = 0;
    bool ended_ = false;
    // Power-of-two sizes, so a slot is found with a mask. A mapped file's views last as long
    // as the reader; a buffered one's lines are copied into `copies_` first.
    std::vector<std::string_view> ring_;
    std::vector<std::string> copies_;
    size_t mask_ = 0;
    size_t head_ = 0;  // slot of the current line
};

}  // namespace core

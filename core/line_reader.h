#pragma once
// Forward reading of a text file line by line, with a short history and an optional
// line limit. Every log reader goes through it, so the rules live here once:
//   - LF and CR LF line ends; a last line without a terminator is a line;
//   - Line(k) is the line read k reads ago, as read; TrimmedLine(k) the same trimmed;
//     "" for reads before the start of the file;
//   - reading stops at the limit (the line count a scan measured, say) even when the
//     file has grown since, and at the end of the file;
//   - a read that fails still moves the history: the current line becomes "", so
//     Line(k) keeps meaning "k reads ago" for code that reads a fixed number of lines.
// Lines are handed out as views. A view stays valid until its line drops out of the
// history (history + 1 reads later). Callers see no storage, so the source can change
// underneath (a memory map handing out views, CR-only line ends, a cap on the length of
// a line) without touching them.
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_file.h"

namespace core {

class LineReader {
public:
    static constexpr long long kNoLimit = std::numeric_limits<long long>::max();

    // `history`: how many earlier lines Line(k) reaches back (k = 0..history).
    // `limit`: the last line number that may be read. Throws FileError when the file
    // cannot be opened.
    LineReader(const std::filesystem::path& path, int history, long long limit = kNoLimit);

    // Reads the next line. False at the end of the file or past the limit.
    bool Next();
    // Reads until line n is the current one; true at once when it already is or lies
    // behind (a forward reader cannot go back). False when the end comes first.
    bool AdvanceTo(long long n);
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
    std::string_view Line(int k = 0) const;
    std::string_view TrimmedLine(int k = 0) const;

private:
    std::string& Slot(int k);
    const std::string& Slot(int k) const;
    bool Fetch(std::string& into);

    TextReader in_;
    int history_;
    long long limit_;
    long long lineNo_ = 0;
    bool ended_ = false;
    std::vector<std::string> ring_;  // power-of-two size, so a slot is found with a mask
    size_t mask_ = 0;
    size_t head_ = 0;  // slot of the current line
};

}  // namespace core

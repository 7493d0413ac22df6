#pragma once
// Forward-only reading of a scanned log for the job summary: lines are numbered as the
// scan numbered them, reading stops at the scan's line count even if the file has grown,
// and the last few lines are kept as read (untrimmed) because the summary copies them.
#include <array>
#include <string>
#include <vector>

#include "core/text_file.h"
#include "core/tokenizer.h"

namespace mavrolin {

class SummaryReader {
public:
    static constexpr int kHistory = 8;  // enough for a line and the seven before it

    SummaryReader(const std::string& path, long long nline);

    // Reads the next line. False when the file or the scanned line count ends.
    bool Next();
    // Reads until line n is the current line; true at once when it already is or lies
    // behind. False when the end comes first.
    bool AdvanceTo(long long n);
    // Number of the current line (0 before the first read).
    long long Line() const { return line_; }
    // The line read `back` lines ago (0 = current), as read; "" before the file start.
    const std::string& Raw(int back = 0) const;
    std::string Trimmed() const { return core::Trim(Raw()); }

private:
    core::TextReader reader_;
    long long limit_;
    long long line_ = 0;
    std::array<std::string, kHistory> ring_;
    std::string scratch_;
};

// Tokens of a text split at blanks (the blank tokenizer); an empty or blank text has none.
std::vector<std::string> Tokens(const std::string& text);

// The first n characters of a text, upper-cased (ASCII), compared with a literal.
bool StartsUpper(const std::string& text, const std::string& upperLiteral);

// Element 1.. of a 1-based position array, 0 when the index is outside it.
int PositionAt(const std::vector<int>& positions, int index);

}  // namespace mavrolin

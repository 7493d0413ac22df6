// Counting the lines of a file: the first pass of every log scan, and so the one that
// reads the most. A mapped file is swept 64 bytes a step, the line ends of a step as one
// bit mask, so a line costs a few instructions instead of a call; only the lines that
// start a mark or could be too long are looked at one by one. A file that cannot be
// mapped is read line by line.
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>

#include "core/line_end.h"
#include "core/text_file.h"

namespace core {

namespace {

constexpr size_t kBlock = 64;
constexpr size_t kBlocksPerRelease = (1024 * 1024) / kBlock;  // as often as line reading lets pages go

// Set bits of a mask, without the library call a machine without a popcount instruction
// of its own would make.
int CountBits(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555ULL;
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

}  // namespace

// The line after an end starts one byte later, two after a CR LF. Lines are numbered as ReadLineView numbers them, and the marks are those it
// would note.
long long TextReader::CountMapped(LineMarks* marks) {
    const char* const data = map_;
    const size_t size = mapSize_;
    size_t start = pos_;  // where the line being counted starts
    long long ends = 0;   // lines ended so far
    long long markAfter = LLONG_MAX;  // the line whose end starts the next marked line
    auto noteMark = [&](size_t lineStart) {
        if (lineStart < size) {
            marks->Add(static_cast<long long>(lineStart));
            markAfter = marks->NextMarked();
        } else {
            markAfter = LLONG_MAX;
        }
    };
    if (marks) noteMark(start);
    auto startAfter = [&](size_t end) {
        return end + 1 + (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n' ? 1 : 0);
    };
    char tail[kBlock];
    std::uint64_t crBefore = 0;  // the byte before the block is a CR
    size_t blocks = 0;
    for (size_t b = pos_; b < size; b += kBlock) {
        const char* p = data + b;
        if (size - b < kBlock) {  // the last bytes, padded with bytes that end nothing
            std::memset(tail, 0, kBlock);
            std::memcpy(tail, p, size - b);
            p = tail;
        }
        const LineBlock block = ScanLineBlock(p);
        const std::uint64_t endMask = LineEnds(block, crBefore);
        crBefore = block.cr >> 63;
        if (++blocks % kBlocksPerRelease == 0) {
            pos_ = b;
            RefuseIfShrunk();
            ReleaseBehind();
        }
        if (endMask == 0) continue;
        // Only the line running into the block can be long: the others end within it.
        const size_t first = b + static_cast<size_t>(std::countr_zero(endMask));
        if (first - start > kMaxLineLength) {
            lineNo_ = ends;
            RefuseLongLine();
        }
        const int n = CountBits(endMask);
        while (markAfter <= ends + n) {  // the marked line starts after end number markAfter
            std::uint64_t rest = endMask;
            for (long long k = ends + 1; k < markAfter; ++k) rest &= rest - 1;
            noteMark(startAfter(b + static_cast<size_t>(std::countr_zero(rest))));
        }
        ends += n;
        start = startAfter(b + 63 - static_cast<size_t>(std::countl_zero(endMask)));
    }
    RefuseIfShrunk();
    pos_ = end_;
    lineNo_ = ends;
    if (start < size) {  // a last line without a line end
        if (size - start > kMaxLineLength) RefuseLongLine();
        ++lineNo_;
    }
    return lineNo_;
}

long long CountLines(const std::filesystem::path& path, LineMarks* marks) {
    TextReader reader(path);
    if (marks) reader.StartMarks(*marks);
    if (reader.map_) return reader.CountMapped(marks);
    std::string_view line;
    for (;;) {
        const long long before = reader.lineNo_;
        const long long offset = reader.bufStart_ + static_cast<long long>(reader.pos_);
        if (!reader.ReadLineView(line)) break;
        if (marks) marks->Note(before, offset);
    }
    return reader.LineNumber();
}

}  // namespace core

#include "core/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/line_end.h"
#include "core/text_view.h"

namespace core {

namespace {

// How far the skipping read goes between telling the file reader where it is (which lets
// pages go and notices a file that shrank).
constexpr size_t kSyncStep = 256 * 1024;
// How far ahead of the bytes being split the skipping read asks for the next ones.
constexpr size_t kPrefetchAhead = 4096;

size_t RingSize(int history) {
    size_t n = 1;
    while (n < static_cast<size_t>(history) + 1) n <<= 1;
    return n;
}

}  // namespace

LineReader::LineReader(const std::filesystem::path& path, int history, long long limit, const LineMarks* marks)
    : in_(path), marks_(marks), history_(history < 0 ? 0 : history), limit_(limit), ring_(RingSize(history_)) {
    mask_ = ring_.size() - 1;
    if (!in_.ViewsLast()) copies_.resize(ring_.size());
}

// The one place a line comes from the file. A buffered file's slots keep their
// capacity, so once they have grown a read allocates nothing.
void LineReader::TakeMarks(LineMarks& marks) {
    in_.StartMarks(marks);
    taking_ = &marks;
    marks_ = nullptr;
}

bool LineReader::Fetch(size_t slot) {
    std::string_view line;
    const long long offset = taking_ ? in_.NextLineOffset() : 0;
    if (ended_ || lineNo_ >= limit_ || !in_.ReadLineView(line)) {
        ended_ = true;
        ring_[slot] = {};
        return false;
    }
    if (!copies_.empty()) {
        copies_[slot].assign(line.data(), line.size());
        line = copies_[slot];
    }
    ring_[slot] = line;
    if (taking_) taking_->Note(lineNo_, offset);
    ++lineNo_;
    return true;
}

bool LineReader::Next() {
    head_ = (head_ + mask_) & mask_;  // the oldest slot becomes the current one
    return Fetch(head_);
}

// With marks, jumps to a line at least History() lines before the target (never past the
// limit or the end), so that the lines the history reaches are read as they would be without.
// The lines up to the target are split by the skipping read, looking for nothing; where it
// stops short (the end of the file, the limit), the read that fails is Next()'s, so the
// history moves as it does when reading line by line.
bool LineReader::AdvanceTo(long long n) {
    // A target past the end of the file is taken as the last marked line, so that the jump
    // still lands History() lines before the end and the history is read in full.
    const long long from = std::min({n, limit_, marks_ ? marks_->LastMarkedLine() : n}) - history_;
    if (marks_ && !ended_ && from > lineNo_ + 1 && in_.JumpTowards(*marks_, from)) lineNo_ = in_.LineNumber();
    static const LineStarts kNothing;
    if (lineNo_ < n) NextStartingWith(kNothing, n);
    if (lineNo_ >= n) return true;
    if (ended_) return false;  // the read that failed was made, and moved the history once
    return Next() && lineNo_ >= n;  // stopped at the limit: the failing read is still to come
}

bool LineReader::ReadOver() { return Fetch(head_); }

LineStarts& LineStarts::Add(std::string_view prefix, bool anyCase) {
    auto cases = [anyCase](char c) {
        std::string both(1, c);
        if (anyCase && c >= 'a' && c <= 'z') both += static_cast<char>(c - 'a' + 'A');
        if (anyCase && c >= 'A' && c <= 'Z') both += static_cast<char>(c - 'A' + 'a');
        return both;
    };
    if (prefix.empty()) return *this;
    for (char first : cases(prefix[0])) {
        for (int second = 0; second < 256; ++second) {
            const bool any = prefix.size() == 1;
            if (!any && cases(prefix[1]).find(static_cast<char>(second)) == std::string::npos) continue;
            const size_t bit = static_cast<size_t>(static_cast<unsigned char>(first)) * 256 + static_cast<size_t>(second);
            pairs_[bit / 64] |= std::uint64_t{1} << (bit % 64);
        }
    }
    return *this;
}

bool LineReader::NextStartingWith(const LineStarts& starts, long long until) {
    const long long last = std::min(limit_, until);
    bool found = false;
    if (copies_.empty() && !ended_ && SkipMapped(starts, last, found)) return found;
    // A buffered file, and what the mapped split leaves: the end of the file, a long line.
    while (lineNo_ < until && Next()) {
        if (starts.Begins(TrimmedLine())) return true;
    }
    return false;
}

// The split of ReadLineView for a mapped file (every byte in view, a CR at the very end
// ends a line), 64 bytes a step: the line ends of a step are one bit mask, and so are the
// first non-blank characters of its lines, found by letting each line end carry through
// the blanks after it (adding the end bits to the blank bits: the carry stops at the
// first byte that is not blank). Each line goes into the history as Fetch puts it.
// True when it decided: `found` then tells whether a line matched. False, having read
// only whole lines, near the end of the file or in a line longer than the longest
// accepted: Next() takes over there and says what it is.
bool LineReader::SkipMapped(const LineStarts& starts, long long last, bool& found) {
    constexpr size_t kBlock = 64;
    const char* const data = in_.MapData();
    const size_t size = in_.MapSize();
    size_t start = in_.Position();  // of the line being split
    size_t syncAt = start + kSyncStep;
    long long n = lineNo_;
    long long marked = taking_ ? taking_->NextMarked() : -1;  // the next line to mark (lines before it)
    auto stop = [&](bool decided) {
        lineNo_ = n;
        in_.MovedTo(start, n);  // also refuses a file that shrank under the map
        return decided;
    };
    found = false;
    if (n >= last) return stop(true);
    std::uint64_t crBefore = 0;
    unsigned long long carry = 1;  // the line at `start` looks for its first non-blank from there
    bool match = false;            // the current line begins as one of `starts`
    for (size_t b = start; b + kBlock <= size; b += kBlock) {
        if (b + kBlock - start > kMaxLineLength) return stop(false);
        // The loads wait on memory, not the splitting: ask for what comes next early.
        __builtin_prefetch(data + b + kPrefetchAhead);
        const LineBlock block = ScanLineBlock(data + b);
        const std::uint64_t ends = LineEnds(block, crBefore);
        crBefore = block.cr >> 63;
        unsigned long long sum = 0;
        const bool carried = __builtin_uaddll_overflow(block.blank, ends, &sum);
        const bool carriedToo = __builtin_uaddll_overflow(sum, carry, &sum);
        carry = carried || carriedToo ? 1 : 0;
        const std::uint64_t firstChars = sum & ~block.blank;
        for (std::uint64_t events = ends | firstChars; events != 0; events &= events - 1) {
            const size_t i = static_cast<size_t>(__builtin_ctzll(events));
            const size_t p = b + i;
            if ((firstChars >> i) & 1) {
                match = starts.Has(data[p], p + 1 < size ? data[p + 1] : '\0');
                continue;
            }
            head_ = (head_ + mask_) & mask_;
            ring_[head_] = std::string_view(data + start, p - start);
            if (n == marked) {
                taking_->Add(static_cast<long long>(start));
                marked = taking_->NextMarked();
            }
            ++n;
            start = p + 1 + (data[p] == '\r' && p + 1 < size && data[p + 1] == '\n' ? 1 : 0);
            if (match) {
                found = true;
                return stop(true);
            }
            if (n >= last) return stop(true);
        }
        if (b >= syncAt) {
            in_.MovedTo(start, n);
            syncAt = b + kSyncStep;
        }
    }
    return stop(false);
}

void LineReader::BeyondHistory() const {
    throw std::out_of_range("line history holds " + std::to_string(history_) + " lines");
}

}  // namespace core

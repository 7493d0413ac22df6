#include "core/line_reader.h"

#include <algorithm>
#include <stdexcept>

#include "core/text_view.h"

namespace core {

namespace {

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
bool LineReader::Fetch(size_t slot) {
    std::string_view line;
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
    ++lineNo_;
    return true;
}

bool LineReader::Next() {
    head_ = (head_ + mask_) & mask_;  // the oldest slot becomes the current one
    return Fetch(head_);
}

// With marks, jumps to a line at least History() lines before the target (never past the
// limit), so that the lines the history reaches are read as they would be without.
bool LineReader::AdvanceTo(long long n) {
    const long long from = std::min(n, limit_) - history_;
    if (marks_ && !ended_ && from > lineNo_ + 1 && in_.JumpTowards(*marks_, from)) lineNo_ = in_.LineNumber();
    while (lineNo_ < n)
        if (!Next()) return false;
    return true;
}

bool LineReader::ReadOver() { return Fetch(head_); }

void LineReader::BeyondHistory() const {
    throw std::out_of_range("line history holds " + std::to_string(history_) + " lines");
}

}  // namespace core

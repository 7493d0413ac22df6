#include "core/line_reader.h"

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

LineReader::LineReader(const std::filesystem::path& path, int history, long long limit)
    : in_(path), history_(history < 0 ? 0 : history), limit_(limit), ring_(RingSize(history_)) {
    mask_ = ring_.size() - 1;
}

std::string& LineReader::Slot(int k) { return ring_[(head_ + static_cast<size_t>(k)) & mask_]; }
const std::string& LineReader::Slot(int k) const { return ring_[(head_ + static_cast<size_t>(k)) & mask_]; }

// The one place a line comes from the file. Slots keep their capacity, so once they
// have grown a read allocates nothing.
bool LineReader::Fetch(std::string& into) {
    if (ended_ || lineNo_ >= limit_ || !in_.ReadLine(into)) {
        ended_ = true;
        into.clear();
        return false;
    }
    ++lineNo_;
    return true;
}

bool LineReader::Next() {
    head_ = (head_ + mask_) & mask_;  // the oldest slot becomes the current one
    return Fetch(Slot(0));
}

bool LineReader::AdvanceTo(long long n) {
    while (lineNo_ < n)
        if (!Next()) return false;
    return true;
}

bool LineReader::ReadOver() { return Fetch(Slot(0)); }

std::string_view LineReader::Line(int k) const {
    if (k < 0 || k > history_) throw std::out_of_range("line history holds " + std::to_string(history_) + " lines");
    return Slot(k);
}

std::string_view LineReader::TrimmedLine(int k) const { return TrimView(Line(k)); }

}  // namespace core

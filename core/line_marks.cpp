// Line marks: where every so many lines of a file start.
#include "core/text_file.h"

namespace core {

void LineMarks::Clear() {
    file_ = {};
    spacing_ = 16;
    offsets_.clear();
}

void LineMarks::Add(long long offset) {
    if (offsets_.size() == kMaxMarks) {  // keep every other mark, twice as far apart
        for (size_t i = 0; i < kMaxMarks / 2; ++i) offsets_[i] = offsets_[2 * i];
        offsets_.resize(kMaxMarks / 2);
        spacing_ *= 2;  // the line being noted is then the first of the new spacing
    }
    offsets_.push_back(offset);
}

bool LineMarks::Describe(const OpenedFile& file) const {
    return !offsets_.empty() && file.size == file_.size && file.device == file_.device &&
           file.inode == file_.inode && file.modifiedNs == file_.modifiedNs;
}

}  // namespace core

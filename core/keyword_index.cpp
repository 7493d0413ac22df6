#include "core/keyword_index.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <utility>

#include "core/memory_pages.h"

namespace core {

namespace {
constexpr size_t kBlock = 256 * 1024;
}  // namespace

KeywordIndex::KeywordIndex(const KeywordIndex& other) { *this = other; }

KeywordIndex::KeywordIndex(KeywordIndex&& other) noexcept { *this = std::move(other); }

KeywordIndex& KeywordIndex::operator=(KeywordIndex&& other) noexcept {
    if (this == &other) return *this;
    records_ = std::move(other.records_);
    blocks_ = std::move(other.blocks_);
    next_ = std::exchange(other.next_, nullptr);
    left_ = std::exchange(other.left_, 0);
    std::copy(std::begin(other.lastKeyword_), std::end(other.lastKeyword_), std::begin(lastKeyword_));
    other.Clear();
    return *this;
}

KeywordIndex& KeywordIndex::operator=(const KeywordIndex& other) {
    if (this == &other) return *this;
    Clear();
    for (size_t i = 0; i < other.size(); ++i) {
        const KeywordHit hit = other[i];
        Add(hit.line, hit.kind, hit.keyword, hit.contents);
        records_.back().remark = other.records_[i].remark;
        records_.back().notConverged = other.records_[i].notConverged;
    }
    return *this;
}

const char* KeywordIndex::Store(std::string_view text) {
    if (text.empty()) return "";
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("keyword index: text too long");
    if (text.size() > kBlock / 4) {  // a block of its own, before the one being filled
        auto own = std::make_unique_for_overwrite<char[]>(text.size());
        char* at = own.get();
        std::memcpy(at, text.data(), text.size());
        blocks_.insert(blocks_.empty() ? blocks_.end() : blocks_.end() - 1, std::move(own));
        return at;
    }
    if (text.size() > left_) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlock));
        PrefaultForWriting(blocks_.back().get(), kBlock);
        next_ = blocks_.back().get();
        left_ = kBlock;
    }
    char* at = next_;
    std::memcpy(at, text.data(), text.size());
    next_ += text.size();
    left_ -= text.size();
    return at;
}

const char* KeywordIndex::StoreKeyword(KeywordKind kind, std::string_view keyword) {
    std::string_view& last = lastKeyword_[static_cast<size_t>(kind)];
    if (last != keyword) last = {Store(keyword), keyword.size()};
    return last.data();
}

void KeywordIndex::Records::push_back(const Record& r) {
    if ((size_ & (kChunk - 1)) == 0 && (size_ >> kShift) == chunks_.size()) {
        chunks_.push_back(std::make_unique_for_overwrite<Record[]>(kChunk));
        PrefaultForWriting(chunks_.back().get(), kChunk * sizeof(Record));
    }
    (*this)[size_++] = r;
}

size_t KeywordIndex::Add(long long line, KeywordKind kind, std::string_view keyword, std::string_view contents) {
    const char* k = StoreKeyword(kind, keyword);
    const char* c = Store(contents);
    records_.push_back({line, k, c, static_cast<std::uint32_t>(keyword.size()),
                        static_cast<std::uint32_t>(contents.size()), kind, HitRemark::None, false});
    return records_.size() - 1;
}

void KeywordIndex::SetKeyword(size_t at, std::string_view keyword) {
    records_[at].keyword = Store(keyword);
    records_[at].keywordSize = static_cast<std::uint32_t>(keyword.size());
}

void KeywordIndex::SetContents(size_t at, std::string_view contents) {
    records_[at].contents = Store(contents);
    records_[at].contentsSize = static_cast<std::uint32_t>(contents.size());
}

void KeywordIndex::Clear() {
    records_.clear();
    blocks_.clear();
    next_ = nullptr;
    left_ = 0;
    std::fill(std::begin(lastKeyword_), std::end(lastKeyword_), std::string_view());
}

KeywordHit KeywordIndex::operator[](size_t at) const {
    const Record& r = records_[at];
    static constexpr std::string_view kRemarks[] = {"", "Excluded", "N/A"};
    return {r.line,
            r.kind,
            {r.keyword, r.keywordSize},
            {r.contents, r.contentsSize},
            kRemarks[static_cast<size_t>(r.remark)],
            r.notConverged ? std::string_view("Convergence criterion not met") : std::string_view()};
}

std::vector<long long> KeywordIndex::Lines(KeywordKind kind) const {
    std::vector<long long> lines;
    for (size_t i = 0; i < records_.size(); ++i)
        if (records_[i].kind == kind) lines.push_back(records_[i].line);
    return lines;
}

std::vector<KeywordHit> KeywordIndex::Of(KeywordKind kind) const {
    std::vector<KeywordHit> found;
    for (size_t i = 0; i < records_.size(); ++i)
        if (records_[i].kind == kind) found.push_back((*this)[i]);
    return found;
}

bool KeywordIndex::Has(KeywordKind kind) const {
    for (size_t i = 0; i < records_.size(); ++i)
        if (records_[i].kind == kind) return true;
    return false;
}

}  // namespace core

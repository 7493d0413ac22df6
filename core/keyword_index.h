#pragma once
// The keyword index of a scanned log: one hit per keyword line the indexing scan found,
// in file order. The analysis report grid shows it row by row (columns Remark, Line Nmbr,
// Keyword, Contents, Message, with the texts held here), and the phases after the scan
// read it instead of the grid.
//
// How a phase finds its lines, for example:
//   for (const auto& hit : app.log.keywords)
//       if (hit.kind == core::KeywordKind::ExcitedState) ...   // hit.line, hit.contents
//   auto occupied = app.log.keywords.Lines(core::KeywordKind::AlphaOccupied);
// Excited states: `keyword` is "Excited State  N:" up to character 18, trimmed; `contents`
// the rest of the line, trimmed ("Singlet-A      4.2781 eV  289.81 nm  f=0.0012 ...").
// Eigenvalues (AlphaOccupied, AlphaVirtual, BetaOccupied, BetaVirtual): `keyword` is the
// label ("Alpha  occ. eigenvalues"), `contents` the values from the fifth character after
// it ("-10.16 -0.75 ..."), untrimmed. `line` is the 1-based line number in the file.
//
// A log of a million lines holds tens of thousands of hits, so the index keeps their
// texts packed in large blocks and a small record per hit; a hit is handed out as views
// into those blocks, valid as long as the index is.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

enum class KeywordKind : std::uint8_t {
    Route,               // "Gaussian job commands": one hit per line of a route section
    Title,               // "Title Section": the line three above a charge line
    ChargeMultiplicity,  // "Charge + Multiplicity"
    ScfDone,             // "SCF Done: #n" when its energy was taken, else "SCF Done:"
    AlphaVirtual,
    AlphaOccupied,
    BetaVirtual,
    BetaOccupied,
    MaximumForce,
    Orientation,         // standard orientations, or input ones when the log has no other
    Mulliken,
    DipoleMoment,        // contents: the total in debye, "1.8532 Debye"
    NormalTermination,
    ExcitedState,
    Frequencies,         // remark "Excluded" inside an optimisation's own job
    ZeroPoint,           // remark "Excluded" as for frequencies
};
inline constexpr size_t kKeywordKinds = static_cast<size_t>(KeywordKind::ZeroPoint) + 1;

// The remark column: frequency lines of an optimisation's own job are "Excluded", an SCF
// energy that did not converge is "N/A".
enum class HitRemark : std::uint8_t { None, Excluded, NotAvailable };

// One hit as the index hands it out.
struct KeywordHit {
    long long line = 0;
    KeywordKind kind = KeywordKind::Route;
    std::string_view keyword;
    std::string_view contents;
    std::string_view remark;   // "Excluded", "N/A" or ""
    std::string_view message;  // "Convergence criterion not met" or ""
};

class KeywordIndex {
public:
    KeywordIndex() = default;
    KeywordIndex(const KeywordIndex& other);
    KeywordIndex& operator=(const KeywordIndex& other);
    KeywordIndex(KeywordIndex&& other) noexcept;
    KeywordIndex& operator=(KeywordIndex&& other) noexcept;

    // Appends a hit; returns its position.
    size_t Add(long long line, KeywordKind kind, std::string_view keyword, std::string_view contents = {});
    void SetKeyword(size_t at, std::string_view keyword);
    void SetContents(size_t at, std::string_view contents);
    void SetRemark(size_t at, HitRemark remark) { records_[at].remark = remark; }
    void SetNotConverged(size_t at) { records_[at].notConverged = true; }
    void Clear();

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    KeywordHit operator[](size_t at) const;

    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = KeywordHit;
        using difference_type = std::ptrdiff_t;
        using reference = KeywordHit;
        using pointer = void;
        Iterator() = default;
        Iterator(const KeywordIndex* index, size_t at) : index_(index), at_(at) {}
        KeywordHit operator*() const { return (*index_)[at_]; }
        Iterator& operator++() { return ++at_, *this; }
        Iterator operator++(int) { return Iterator(index_, at_++); }
        bool operator==(const Iterator& o) const { return at_ == o.at_; }

    private:
        const KeywordIndex* index_ = nullptr;
        size_t at_ = 0;
    };
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, records_.size()}; }

    // Line numbers of the hits of one kind, in file order.
    std::vector<long long> Lines(KeywordKind kind) const;
    // The hits of one kind, in file order.
    std::vector<KeywordHit> Of(KeywordKind kind) const;
    bool Has(KeywordKind kind) const;

private:
    struct Record {
        long long line;
        const char* keyword;
        const char* contents;
        std::uint32_t keywordSize, contentsSize;
        KeywordKind kind;
        HitRemark remark;
        bool notConverged;
    };
    // A copy of `text` in the blocks; the blocks never move, so the pointer stays good.
    const char* Store(std::string_view text);
    // Keywords repeat: the last one stored of each kind is taken again when it reads the same.
    const char* StoreKeyword(KeywordKind kind, std::string_view keyword);

    // The records in chunks of a fixed size: they grow without moving what they hold.
    class Records {
    public:
        Records() = default;
        Records(Records&& o) noexcept : chunks_(std::move(o.chunks_)), size_(std::exchange(o.size_, 0)) {}
        Records& operator=(Records&& o) noexcept {
            chunks_ = std::move(o.chunks_);
            size_ = std::exchange(o.size_, 0);
            return *this;
        }
        size_t size() const { return size_; }
        bool empty() const { return size_ == 0; }
        Record& operator[](size_t i) { return chunks_[i >> kShift][i & (kChunk - 1)]; }
        const Record& operator[](size_t i) const { return chunks_[i >> kShift][i & (kChunk - 1)]; }
        Record& back() { return (*this)[size_ - 1]; }
        void push_back(const Record& r);
        void clear() {
            chunks_.clear();
            size_ = 0;
        }

    private:
        static constexpr size_t kShift = 12, kChunk = size_t{1} << kShift;
        std::vector<std::unique_ptr<Record[]>> chunks_;
        size_t size_ = 0;
    };
    Records records_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;  // the free end of the last block
    size_t left_ = 0;
    std::string_view lastKeyword_[kKeywordKinds];  // by kind
};

}  // namespace core

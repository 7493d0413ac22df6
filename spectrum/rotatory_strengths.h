#pragma once
// The rotatory strengths of the excited states, as a TD-DFT or CIS job prints them before
// its list of states: one table for the velocity form and one for the length form, in
// 10^-40 erg esu cm / Gauss. They belong to the same block of states the excited-state
// import takes (the last one), so they are read from the lines just before that block's
// first state line, after the block before it.
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "core/text_file.h"
#include "spectrum/excited_states.h"

namespace mavrolin::spectrum {

enum class RotatoryForm { Velocity, Length };

struct RotatoryStrengths {
    std::vector<int> number;            // state numbers of the imported block
    std::vector<double> ev;             // their excitation energies, eV
    std::vector<double> velocity, length;  // one per state, 10^-40 erg esu cm / Gauss, as printed
    bool hasVelocity = false, hasLength = false;

    bool Has(RotatoryForm form) const { return form == RotatoryForm::Length ? hasLength : hasVelocity; }
    bool Empty() const { return !hasVelocity && !hasLength; }
    int Count() const { return static_cast<int>(ev.size()); }
    // The strengths of one form (empty when the log has none of that form).
    std::span<const double> Of(RotatoryForm form) const;
};

// Feeds the lines of a log to the reader of the two tables; the last table of each form
// wins, so the lines before a block leave the tables of that block.
class RotatoryTableReader {
public:
    void Line(std::string_view line);
    // The strengths of `states` (rows of other numbers are passed over). A form whose
    // table misses one of the states, or has a row it cannot read, is left out.
    RotatoryStrengths For(std::span<const StateLine> states) const;

private:
    struct Table {
        std::vector<int> number;
        std::vector<double> value;
        bool broken = false;
        bool seen = false;
    };
    Table velocity_, length_;
    Table* open_ = nullptr;  // the table whose rows are being read
    size_t column_ = 0;      // token index of the R column in its rows
};

// The strengths of the block `im` imported from `file`: the lines from the end of the block
// before it (or a bounded stretch before its first state) up to that first state are read,
// jumping there with `marks` when given.
RotatoryStrengths ReadRotatoryStrengths(const std::filesystem::path& file, const ExcitedStateImport& im,
                                        const core::LineMarks* marks = nullptr);

// The same for a log not scanned before: one pass finds the state lines, the block is
// imported and its strengths read. A log without states gives an empty result. Throws
// core::FileError when the file cannot be read.
RotatoryStrengths ReadRotatoryStrengths(const std::filesystem::path& log);

}  // namespace mavrolin::spectrum

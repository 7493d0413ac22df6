#pragma once
// The log scan behind "Open Log/Out File (Opt,Freq)": counting pass, counting scan,
// sizing, indexing scan into the keyword index and the analysis report grid, the SCF
// table, and the calls of the extraction phases that re-read the file.
#include <array>
#include <string>
#include <string_view>

#include "core/text_file.h"

namespace mavrolin {

class Application;

namespace logscan {

// The last 11 lines read: At(0) is the line just read, At(k) the line read k lines
// earlier. Shifting rotates the slots, so strings keep their capacity and a scan
// allocates nothing per line once the slots have grown.
class RollingBuffer {
public:
    static constexpr int kSize = 11;
    std::string& At(int k) { return slots_[(head_ + k) % kSize]; }
    const std::string& At(int k) const { return slots_[(head_ + k) % kSize]; }
    // Entry k := entry k - 1 for k = 10 .. 1; entry 0 is the old entry 10, to be overwritten.
    void Shift() { head_ = (head_ + kSize - 1) % kSize; }
    void Clear();

private:
    std::array<std::string, kSize> slots_;
    int head_ = 0;
};

// Shifts the buffer and reads the next line of `in` into entry 0, trimmed. False at the
// end of the file (entry 0 is then empty).
bool ReadShifted(core::TextReader& in, RollingBuffer& buf);

// True when the first lit.size() characters of `line`, ASCII letters upper-cased, equal
// `lit` (which is upper case). No allocation.
bool StartsUpper(std::string_view line, std::string_view lit);
// Characters from..end (1-based), or "" when the text is shorter.
std::string_view From(std::string_view s, size_t from);
// First n characters (or fewer).
std::string_view First(std::string_view s, size_t n);
std::string_view TrimView(std::string_view s);

// Appends a row to the analysis report grid and fills columns 1 to 3; returns its index.
int AppendReportRow(Application& app, long long line, std::string_view keyword,
                    std::string_view contents = {});

// What the counting scan hands to the indexing scan.
struct ScanState {
    long long nterm1_pos = 0;       // first normal-termination line, 0 when none
    bool stdinput_change = false;   // input orientations stand in for standard ones
};

// Phases of OpenLOG1Click, in order. The first two return false when the handler stops.
bool ChooseAndReset(Application& app);
bool CountingPass(Application& app);
ScanState CountingScan(Application& app);  // also sizes the position arrays
void IndexingScan(Application& app, const ScanState& st);
void ScfTablePhase(Application& app);
void ClosingMessages(Application& app);
void HideCoordinateGrids(Application& app);

// The step difference of the SCF table in kcal/mol, from the energy texts of two rows.
std::string DeltaKcalText(const std::string& previous, const std::string& current);

}  // namespace logscan
}  // namespace mavrolin

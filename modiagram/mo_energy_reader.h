#pragma once
// The orbital-energy printings of a log, found among the eigenvalue hits of the keyword
// index, and the reading of one printing into the cells of an MO-table set.
#include <string>
#include <string_view>
#include <vector>

#include "core/keyword_index.h"

namespace mavrolin::modiagram {

enum class MoKind { None, AlphaOcc, AlphaVirt, BetaOcc, BetaVirt };

// "ao", "av", "bo", "bv" ("" for None).
const char* KindCode(MoKind kind);
bool IsBeta(MoKind kind);
bool IsOccupied(MoKind kind);
// Kind of an MO-table cell from its first two characters; None for anything else.
MoKind KindOfCell(std::string_view cell);

// Kind of an eigenvalue hit of the keyword index; None for every other hit.
MoKind KindOfHit(core::KeywordKind kind);

// One eigenvalue line as the keyword index holds it.
struct EigenRow {
    int indexRow = 0;         // position in the index: consecutive positions form one printing
    long long line = 0;       // line number in the log
    MoKind kind = MoKind::None;
    std::string_view values;  // the energies, one 10-character field each
};

// One printing: rows[first] .. rows[first + length - 1].
struct EigenBlock {
    size_t first = 0;
    int length = 0;
};

// The eigenvalue lines of the index, in file order; their values are views into the
// index, good while it is.
std::vector<EigenRow> EigenRows(const core::KeywordIndex& index);
// Every printing, in log order.
std::vector<EigenBlock> FindBlocks(const std::vector<EigenRow>& rows);

// Which printing is imported. The first printing when there is one, or when the second
// differs in length from the first (that check stops the count there); otherwise the second.
struct BlockChoice {
    int nenblock = 0;            // printings counted
    int chosen = 0;              // 1-based; 0 when there is none
    bool firstPairDiffers = false;
    int blocksize = 0, blocksize2 = 0;  // lengths of the last printing counted and the one before
};
BlockChoice ChooseBlock(const std::vector<EigenBlock>& blocks);

struct OrbitalCount {
    int nalpha = 0, nbeta = 0;
};
// Energies per spin in a printing: each row holds (length of its values) div 10 of them;
// a remainder shorter than a field is ignored.
OrbitalCount CountOrbitals(const std::vector<EigenRow>& rows, const EigenBlock& block);

// The cells of one set: type code, two blanks and the energy as printed.
struct MoSet {
    std::vector<std::string> alpha, beta;  // table rows 1, 2, ...
    int homoalpha = 0, homobeta = 0;       // occupied levels, counted for open-shell sets only
    int overflowed = 0;                    // energies printed as stars (too large for their field)
};
MoSet ReadBlock(const std::vector<EigenRow>& rows, const EigenBlock& block, bool openShell);

// An energy field that overflowed: nothing but stars.
bool IsOverflowText(std::string_view value);

}  // namespace mavrolin::modiagram

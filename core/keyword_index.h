#pragma once
// The keyword index of a scanned log: one hit per keyword line the indexing scan found,
// in file order. The analysis report grid shows it row by row (columns Remark, Line Nmbr,
// Keyword, Contents, Message, with the texts held here), and the phases after the scan
// read it instead of the grid.
//
// How a phase finds its lines, for example:
//   for (const auto& hit : app.log.keywords.hits)
//       if (hit.kind == core::KeywordKind::ExcitedState) ...   // hit.line, hit.contents
//   auto occupied = app.log.keywords.Lines(core::KeywordKind::AlphaOccupied);
// Excited states: `keyword` is "Excited State  N:" up to character 18, trimmed; `contents`
// the rest of the line, trimmed ("Singlet-A      4.2781 eV  289.81 nm  f=0.0012 ...").
// Eigenvalues (AlphaOccupied, AlphaVirtual, BetaOccupied, BetaVirtual): `keyword` is the
// label ("Alpha  occ. eigenvalues"), `contents` the values from the fifth character after
// it ("-10.16 -0.75 ..."), untrimmed. `line` is the 1-based line number in the file.
#include <string>
#include <vector>

namespace core {

enum class KeywordKind {
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

struct KeywordHit {
    long long line = 0;
    KeywordKind kind = KeywordKind::Route;
    std::string keyword;
    std::string contents;
    std::string remark;   // "Excluded", "N/A" or ""
    std::string message;  // "Convergence criterion not met" or ""
};

struct KeywordIndex {
    std::vector<KeywordHit> hits;

    void Clear() { hits.clear(); }
    // Line numbers of the hits of one kind, in file order.
    std::vector<long long> Lines(KeywordKind kind) const;
    // The hits of one kind, in file order (pointers into `hits`).
    std::vector<const KeywordHit*> Of(KeywordKind kind) const;
    bool Has(KeywordKind kind) const;
};

}  // namespace core

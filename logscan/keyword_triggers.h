#pragma once
// The keyword triggers of the log scan: which trimmed lines the counting scan counts and
// the indexing scan indexes. Both scans classify every line with Classify(), so the sizes
// the counting scan gives the position arrays and the hits the indexing scan records come
// from the same tests.
#include <cstddef>
#include <string_view>

#include "core/line_reader.h"

namespace mavrolin::logscan {

enum class Trigger {
    None,
    Route,  // a "#" line: the route section is read ahead up to its dash line
    ChargeMultiplicity,
    ScfDone,
    AlphaVirtual,
    AlphaOccupied,
    BetaVirtual,
    BetaOccupied,
    NBasis,          // indexed only: the basis size
    NBsUse,          // indexed only
    MoCoefficients,  // indexed only: a coefficient table header
    MaximumForce,
    Orientation,
    OtherOrientation,  // indexed only: a header of the kind the scan does not index
    Mulliken,
    DipoleMoment,  // the indexing scan reads the next line over this one
    NormalTermination,
    ExcitedState,
    Frequencies,
    ZeroPoint,
    Annihilation,  // counted only: marks an unrestricted wave function
};

// The first trigger the trimmed `line` matches, trying the table from position `from`
// on (a scan that has read over a line tests the new line against the triggers after the
// one that read ahead). Orientation headers are the input ones (with the Z-matrix ones)
// when `inputOrientation`, the standard ones otherwise; the others are OtherOrientation.
// Sets `at` to the matching table position.
Trigger Classify(std::string_view line, bool inputOrientation, size_t from, size_t& at);
inline Trigger Classify(std::string_view line, bool inputOrientation) {
    size_t at = 0;
    return Classify(line, inputOrientation, 0, at);
}

// How the trimmed lines Classify can match begin (their first two characters): every
// other line is None, so the scans read over those without looking at them.
const core::LineStarts& TriggerStarts();

// Length of the literal of the trigger at table position `at` ("SCF Done" -> 8), for
// the scans that cut their report texts after it.
size_t TriggerLiteralSize(size_t at);

}  // namespace mavrolin::logscan

#pragma once
// A measured spectrum laid under a computed one: a two-column text file of x and
// intensity. Columns are separated by blanks, tabs or commas; lines starting with "#" and
// blank lines are skipped; one header line before the data may name the x unit ("nm",
// "cm-1", "eV"), otherwise x is in the unit of the window that opens it. Any other line that
// is not two numbers is refused with a message naming its number.
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "spectrum/spectrum_calc.h"

namespace mavrolin::spectrum {

struct ExperimentalSpectrum {
    int unit = kUnitCm;       // unit of x: kUnitEv, kUnitNm or kUnitCm
    std::vector<double> x, y; // as read, in file order
    std::string name;         // file name, for captions

    bool Empty() const { return x.empty(); }
};

// Reads a file through the one reading gate. `windowUnit` is the unit x is in when no
// header names one. Throws core::FileError when the file cannot be read and
// core::InputError ("Line 7 of exp.txt: ...") for a line it cannot read or a file without data.
ExperimentalSpectrum ReadExperimentalSpectrum(const std::filesystem::path& path, int windowUnit);

// The same over text in memory; `name` is used in messages.
ExperimentalSpectrum ParseExperimentalSpectrum(std::string_view text, int windowUnit,
                                               const std::string& name = "the file");

// The points in another unit (eV, nm and cm-1 convert into each other; x <= 0 has no
// reciprocal and is dropped), sorted by increasing x.
struct OverlayPoints {
    std::vector<double> x, y;
};
OverlayPoints ExperimentalIn(const ExperimentalSpectrum& s, int unit);

// Scales y so that the largest value equals `target` (a file of zeros stays as it is).
void ScaleToMaximum(OverlayPoints& p, double target);

}  // namespace mavrolin::spectrum

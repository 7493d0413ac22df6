#pragma once
// The vibrational modes of a frequency job, read from a Gaussian log: number, frequency,
// IR intensity, Raman activity (when the job computed it) and symmetry label.
//
// A log may hold several frequency jobs (an optimisation followed by two frequency runs,
// say); each set of modes starts at its "Harmonic frequencies (cm**-1), ..." header and
// only the last set is kept. The standard listing ("Frequencies --", three modes per block)
// is read; the high-precision listing that Freq=HPModes prints before it ("Frequencies ---",
// five modes per block, the same values with more digits) is read only when a set has no
// standard listing at all.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mavrolin::irraman {

struct VibMode {
    int number = 0;          // 1-based mode number as printed
    double frequency = 0;    // cm-1; negative for an imaginary mode
    double ir = 0;           // IR intensity, km/mol
    double raman = 0;        // Raman activity, A^4/amu (0 when the job has none)
    std::string symmetry;    // "AU", "?A", "A'" ... ("" when not printed)
    // False when the value was printed as asterisks or could not be read: the mode is
    // left out of the spectrum that needs the value, and kept in the other.
    bool irRead = true, ramanRead = true;
};

struct VibModes {
    std::vector<VibMode> modes;      // real modes with a readable frequency, in printed order
    std::vector<VibMode> imaginary;  // negative frequencies: listed, never drawn
    std::vector<int> overflowed;     // numbers of modes left out of both spectra: a frequency
                                     // printed as asterisks or not a number, or a block cut
                                     // off before its intensities
    bool hasRaman = false;           // the kept set prints "Raman Activ"
    bool highPrecision = false;      // the kept set came from the "Frequencies ---" listing
    int sets = 0;                    // frequency sets found in the log

    bool Empty() const { return modes.empty() && imaginary.empty() && overflowed.empty(); }
};

// Numbers of the modes the IR (or Raman) spectrum leaves out, ascending: those of
// `overflowed` and the modes whose intensity (activity) could not be read.
std::vector<int> ModesLeftOut(const VibModes& modes, bool raman);

// Reads the modes of the last frequency set of a log, streaming through the line reader
// (the file is opened through the one reading gate). Throws FileError when the file
// cannot be read. A log without frequencies gives an empty result.
VibModes ReadVibrationalModes(const std::filesystem::path& log);

// The same over text already in memory (tests, fuzzing).
VibModes ParseVibrationalModes(std::string_view text);

}  // namespace mavrolin::irraman

#pragma once
// The normal modes of the last frequency set of a log with their Cartesian displacement
// vectors, for viewers that animate a vibration. Frequencies and IR intensities are those
// the modes reader takes; the displacements come from the standard listing (three modes a
// block, one line per atom) or, when the job printed it (Freq=HPModes), from the
// high-precision listing (five modes a block, one line per coordinate).
#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

namespace mavrolin::molden {

struct NormalMode {
    int number = 0;           // 1-based, as printed
    double frequency = 0;     // cm-1, negative for an imaginary mode
    double ir = 0;            // km/mol
    std::vector<std::array<double, 3>> displacement;  // per atom: X, Y, Z
};

struct NormalModes {
    std::vector<NormalMode> modes;  // in printed order, imaginary ones included
    std::vector<int> leftOut;       // modes without readable values or a whole displacement listing
    bool highPrecision = false;     // the displacements came from the high-precision listing
    bool Empty() const { return modes.empty(); }
};

NormalModes ReadNormalModes(const std::filesystem::path& log);
NormalModes ParseNormalModes(std::string_view text);

}  // namespace mavrolin::molden

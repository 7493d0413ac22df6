#include "geometry/trajectory.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "geometry/xyz_file.h"

namespace mavrolin::geometry {

namespace {

struct Blocks {
    std::vector<TrajectoryFrame> frames;
    long long cutOffHeader = 0;
};

// "Step number   3 out of a maximum of  20 on scan point     2 out of    11"
int ScanPointOf(std::string_view line) {
    constexpr std::string_view kKey = "on scan point";
    auto at = line.find(kKey);
    if (at == std::string_view::npos || line.find("Step number") == std::string_view::npos) return 0;
    long long n = 0;
    std::string_view rest = core::TrimView(line.substr(at + kKey.size()));
    if (!core::TryParseInt(std::string(rest.substr(0, rest.find(' '))), n) || n < 1 || n > 1'000'000) return 0;
    return static_cast<int>(n);
}

}  // namespace

Trajectory ReadTrajectory(const std::filesystem::path& log) {
    // Standard and other (input, Z-matrix) orientations are gathered apart; one is kept.
    Blocks standard, other;
    Blocks* current = nullptr;  // the kind of the last block read, which energies attach to
    core::TextReader reader(log);
    std::string line;
    while (reader.ReadLine(line)) {
        if (current && !current->frames.empty()) {
            auto& frame = current->frames.back();
            // " SCF Done:  E(RB3LYP) =  -382.308266602     A.U. after   13 cycles"
            if (frame.energy.empty() && line.find("SCF Done:") != std::string::npos) {
                frame.energy = ScfDoneEnergy(line);
                continue;
            }
            if (frame.scanPoint == 0 && line.find("on scan point") != std::string::npos) {
                frame.scanPoint = ScanPointOf(line);
                continue;
            }
        }
        if (!IsOrientationHeader(line)) continue;
        Blocks& kind = core::Trim(line) == "Standard orientation:" ? standard : other;
        TrajectoryFrame frame;
        frame.header = reader.LineNumber();
        // Two rules around the column titles, then the atom lines up to the closing rule;
        // the first atom line is taken without testing, as the final-orientation reader does.
        // A bad atom line counts only in a block that closes: the file may end inside it.
        std::string bad;
        auto take = [&] {
            try {
                frame.atoms.push_back(ParseAtomLine(line));
            } catch (const core::ConversionError& e) {
                if (bad.empty())
                    bad = "Line " + core::IntText(reader.LineNumber()) + " of \"" + log.string() +
                          "\" is not an atom line: " + e.what();
            }
        };
        int skipped = 0;
        while (skipped < 4 && reader.ReadLine(line)) ++skipped;
        bool closed = false;
        if (skipped == 4 && reader.ReadLine(line)) {
            take();
            while (!closed && reader.ReadLine(line)) {
                if (IsClosingRule(line))
                    closed = true;
                else
                    take();
            }
        }
        if (closed && !bad.empty()) throw core::ConversionError(bad);
        if (!closed) {
            kind.cutOffHeader = frame.header;
            break;
        }
        kind.frames.push_back(std::move(frame));
        current = &kind;
    }
    Trajectory result;
    result.standard = !standard.frames.empty() || (standard.cutOffHeader > 0 && other.frames.empty());
    Blocks& kept = result.standard ? standard : other;
    result.frames = std::move(kept.frames);
    result.cutOffHeader = kept.cutOffHeader;
    return result;
}

std::string FrameComment(const TrajectoryFrame& frame, size_t index) {
    std::string text = "step " + core::IntText(static_cast<long long>(index) + 1);
    if (frame.scanPoint > 0) text += "  scan point " + core::IntText(frame.scanPoint);
    if (!frame.energy.empty()) text += "  SCF energy " + frame.energy + " hartree";
    return text;
}

void WriteTrajectoryXyz(const std::filesystem::path& file, const Trajectory& trajectory) {
    std::vector<XyzMolecule> frames;
    frames.reserve(trajectory.frames.size());
    for (size_t i = 0; i < trajectory.frames.size(); ++i) {
        const auto& frame = trajectory.frames[i];
        XyzMolecule molecule;
        molecule.comment = FrameComment(frame, i);
        molecule.atoms.reserve(frame.atoms.size());
        for (const auto& atom : frame.atoms)
            molecule.atoms.push_back({atom.atomicNumber >= 1 && atom.atomicNumber <= 118 ? static_cast<int>(atom.atomicNumber) : 0,
                                      atom.a, atom.b, atom.c});
        frames.push_back(std::move(molecule));
    }
    WriteXyzFrames(file, frames);
}

}  // namespace mavrolin::geometry

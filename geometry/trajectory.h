#pragma once
// Every orientation block of a Gaussian output as one frame of a trajectory: the steps of
// an optimisation, the points of a relaxed scan or of an IRC, for molecular viewers that
// play a multi-frame XYZ file. Standard orientations are taken when the log prints any;
// a log without them (nosymm runs, older versions) gives its input orientations, the
// blocks the final-orientation reader would take there.
#include <filesystem>
#include <string>
#include <vector>

#include "geometry/orientation_reader.h"

namespace mavrolin::geometry {

struct TrajectoryFrame {
    long long header = 0;         // line of the block's title
    std::string energy;           // the "SCF Done:" energy after the block, in hartree, as printed ("" when none)
    int scanPoint = 0;            // "... on scan point N out of M" after the block, else 0
    std::vector<OrientationAtom> atoms;
};

struct Trajectory {
    std::vector<TrajectoryFrame> frames;
    bool standard = false;        // the frames are standard orientations
    long long cutOffHeader = 0;   // a last block the file ends inside (not taken), else 0
};

// One streaming pass. A bad atom line throws core::ConversionError naming its line.
Trajectory ReadTrajectory(const std::filesystem::path& log);

// The comment line of frame `index` (0-based): "step 3", the scan point when there is one,
// and "SCF energy <value> hartree" when the step printed one.
std::string FrameComment(const TrajectoryFrame& frame, size_t index);

// All frames, one XYZ block each, through the atomic writer.
void WriteTrajectoryXyz(const std::filesystem::path& file, const Trajectory& trajectory);

}  // namespace mavrolin::geometry

#pragma once
// Relaxed-scan logs: one SCF energy per scan point, read without any window; the main
// window's "Open Log/Out File (SCAN)" lists them.
#include <filesystem>
#include <string>
#include <vector>

namespace mavrolin::geometry {

struct ScanPoint {
    long long lastStepLine = 0;  // line of the point's last "Step number" line
    long long energyLine = 0;    // line of the last "SCF Done:" before it; 0 when none
    std::string energyText;      // token 5 of that line, as printed
    // "Optimization stopped." follows the point's steps (number of steps exceeded, say):
    // its energy is that of the last step, not of an optimised geometry.
    bool stopped = false;
};

struct ScanListing {
    long long nline = 0;
    long long stepLines = 0;                 // every "Step number" line, whatever its form
    std::vector<ScanPoint> points;           // in file order
    std::vector<long long> badFormatLines;   // step lines that are not 16 tokens long
};

// One streaming pass. A point is a run of 16-token step lines printing the same point
// number (token 13). Gaussian prints a step line after the SCF of that step, so the
// energy of a point is the last SCF energy before its last step line: the energy of
// the geometry at which the point converged. Throws ConversionError for a point number
// that is not an integer.
ScanListing ReadScanPoints(const std::filesystem::path& path);

}  // namespace mavrolin::geometry

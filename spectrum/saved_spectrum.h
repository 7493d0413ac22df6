#pragma once
// The saved spectrum (".calcd.txt"): a short header naming the log, the band width and the
// band formula, the curve of the last redraw as two columns, then the job summary lines.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mavrolin::spectrum {

// 10^k for the smallest k >= 1 with dymax*10^k > 1e8, capped at 10^18; 0 when dymax <= 0
// (the intensities are then written unrounded).
std::int64_t RoundingScale(double dymax);

struct SavedSpectrumInput {
    std::string logFile;
    std::string sigmaText;
    int unit = 1;
    std::string unitText = "eV";
    double dxmin = 0, dxmax = 0, dymax = 0;
    std::span<const double> curve;  // one sample per grid point
    std::vector<std::string> summary;
};

std::vector<std::string> SavedSpectrumLines(const SavedSpectrumInput& in);

}  // namespace mavrolin::spectrum

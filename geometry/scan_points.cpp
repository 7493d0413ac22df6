#include "geometry/scan_points.h"

#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "core/tokenizer.h"

namespace mavrolin::geometry {

ScanListing ReadScanPoints(const std::filesystem::path& path) {
    ScanListing out;
    core::TextReader reader(path);
    std::string line;
    core::LineTokens tokens;
    std::string lastEnergy;
    long long lastEnergyLine = 0;
    long long previousPrinted = 0;
    while (reader.ReadLine(line)) {
        if (line.size() < 9) continue;
        // " Optimization stopped." then "    -- Number of steps exceeded,  NStep= 100"
        if (!out.points.empty() && core::TrimmedPrefix(line, 21) == "Optimization stopped") {
            out.points.back().stopped = true;
        } else if (core::TrimmedPrefix(line, 11) == "SCF Done:") {
            // " SCF Done:  E(RB3LYP) =  -382.308266559     A.U. after   12 cycles"
            tokens.Split(line);
            lastEnergy = tokens[5];
            lastEnergyLine = reader.LineNumber();
        } else if (core::TrimmedPrefix(line, 13) == "Step number") {
            // " Step number   2 out of a maximum of  100 on scan point     2 out of    13"
            ++out.stepLines;
            if (tokens.Split(line) != 16) {
                out.badFormatLines.push_back(reader.LineNumber());
                continue;
            }
            long long printed = core::ParseInt(tokens[13]);
            if (out.points.empty() || printed != previousPrinted) out.points.emplace_back();
            previousPrinted = printed;
            auto& point = out.points.back();
            point.lastStepLine = reader.LineNumber();
            point.energyLine = lastEnergyLine;
            point.energyText = lastEnergy;
        }
    }
    out.nline = reader.LineNumber();
    return out;
}

}  // namespace mavrolin::geometry

#pragma once
// The ESI report: labels of the CI components in one of three notations, their shares of
// the state's summed squared coefficients, and the supporting-information table written
// from them.
#include <string>
#include <vector>

namespace mavrolin::spectrum {

// "MO77A -> MO78A" (style 1), "77A -> 78A" (2), "#77A -> #78A" (3); empty for another style.
std::string EsiLabel(int style, const std::string& from, const std::string& to);
// The example the options window shows for a style.
std::string EsiStyleExample(int style);

// Share of each component in per cent with at most three decimals and "%", from the
// coefficient texts of one state. A state whose coefficients are all 0 gets "0%" shares.
// A text that is not a number raises core::ConversionError.
std::vector<std::string> EsiShares(const std::vector<std::string>& coefficients);

struct EsiComponent {
    std::string label, coefficient, share;  // columns 5, 3 and 6 of the ESI grid
};

struct EsiState {
    int number = 0;
    double kz = 0, nm = 0, f = 0;
    std::vector<EsiComponent> components;
};

struct EsiLimits {
    std::string nm = "200", f = "0.01", ci = "0.2";  // texts as typed
};

struct EsiReportInput {
    std::vector<EsiState> states;
    EsiLimits limits;
    std::vector<std::string> summary;                  // job summary lines
    std::vector<std::vector<std::string>> structure;  // structure grid, row 0 the header
    int structureCols = 0;
};

// The report's lines (without line ends). The limits must already be checked numbers:
// a limit that is not a number raises core::ConversionError before any line exists.
std::vector<std::string> EsiReportLines(const EsiReportInput& in);

// The name of the limit text that is not a number ("" when all three are).
std::string BadEsiLimit(const EsiLimits& limits);

}  // namespace mavrolin::spectrum

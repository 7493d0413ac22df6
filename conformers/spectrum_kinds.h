#pragma once
// The kinds of spectrum a weighting of conformers can combine, each plugged in as "the curve
// of log L on grid X": UV-vis (molar absorptivity of the excited states) and IR or Raman
// (the band curve of the vibrational modes). Another kind (ECD, say) is one more
// SpectrumKind whose `load` reads its log and gives the conformer's range and curve.
#include <functional>
#include <string>
#include <vector>

#include "conformers/weighted_curve.h"
#include "irraman/band_curve.h"
#include "ui/figure.h"

namespace mavrolin::conformers {

struct SpectrumKind {
    std::string name;        // "UV-vis", "IR" ... in captions and the text output's header
    ui::fig::AxisSpec x, y;  // axis titles and direction of its figure (ranges unset)
    std::string csvX, csvY;  // column headers of the figure's data
    int overlayUnit = 0;     // unit of x for a measured spectrum (spectrum::kUnit...)
    bool scaleOverlay = false;  // a measured spectrum scaled to the computed maximum
    // The conformer of one log: its name, range and curve (the weight is set later).
    // Throws core::InputError naming the log when it holds no such spectrum.
    std::function<Conformer(const std::string& log)> load;
    // Grid points over a range when none were asked for.
    std::function<int(Range)> points;
};

// UV-vis: ε (L mol⁻¹ cm⁻¹) of the last block of excited states, Gaussian bands of width
// sigma (eV), on an axis in `unit` (spectrum::kUnitNm, kUnitEv or kUnitCm).
SpectrumKind UvVisKind(int unit, double sigmaEv);
// ECD: Δε (L mol⁻¹ cm⁻¹) of the rotatory strengths of the last block of excited states,
// bands of half-width sigma (eV, at 1/e), on an axis in `unit` (spectrum::kUnitNm or kUnitEv).
SpectrumKind EcdKind(int unit, double sigmaEv, bool length = false, double shiftEv = 0);
// IR (or Raman, request.raman): the band curve of the last frequency set, in cm⁻¹.
SpectrumKind IrKind(const irraman::CurveRequest& request);

// The kinds the desktop's "Weighted Spectrum…" offers, each made from one band width. A
// further kind (ECD) is one more entry of this list.
struct KindChoice {
    std::string name;        // what the user types or picks: "UV-vis", "IR"
    std::string widthLabel;  // "sigma / eV"
    double width = 0;        // default
    std::function<SpectrumKind(double width)> make;
};
const std::vector<KindChoice>& KindChoices();

// The file name of a path, as conformers are named.
std::string LogName(const std::string& path);
// The conformers of `logs` with their `weights`, named by their file names (with the
// folder in front where two logs share a name). Throws core::InputError naming the first
// log that holds no such spectrum.
std::vector<Conformer> LoadConformers(const SpectrumKind& kind, const std::vector<std::string>& logs,
                                      const std::vector<double>& weights);

}  // namespace mavrolin::conformers

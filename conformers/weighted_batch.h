#pragma once
// The several-logs branch of the spectrum commands: `mavrolin spectrum|ir LOG1 LOG2 ...
// --weights W1,W2,... | --weights-from TABLE.csv | --boltzmann` computes each log's curve on
// one common grid and writes their weighted sum (-o text, --figure, --csv). A command adds
// the options with AddWeightingOptions and, when Wanted(), hands its run to RunWeighted
// with the SpectrumKind of its spectrum.
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/figure_export.h"
#include "conformers/spectrum_kinds.h"
#include "conformers/weights.h"
#include "thermo/thermo_calc.h"

namespace mavrolin {

class BatchSession;
struct FileArgs;

namespace conformers {

struct WeightingArgs {
    std::vector<std::string> more;  // the logs after the command's LOG
    std::string weights, weightsFrom;
    bool boltzmann = false;
    // Several logs, or a weighting asked for: the weighted branch runs.
    bool Wanted() const { return !more.empty() || !weights.empty() || !weightsFrom.empty() || boltzmann; }
};

// The LOG... positional after the command's own LOG and the three weighting options.
void AddWeightingOptions(CLI::App* cmd, WeightingArgs& w);

// What the weighted branch writes and over which grid.
struct WeightedOutput {
    std::optional<Range> range;  // --x; otherwise the union of the logs' ranges
    int points = 0;              // 0: the kind's default for the range
    FigureOptions figure;
    bool components = false, normalise = false;
    std::string experimental;
    std::vector<std::string> header;  // settings named in the text output ("sigma 0.2 eV")
};

// Weights, curves and outputs; every log is read and checked before anything is written.
// Bad arguments (no weighting for several logs, two of them, a count that does not match)
// end with status 2; a log without the spectrum, or without thermochemistry for
// --boltzmann, ends with status 1 and a message naming it.
void RunWeighted(BatchSession& session, const FileArgs& a, const WeightingArgs& w, const SpectrumKind& kind,
                 const WeightedOutput& out);

// Boltzmann weights from the logs' own thermochemistry (at 298.15 K, populations from G
// without corrections). Throws core::InputError naming a log without thermochemistry.
std::vector<double> BoltzmannWeights(const std::vector<std::string>& logs, const thermo::Options& o = {});

}  // namespace conformers
}  // namespace mavrolin

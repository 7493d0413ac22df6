#include "conformers/weighted_batch.h"

#include "app/application.h"
#include "app/batch.h"
#include "conformers/weighted_figure.h"
#include "core/errors.h"
#include "core/text_file.h"

namespace mavrolin::conformers {

void AddWeightingOptions(CLI::App* cmd, WeightingArgs& w) {
    cmd->add_option("MORE", w.more, "further logs: conformers whose spectra are weighted and summed");
    auto* weights = cmd->add_option("--weights", w.weights, "several logs: their weights W1,W2,... in the order of the logs");
    auto* from = cmd->add_option("--weights-from", w.weightsFrom,
                                 "several logs: weights from the boltzmann column of a `mavrolin thermo` CSV");
    auto* boltzmann = cmd->add_flag("--boltzmann", w.boltzmann,
                                    "several logs: Boltzmann weights from the logs' own thermochemistry (298.15 K)");
    weights->excludes(from)->excludes(boltzmann);
    from->excludes(boltzmann);
}

std::vector<double> BoltzmannWeights(const std::vector<std::string>& logs, const thermo::Options& o) {
    std::vector<thermo::Row> rows;
    for (const auto& log : logs) {
        rows.push_back(thermo::ReadRow(log));
        const auto& row = rows.back();
        if (!row.readable) throw core::InputError(log + ": " + row.reason);
        if (!row.log.hasThermo)
            throw core::InputError(log + " holds no thermochemistry (no frequency job): --boltzmann cannot weight it; "
                                         "give --weights or --weights-from instead.");
    }
    thermo::Recompute(rows, o);
    std::vector<double> w;
    for (const auto& row : rows) w.push_back(row.population);
    return w;
}

namespace {

std::vector<double> GivenWeights(BatchSession& session, const std::vector<std::string>& logs, const WeightingArgs& w) {
    if (!w.weights.empty()) {
        std::vector<double> v;
        try {
            v = ParseWeights(w.weights);
        } catch (const core::InputError& e) {
            throw CLI::ValidationError("--weights", e.what());
        }
        if (v.size() != logs.size())
            throw CLI::ValidationError("--weights", std::to_string(v.size()) + " weights for " +
                                                       std::to_string(logs.size()) + " logs: give one per log");
        return v;
    }
    std::vector<double> v;
    if (!w.weightsFrom.empty())
        session.Run([&] { v = ReadBoltzmannColumn(BatchSession::Absolute(w.weightsFrom), logs.size()); });
    else if (w.boltzmann)
        session.Run([&] { v = BoltzmannWeights(logs); });
    else
        throw CLI::ValidationError("LOG", std::to_string(logs.size()) +
                                              " logs need a weighting: --weights, --weights-from or --boltzmann");
    return v;
}

}  // namespace

void RunWeighted(BatchSession& session, const FileArgs& a, const WeightingArgs& w, const SpectrumKind& kind,
                 const WeightedOutput& out) {
    if (out.figure.Wanted()) FigureStyle(out.figure);
    std::vector<std::string> logs{a.input};
    for (const auto& m : w.more) logs.push_back(BatchSession::Absolute(m));
    auto& app = session.App();
    for (size_t i = 1; i < logs.size(); ++i) app.inputs.push_back(logs[i]);
    if (!w.weightsFrom.empty()) app.inputs.push_back(BatchSession::Absolute(w.weightsFrom));
    for (const auto* path : {&out.figure.figure, &out.figure.csv})
        if (!path->empty() && !session.MayWrite(*path)) return;

    const auto given = GivenWeights(session, logs, w);
    if (session.status != 0) return;
    Weights weights;
    if (!session.Run([&] { weights = Normalise(given); })) return;
    if (!weights.warning.empty()) session.Warn(weights.warning);

    std::vector<Conformer> conformers;
    if (!session.Run([&] { conformers = LoadConformers(kind, logs, weights.w); })) return;
    std::optional<spectrum::ExperimentalSpectrum> measured;
    if (!out.experimental.empty() &&
        !session.Run([&] { measured = spectrum::ReadExperimentalSpectrum(out.experimental, kind.overlayUnit); }))
        return;
    const Range range = out.range ? *out.range : Union(conformers);
    WeightedCurve curve;
    if (!session.Run([&] { curve = Combine(conformers, Grid(range, out.points > 0 ? out.points : kind.points(range))); }))
        return;

    // The text: to -o, or to standard output when no figure or table was asked for.
    if (!a.output.empty() || !out.figure.Wanted()) {
        std::vector<std::string> header{"weighted " + kind.name + " spectrum of " + std::to_string(logs.size()) + " logs"};
        header.insert(header.end(), out.header.begin(), out.header.end());
        header.push_back("columns: " + kind.csvX + "\t" + kind.csvY);
        const std::string text = CurveText(curve, header);
        if (a.output.empty())
            session.out << text;
        else if (!session.Run([&] { core::WriteFileAtomically(a.output, text); }))
            return;
    }
    if (!out.figure.Wanted()) return;
    WeightedFigureOptions f;
    f.components = out.components;
    f.normalise = out.normalise;
    f.title = out.figure.title;
    WriteFigureFiles(session, WeightedFigure(curve, kind, f, measured ? &*measured : nullptr), out.figure);
}

}  // namespace mavrolin::conformers

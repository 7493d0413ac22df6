#include "thermo/thermo_calc.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include <fmt/format.h>

#include "core/errors.h"
#include "thermo/constants.h"

namespace mavrolin::thermo {

namespace c = constants;

namespace {

// Average moment of inertia that limits a free rotor's (Grimme), kg m^2.
constexpr double kAverageMoment = 1e-44;

double KtHartree(double t) { return c::kBoltzmann * t / c::kHartree; }

}  // namespace

double DampingWeight(double frequency, double cutoff) {
    return 1.0 / (1.0 + std::pow(cutoff / frequency, 4));
}

double FreeRotorEntropy(double frequency, double temperature) {
    const double mu = c::kPlanck / (8 * c::kPi * c::kPi * c::kLightSpeed * frequency * 100);  // kg m^2
    const double reduced = mu * kAverageMoment / (mu + kAverageMoment);
    return 0.5 + std::log(std::sqrt(8 * c::kPi * c::kPi * c::kPi * reduced * c::kBoltzmann * temperature /
                                    (c::kPlanck * c::kPlanck)));
}

Vibrations VibrationalTerms(const std::vector<double>& frequencies, const Options& o) {
    const double t = o.temperature, kt = KtHartree(t);
    // Harmonic oscillator of wavenumber nu: entropy S/k, and energy with its zero point in kT.
    const auto entropy = [t](double nu) {
        const double x = nu * c::kWavenumberKelvin / t;
        return x / std::expm1(x) - std::log1p(-std::exp(-x));
    };
    Vibrations v;
    for (double printed : frequencies) {
        const double nu = printed * o.scale;
        if (!(nu > 0)) continue;
        const double x = nu * c::kWavenumberKelvin / t;
        const double zpe = 0.5 * x * kt, energy = zpe + x / std::expm1(x) * kt;
        const double s = entropy(nu), w = DampingWeight(nu, o.cutoff);
        v.zpe += zpe;
        v.energy += energy;
        v.qhEnergy += o.headGordon ? w * energy + (1 - w) * 0.5 * kt : energy;
        v.ts += s * kt;
        switch (o.entropy) {
            case EntropyScheme::None: v.qhTs += s * kt; break;
            case EntropyScheme::Grimme: v.qhTs += (w * s + (1 - w) * FreeRotorEntropy(nu, t)) * kt; break;
            case EntropyScheme::Truhlar: v.qhTs += entropy(std::max(nu, o.cutoff)) * kt; break;
        }
    }
    return v;
}

Thermo Compute(const ThermoLog& log, const Options& o) {
    const double t = o.temperature, kt = KtHartree(t);
    Thermo r;
    r.e = log.Electronic();

    // Translation: q = (2 pi m k T / h^2)^(3/2) V, with V = kT/P for the ideal gas or the
    // volume per molecule of the concentration; S/k = ln q + 5/2, E = 3/2 kT.
    const double m = log.mass * c::kAtomicMass;
    const double volume = o.concentration > 0 ? 1.0 / (o.concentration * 1000 * c::kAvogadro)
                                              : c::kBoltzmann * t / (o.pressure * c::kAtmosphere);
    const double lambda = 2 * c::kPi * m * c::kBoltzmann * t / (c::kPlanck * c::kPlanck);
    r.tsTrans = (1.5 * std::log(lambda) + std::log(volume) + 2.5) * kt;
    double thermal = 1.5 * kt;

    // Rotation: q = sqrt(pi)/sigma T^(3/2) / sqrt(Ta Tb Tc), S/k = ln q + 3/2, E = 3/2 kT;
    // linear: q = T / (sigma Tr), S/k = ln q + 1, E = kT; an atom has none.
    const auto& rot = log.rotationalTemperatures;
    const double sigma = log.symmetryNumber;
    if (rot.size() == 3) {
        const double q = std::sqrt(c::kPi) / sigma * std::pow(t, 1.5) / std::sqrt(rot[0] * rot[1] * rot[2]);
        r.tsRot = (std::log(q) + 1.5) * kt;
        thermal += 1.5 * kt;
    } else if (rot.size() == 1) {
        r.tsRot = (std::log(t / (sigma * rot[0])) + 1.0) * kt;
        thermal += kt;
    }
    r.tsElec = std::log(static_cast<double>(log.multiplicity)) * kt;

    const Vibrations v = VibrationalTerms(log.frequencies, o);
    r.zpe = v.zpe;
    r.h = r.e + thermal + v.energy + kt;
    r.qhH = r.e + thermal + v.qhEnergy + kt;
    const double tsRest = r.tsTrans + r.tsRot + r.tsElec;
    r.ts = tsRest + v.ts;
    r.qhTs = tsRest + v.qhTs;
    r.g = r.h - r.ts;
    r.qhG = r.qhH - r.qhTs;
    return r;
}

bool Row::Marked() const {
    return !readable || !log.hasThermo || imaginary > 0 || log.termination != Termination::Normal ||
           log.optimisation == Optimisation::NotConverged || log.unreadableFrequencies > 0;
}

std::string Row::TerminationNote() const {
    if (!readable) return "unreadable: " + reason;
    std::string s = TerminationText(log.termination);
    if (log.optimisation == Optimisation::NotConverged) s += "; optimisation not converged";
    if (!log.hasThermo) s += "; no thermochemistry";
    if (log.unreadableFrequencies > 0)
        s += fmt::format("; {} frequenc{} unreadable", log.unreadableFrequencies,
                         log.unreadableFrequencies == 1 ? "y" : "ies");
    return s;
}

Row ReadRow(const std::string& file) {
    Row row;
    row.file = file;
    try {
        row.log = ReadThermoLog(file);
        row.readable = true;
    } catch (const std::exception& e) {
        row.reason = e.what();
        return row;
    }
    for (double f : row.log.frequencies) {
        if (f < 0) ++row.imaginary;
        if (!row.hasLowest || f < row.lowest) row.lowest = f;
        row.hasLowest = true;
    }
    return row;
}

void Recompute(std::vector<Row>& rows, const Options& o) {
    std::map<std::string, double> lowest;  // per formula
    const auto basis = [&o](const Thermo& t) { return o.basis == PopulationBasis::G ? t.g : t.qhG; };
    for (auto& row : rows) {
        row.values = {};
        row.dG = row.population = 0;
        if (!row.Ranked()) continue;
        row.values = Compute(row.log, o);
        auto [it, fresh] = lowest.try_emplace(row.log.formula, basis(row.values));
        if (!fresh) it->second = std::min(it->second, basis(row.values));
    }
    std::map<std::string, double> sums;
    const double kt = KtHartree(o.temperature);
    for (auto& row : rows) {
        if (!row.Ranked()) continue;
        const double above = basis(row.values) - lowest[row.log.formula];
        row.dG = above * c::kHartreeKcalMol;
        row.population = std::exp(-above / kt);
        sums[row.log.formula] += row.population;
    }
    for (auto& row : rows)
        if (row.Ranked()) row.population /= sums[row.log.formula];
}

const std::vector<std::string>& ColumnNames() {
    static const std::vector<std::string> names{"file", "formula", "E",     "ZPE",        "H",
                                                "qh_H", "T_S",     "T_qh_S", "G",         "qh_G",
                                                "dG_kcal_mol", "boltzmann", "n_imag", "lowest_freq_cm",
                                                "termination"};
    return names;
}

std::vector<std::string> RowCells(const Row& row) {
    const auto h = [](double v) { return fmt::format("{:.6f}", v); };
    std::vector<std::string> cells(ColumnNames().size());
    cells[0] = row.file;
    cells[14] = row.TerminationNote();
    if (!row.readable) return cells;
    cells[1] = row.log.formula;
    if (row.hasLowest) {  // a log without frequencies has no count to give
        cells[12] = std::to_string(row.imaginary);
        cells[13] = fmt::format("{:.2f}", row.lowest);
    }
    if (!row.log.hasThermo) {
        if (row.log.hasScf) cells[2] = h(row.log.scfEnergy);
        return cells;
    }
    const Thermo& v = row.values;
    const double values[] = {v.e, v.zpe, v.h, v.qhH, v.ts, v.qhTs, v.g, v.qhG};
    for (size_t k = 0; k < std::size(values); ++k) cells[2 + k] = h(values[k]);
    cells[10] = fmt::format("{:.2f}", row.dG);
    cells[11] = fmt::format("{:.4f}", row.population);
    return cells;
}

namespace {
// A field quoted when it holds a comma, a quote or a line end (quotes doubled).
std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char ch : s) {
        if (ch == '"') q += '"';
        q += (ch == '\r' || ch == '\n') ? ' ' : ch;
    }
    return q + '"';
}

std::string CsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t k = 0; k < cells.size(); ++k) {
        if (k) line += ',';
        line += CsvField(cells[k]);
    }
    return line + '\n';
}
}  // namespace

std::string CsvText(const std::vector<Row>& rows) {
    std::string text = CsvLine(ColumnNames());
    for (const auto& row : rows) text += CsvLine(RowCells(row));
    return text;
}

}  // namespace mavrolin::thermo

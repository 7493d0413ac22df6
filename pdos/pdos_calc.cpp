#include "pdos/pdos_calc.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "pdos/coefficient_reader.h"

namespace mavrolin::pdos {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Beyond this many sigma from its level a line shape underflows to 0 (exp(-800)).
constexpr double kReach = 40;
const std::string kRule(48, '-');

// The share of the set's AOs in MO j: NaN when a needed cell is empty or no number.
double Weight(const CoefficientGrid& grid, const std::vector<int>& aos, int j) {
    const double sum = grid.Value(j, grid.SumRow());
    if (std::isnan(sum) || sum == 0) return kNaN;
    double part = 0;
    for (int ao : aos) {
        const double c = grid.Value(j, ao);
        if (std::isnan(c)) return kNaN;
        part += c * c;
    }
    return part / sum;
}

SpinLevels LevelsOf(const CoefficientGrid& grid, const std::vector<UsedSet>& sets, const char* occupiedCode) {
    SpinLevels out;
    const int nmo = grid.nmo();
    out.energies.assign(static_cast<size_t>(nmo), kNaN);
    for (int j = 1; j <= nmo; ++j) {
        if (grid.HeaderNameEndsWith(j, occupiedCode)) ++out.occupied;
        const double hartree = grid.HeaderEnergy(j);
        if (!std::isnan(hartree)) out.energies[static_cast<size_t>(j) - 1] = hartree * kHartreeToEv;
    }
    for (int j = 1; j <= out.occupied; ++j)
        if (std::isnan(out.energies[static_cast<size_t>(j) - 1]))
            throw core::InputError("The energy of the occupied MO " + core::IntText(j) + " cannot be read from its header \"" +
                                   grid.Cell(j, 0) + "\".");
    for (const auto& set : sets) {
        std::vector<double> w(static_cast<size_t>(out.occupied));
        for (int j = 1; j <= out.occupied; ++j) w[static_cast<size_t>(j) - 1] = Weight(grid, set.aos, j);
        out.weights.push_back(std::move(w));
    }
    return out;
}

bool TakesPart(double e, const PdosRequest& r) { return r.gxmin < e + 6 * r.sigma && r.gxmax > e - 6 * r.sigma; }

// Beta densities are written negated; the integer is negated so that zero stays " 0.0...".
double NegatedRoundRelative(double p, double dymax) {
    if (dymax == 0) return -p;
    const double scale = 1e12 / std::fabs(dymax);
    return static_cast<double>(-core::RoundHalfEven(scale * p)) / scale;
}

void WriteCurves(core::TextWriter& out, const PdosCurves& curves, int k,
                 const std::function<std::string(int, int)>& values) {
    out.WriteLine(k < curves.nsets ? "saving computed data for npdos #" + core::IntText(k + 1) + " starts!"
                                   : std::string("saving computed data for the total density starts!"));
    out.WriteLine(kRule);
    for (int i = 0; i <= curves.n; ++i)
        out.WriteLine(core::IntText(i) + "\t" + core::Sci23Text(curves.Energy(i)) + "\t" + values(k, i));
    out.WriteLine(kRule);
}

}  // namespace

std::vector<SpinLevels> ReadLevels(const CoefficientTables& tables, const std::vector<UsedSet>& sets) {
    if (sets.empty()) throw core::InputError("Double clicking at the MO Coefficients Table is needed!");
    if (tables.Empty())
        throw core::InputError("No MO coefficient tables are loaded; open a log with orbital energies first.");
    for (const auto& set : sets)
        for (int ao : set.aos)
            if (ao < 1 || ao > tables.nbasis)
                throw core::InputError("PDOS-" + core::IntText(set.col + 1) + " holds AO " + core::IntText(ao) +
                                       ", but the coefficient tables of " +
                                       std::filesystem::path(tables.file).filename().string() + " have " +
                                       core::IntText(tables.nbasis) +
                                       " AOs. Remove it from the set, or load the log the set was built for.");
    std::vector<SpinLevels> out{LevelsOf(tables.alpha, sets, "ao")};
    if (tables.OpenShell()) out.push_back(LevelsOf(tables.beta, sets, "bo"));
    return out;
}

double Gaussian(double x, double e, double sigma) {
    return std::exp(-((x - e) * (x - e) / 2 / sigma / sigma)) / std::sqrt(2 * std::numbers::pi);
}

EnergyRange DataRange(const std::vector<SpinLevels>& levels, double sigma) {
    EnergyRange r;
    r.moenMin = 1e8;
    r.moenMax = -1e8;
    for (const auto& spin : levels)
        for (int j = 0; j < spin.occupied; ++j) {
            r.moenMin = std::min(r.moenMin, spin.energies[static_cast<size_t>(j)]);
            r.moenMax = std::max(r.moenMax, spin.energies[static_cast<size_t>(j)]);
        }
    r.dxmin = r.moenMin - 7 * sigma;
    r.dxmax = r.moenMax + 7 * sigma;
    return r;
}

PdosCurves ComputeDensities(const std::vector<SpinLevels>& levels, const PdosRequest& req,
                            const PdosProgress& progress) {
    if (!(req.gxmin < req.gxmax))
        throw core::InputError("The lowest energy of the range (" + core::FloatText(req.gxmin) +
                               " eV) must lie below its highest (" + core::FloatText(req.gxmax) +
                               " eV). Lower the minimum and compute again.");
    if (req.n < 1 || !(req.sigma > 0)) throw core::InputError("The grid needs at least one interval and a positive sigma.");
    PdosCurves c;
    c.n = req.n;
    c.gxmin = req.gxmin;
    c.gxmax = req.gxmax;
    c.nsets = levels.empty() ? 0 : static_cast<int>(levels[0].weights.size());
    c.total = req.total;
    const int curves = c.nsets + (req.total ? 1 : 0);
    const auto points = static_cast<size_t>(req.n) + 1;

    // The MOs that take part, and a refusal naming those without coefficients.
    std::vector<std::vector<int>> part(levels.size());
    for (size_t s = 0; s < levels.size(); ++s) {
        std::vector<int> missing;
        for (int j = 1; j <= levels[s].occupied; ++j) {
            if (!TakesPart(levels[s].energies[static_cast<size_t>(j) - 1], req)) continue;
            part[s].push_back(j);
            for (const auto& w : levels[s].weights)
                if (std::isnan(w[static_cast<size_t>(j) - 1])) {
                    missing.push_back(j);
                    break;
                }
        }
        if (!missing.empty())
            throw core::InputError("The densities need the MO coefficients of orbitals " + OrbitalRanges(missing) +
                                   (levels.size() > 1 ? (s == 0 ? " (alpha)" : " (beta)") : "") +
                                   ", which are not in the tables. Pop=Full prints them all; a formatted "
                                   "checkpoint file can also supply them.");
        c.contributions += static_cast<int>(part[s].size()) * curves;
    }

    std::vector<double> energy(points), line(points);
    for (size_t i = 0; i < points; ++i) energy[i] = c.Energy(static_cast<int>(i));
    c.dens.assign(levels.size(), std::vector<std::vector<double>>(static_cast<size_t>(curves), std::vector<double>(points)));
    int done = 0;
    for (size_t s = 0; s < levels.size(); ++s)
        for (int j : part[s]) {
            // One line shape per MO, shared by every curve it adds to. Farther than 40 sigma
            // from the level the Gaussian is exp(-800) or less, which is exactly 0 in double
            // precision: those points would add nothing, so only the band around the level
            // is computed and added.
            const double e = levels[s].energies[static_cast<size_t>(j) - 1];
            const auto from = static_cast<size_t>(
                std::lower_bound(energy.begin(), energy.end(), e - kReach * req.sigma) - energy.begin());
            const auto to = static_cast<size_t>(
                std::upper_bound(energy.begin(), energy.end(), e + kReach * req.sigma) - energy.begin());
            for (size_t i = from; i < to; ++i) line[i] = Gaussian(energy[i], e, req.sigma);
            for (int k = 0; k < curves; ++k) {
                const double w = k < c.nsets ? levels[s].weights[static_cast<size_t>(k)][static_cast<size_t>(j) - 1] : 1.0;
                double* d = c.dens[s][static_cast<size_t>(k)].data();
                for (size_t i = from; i < to; ++i) d[i] += line[i] * w;
                if (progress) progress(++done, c.contributions);
            }
        }
    return c;
}

DensityRange DensityRangeOf(const PdosCurves& curves) {
    DensityRange r;
    r.dymin = 1e10;
    r.dymax = -1e10;
    for (const auto& spin : curves.dens)
        for (const auto& curve : spin)
            for (double p : curve) {
                r.dymin = std::min(r.dymin, p);
                r.dymax = std::max(r.dymax, p);
            }
    if (r.dymax == 0) {
        r.dymax = 1;
        r.zero = true;
    }
    r.gymin = curves.dens.size() > 1 ? 0.0 : r.dymin - 0.015 * (r.dymax - r.dymin);
    r.gymax = r.dymax + 0.015 * (r.dymax - r.dymin);
    return r;
}

DisplayRangeCheck CheckDisplayRange(const std::string& evMin, const std::string& evMax, const std::string& densMax,
                                    double dxmin, double dxmax) {
    DisplayRangeCheck c;
    auto refuse = [&](const char* message, bool min, bool max, bool density) {
        c.message = message;
        c.restoreMin = min;
        c.restoreMax = max;
        c.restoreDensity = density;
        return c;
    };
    if (!core::TryParseDouble(evMin, c.gxmin))
        return refuse("Typing error in the minimum eV setting! Try again!!", true, false, false);
    if (!core::TryParseDouble(evMax, c.gxmax))
        return refuse("Typing error in the maximum eV setting! Try again!!", false, true, false);
    if (!core::TryParseDouble(densMax, c.gymax))
        return refuse("Typing error in the maximum density setting! Try again!!", false, false, true);
    if (c.gxmin >= c.gxmax)
        return refuse("The mimimum should be lower than the maximum!! Try again!!", true, true, false);
    if (c.gxmin > dxmax || c.gxmax < dxmin) return refuse("Out of range!! Try again!!!", true, true, false);
    if (c.gymax <= 0) return refuse("The maximum density should be positive!! Try again!!", false, false, true);
    return c;
}

double RoundRelative(double p, double dymax) { return -NegatedRoundRelative(p, dymax) + 0.0; }

void WriteMoEnergyFile(const std::filesystem::path& file, const std::vector<SpinLevels>& levels,
                       const EnergyRange& range, double gxmin, double gxmax) {
    core::TextWriter out(file);
    for (int j = 1; j <= levels[0].occupied; ++j) {
        std::string line = core::IntText(j) + "\t" + core::Sci23Text(levels[0].energies[static_cast<size_t>(j) - 1]);
        if (levels.size() > 1) line += "\t" + core::Sci23Text(levels[1].energies[static_cast<size_t>(j) - 1]);
        out.WriteLine(line);
    }
    out.WriteLine();
    out.WriteLine("moenergy_min = \t" + core::Sci23Text(range.moenMin) + "\tgraphics_min = " + core::Sci23Text(gxmin));
    out.WriteLine();
    out.WriteLine("moenergy_max = \t" + core::Sci23Text(range.moenMax) + "\tgraphics_max = " + core::Sci23Text(gxmax));
    out.Close();
}

void WriteComputedTemp(const std::filesystem::path& file, const PdosCurves& curves) {
    core::TextWriter out(file);
    double dymin = 1e10, dymax = -1e10;
    for (size_t s = 0; s < curves.dens.size(); ++s)
        for (size_t k = 0; k < curves.dens[s].size(); ++k)
            for (size_t i = 0; i < curves.dens[s][k].size(); ++i) {
                const double p = curves.dens[s][k][i];
                dymin = std::min(dymin, p);
                dymax = std::max(dymax, p);
                out.WriteLine("kk =\t" + core::IntText(static_cast<long long>(s)) + "\tjj =\t" +
                              core::IntText(static_cast<long long>(k) + 1) + "\tii =\t" +
                              core::IntText(static_cast<long long>(i)) + "\ty_min =\t" + core::FloatText(dymin) +
                              "\ty_max =\t" + core::FloatText(dymax) + "\tPDOS(jj) =\t" + core::FloatText(p));
            }
    out.Close();
}

void WriteProjectedDensity(const std::filesystem::path& file, const PdosCurves& curves, const DensityRange& range) {
    core::TextWriter out(file);
    const double dymax = range.dymax;
    out.WriteLine(kRule);
    const int ncurves = curves.dens.empty() ? 0 : static_cast<int>(curves.dens[0].size());
    for (int k = 0; k < ncurves; ++k)
        WriteCurves(out, curves, k, [&](int kk, int i) {
            const auto kz = static_cast<size_t>(kk), iz = static_cast<size_t>(i);
            std::string v = core::Sci23Text(RoundRelative(curves.dens[0][kz][iz], dymax));
            if (curves.dens.size() > 1) v += "\t" + core::Sci23Text(NegatedRoundRelative(curves.dens[1][kz][iz], dymax));
            return v;
        });
    out.WriteLine();
    out.WriteLine("density_min = \t" + core::Sci23Text(RoundRelative(range.dymin, dymax)));
    out.WriteLine();
    out.WriteLine("density_max = \t" + core::Sci23Text(RoundRelative(range.dymax, dymax)));
    out.Close();
}

void WritePdosData(const std::filesystem::path& file, const std::string& logName, const PdosCurves& curves,
                   const PdosSetList& sets, const std::vector<UsedSet>& used) {
    core::TextWriter out(file);
    out.WriteLine(kRule);
    out.WriteLine(" Projected Density of States generated from " + logName);
    out.WriteLine(kRule);
    const int ncurves = curves.dens.empty() ? 0 : static_cast<int>(curves.dens[0].size());
    for (int k = 0; k < ncurves; ++k)
        WriteCurves(out, curves, k, [&](int kk, int i) {
            const auto kz = static_cast<size_t>(kk), iz = static_cast<size_t>(i);
            std::string v = core::Sci23Text(curves.dens[0][kz][iz]);
            if (curves.dens.size() > 1) v += "\t" + core::Sci23Text(curves.dens[1][kz][iz]);
            return v;
        });
    out.WriteLine();
    for (size_t k = 0; k < used.size() && static_cast<int>(k) < curves.nsets; ++k) {
        std::string line = "Contributions in PDOS #" + core::IntText(static_cast<long long>(k) + 1) + " : ";
        const auto& set = sets[static_cast<size_t>(used[k].col)];
        for (size_t m = 0; m < used[k].aos.size(); ++m)
            line += " AO" + core::IntText(static_cast<long long>(m) + 1) + " " + set[m] + ":";
        out.WriteLine(line);
    }
    out.Close();
}

}  // namespace mavrolin::pdos

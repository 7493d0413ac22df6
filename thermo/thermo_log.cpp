#include "thermo/thermo_log.h"

#include <cmath>

#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/text_view.h"

namespace mavrolin::thermo {

namespace {

std::vector<std::string_view> Fields(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && core::IsBlankChar(s[i])) ++i;
        size_t j = i;
        while (j < s.size() && !core::IsBlankChar(s[j])) ++j;
        if (j > i) out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

bool Number(std::string_view t, double& v) { return core::TryParseDouble(t, v) && std::isfinite(v); }

// The first field after `marker` as a number ("Zero-point correction=  0.177140 (Hartree/Particle)").
bool NumberAfter(std::string_view line, std::string_view marker, double& v) {
    const size_t at = line.find(marker);
    if (at == std::string_view::npos) return false;
    const auto f = Fields(line.substr(at + marker.size()));
    return !f.empty() && Number(f[0], v);
}

// The block being read, committed when its last sum arrives.
struct Block {
    ThermoLog values;
    unsigned seen = 0;  // bits of the lines read, see Parser::kAll
};

class Parser {
public:
    void Line(std::string_view t) {
        if (t.empty()) return;
        switch (t[0]) {
            case 'T': return T(t);
            case 'S': return S(t);
            case 'Z': return Mark(NumberAfter(t, "correction=", open_.values.zpe), kZpe);
            case 'M':
                // "Molecular mass:   130.07825 amu."
                if (t.starts_with("Molecular mass:")) Mark(NumberAfter(t, "mass:", open_.values.mass), kMass);
                return;
            case 'R': return Rotational(t);
            case 'C':
                // "Charge =  0 Multiplicity = 1" (ONIOM adds "for low level calculation on real
                // system."; the first line of a job is the whole system's)
                if (t.starts_with("Charge =") && !jobMultiplicitySeen_) {
                    double m = 0;
                    if (NumberAfter(t, "Multiplicity =", m) && m >= 1 && m < 1000) {
                        multiplicity_ = static_cast<int>(m);
                        jobMultiplicitySeen_ = true;
                    }
                }
                return;
            case 'H':
                // "Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering"
                if (t.starts_with("Harmonic frequencies")) FinishSet();
                return;
            case 'F': return Frequencies(t);
            case 'N':
                // "Normal termination of Gaussian 16 at Wed Apr  4 10:22:29 2018."
                if (t.starts_with("Normal termination")) result_.termination = Termination::Normal;
                return;
            case 'E':
                // "Error termination via Lnk1e in /opt/g16/l9999.exe at ..."
                if (t.starts_with("Error termination")) result_.termination = Termination::Error;
                return;
            case 'O':
                // "Optimization completed." / "Optimization stopped."
                if (t.starts_with("Optimization completed")) result_.optimisation = Optimisation::Converged;
                if (t.starts_with("Optimization stopped")) result_.optimisation = Optimisation::NotConverged;
                return;
            case 'I':
                // " Initial command:" opens every job of the file, the first and each Link1 one.
                if (t.starts_with("Initial command")) {
                    result_.termination = Termination::Unfinished;
                    jobMultiplicitySeen_ = false;
                }
                return;
            default: return;
        }
    }

    ThermoLog Result() {
        ThermoLog r = hasBlock_ ? done_ : ThermoLog{};
        r.hasThermo = hasBlock_;
        if (!hasBlock_) {
            // No block: the formula and frequencies as far as the log got.
            FinishSet();
            r.formula = formula_;
            r.multiplicity = multiplicity_;
            r.frequencies = kept_;
            r.unreadableFrequencies = keptBad_;
        }
        r.hasScf = result_.hasScf;
        r.scfEnergy = result_.scfEnergy;
        r.termination = result_.termination;
        r.optimisation = result_.optimisation;
        return r;
    }

    // The line beginnings Line() reacts to, for the skipping read.
    static core::LineStarts Starts() {
        core::LineStarts s;
        for (const char* p : {"Te", "Th", "Su", "St", "SC", "Ze", "Mo", "Ro", "Ch", "Ha", "Fr", "No", "Er", "Op", "In"})
            s.Add(p);
        return s;
    }

private:
    static constexpr unsigned kTemperature = 1, kZpe = 2, kEnergy = 4, kEnthalpy = 8, kFree = 16, kSumZpe = 32,
                              kSumE = 64, kSumH = 128, kMass = 256, kAll = 511;

    void Mark(bool ok, unsigned bit) {
        if (ok && open_.seen & kTemperature) open_.seen |= bit;
    }

    void T(std::string_view t) {
        // "Temperature   298.150 Kelvin.  Pressure   1.00000 Atm."
        if (t.starts_with("Temperature")) {
            const auto f = Fields(t);
            double temp = 0, p = 0;
            if (f.size() >= 6 && f[2] == "Kelvin." && f[3] == "Pressure" && Number(f[1], temp) &&
                Number(f[4], p) && temp > 0 && p > 0) {
                FinishSet();
                open_ = {};
                open_.values.temperature = temp;
                open_.values.pressure = p;
                open_.values.formula = formula_;
                open_.values.multiplicity = multiplicity_;
                open_.values.frequencies = kept_;
                open_.values.unreadableFrequencies = keptBad_;
                open_.seen = kTemperature;
            }
            return;
        }
        // "Thermal correction to Energy=                    0.186032"
        auto& v = open_.values;
        if (t.starts_with("Thermal correction to Energy="))
            Mark(NumberAfter(t, "=", v.thermalEnergy), kEnergy);
        else if (t.starts_with("Thermal correction to Enthalpy="))
            Mark(NumberAfter(t, "=", v.thermalEnthalpy), kEnthalpy);
        else if (t.starts_with("Thermal correction to Gibbs Free Energy="))
            Mark(NumberAfter(t, "=", v.thermalFreeEnergy), kFree);
    }

    void S(std::string_view t) {
        auto& v = open_.values;
        // "SCF Done:  E(RB3LYP) =  -382.308266580     A.U. after    1 cycles"
        if (t.starts_with("SCF Done:")) {
            double e = 0;
            if (NumberAfter(t, "=", e)) {
                result_.scfEnergy = e;
                result_.hasScf = true;
            }
        } else if (t.starts_with("Stoichiometry")) {
            // "Stoichiometry    C10H10(1+,2)"
            const auto f = Fields(t);
            if (f.size() >= 2) formula_ = std::string(f[1]);
        } else if (t.starts_with("Sum of electronic and zero-point Energies=")) {
            Mark(NumberAfter(t, "=", v.sumZpe), kSumZpe);
        } else if (t.starts_with("Sum of electronic and thermal Energies=")) {
            Mark(NumberAfter(t, "=", v.sumEnergy), kSumE);
        } else if (t.starts_with("Sum of electronic and thermal Enthalpies=")) {
            Mark(NumberAfter(t, "=", v.sumEnthalpy), kSumH);
        } else if (t.starts_with("Sum of electronic and thermal Free Energies=")) {
            // The last line of the block: it counts when every line before it was read.
            if (NumberAfter(t, "=", v.sumFreeEnergy) && open_.seen == kAll) {
                done_ = open_.values;
                hasBlock_ = true;
            }
            open_ = {};
        }
    }

    void Rotational(std::string_view t) {
        auto& v = open_.values;
        if (!(open_.seen & kTemperature)) return;
        // "Rotational symmetry number  2."
        if (t.starts_with("Rotational symmetry number")) {
            double s = 0;
            if (NumberAfter(t, "number", s) && s >= 1 && s < 1000) v.symmetryNumber = static_cast<int>(s);
            return;
        }
        // "Rotational temperatures (Kelvin)      0.22204     0.03287     0.02863"; a linear
        // molecule prints "Rotational temperature (Kelvin)      0.41726", or the plural with
        // the vanishing one as asterisks or zero.
        if (!t.starts_with("Rotational temperature")) return;
        const size_t at = t.find(')');
        if (at == std::string_view::npos) return;
        std::vector<double> temps;
        bool other = false;
        for (auto f : Fields(t.substr(at + 1))) {
            double x = 0;
            if (Number(f, x) && x > 0)
                temps.push_back(x);
            else
                other = true;
        }
        if (temps.size() == 3 && !other)
            v.rotationalTemperatures = temps;
        else if (!temps.empty())
            v.rotationalTemperatures = {temps.back()};
    }

    // "Frequencies --    52.7882   83.9373  148.1576" (standard listing) or
    // "Frequencies ---    53.1981   84.7415  149.4005  179.3403  263.3734" (high precision).
    void Frequencies(std::string_view t) {
        if (!t.starts_with("Frequencies --")) return;
        const bool hp = t.starts_with("Frequencies ---");
        auto& list = hp ? hp_ : std_;
        int& bad = hp ? hpBad_ : stdBad_;
        for (auto f : Fields(t.substr(hp ? 15 : 14))) {
            double x = 0;
            if (Number(f, x))
                list.push_back(x);
            else
                ++bad;
        }
    }

    // Ends the frequency set being read: its standard listing, or the high-precision one
    // when there is no standard one, replaces the kept set.
    void FinishSet() {
        const bool useStd = !std_.empty() || stdBad_ > 0;
        auto& list = useStd ? std_ : hp_;
        const int bad = useStd ? stdBad_ : hpBad_;
        if (!list.empty() || bad > 0) {
            kept_ = std::move(list);
            keptBad_ = bad;
        }
        std_.clear();
        hp_.clear();
        stdBad_ = hpBad_ = 0;
    }

    ThermoLog result_;  // termination, optimisation, SCF energy
    Block open_;
    ThermoLog done_;
    bool hasBlock_ = false;
    std::string formula_;
    int multiplicity_ = 1;
    bool jobMultiplicitySeen_ = false;
    std::vector<double> std_, hp_, kept_;
    int stdBad_ = 0, hpBad_ = 0, keptBad_ = 0;
};

}  // namespace

ThermoLog ReadThermoLog(const std::filesystem::path& log) {
    static const core::LineStarts starts = Parser::Starts();
    core::LineReader reader(log, 0);
    Parser parser;
    while (reader.NextStartingWith(starts)) parser.Line(reader.TrimmedLine());
    return parser.Result();
}

ThermoLog ParseThermoLog(std::string_view text) {
    Parser parser;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        parser.Line(core::TrimView(text.substr(0, end)));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return parser.Result();
}

const char* TerminationText(Termination t) {
    switch (t) {
        case Termination::Normal: return "normal";
        case Termination::Error: return "error";
        case Termination::Unfinished: return "unfinished";
    }
    return "";
}

}  // namespace mavrolin::thermo

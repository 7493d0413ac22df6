#pragma once
// What the thermochemistry of many logs needs from one Gaussian frequency log: the
// printed thermochemistry block (temperature, pressure, corrections and sums, mass,
// rotational data), the multiplicity, the formula, the frequencies of the last frequency
// set, how the job ended and whether an optimisation converged.
//
// A log may hold several jobs; the last thermochemistry block counts, and the
// multiplicity and formula are those of the job that printed it.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mavrolin::thermo {

enum class Termination { Normal, Error, Unfinished };
enum class Optimisation { None, Converged, NotConverged };

struct ThermoLog {
    bool hasThermo = false;     // a complete block: temperature to the free-energy sum
    double temperature = 0;     // K
    double pressure = 0;        // atm
    double zpe = 0;             // printed corrections, hartree/particle
    double thermalEnergy = 0, thermalEnthalpy = 0, thermalFreeEnergy = 0;
    double sumZpe = 0, sumEnergy = 0, sumEnthalpy = 0, sumFreeEnergy = 0;  // printed sums, hartree
    double mass = 0;                  // amu
    int symmetryNumber = 1;
    std::vector<double> rotationalTemperatures;  // K: three, one (linear), none (an atom)
    int multiplicity = 1;
    std::string formula;              // the stoichiometry, "C10H10", "C10H10(1+,2)"
    std::vector<double> frequencies;  // cm-1 of the last set, imaginary ones negative
    int unreadableFrequencies = 0;    // fields of that set printed as asterisks
    bool hasScf = false;
    double scfEnergy = 0;             // last "SCF Done:" energy, hartree
    Termination termination = Termination::Unfinished;
    Optimisation optimisation = Optimisation::None;

    // The electronic energy the thermochemistry used (also for MP2, ONIOM, composite jobs).
    double Electronic() const { return sumZpe - zpe; }
    bool Linear() const { return rotationalTemperatures.size() == 1; }
};

// Reads one log, streaming, without keeping it in memory. Throws core::FileError when it
// cannot be read. A log without a thermochemistry block gives hasThermo = false.
ThermoLog ReadThermoLog(const std::filesystem::path& log);

// The same over text already in memory (tests, fuzzing).
ThermoLog ParseThermoLog(std::string_view text);

const char* TerminationText(Termination t);

}  // namespace mavrolin::thermo

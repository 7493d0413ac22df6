#pragma once
// Rigid-rotor harmonic-oscillator thermochemistry of one molecule from its log's data,
// with the quasi-harmonic corrections for low frequencies, and the table of many logs:
// free energies relative to the lowest of each formula and Boltzmann populations.
//
// Corrections (each switchable):
//   entropy, Grimme (Chem. Eur. J. 2012, 18, 9955): each vibrational entropy damped towards
//     that of a free rotor of the same frequency, S = w S_vib + (1 - w) S_rot,
//     w = 1 / (1 + (nu0/nu)^4), the rotor's moment mu' = mu B_av / (mu + B_av),
//     mu = h / (8 pi^2 c nu), B_av = 1e-44 kg m^2;
//   entropy, Truhlar (Ribeiro et al., J. Phys. Chem. B 2011, 115, 14556): frequencies below
//     nu0 are raised to nu0 for the entropy;
//   enthalpy, Head-Gordon (Li et al., J. Phys. Chem. C 2015, 119, 1840): each vibrational
//     energy (zero-point energy included) damped with the same w towards RT/2.
#include <string>
#include <vector>

#include "thermo/thermo_log.h"

namespace mavrolin::thermo {

enum class EntropyScheme { None, Grimme, Truhlar };
enum class PopulationBasis { QuasiHarmonicG, G };

struct Options {
    double temperature = 298.15;  // K
    double pressure = 1.0;        // atm, ideal gas; used when concentration is 0
    double concentration = 0;     // mol/L standard state when > 0
    EntropyScheme entropy = EntropyScheme::None;
    bool headGordon = false;      // quasi-harmonic enthalpy
    double cutoff = 100;          // nu0, cm-1
    double scale = 1.0;           // frequency scale factor
    PopulationBasis basis = PopulationBasis::QuasiHarmonicG;
};

// Sums over the real vibrations, hartree (entropies as T*S, hartree).
struct Vibrations {
    double zpe = 0, energy = 0, qhEnergy = 0;  // energy includes the zero-point energy
    double ts = 0, qhTs = 0;
};
// `frequencies` in cm-1 as printed (scaled here by o.scale); those not above zero are left out.
Vibrations VibrationalTerms(const std::vector<double>& frequencies, const Options& o);

// The free rotor's entropy S/k at the given frequency (cm-1) and T, and the damping weight w.
double FreeRotorEntropy(double frequency, double temperature);
double DampingWeight(double frequency, double cutoff);

// Absolute energies of one molecule at o.temperature, hartree (T*S as energies).
struct Thermo {
    double e = 0, zpe = 0, h = 0, qhH = 0, ts = 0, qhTs = 0, g = 0, qhG = 0;
    // Translational, rotational, electronic and vibrational T*S (tests and reports).
    double tsTrans = 0, tsRot = 0, tsElec = 0;
};
Thermo Compute(const ThermoLog& log, const Options& o);

// One row of the table: one log.
struct Row {
    std::string file;      // as given
    bool readable = false;
    std::string reason;    // why it could not be read
    ThermoLog log;
    Thermo values;         // when log.hasThermo
    double dG = 0;         // kcal/mol relative to the lowest of its formula
    double population = 0; // within its formula
    int imaginary = 0;
    bool hasLowest = false;
    double lowest = 0;     // cm-1, as printed

    bool Ranked() const { return readable && log.hasThermo; }
    // A row to look at: imaginary frequencies, a job that ended badly or did not converge,
    // no thermochemistry, or no file.
    bool Marked() const;
    std::string TerminationNote() const;
};

Row ReadRow(const std::string& file);  // never throws for a file that cannot be read
// Fills values, dG and populations of every row for the options.
void Recompute(std::vector<Row>& rows, const Options& o);

// The columns of the table and of its CSV file, in order.
const std::vector<std::string>& ColumnNames();
// The texts of a row's cells (hartree with six decimals as Gaussian prints them); cells
// that do not apply are empty.
std::vector<std::string> RowCells(const Row& row);
// The whole table as CSV (header row first, LF line ends).
std::string CsvText(const std::vector<Row>& rows);

}  // namespace mavrolin::thermo

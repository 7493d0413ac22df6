#pragma once
// Projected densities of states: every occupied MO broadened by a Gaussian line over an
// energy grid, weighted by the share of a set's AOs in that MO (the sum of the squared
// coefficients of the set's AOs over the MO's sum of squares). Pure: built from the
// coefficient tables and the sets, computed without any window.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "pdos/coefficient_table.h"
#include "pdos/pdos_sets.h"

namespace mavrolin::pdos {

inline constexpr double kHartreeToEv = 27.2114;

// The MOs of one spin with their energies in eV (NaN where a virtual MO's header holds no
// number), the occupied ones being MOs 1..occupied (counted from the "ao"/"bo" headers),
// and, per set in use, the weights of the occupied MOs. A weight the tables cannot give (a
// coefficient or a sum that was never printed) is NaN; it is refused only when that MO
// takes part in a computation.
struct SpinLevels {
    std::vector<double> energies;              // energies[j - 1] of MO j
    int occupied = 0;
    std::vector<std::vector<double>> weights;  // weights[k][j - 1] for set k (from 0)
};

// Checks the sets against the tables (at least one set; AO numbers within the tables)
// and reads the occupied levels of each spin: one for a closed-shell table, two for an
// open-shell one. Throws core::InputError with the message for the user.
std::vector<SpinLevels> ReadLevels(const CoefficientTables& tables, const std::vector<UsedSet>& sets);

// G(x, e) = exp(-(x - e)^2 / 2 / sigma^2) / sqrt(2 pi): peak height 1/sqrt(2 pi) for any sigma.
double Gaussian(double x, double e, double sigma);

// The energy range of the data: the occupied levels widened by 7 sigma on both sides.
struct EnergyRange {
    double moenMin = 0, moenMax = 0;  // lowest and highest occupied level
    double dxmin = 0, dxmax = 0;
};
EnergyRange DataRange(const std::vector<SpinLevels>& levels, double sigma);

struct PdosRequest {
    double sigma = 0.02;       // eV
    double gxmin = 0, gxmax = 0;  // energy grid, eV
    int n = 3000;              // intervals: n + 1 grid points
    bool total = false;        // add the total density after the sets
};

struct PdosCurves {
    int n = 0;
    double gxmin = 0, gxmax = 0;
    int nsets = 0;
    bool total = false;
    // dens[s][k][i]: spin s, set k (from 0; k = nsets the total density), grid point i.
    std::vector<std::vector<std::vector<double>>> dens;
    int contributions = 0;  // (spin, curve, MO) combinations that took part
    double Energy(int i) const { return gxmin + i * (gxmax - gxmin) / n; }
};

// Called after each contribution with (done, total); the window advances its bar and pauses.
using PdosProgress = std::function<void(int, int)>;

// An MO takes part when gxmin < e + 6 sigma and gxmax > e - 6 sigma. Throws
// core::InputError when the range is empty (gxmin >= gxmax) and when a taking-part MO has
// no weight, naming the orbitals whose coefficients are missing.
PdosCurves ComputeDensities(const std::vector<SpinLevels>& levels, const PdosRequest& request,
                            const PdosProgress& progress = {});

// The density range of the curves and the display range derived from it.
struct DensityRange {
    double dymin = 0, dymax = 0, gymin = 0, gymax = 0;
    bool zero = false;  // no MO contributed: dymax was 0 and became 1 ("dymax is zero!!!! Error!!!!!")
};
DensityRange DensityRangeOf(const PdosCurves& curves);

// The display range typed into the PDOS window, checked before a redraw in this order:
// each text a number, minimum below maximum (equal values are refused too: the energy
// axis would have no length), the range overlapping the data, a positive density.
struct DisplayRangeCheck {
    std::string message;  // "" when the range is accepted
    bool restoreMin = false, restoreMax = false, restoreDensity = false;  // texts to show again
    double gxmin = 0, gxmax = 0, gymax = 0;                              // the accepted range
};
DisplayRangeCheck CheckDisplayRange(const std::string& evMin, const std::string& evMax, const std::string& densMax,
                                    double dxmin, double dxmax);

// The diagnostic files of a computation, written into `folder`.
void WriteMoEnergyFile(const std::filesystem::path& file, const std::vector<SpinLevels>& levels,
                       const EnergyRange& range, double gxmin, double gxmax);
void WriteComputedTemp(const std::filesystem::path& file, const PdosCurves& curves);
// Densities rounded to twelve significant digits relative to dymax; beta densities negated.
void WriteProjectedDensity(const std::filesystem::path& file, const PdosCurves& curves, const DensityRange& range);
double RoundRelative(double p, double dymax);

// "Save Computed PDOSs": the header naming the log, every curve with its energies and
// (open shell) beta densities not negated, then the AO entries of each set.
void WritePdosData(const std::filesystem::path& file, const std::string& logName, const PdosCurves& curves,
                   const PdosSetList& sets, const std::vector<UsedSet>& used);

}  // namespace mavrolin::pdos

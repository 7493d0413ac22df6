// Whole-process timing of "Compute PDOS" at the size the window must handle: tables of
// 500 MOs over 500 AOs filled as a log load fills them (coefficient text, sums of squares),
// 10 sets of 50 AOs, then the computation repeated as a user repeats it after changing a
// setting: the levels and weights of the sets, the data range, the densities on 3001 grid
// points and their range. Timed from outside (/usr/bin/time -v pdos_timing [REPEATS]).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "pdos/coefficient_table.h"
#include "pdos/pdos_calc.h"
#include "pdos/pdos_sets.h"

int main(int argc, char** argv) {
    using namespace mavrolin;
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 20;
    constexpr int kAos = 500, kMos = 500, kSets = 10, kIntervals = 3000;

    pdos::CoefficientTables tables;
    tables.file = "made_up.log";
    tables.nbasis = kAos;
    tables.nbsuse = tables.nalpha = kMos;
    tables.alpha = pdos::CoefficientGrid(kAos, kMos);
    char text[32];
    for (int j = 1; j <= kMos; ++j) {
        std::snprintf(text, sizeof text, "%d_ao  %.5f", j, -0.95 + 0.75 * j / kMos);
        tables.alpha.SetCell(j, 0, text);
        for (int r = 1; r <= kAos; ++r) {
            std::snprintf(text, sizeof text, "%.5f", 0.001 * ((r * 7 + j * 13) % 997) - 0.5);
            tables.alpha.SetCell(j, r, text);
        }
    }
    for (int r = 1; r <= kAos; ++r) tables.alpha.SetCell(0, r, "AO" + std::to_string(r));
    tables.alpha.FormSums(pdos::kLogSumLabel);

    std::vector<pdos::UsedSet> sets(kSets);
    for (int k = 0; k < kSets; ++k) {
        sets[static_cast<size_t>(k)].col = k;
        for (int a = 1; a <= kAos / kSets; ++a) sets[static_cast<size_t>(k)].aos.push_back(k * (kAos / kSets) + a);
    }

    double check = 0;
    for (int i = 0; i < repeats; ++i) {
        const double sigma = 0.02 + 0.001 * i;
        auto levels = pdos::ReadLevels(tables, sets);
        auto range = pdos::DataRange(levels, sigma);
        pdos::PdosRequest request{sigma, range.dxmin, range.dxmax, kIntervals, true};
        auto curves = pdos::ComputeDensities(levels, request);
        check += pdos::DensityRangeOf(curves).dymax;
    }
    std::printf("%d computations, checksum %s\n", repeats, core::FloatText(check).c_str());
    return 0;
}

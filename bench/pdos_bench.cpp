// The PDOS model at the sizes the window must handle: the density computation for 500
// occupied MOs, 10 sets and 3001 grid points, and the coefficient load of a log with 1000
// basis functions.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "pdos/coefficient_reader.h"
#include "pdos/pdos_calc.h"

namespace {

using namespace mavrolin::pdos;

std::vector<SpinLevels> Levels(int occupied, int sets) {
    SpinLevels s;
    s.occupied = occupied;
    for (int j = 0; j < occupied; ++j) s.energies.push_back(-25.0 + 20.0 * j / occupied);
    s.weights.assign(static_cast<size_t>(sets), std::vector<double>(static_cast<size_t>(occupied), 0.1));
    return {s};
}

void BM_PdosDensities(benchmark::State& state) {
    const auto levels = Levels(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const PdosRequest request{0.02, -30.0, -4.86, static_cast<int>(state.range(2)) - 1, false};
    for (auto _ : state) {
        auto curves = ComputeDensities(levels, request);
        benchmark::DoNotOptimize(curves.dens[0][0][0]);
    }
}
BENCHMARK(BM_PdosDensities)->Args({500, 10, 3001})->Unit(benchmark::kMillisecond);

// A closed-shell log of n basis functions with all n MOs printed (n / 2 occupied).
std::string CoefficientLog(int n) {
    auto path = std::filesystem::temp_directory_path() / ("mavrolin_bench_coef_" + std::to_string(n) + ".log");
    if (std::filesystem::exists(path)) return path.string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fprintf(f, " NBasis=%6d RedAO= T\r\n NBsUse=%6d 1.00D-06\r\n", n, n);
    for (int j = 0; j < n; j += 5) {
        std::fprintf(f, " Alpha %s eigenvalues -- ", j < n / 2 ? " occ." : "virt.");
        for (int k = j; k < j + 5 && k < n; ++k) std::fprintf(f, "%10.5f", -1.0 + 2.0 * k / n);
        std::fprintf(f, "\r\n");
    }
    std::fprintf(f, "     Molecular Orbital Coefficients:\r\n");
    for (int j = 0; j < n; j += 5) {
        const int m = std::min(5, n - j);
        std::fprintf(f, "                  ");
        for (int k = 0; k < m; ++k) std::fprintf(f, "%10d", j + k + 1);
        std::fprintf(f, "\r\n                  ");
        for (int k = 0; k < m; ++k) std::fprintf(f, "%10s", j + k < n / 2 ? "O" : "V");
        std::fprintf(f, "\r\n     Eigenvalues --  ");
        for (int k = 0; k < m; ++k) std::fprintf(f, "%10.5f", -1.0 + 2.0 * (j + k) / n);
        std::fprintf(f, "\r\n");
        for (int r = 1; r <= n; ++r) {
            if (r % 10 == 1)
                std::fprintf(f, "%4d %-4d%-3s%-9s", r, r / 10 + 1, "C", "1S");
            else
                std::fprintf(f, "%4d        %-9s", r, "2PX");
            for (int k = 0; k < m; ++k) std::fprintf(f, "%10.5f", 0.001 * ((r * 7 + k * 13) % 997) - 0.5);
            std::fprintf(f, "\r\n");
        }
    }
    std::fprintf(f, "     Density Matrix:\r\n");
    std::fclose(f);
    return path.string();
}

void BM_CoefficientLoad(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto path = CoefficientLog(n);
    for (auto _ : state) {
        auto load = ReadCoefficients(path, 3, (n + 4) / 5);
        if (load.printedAlpha != n) state.SkipWithError("coefficients not loaded whole");
        benchmark::DoNotOptimize(load.tables.alpha.Cell(1, 1));
    }
}
BENCHMARK(BM_CoefficientLoad)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

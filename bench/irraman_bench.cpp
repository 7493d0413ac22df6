// Benchmark of the IR/Raman curve: 894 modes (3N-6 for 300 atoms) summed on 4000 points,
// Lorentzian (every band over the whole grid) and Gaussian (each band within 9.5 sigma).
#include <benchmark/benchmark.h>

#include "irraman/band_curve.h"

namespace {

using namespace mavrolin::irraman;

VibModes ManyModes(int n) {
    VibModes m;
    for (int i = 0; i < n; ++i)
        m.modes.push_back({i + 1, 20.0 + 3980.0 * i / n, 1.0 + (i * 37) % 101, 0, "A"});
    return m;
}

void BM_IrCurve(benchmark::State& state) {
    const VibModes modes = ManyModes(static_cast<int>(state.range(0)));
    CurveRequest rq;
    rq.autoPoints = false;
    rq.points = static_cast<int>(state.range(1));
    rq.shape = state.range(2) == 0 ? BandShape::Lorentzian : BandShape::Gaussian;
    for (auto _ : state) {
        auto c = ComputeIrCurve(modes, rq);
        benchmark::DoNotOptimize(c.y.data());
    }
}

}  // namespace

BENCHMARK(BM_IrCurve)->Args({894, 4000, 0})->Args({894, 4000, 1})->Unit(benchmark::kMillisecond);

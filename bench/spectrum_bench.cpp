// Benchmarks of the spectrum: the curve computation of one redraw (10 000 points, 200
// states) and the whole redraw handler (computation and drawing on the recording canvas),
// which runs at every step of a held spin edit.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "app/application.h"
#include "spectrum/spectrum_calc.h"
#include "ui/headless_platform.h"

namespace {

using namespace mavrolin::spectrum;

// States evenly spread over 2 .. 8 eV with varied oscillator strengths.
struct States {
    std::vector<double> en_ev, nm, f;
    explicit States(int n) {
        for (int i = 0; i < n; ++i) {
            en_ev.push_back(2.0 + 6.0 * i / n);
            nm.push_back(kHcEvNm / en_ev.back());
            f.push_back(0.01 + 0.5 * ((i * 37) % 11) / 11.0);
        }
    }
};

void BM_SpectrumCurve(benchmark::State& state) {
    States s(static_cast<int>(state.range(1)));
    CurveSettings cs;
    cs.points = static_cast<int>(state.range(0));
    cs.unit = static_cast<int>(state.range(2));
    for (auto _ : state) {
        auto c = ComputeSpectrum({s.en_ev, s.nm, s.f}, cs);
        benchmark::DoNotOptimize(c.y.data());
    }
}

void BM_SpectrumRedraw(benchmark::State& state) {
    ui::HeadlessPlatform platform;
    auto dir = std::filesystem::temp_directory_path() / "mavrolin-spectrum-bench";
    std::filesystem::create_directories(dir);
    {
        mavrolin::Application app(platform, dir);
        const int n = static_cast<int>(state.range(1));
        States s(n);
        auto& log = app.log;
        log.nexstt = n;
        for (auto* v : {&log.nm, &log.kz, &log.en_ev, &log.f}) core::SizeArray(*v, n, 10);
        core::SizeArray(log.exctd_pos, n);
        core::SizeArray(log.nci_coeff, n);
        for (int i = 1; i <= n; ++i) {
            log.en_ev[static_cast<size_t>(i)] = s.en_ev[static_cast<size_t>(i - 1)];
            log.nm[static_cast<size_t>(i)] = s.nm[static_cast<size_t>(i - 1)];
            log.f[static_cast<size_t>(i)] = s.f[static_cast<size_t>(i - 1)];
        }
        app.form10.SpecPoints.SetValue(static_cast<int>(state.range(0)));
        for (auto _ : state) benchmark::DoNotOptimize(app.form9.DrawSpecClick());
    }
    std::filesystem::remove_all(dir);
}

}  // namespace

// Arguments: points, states, unit (1 eV, 2 nm).
BENCHMARK(BM_SpectrumCurve)->Args({10000, 200, 1})->Args({10000, 200, 2})->Args({300, 20, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpectrumRedraw)->Args({10000, 200, 1})->Args({300, 20, 1})->Unit(benchmark::kMillisecond);

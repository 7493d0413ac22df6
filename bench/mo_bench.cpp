// The MO energy subsystem at the size of a large comparison: ten open-shell sets of 2000
// orbitals per spin imported by the scan phase from the keyword index, and a redraw of the
// diagram with the beta levels shifted over the alpha ones (overlay mode 2).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "modiagram/mo_energy_phase.h"
#include "ui/headless_platform.h"

namespace {

constexpr int kSets = 10, kOrbitals = 2000, kOccupied = 600;

// Eigenvalue hits of one unrestricted printing, five energies a line, as the scan indexes them.
void FillIndex(mavrolin::Application& app) {
    auto& index = app.log.keywords;
    index.Clear();
    const core::KeywordKind kinds[] = {core::KeywordKind::AlphaOccupied, core::KeywordKind::AlphaVirtual,
                                       core::KeywordKind::BetaOccupied, core::KeywordKind::BetaVirtual};
    long long line = 1000;
    for (int spin = 0; spin < 2; ++spin)
        for (int first = 0; first < kOrbitals; first += 5) {
            std::string values;
            char field[16];
            for (int v = first; v < first + 5; ++v) {
                std::snprintf(field, sizeof field, "%10.5f", -20.0 + 0.0137 * v + 0.003 * spin);
                values += field;
            }
            index.Add(line++, kinds[2 * spin + (first >= kOccupied ? 1 : 0)], "", values);
        }
}

struct Session {
    ui::HeadlessPlatform platform;
    std::unique_ptr<mavrolin::Application> app;
    Session() {
        auto start = std::filesystem::temp_directory_path() / "mavrolin_bench_start";
        std::filesystem::create_directories(start);
        app = std::make_unique<mavrolin::Application>(platform, start);
        app->log.FileDum = "/bench/unrestricted.log";
        FillIndex(*app);
    }
};

void BM_MoImportTenSets(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Session s;
        state.ResumeTiming();
        for (int k = 0; k < kSets; ++k) mavrolin::modiagram::MoEnergyPhase(*s.app);
        benchmark::DoNotOptimize(s.app->form6.StringGrid1.ColCount());
    }
    state.SetItemsProcessed(state.iterations() * kSets * kOrbitals * 2);
}

void BM_MoRedrawOverlayShifted(benchmark::State& state) {
    Session s;
    auto& app = *s.app;
    for (int k = 0; k < kSets; ++k) mavrolin::modiagram::MoEnergyPhase(app);
    app.form7.PaintBox1.SetBounds(0, 0, 1200, 800);
    app.form8.Overlay_SW.SetValue(2);
    app.form8.Energy_SW.SetValue(1);
    app.form7.DispRangeClick();
    for (auto _ : state) {
        app.form7.DrawMODiagramsClick();
        benchmark::DoNotOptimize(app.form7.PaintBox1.Canvas().Ops().size());
    }
    state.SetItemsProcessed(state.iterations() * kSets * kOrbitals * 2);
}

}  // namespace

BENCHMARK(BM_MoImportTenSets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoRedrawOverlayShifted)->Unit(benchmark::kMillisecond);

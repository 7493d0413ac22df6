// The log scan on generated optimisation logs: the whole "Open Log/Out File (Opt,Freq)"
// handler headless and without pauses, against plain line counting of the same file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/application.h"
#include "core/line_reader.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "large_log.h"
#include "logscan/log_scan.h"
#include "ui/headless_platform.h"

namespace {

const std::string& LogOf(long long lines) {
    static std::map<long long, std::string> made;
    auto& path = made[lines];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() / ("mavrolin_bench_" + std::to_string(lines) + ".log")).string();
        bench::WriteLargeOptLog(path, lines);
    }
    return path;
}

void BM_OpenLog(benchmark::State& state) {
    const auto& path = LogOf(state.range(0));
    auto start = std::filesystem::temp_directory_path() / "mavrolin_bench_start";
    std::filesystem::create_directories(start);
    for (auto _ : state) {
        ui::HeadlessPlatform platform;
        mavrolin::Application app(platform, start);
        platform.AnswerOpen(path);
        app.Dispatch([&app] { app.form1.OpenLOG1Click(); });
        benchmark::DoNotOptimize(app.form3.StringGrid1.RowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CountLines(benchmark::State& state) {
    const auto& path = LogOf(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(core::CountLines(path));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadTrimmedLines(benchmark::State& state) {
    const auto& path = LogOf(state.range(0));
    for (auto _ : state) {
        core::LineReader in(path, 10);
        long long hits = 0;
        while (in.Next()) hits += core::StartsUpper(in.TrimmedLine(), "SCF DONE");
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_OpenLog)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountLines)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTrimmedLines)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

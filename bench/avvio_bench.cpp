// (c) A cold `torvelando-cli check` of the demo job with the real grid: the wall time of the
// whole process, from its launch to its exit.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "demo.h"
#include "processo.h"

namespace tv::bench {
namespace {

void BM_CheckAFreddo(benchmark::State& state) {
    const std::vector<std::string> args = {TV_CLI, "check", "--root", radice_demo().string()};
    attendi_griglia_stabile(radice_demo() / "progra" / "parametri_per_spettro.txt");
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const int esito = lancia(args);
        const auto t1 = std::chrono::steady_clock::now();
        if (esito != 0) {
            state.SkipWithError("torvelando-cli check non riuscito");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
}
BENCHMARK(BM_CheckAFreddo)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(21)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tv::bench

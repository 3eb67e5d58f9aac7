// SPDX-License-Identifier: GPL-3.0-or-later
// (c) A cold `torvelando-cli check` of the demo job with the real grid: the wall time of the
// whole process, from its launch to its exit.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "demo.h"
#include "processo.h"

namespace tv::bench {
namespace {

void BM_CheckAFreddo(benchmark::State& state) {
    const std::vector<std::string> args = {TV_CLI, "check", "--root", radice_demo().string()};
    attendi_griglia_stabile(radice_demo() / "progra" / "parametri_per_spettro.txt");
    lancia_a_tempo(state, args, "torvelando-cli check");
}
BENCHMARK(BM_CheckAFreddo)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(21)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tv::bench

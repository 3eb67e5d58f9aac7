// (a) One check run of the demo job: the design that scans the grid file once for every grid
// search of a run against the in-memory indexed grid, both through the window's own check run.
#include <benchmark/benchmark.h>

#include <memory>

#include "demo.h"
#include "quattro_passate.h"

namespace tv::bench {
namespace {

void BM_VerificaQuattroPassate(benchmark::State& state) {
    FinestraDemo indicizzata, riferimento;
    if (!indicizzata.avviata || !riferimento.avviata) {
        state.SkipWithError("avvio della suite demo non riuscito");
        return;
    }
    auto fonte = std::make_shared<FonteFile>();
    riferimento.form.imposta_fonte_griglia(fonte);
    // Both designs must show the same window after a run.
    if (!indicizzata.form.Command1_Click(0) || !riferimento.form.Command1_Click(0) ||
        !(indicizzata.form.stato == riferimento.form.stato)) {
        state.SkipWithError("le due versioni della verifica non danno lo stesso risultato");
        return;
    }
    const int prima = fonte->passate();
    for (auto _ : state) {
        if (!riferimento.form.Command1_Click(0)) {
            state.SkipWithError("verifica interrotta");
            break;
        }
    }
    state.counters["passate"] =
        static_cast<double>(fonte->passate() - prima) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_VerificaQuattroPassate)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_VerificaIndicizzata(benchmark::State& state) {
    FinestraDemo demo;
    if (!demo.avviata) {
        state.SkipWithError("avvio della suite demo non riuscito");
        return;
    }
    attendi_griglia_stabile(demo.form.file_griglia());
    demo.form.Command1_Click(0);
    for (auto _ : state) {
        if (!demo.form.Command1_Click(0)) {
            state.SkipWithError("verifica interrotta");
            break;
        }
    }
}
BENCHMARK(BM_VerificaIndicizzata)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.2)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tv::bench

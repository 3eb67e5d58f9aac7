// SPDX-License-Identifier: GPL-3.0-or-later
// (a) One check run of the demo job: the design that scans the grid file once for every grid
// search of a run against the in-memory indexed grid, both through the window's own check run;
// then the check from the inputs in base units, and its two searches apart.
#include <benchmark/benchmark.h>

#include <memory>
#include <variant>

#include "demo.h"
#include "form/calcolo.h"
#include "hazard/sito.h"
#include "panel/resistenza.h"
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

// The demo job's inputs as the window's run read them, and the grid it searched.
struct VerificaDemo {
    VerificaDemo() {
        if (!demo.avviata) return;
        attendi_griglia_stabile(demo.form.file_griglia());
        if (!demo.form.Command1_Click(0) || !demo.form.risultato) return;
        griglia = demo.form.fonte_griglia()->ricerca([&] { return demo.form.file_griglia(); });
        risultato = *demo.form.risultato;
        pronta = true;
    }
    FinestraDemo demo;
    std::shared_ptr<const hazard::RicercaGriglia> griglia;
    form::RisultatoVerifica risultato;
    bool pronta = false;
};

// The whole check from typed inputs: hazard, demand, arch, verdict, warnings; no text.
void BM_VerificaTipizzata(benchmark::State& state) {
    const VerificaDemo v;
    if (!v.pronta) {
        state.SkipWithError("verifica della suite demo non riuscita");
        return;
    }
    for (auto _ : state) {
        form::EsitoVerifica esito = form::calcola_verifica(v.risultato.ingressi, *v.griglia);
        if (!std::holds_alternative<form::RisultatoVerifica>(esito)) {
            state.SkipWithError("verifica interrotta");
            break;
        }
        benchmark::DoNotOptimize(esito);
    }
}
BENCHMARK(BM_VerificaTipizzata)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.05)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Its hazard lookup: the cell around the site in the indexed grid and the interpolation.
void BM_PericolositaSito(benchmark::State& state) {
    const VerificaDemo v;
    if (!v.pronta) {
        state.SkipWithError("verifica della suite demo non riuscita");
        return;
    }
    hazard::DatiSito sito = v.risultato.ingressi.sito;
    sito.lat = v.risultato.ed50.lat;
    sito.lon = v.risultato.ed50.lon;
    for (auto _ : state) benchmark::DoNotOptimize(hazard::pericolosita_sito(*v.griglia, sito));
}
BENCHMARK(BM_PericolositaSito)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.05)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Its arch's search: the largest pressure and the design point of the demo panel's arch.
void BM_RicercaArco(benchmark::State& state) {
    const VerificaDemo v;
    if (!v.pronta || !std::holds_alternative<panel::Freccia>(v.risultato.pannello.resistenza)) {
        state.SkipWithError("la suite demo non ha un pannello ad arco");
        return;
    }
    const auto& p = v.risultato.ingressi.pannello;
    const double semiluce = v.risultato.pannello.span / 2.0;
    for (auto _ : state)
        benchmark::DoNotOptimize(panel::freccia(semiluce, 0.9 * p.t, p.fd, p.E));
}
BENCHMARK(BM_RicercaArco)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.05)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tv::bench

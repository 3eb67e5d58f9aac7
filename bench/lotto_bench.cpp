// SPDX-License-Identifier: GPL-3.0-or-later
// (b) Ten thousand random panels at random sites inside the grid, with random restraints, checked
// as one batch on one thread: reading the CSV text, the checks and the CSV text of the results.
#include <benchmark/benchmark.h>

#include <array>
#include <istream>
#include <random>
#include <streambuf>
#include <string>

#include "cli/batch.h"
#include "demo.h"
#include "hazard/sito.h"
#include "text/error.h"

namespace tv::bench {
namespace {

constexpr int kRighe = 10000;

// A stream that throws its output away, as a results file on a fast disk nearly does.
class Scarto : public std::streambuf {
  protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Reads a text held elsewhere without copying it, as a file read from the disk cache.
class Vista : public std::streambuf {
  public:
    explicit Vista(const std::string& s) {
        char* p = const_cast<char*>(s.data());
        setg(p, p, p + s.size());
    }
};

std::string testo(double v, int decimali) {
    return text::fixed(v, decimali, text::dot_format());
}

// The batch file: sites near random grid points, kept only when the grid surrounds them; panel
// values drawn in base units and written in the job's work units.
std::string csv_casuale(const hazard::RicercaGriglia& griglia, const hazard::Griglia& punti,
                        const form::Form1& f) {
    std::mt19937_64 rng(20250101);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto scelta = [&](auto const& lista) {
        return lista[static_cast<std::size_t>(u(0, 1) * lista.size()) % lista.size()];
    };
    const auto& un = f.unita();
    const std::array<std::array<int, 3>, 5> vincoli = {
        {{1, 0, 0}, {1, 1, 0}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}};
    const std::array<const char*, 10> suoli = {"A", "B", "C", "D", "E", "a", "b", "c", "d", "e"};
    std::string out = "id,lat,lon,VN,PVR,Cu,suolo,St,qa,T1,B,L,t,gamma,fd,E,Z,H,top,left,right\n";
    for (int i = 0; i < kRighe;) {
        const hazard::PuntoGriglia& p =
            punti.points[static_cast<std::size_t>(u(0, 1) * punti.points.size()) %
                         punti.points.size()];
        const double lon = p.lon + u(-0.035, 0.035), lat = p.lat + u(-0.025, 0.025);
        try {
            hazard::DatiSito d;
            d.lon = lon;
            d.lat = lat;
            hazard::interpola_sito(griglia, d);
        } catch (const Failure&) {
            continue;  // outside the grid: draw again
        }
        const double H = u(300, 3000);
        const auto v = scelta(vincoli);
        std::string id = "p";
        id += std::to_string(++i);
        const std::string campi[] = {id,
                                     testo(lat, 4),
                                     testo(lon, 4),
                                     testo(scelta(std::array<double, 4>{35, 50, 75, 100}), 0),
                                     testo(u(2, 81), 1),
                                     testo(scelta(std::array<double, 4>{0.7, 1.0, 1.5, 2.0}), 1),
                                     scelta(suoli),
                                     testo(u(1.0, 1.4), 2),
                                     testo(u(1, 3), 2),
                                     testo(u(0.1, 1.5), 2),
                                     testo(u(100, 800) * un.fattore_lunghezze, 1),
                                     testo(u(100, 500) * un.fattore_lunghezze, 1),
                                     testo(u(8, 40) * un.fattore_lunghezze, 1),
                                     testo(u(0.0006, 0.0022) * un.fattore_pesi_specifici, 5),
                                     testo(u(1, 10) * un.fattore_tensioni, 2),
                                     testo(u(1000, 10000) * un.fattore_tensioni, 0),
                                     testo(u(0, 1) * H * un.fattore_lunghezze, 0),
                                     testo(H * un.fattore_lunghezze, 0),
                                     std::to_string(v[0]),
                                     std::to_string(v[1]),
                                     std::to_string(v[2])};
        for (const std::string& c : campi) {
            out += c;
            out += ',';
        }
        out.back() = '\n';
    }
    return out;
}

void BM_Lotto10000(benchmark::State& state) {
    FinestraDemo demo;
    if (!demo.avviata) {
        state.SkipWithError("avvio della suite demo non riuscito");
        return;
    }
    const cli::Lotto lotto(demo.form.lavoro, demo.form.pannello(), *demo.form.fonte_griglia());
    const auto griglia = hazard::CacheGriglia().get(demo.form.file_griglia());
    const std::string csv = csv_casuale(*griglia, griglia->grid(), demo.form);
    Scarto scarto;
    std::ostream nulla(&scarto);
    cli::TotaliLotto totali;
    for (auto _ : state) {
        Vista vista(csv);
        std::istream in(&vista);
        cli::LettoreLotto lettore("casuale.csv", in);
        totali = cli::esegui_lotto(lotto, lettore, nulla, 1);
    }
    state.SetItemsProcessed(state.iterations() * kRighe);
    state.counters["completate"] = static_cast<double>(totali.righe - totali.rifiutate);
}
BENCHMARK(BM_Lotto10000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tv::bench

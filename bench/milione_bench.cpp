// SPDX-License-Identifier: GPL-3.0-or-later
// (d) A million-row batch (about 47 MB of CSV) through the whole command line, with the results
// written to a file: rows per second of wall time and the peak resident memory of the process.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "demo.h"
#include "processo.h"

namespace tv::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kRighe = 1000000;

// Sites in the Po valley and the northern Apennines, inside the grid everywhere, with random
// panels and restraints; the other columns take the demo job's values.
void scrivi_lotto(const fs::path& file) {
    std::mt19937_64 rng(20250607);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    constexpr std::array<const char*, 5> vincoli = {"1,0,0", "1,1,0", "1,0,1", "1,1,1", "0,1,1"};
    std::ofstream out(file, std::ios::binary);
    out << "id,lat,lon,B,L,t,top,left,right\n";
    std::string riga;
    char buf[160];
    for (int i = 1; i <= kRighe; ++i) {
        const int n = std::snprintf(buf, sizeof buf, "p%d,%.4f,%.4f,%.1f,%.1f,%.1f,%s\n", i,
                                    u(44.3, 45.0), u(9.8, 11.8), u(100, 800), u(100, 500), u(8, 40),
                                    vincoli[static_cast<std::size_t>(u(0, 5)) % 5]);
        out.write(buf, n);
    }
}

void BM_LottoMilione(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / ("tv_bench_" + std::to_string(getpid()));
    fs::create_directories(dir);
    scrivi_lotto(dir / "milione.csv");
    const std::vector<std::string> args = {TV_CLI,
                                           "batch",
                                           (dir / "milione.csv").string(),
                                           "--root",
                                           radice_demo().string(),
                                           "-o",
                                           (dir / "risultati.csv").string()};
    long picco_kb = 0;
    const double secondi = lancia_a_tempo(state, args, "torvelando-cli batch", &picco_kb);
    std::error_code ec;
    fs::remove_all(dir, ec);
    state.counters["righe_al_secondo"] = secondi > 0 ? kRighe / secondi : 0;
    state.counters["picco_MB"] = static_cast<double>(picco_kb) / 1024.0;
}
BENCHMARK(BM_LottoMilione)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(1);

}  // namespace
}  // namespace tv::bench

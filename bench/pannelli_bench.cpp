// SPDX-License-Identifier: GPL-3.0-or-later
// The job's saved panels at scale, through the whole command line: (e) torvelando-cli panels on
// 100,000 panels; (f) panels on a panels file of 200 MB of rows that cannot be read, its peak
// memory against the file's size; (g) report --all on 1,000 and 2,000 panels, the processor
// time of twice the panels against that of the panels, and the peak memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "demo.h"
#include "processo.h"

namespace tv::bench {
namespace {

namespace fs = std::filesystem;

// A copy of the demo suite in a temporary folder, for its job's panels file. The data files
// keep their times: the grid's cache compares the bytes of a file written moments ago.
class SuiteCopiata {
  public:
    explicit SuiteCopiata(const std::string& nome)
        : dir_(fs::temp_directory_path() /
               ("tv_bench_" + nome + "_" + std::to_string(getpid()))) {
        fs::remove_all(dir_);
        fs::copy(radice_demo(), dir_, fs::copy_options::recursive);
        for (const auto& e : fs::recursive_directory_iterator(radice_demo()))
            if (e.is_regular_file())
                fs::last_write_time(dir_ / fs::relative(e.path(), radice_demo()),
                                    e.last_write_time());
    }
    ~SuiteCopiata() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    SuiteCopiata(const SuiteCopiata&) = delete;
    SuiteCopiata& operator=(const SuiteCopiata&) = delete;

    const fs::path& radice() const { return dir_; }
    fs::path pannelli() const { return dir_ / "lavori" / "demo" / "pannelli.csv"; }

    // `n` panels P1..Pn, each with its own thickness.
    void scrivi_pannelli(int n) const {
        std::ofstream out(pannelli(), std::ios::binary);
        out << "id;descrizione;t\n";
        char riga[64];
        for (int i = 1; i <= n; ++i) {
            const int k = std::snprintf(riga, sizeof riga, "P%d;Parete %d;%d\n", i, i, 20 + i % 20);
            out.write(riga, k);
        }
    }

  private:
    fs::path dir_;
};

void BM_Panels100000(benchmark::State& state) {
    const SuiteCopiata suite("panels");
    suite.scrivi_pannelli(100000);
    const std::vector<std::string> args = {TV_CLI, "panels", "--root", suite.radice().string()};
    lancia_a_tempo(state, args, "torvelando-cli panels");
}
BENCHMARK(BM_Panels100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// One readable panel, then 200 MB of rows with fewer cells than the header: each is kept to be
// written back, and named on the standard error.
void BM_PanelsRigheIllegibili(benchmark::State& state) {
    const SuiteCopiata suite("illeggibili");
    std::uintmax_t byte = 0;
    {
        std::ofstream out(suite.pannelli(), std::ios::binary);
        out << "id,descrizione,B,L,t,gamma,fd,E,Z,H,qa,lat,lon,VN,PVR,Cu,suolo,St,T1,top,left,"
               "right,domanda,datum\nP1,ok,500,300,12,,,,,,,,,,,,,,,1,0,0,,\n";
        char riga[64];
        for (long i = 0; out.tellp() < 200'000'000; ++i)
            out.write(riga, std::snprintf(riga, sizeof riga, "R%ld,riga rotta senza colonne\n", i));
    }
    byte = fs::file_size(suite.pannelli());
    const std::vector<std::string> args = {TV_CLI, "panels", "--root", suite.radice().string()};
    long picco_kb = 0;
    lancia_a_tempo(state, args, "torvelando-cli panels", &picco_kb);
    state.counters["picco_MB"] = static_cast<double>(picco_kb) / 1024.0;
    state.counters["file_MB"] = static_cast<double>(byte) / (1024.0 * 1024.0);
}
BENCHMARK(BM_PanelsRigheIllegibili)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(1);

void relazione_tutti(benchmark::State& state, int pannelli) {
    const SuiteCopiata suite("relazione");
    suite.scrivi_pannelli(pannelli);
    const fs::path pdf = suite.radice() / "tutti.pdf";
    const std::vector<std::string> args = {TV_CLI,   "report", "--all", "--root",
                                           suite.radice().string(), "-o", pdf.string()};
    long picco_kb = 0;
    double cpu = 0;
    lancia_a_tempo(state, args, "torvelando-cli report --all", &picco_kb, &cpu);
    state.counters["cpu_s"] = cpu;
    state.counters["picco_MB"] = static_cast<double>(picco_kb) / 1024.0;
}
void BM_RelazioneTutti1000(benchmark::State& state) { relazione_tutti(state, 1000); }
void BM_RelazioneTutti2000(benchmark::State& state) { relazione_tutti(state, 2000); }
BENCHMARK(BM_RelazioneTutti1000)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(1);
BENCHMARK(BM_RelazioneTutti2000)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(1);

}  // namespace
}  // namespace tv::bench

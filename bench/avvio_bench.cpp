// (c) A cold `torvelando-cli check` of the demo job with the real grid: the wall time of the
// whole process, from its launch to its exit.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "demo.h"

extern char** environ;

namespace tv::bench {
namespace {

// Runs the command line once with its output thrown away; the exit status, or -1.
int lancia(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&azioni, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int errore = posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&azioni);
    if (errore != 0) return -1;
    int stato = 0;
    if (waitpid(pid, &stato, 0) != pid || !WIFEXITED(stato)) return -1;
    return WEXITSTATUS(stato);
}

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

// SPDX-License-Identifier: GPL-3.0-or-later
// Child processes of the benchmarks: posix_spawn with the output sent to /dev/null.
#include "processo.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

extern char** environ;

namespace tv::bench {

int lancia(const std::vector<std::string>& args, long* picco_kb, double* cpu_s) {
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
    rusage uso{};
    if (wait4(pid, &stato, 0, &uso) != pid || !WIFEXITED(stato)) return -1;
    if (picco_kb) *picco_kb = uso.ru_maxrss;
    const auto secondi = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    if (cpu_s) *cpu_s = secondi(uso.ru_utime) + secondi(uso.ru_stime);
    return WEXITSTATUS(stato);
}

double lancia_a_tempo(benchmark::State& state, const std::vector<std::string>& args,
                      const char* comando, long* picco_kb, double* cpu_s) {
    double secondi = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const int esito = lancia(args, picco_kb, cpu_s);
        const auto t1 = std::chrono::steady_clock::now();
        if (esito != 0) {
            state.SkipWithError((std::string(comando) + " non riuscito").c_str());
            break;
        }
        secondi = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(secondi);
    }
    return secondi;
}

}  // namespace tv::bench

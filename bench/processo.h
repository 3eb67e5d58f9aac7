// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the command line as a child process for the benchmarks that time or measure a whole run.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace tv::bench {

// Runs `args` once with its output thrown away; the exit status, or -1 when it did not exit.
// When `picco_kb` is given it receives the child's peak resident memory in KiB, and `cpu_s` its
// processor time (user and system) in seconds.
int lancia(const std::vector<std::string>& args, long* picco_kb = nullptr,
           double* cpu_s = nullptr);

// `args` run once an iteration of `state`, its wall time the iteration's manual time; a run that
// fails stops the benchmark with "<comando> non riuscito". The last run's wall time in seconds.
double lancia_a_tempo(benchmark::State& state, const std::vector<std::string>& args,
                      const char* comando, long* picco_kb = nullptr, double* cpu_s = nullptr);

}  // namespace tv::bench

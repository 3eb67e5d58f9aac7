#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (clang, preset "fuzz") and runs each one for SECONDS seconds
# (default 60) from its committed seeds, under AddressSanitizer and UndefinedBehaviorSanitizer.
# Usage: bash scripts/fuzz.sh [SECONDS] [TARGET...]   (targets: the names in fuzz/CMakeLists.txt)
set -euo pipefail
cd "$(dirname "$0")/.."

secs="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  # Every target the build makes, as fuzz/bersagli.cmake lists them.
  read -r -a targets < <(sed -n 's/^set(TV_FUZZ_TARGETS \(.*\))$/\1/p' fuzz/bersagli.cmake) || true
  [ ${#targets[@]} -gt 0 ] || { echo "fuzz/bersagli.cmake: no TV_FUZZ_TARGETS line" >&2; exit 2; }
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

build=build/fuzz
mkdir -p "$build/corpus" "$build/artifacts" "$build/log"
# Several targets write small suites for every input: a memory file system keeps that fast.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=0
summary=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  log="$build/log/$t.log"
  echo "== fuzz_$t: ${secs}s"
  status=ok
  if ! "$build/fuzz/fuzz_$t" "$corpus" "fuzz/corpus/$t" \
      -max_total_time="$secs" -rss_limit_mb=2048 -timeout=10 -max_len=8192 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" >"$log" 2>&1; then
    status=FAILED
    failed=1
    grep -E "ERROR|PROMESSA MANCATA|SUMMARY|runtime error|Test unit written" "$log" | head -20 || true
  fi
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{print $2}' | tail -1)
  inputs=$(find "$corpus" -type f | wc -l)
  seeds=$(find "fuzz/corpus/$t" -type f | wc -l)
  summary+=("$(printf '%-16s %10s runs  %5s seeds  %6s inputs kept  %s' "$t" "${runs:-?}" "$seeds" "$inputs" "$status")")
done

echo
echo "Fuzzing, ${secs}s a target:"
printf '  %s\n' "${summary[@]}"
exit "$failed"

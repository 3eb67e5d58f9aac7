#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures line and branch coverage of the core libraries (src/text, units, hazard, panel, form,
# and the report's model and builder in src/relazione, without its Qt renderer)
# by the whole test suite: Debug build with --coverage (preset "coverage"), ctest, then gcovr.
# Usage: bash scripts/coverage.sh [--report-only]   (--report-only: no build, no test run)
# Needs Debian's gcovr, which only this measurement uses (CI does not): apt-get install gcovr
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/coverage
core='src/(text|units|hazard|panel|form|relazione)/'
# The report's PDF renderer draws with Qt: not core.
not_core='src/relazione/(pdf|grafico_pdf)\.(cpp|h)'

if ! command -v gcovr >/dev/null; then
  echo "gcovr is missing. It serves only this measurement and is not in scripts/install-deps.sh;" >&2
  echo "install Debian's package first: apt-get install gcovr" >&2
  exit 1
fi

if [ "${1:-}" != "--report-only" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake --preset coverage "${launcher[@]}" >/dev/null
  cmake --build --preset coverage
  # Counts from earlier runs (or from scripts/plant-faults.sh) would add up: start from zero.
  find "$build" -name '*.gcda' -delete
  ctest --preset coverage || echo "warning: some tests failed; the figures below still count them" >&2
fi

# Exception edges the compiler adds to every call are no branches of ours: left out.
gcovr --root . --object-directory "$build" --filter "$core" --exclude "$not_core" -j 2 \
      --exclude-directories "$build/CMakeFiles" \
      --exclude-unreachable-branches --exclude-throw-branches --json "$build/core.json"
from_json=(--root . --add-tracefile "$build/core.json")
echo
echo "== Lines of the core libraries, per file =="
gcovr "${from_json[@]}" --txt
echo "== Branches of the core libraries, per file =="
gcovr "${from_json[@]}" --txt --branches
echo "== Core libraries: src/text, src/units, src/hazard, src/panel, src/form, src/relazione (model, builder) =="
gcovr "${from_json[@]}" --print-summary -o "$build/core.txt"

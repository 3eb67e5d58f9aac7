#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plants hand-made faults one at a time, rebuilds, runs the tests and prints which faults some test
# caught. A fault whose pattern no longer matches is "not applicable". The faults lie in the core,
# as scripts/coverage.sh measures it (src/text, src/units, src/hazard, src/panel, src/form and
# src/relazione without its PDF renderer: the report's model and builders), and in src/cli.
# Usage: bash scripts/plant-faults.sh [BUILD_DIR] [FAULT...]   (BUILD_DIR default build/coverage,
# configured by scripts/coverage.sh or `cmake --preset coverage`; FAULT: ids such as F3)
# Each file is copied aside before its fault and copied back after, also on Ctrl-C or error.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/coverage}"
shift || true
wanted=("$@")
[ -f "$build/CMakeCache.txt" ] || { echo "no configured build in $build" >&2; exit 1; }

# id ~ file ~ sed expression ~ what it does. A fault whose sed changes nothing is not applicable.
faults=(
  'F1~src/panel/resistenza.cpp~s/const double D = 4\.5 \* /const double D = 4.0 * /~wrong constant in the arch stiffness D (4.5 -> 4.0)'
  'F2~src/panel/resistenza.cpp~s/instabilita = q\.sigmacrit < sigma;/instabilita = q.sigmacrit > sigma;/~flipped comparison: instability governs when sigmacrit > fd'
  'F3~src/panel/domanda.cpp~s/al_minimo = ags > \([de]\)\.Sa;/al_minimo = ags < \1.Sa;/~flipped comparison in the EC8 floor Sa >= ag S'
  'F4~src/panel/domanda.cpp~s/(p\.B - 2\.0 \* p\.t) \/ p\.B/(p.B - p.t) \/ p.B/~wrong constant in the vertical share (B - t instead of B - 2t)'
  'F5~src/hazard/sito.cpp~s/interpola_log(estremi\[0\]\.first, estremi\[1\]\.first, /interpola_log(estremi[1].first, estremi[0].first, /~swapped arguments of the logarithmic interpolation'
  'F6~src/hazard/sito.cpp~s/for (int k = 1; k < 8; ++k)/for (int k = 1; k < 7; ++k)/~off-by-one in the return-period bracket search'
  'F7~src/hazard/ricerca.cpp~s/std::cos(d) + std::sin(a) \* std::sin(b)/std::cos(d) - std::sin(a) * std::sin(b)/~wrong sign in the great-circle distance'
  'F8~src/hazard/spettro.cpp~s/1\.7, 0\.6, 1\.0, 1\.5}/1.7, 0.6, 1.0, 1.6}/g~wrong upper limit of Ss for soil C (1.5 -> 1.6)'
  'F9~src/text/number_text.cpp~s/std::nearbyint(product)/std::round(product)/~wrong rounding rule: half away from zero for half to even'
  'F10~src/text/number_text.cpp~s/digits\[keep\] >= '"'"'5'"'"'/digits[keep] > '"'"'5'"'"'/~wrong rounding rule in fixed decimals: a 5 rounds down'
  'F11~src/units/unita.cpp~s/if (contiene(u, "kn")) return 1\.0 \/ 100\.0;/if (contiene(u, "kn")) return 1.0 \/ 1000.0;/~wrong unit factor for kN'
  'F12~src/units/unita.cpp~s/for (std::size_t i = 1; i < lines\.size(); ++i)/for (std::size_t i = 2; i < lines.size(); ++i)/~off-by-one: the job file'"'"'s first setting line is skipped'
  'F13~src/hazard/spettro.h~s/Suolo::C, Suolo::D, Suolo::E})/Suolo::C, Suolo::D})/~soil letter E refused by the field check'
  'F14~src/form/campi.cpp~s/(c == Campo::lat ? '"'"'N'"'"' : '"'"'E'"'"')/(c == Campo::lat ? '"'"'E'"'"' : '"'"'N'"'"')/~swapped hemisphere letters of coordinates in degrees, minutes and seconds'
  'F15~src/form/lettura_pannello.cpp~s/if (c == Campo::lat || c == Campo::lon) p\.sito_proprio = true;/if (c == Campo::lat \&\& c == Campo::lon) p.sito_proprio = true;/~a saved panel'"'"'s own coordinates never give it its own site'
  'F16~src/form/testi.cpp~s/campo(Campo::Fa) = t\.Fa;/campo(Campo::Fa) = t.Wa;/~the demand field written with Wa instead of Fa'
  'F17~src/relazione/relazione_tutti.cpp~s/v->ok ? form::kVerdettoOk : form::kVerdettoNo/v->ok ? form::kVerdettoNo : form::kVerdettoOk/~swapped verdicts in the summary of every panel'
  'F18~src/relazione/relazione_tutti.cpp~s/if (r\.sito_proprio) {/if (!r.sito_proprio) {/~the summary marks the panels on the job'"'"'s site instead of those with their own'
  'F19~src/cli/comandi.cpp~s/if (!leggi_pannelli(lavoro, pannelli, err)) return 2;/if (!leggi_pannelli(lavoro, pannelli, err)) return 1;/~exit 1 instead of 2 when --panel meets a panels file that cannot be read'
  'F20~src/cli/relazione.cpp~s/if (!leggi_pannelli(lavoro, pannelli, err)) return 2;/if (!leggi_pannelli(lavoro, pannelli, err)) return 1;/~exit 1 instead of 2 when report --all meets a panels file that cannot be read'
  'F21~src/cli/avvio_relazione.cpp~/Impossibile avviare/,/return 2;/s/return 2;/return 1;/~exit 1 instead of 2 when the report'"'"'s program cannot be started'
  'F22~src/cli/comandi.cpp~s/if (run\.testi) form::scrivi_campi(/if (!run.testi) form::scrivi_campi(/~the JSON fields keep start-up'"'"'s results instead of the run'"'"'s'
)

backup=""
target=""
restore() {
  if [ -n "$backup" ] && [ -f "$backup" ]; then
    cp -p "$backup" "$target"
    touch "$target"  # newer than the faulty object: the next build recompiles it
    rm -f "$backup"
  fi
  backup=""
}
trap restore EXIT INT TERM

log_dir="$build/plant-faults"
mkdir -p "$log_dir"
echo "Baseline build and tests in $build ..."
cmake --build "$build" --parallel 2 >"$log_dir/baseline-build.log" 2>&1 ||
  { echo "baseline build failed, see $log_dir/baseline-build.log" >&2; exit 1; }
if ! ctest --test-dir "$build" --parallel 2 --timeout 300 >"$log_dir/baseline-ctest.log" 2>&1; then
  echo "baseline tests fail, see $log_dir/baseline-ctest.log: fix them before planting faults" >&2
  exit 1
fi

results=()
caught=0
missed=0
na=0
for f in "${faults[@]}"; do
  IFS='~' read -r id file expr what <<<"$f"
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $id "* ]]; then continue; fi
  if [ ! -f "$file" ]; then
    results+=("$id~not applicable~$file~$what")
    na=$((na + 1))
    continue
  fi
  target="$file"
  backup=$(mktemp)
  cp -p "$file" "$backup"
  sed -i -e "$expr" "$file" || true  # a broken expression leaves the file as it was
  if cmp -s "$file" "$backup"; then
    restore
    results+=("$id~not applicable~$file~$what")
    na=$((na + 1))
    continue
  fi
  echo "$id: $what"
  if ! cmake --build "$build" --parallel 2 >"$log_dir/$id-build.log" 2>&1; then
    verdict="caught (build)"
    caught=$((caught + 1))
  elif ctest --test-dir "$build" --parallel 2 --timeout 300 >"$log_dir/$id-ctest.log" 2>&1; then
    verdict="MISSED"
    missed=$((missed + 1))
  else
    failing=$(grep -oE '[0-9]+ tests failed out of [0-9]+' "$log_dir/$id-ctest.log" |
              sed -E 's/ tests failed out of /\//' || true)
    first=$(sed -n '/The following tests FAILED/{n;p;q}' "$log_dir/$id-ctest.log" |
            sed -E 's/^[[:space:]]*[0-9]+ - ([^ ]+).*/\1/' || true)
    verdict="caught (${failing:-?} tests fail: ${first:-?} ...)"
    caught=$((caught + 1))
  fi
  restore
  results+=("$id~$verdict~$file~$what")
done

echo "Rebuilding the unchanged sources ..."
cmake --build "$build" --parallel 2 >"$log_dir/final-build.log" 2>&1 || echo "final rebuild failed" >&2

echo
printf '%-4s %-60s %-26s %s\n' "id" "result" "file" "fault"
for r in "${results[@]}"; do
  IFS="~" read -r id verdict file what <<<"$r"
  printf '%-4s %-60s %-26s %s\n' "$id" "$verdict" "$file" "$what"
done
echo
echo "caught $caught, missed $missed, not applicable $na (logs in $log_dir)"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Install and package test: the README's install, `cmake --install ... --prefix ~/.local` with
# HOME an empty folder, the installed programs run from "/" (the window from its menu entry,
# offscreen), the menu entry and AppStream data validated, the .deb inspected.
# Usage: bash scripts/test-install.sh [BUILD_DIR]   (a built release tree; default build/ci)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/ci}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "test-install: $*" >&2; exit 1; }
step() { echo "test-install: $*"; }

# A new user: empty home, no XDG variables, started from "/" (whose parent is no suite). The
# prefix is the README's, so the user's suite lies inside the installed data folder.
unset XDG_DATA_HOME XDG_CONFIG_HOME QT_QPA_PLATFORM
export HOME=$tmp/home
mkdir "$HOME"
step "cmake --install $build --prefix ~/.local, HOME an empty folder"
cmake --install "$build" --prefix ~/.local > "$tmp/install.log"
bin=$HOME/.local/bin
share=$HOME/.local/share
suite=$share/torvelando/suite
avviso() { echo "Creata la suite dell'utente in $1/.local/share/torvelando/suite: qui sono le impostazioni e i lavori."; }
cd /

step "first torvelando-cli check --json: the user's suite is made and the demo job checked"
"$bin/torvelando-cli" check --json > "$tmp/1.json" 2> "$tmp/1.err" || fail "exit $? ($(cat "$tmp/1.err"))"
[ "$(cat "$tmp/1.err")" = "$(avviso "$HOME")" ] || fail "standard error: $(cat "$tmp/1.err")"
# The demo job's site (L'Aquila), its subsoil and a completed run, in valid JSON.
jq -e '.fields[7] == "42.3505" and .fields[4] == "B" and .messages == [] and
       (.labels.verdict | test("Fa"))' "$tmp/1.json" > /dev/null || fail "JSON: $(cat "$tmp/1.json")"
# The copy left out its own destination and its hidden copy.
[ ! -e "$suite/suite" ] || fail "the user's suite holds a copy of itself: $suite/suite"
[ -z "$(find "$share/torvelando" -maxdepth 1 -name '.suite.*')" ] || fail "a hidden copy is left in $share/torvelando"
for f in progra/parametri_per_spettro.txt progra/coordinate_localita.txt help/torvelando.pdf \
         impostazioni/dirlav impostazioni/lavoro lavori/demo/sismica_2008.txt; do
  cmp -s "$share/torvelando/$f" "$suite/$f" || fail "$suite/$f differs from the installed one"
done

step "second run: the suite is reused, not rebuilt, and nothing is said"
echo "mio" > "$suite/lavori/demo/appunti.txt"
prima=$(stat -c '%i %Y' "$suite/impostazioni/dirlav" "$suite/progra/parametri_per_spettro.txt")
"$bin/torvelando-cli" check --json > "$tmp/2.json" 2> "$tmp/2.err" || fail "exit $? ($(cat "$tmp/2.err"))"
[ ! -s "$tmp/2.err" ] || fail "standard error: $(cat "$tmp/2.err")"
cmp -s "$tmp/1.json" "$tmp/2.json" || fail "the second check differs from the first"
[ "$(stat -c '%i %Y' "$suite/impostazioni/dirlav" "$suite/progra/parametri_per_spettro.txt")" = "$prima" ] \
  || fail "the suite was written again"
[ "$(cat "$suite/lavori/demo/appunti.txt")" = "mio" ] || fail "a file of the user's job was touched"
"$bin/torvelando-cli" search Norcia | grep -q "Norcia (PG)" || fail "search Norcia from /"

step "the command line loads no Qt; report runs the report's program from libexec"
if ldd "$bin/torvelando-cli" | grep -qi 'libQt'; then fail "torvelando-cli links Qt: $(ldd "$bin/torvelando-cli" | grep -i qt)"; fi
[ -x "$HOME/.local/libexec/torvelando/torvelando-relazione" ] || fail "no libexec/torvelando/torvelando-relazione"
(cd "$tmp" && "$bin/torvelando-cli" report -o "$tmp/demo.pdf" > "$tmp/report.out" 2> "$tmp/report.err") \
  || fail "report: exit $? ($(cat "$tmp/report.err"))"
pdftotext "$tmp/demo.pdf" - | grep -c "RELAZIONE DI CALCOLO" >/dev/null || fail "report: no RELAZIONE DI CALCOLO in $tmp/demo.pdf"

step "the window from its menu entry, offscreen, on a first start (the notice must not block)"
rm -rf "$suite"
exec_menu=$(sed -n 's/^Exec=//p' "$share/applications/torvelando.desktop")
# shellcheck disable=SC2086  # the menu's command line, split as the desktop splits it
PATH=$bin:$PATH QT_QPA_PLATFORM=offscreen timeout 120 $exec_menu --screenshot "$tmp/finestra.png" \
  2> "$tmp/finestra.err" || fail "window: exit $? ($(cat "$tmp/finestra.err"))"
grep -qxF "$(avviso "$HOME")" "$tmp/finestra.err" || fail "window: $(cat "$tmp/finestra.err")"
file "$tmp/finestra.png" | grep -Eq 'PNG image data, [0-9]{3} x [0-9]{3}' || fail "screenshot: $(file "$tmp/finestra.png")"
[ ! -e "$suite/suite" ] || fail "the window's suite holds a copy of itself"

step "the installed window under Xvfb with --screenshot, the suite reused"
timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" "$bin/torvelando" --screenshot "$tmp/xvfb.png" \
  2> "$tmp/xvfb.err" || fail "window under Xvfb: exit $? ($(cat "$tmp/xvfb.err"))"
if grep -qF "Creata la suite" "$tmp/xvfb.err"; then fail "window under Xvfb made the suite again"; fi
file "$tmp/xvfb.png" | grep -Eq 'PNG image data, [0-9]{3} x [0-9]{3}' || fail "screenshot: $(file "$tmp/xvfb.png")"

step "--screenshot on a suite without its grid: the message on standard error, exit 1, no picture"
cp -r "$HOME/.local/share/torvelando/suite" "$tmp/senza_griglia"
rm "$tmp/senza_griglia/progra/parametri_per_spettro.txt"
rc=0
timeout 20 xvfb-run -a -s "-screen 0 1024x768x24" "$bin/torvelando" --root "$tmp/senza_griglia" \
  --screenshot "$tmp/senza.png" 2> "$tmp/senza.err" || rc=$?
[ "$rc" = 1 ] && [ ! -e "$tmp/senza.png" ] && [ -s "$tmp/senza.err" ] \
  || fail "window without grid: exit $rc ($(cat "$tmp/senza.err"))"

step "menu entry and AppStream data"
desktop-file-validate "$share/applications/torvelando.desktop"
appstreamcli validate --no-net --pedantic "$share"/metainfo/*.metainfo.xml > "$tmp/appstream.log" \
  || fail "$(cat "$tmp/appstream.log")"

step "cpack -G DEB"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
(cd "$build" && cpack -G DEB -B "$tmp/deb" > "$tmp/cpack.log") || fail "$(cat "$tmp/cpack.log")"
deb=$tmp/deb/torvelando_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"
dpkg-deb -c "$deb" | awk '{print $6}' > "$tmp/contenuto"
for f in ./usr/bin/torvelando ./usr/bin/torvelando-cli ./usr/libexec/torvelando/torvelando-relazione \
         ./usr/share/torvelando/progra/parametri_per_spettro.txt \
         ./usr/share/torvelando/progra/coordinate_localita.txt \
         ./usr/share/torvelando/help/torvelando.pdf ./usr/share/torvelando/help/validazione.pdf \
         ./usr/share/torvelando/impostazioni/dirlav \
         ./usr/share/torvelando/lavori/demo/sismica_2008.txt \
         ./usr/share/applications/torvelando.desktop \
         ./usr/share/icons/hicolor/scalable/apps/torvelando.svg; do
  grep -qxF "$f" "$tmp/contenuto" || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
# What the binaries link (from dpkg-shlibdeps), then what the window loads without linking.
for p in libqt6widgets6 libstdc++6 qt6-qpa-plugins fonts-wine fonts-dejavu-core qt6-translations-l10n xdg-utils; do
  [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || fail "Depends lacks $p: $depends"
done
step "ok: $(basename "$deb"), Depends: $depends"

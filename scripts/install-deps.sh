#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages the build, the window, the tests, the fuzz targets and the
# install test need (only what is missing).
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
      nlohmann-json3-dev libnanoflann-dev libfccp-dev qt6-base-dev qt6-svg-dev libgl-dev fonts-wine
      xvfb xauth
      # The window's Italian Qt dialogs and the manual's viewer, as the Debian package has them.
      qt6-translations-l10n xdg-utils
      # The install test: cpack's DEB generator, menu entry and AppStream checks, JSON checks.
      dpkg-dev file desktop-file-utils appstream jq
      # The validation cases run through the program by a standard-library Python script.
      python3
      # The report tests read the PDF back; the report is set in DejaVu.
      poppler-utils fonts-dejavu-core
      # The fuzz targets: clang with its libFuzzer and sanitizer runtimes.
      clang libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

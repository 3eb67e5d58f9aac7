#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's run command after the build: the window on the demo suite where there is a
# display, otherwise the command-line check of the same job, saying why.
# Usage: bash scripts/run.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Nessuno schermo (DISPLAY e WAYLAND_DISPLAY non impostate): al posto della finestra, torvelando-cli check sulla suite dimostrativa." >&2
elif [ ! -x "$build/src/app/torvelando" ]; then
  echo "La finestra non è stata compilata (TV_BUILD_APP=OFF): al posto della finestra, torvelando-cli check sulla suite dimostrativa." >&2
else
  exec "$build/src/app/torvelando" --root examples/suite
fi
exec "$build/src/cli/torvelando-cli" check --root examples/suite

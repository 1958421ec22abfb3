#!/usr/bin/env bash
# Sets up, builds and starts Fonderel on the shipped example source.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target fonderel fonderel-cli
source="${1:-sources/HORN90X40.SPK}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  echo "run: no desktop display here; showing the source with fonderel-cli instead" >&2
  exec build/default/cli/fonderel-cli info "$source"
fi
exec build/default/gui/fonderel "$source"

#!/usr/bin/env bash
# Sets up, builds and runs Fonderel on the shipped example source.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target fonderel-cli
exec build/default/cli/fonderel-cli info "${1:-sources/HORN90X40.SPK}"

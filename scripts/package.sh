#!/usr/bin/env bash
# Builds the Debian package fonderel_<version>_<arch>.deb from the default
# build into build/default/package/ and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
cpack --config build/default/CPackConfig.cmake -B build/default/package >/dev/null
ls build/default/package/fonderel_*.deb

#!/usr/bin/env bash
# Writes the golden pictures of the view windows, the datasheet page and the
# other windows (tests/data/images/**.png) anew, for when a drawing changes on
# purpose: builds the default preset's picture tests and runs them offscreen
# with FONDEREL_UPDATE_IMAGES=1. Look at the new pictures (git diff shows which
# changed) before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
for program in GoldenImagesTest ModalWindowsTest ViewExtrasTest; do
  cmake --build --preset default --target "$program"
  FONDEREL_UPDATE_IMAGES=1 QT_QPA_PLATFORM=offscreen "build/default/tests/$program"
done
git status --short tests/data/images

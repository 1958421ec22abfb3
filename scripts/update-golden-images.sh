#!/usr/bin/env bash
# Writes the golden pictures of the view windows and the datasheet page
# (tests/data/images/*.png) anew, for when a drawing changes on purpose. Builds
# the default preset's picture test and runs it offscreen with
# FONDEREL_UPDATE_IMAGES=1;
# look at the new pictures (git diff shows which changed) before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target GoldenImagesTest
FONDEREL_UPDATE_IMAGES=1 QT_QPA_PLATFORM=offscreen build/default/tests/GoldenImagesTest
git status --short tests/data/images

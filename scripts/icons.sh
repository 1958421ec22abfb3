#!/usr/bin/env bash
# Renders the program's icon, packaging/icons/fonderel.svg, to the 48 and
# 256 pixel PNGs that the package installs and the program shows as its window
# icon. Run after changing the SVG; needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 48 256; do
  rsvg-convert -w "$size" -h "$size" fonderel.svg -o "fonderel-$size.png"
done

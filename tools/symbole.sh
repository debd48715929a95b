#!/usr/bin/env bash
# Draws the program's icon paket/symbole/quendrix.svg once into the PNG sizes
# of the icon theme (paket/symbole/NN.png), which are committed: the build
# then needs no SVG renderer. Run after changing the SVG.
set -euo pipefail
quelle="$(cd "$(dirname "$0")/.." && pwd)"
"$quelle/tools/abhaengigkeiten.sh" librsvg2-bin
for n in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$n" -h "$n" "$quelle/paket/symbole/quendrix.svg" -o "$quelle/paket/symbole/$n.png"
done

#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from qorrin.svg (needs rsvg-convert, Debian
# librsvg2-bin). The PNGs are kept in the repository, so building needs neither.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" qorrin.svg -o "qorrin-$size.png"
done
# The Windows icon (program resource and installer) from the same pictures (ImageMagick).
convert qorrin-16.png qorrin-24.png qorrin-32.png qorrin-48.png qorrin-64.png qorrin-256.png ../windows/qorrin.ico

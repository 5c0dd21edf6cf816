#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from qorrin.svg (needs rsvg-convert, Debian
# librsvg2-bin). The PNGs are kept in the repository, so building needs neither.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" qorrin.svg -o "qorrin-$size.png"
done

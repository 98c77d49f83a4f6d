#!/usr/bin/env bash
# Renders the application icon packaging/fischkladde.svg into the PNG sizes a desktop
# needs (packaging/icons/<size>/fischkladde.png). The PNGs are committed; run this after
# changing the SVG. Needs rsvg-convert (librsvg2-bin, installed by install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/../packaging"
for size in 16 22 24 32 48 64 128 256 512; do
  mkdir -p "icons/$size"
  rsvg-convert -w "$size" -h "$size" fischkladde.svg -o "icons/$size/fischkladde.png"
done

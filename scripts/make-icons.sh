#!/usr/bin/env bash
# Renders the program's icon at the sizes the desktop asks for, from the one drawing in
# desktop/icons/kvarn-5x36.svg. Run after changing the drawing; the PNGs are kept in the
# repository so that a build needs no renderer.
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
for s in 16 24 32 48 64 128 256; do
  mkdir -p "$s"
  rsvg-convert -w "$s" -h "$s" kvarn-5x36.svg -o "$s/kvarn-5x36.png"
done

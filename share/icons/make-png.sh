#!/usr/bin/env bash
# Renders the application icon tq6105.svg into the PNG sizes the program and the
# desktop install use. Needs ImageMagick. Run it again after changing the drawing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for s in 16 32 48 64 128 256; do
  convert -background none -density $((s * 96 / 64)) tq6105.svg -resize "${s}x${s}" "png32:tq6105-$s.png"
done

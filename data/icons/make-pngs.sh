#!/usr/bin/env bash
# Renders the application icon's PNG sizes for the hicolor theme from orlamo.svg.
# The PNGs are committed, so a build needs no converter; run this after changing the SVG.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
command -v rsvg-convert >/dev/null || { echo "make-pngs.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2; exit 1; }
for size in 16 22 24 32 48 64 128 256; do
    out="$here/hicolor/${size}x${size}/apps"
    mkdir -p "$out"
    rsvg-convert --width "$size" --height "$size" --format png --output "$out/orlamo.png" "$here/orlamo.svg"
done

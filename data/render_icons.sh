#!/bin/sh
# Renders the PNG icons from tav1.svg; run it after changing the SVG and commit the PNGs.
# Needs rsvg-convert (Debian: librsvg2-bin); optipng, where installed, makes the files smaller.
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "icons/${size}x${size}"
    out="icons/${size}x${size}/tav1.png"
    rsvg-convert --width "$size" --height "$size" --output "$out" tav1.svg
    if command -v optipng >/dev/null 2>&1; then
        optipng -quiet -o7 -strip all "$out"
    fi
done

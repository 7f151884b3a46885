#!/usr/bin/env bash
# Renders the desktop's program icon, packaging/icons/quillotap.svg, into the
# PNG sizes of the hicolor icon theme: packaging/icons/NxN/quillotap.png.
# The PNGs are committed; run this again only after changing the drawing.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"

for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert --width "$size" --height "$size" quillotap.svg -o "${size}x${size}/quillotap.png"
    # 8-bit RGBA without dates, so a re-run gives identical files.
    convert "${size}x${size}/quillotap.png" -depth 8 -strip -define png:exclude-chunks=date,time \
        "PNG32:${size}x${size}/quillotap.png"
done
echo "icons written to $PWD"

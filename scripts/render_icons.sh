#!/bin/sh
# render_icons.sh: renders the PNG icons (48 and 256 pixels) from the SVG
# icons in desktop/icons.  The PNGs are committed; run this after changing
# an SVG (needs rsvg-convert from librsvg2-bin, or ImageMagick's convert).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
icons=$root/desktop/icons
for svg in "$icons"/*.svg; do
  name=$(basename "$svg" .svg)
  for size in 48 256; do
    mkdir -p "$icons/$size"
    png=$icons/$size/$name.png
    if command -v rsvg-convert >/dev/null; then
      rsvg-convert -w "$size" -h "$size" "$svg" -o "$png"
    else
      convert -background none -density 384 "$svg" -resize "${size}x$size" "$png"
    fi
    echo "$png"
  done
done

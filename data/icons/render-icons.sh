#!/usr/bin/env bash
# Renders the PNG sizes of the icons from their SVG drawings, after a drawing changed. Needs
# rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    mkdir -p "$size"
    for drawing in *.svg; do
        rsvg-convert -w "$size" -h "$size" "$drawing" -o "$size/${drawing%.svg}.png"
    done
done

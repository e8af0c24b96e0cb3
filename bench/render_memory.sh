#!/usr/bin/env bash
# Peak memory of `render --output page.bmp` for an A4 page of New at 600 and 1200 dpi, as a
# ratio to the page's own 32-bit pixels (width x height x 4): the median of ROUNDS runs.
#   bench/render_memory.sh [PROGRAM] [ROUNDS]
set -euo pipefail
program=${1:-build/lineavo-pressolo}
rounds=${2:-5}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for dpi in 600 1200; do
    for ((round = 0; round < rounds; ++round)); do
        /usr/bin/time -f '%M' -o "$folder/time" \
            "$program" render --output "$folder/page.bmp" --dpi "$dpi" --calibration 0,0,100,100
        cat "$folder/time"
    done | median >"$folder/peak"
    # Width and height from the file's own header.
    read -r width height < <(od -An -tu4 -j18 -N8 "$folder/page.bmp")
    awk -v dpi="$dpi" -v w="$width" -v h="$height" -v kb="$(cat "$folder/peak")" 'BEGIN {
        page = w * h * 4
        printf "A4 at %d dpi (%d x %d): peak %.0f MB, page %.0f MB, ratio %.2f\n",
               dpi, w, h, kb * 1024 / 1e6, page / 1e6, kb * 1024 / page }'
done

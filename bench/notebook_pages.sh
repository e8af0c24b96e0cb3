#!/usr/bin/env bash
# Time and peak memory of a notebook against one page of the same design (a dot grid with page
# numbers, mirrored margins and punch holes): a vector PDF of 500 pages and of 1 (A4 at 600
# dpi), and an exact (raster) PDF of 50 pages and of 1 at 300 dpi.
# Each row gives the medians of ROUNDS runs and the ratio of the peaks (many pages / one page),
# which stays near 1 when each page goes to the disk before the next is drawn; pdfinfo then
# shows the pages and the size of the large notebooks.
#   bench/notebook_pages.sh [PROGRAM] [ROUNDS]
set -euo pipefail
program=${1:-build/lineavo-pressolo}
rounds=${2:-5}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

"$program" save "$folder/dots.lvo" --preset dots --set PageNumberBottomOutside=on \
    --set MirrorCheck=on --set TwoHoles80=on >/dev/null

# Prints "SECONDS PEAK_KB", the medians of the rounds of one render.
measure() {
    local output=$1
    shift
    for ((round = 0; round < rounds; ++round)); do
        /usr/bin/time -f '%e %M' -o "$folder/time" \
            "$program" render "$folder/dots.lvo" --paper A4 --calibration 0,0,100,100 \
            --output "$folder/$output" "$@"
        cat "$folder/time"
    done >"$folder/runs"
    echo "$(cut -d' ' -f1 "$folder/runs" | median) $(cut -d' ' -f2 "$folder/runs" | median)"
}

compare() {
    local name=$1 pages=$2
    shift 2
    read -r oneSeconds onePeak < <(measure one.pdf --pages 1 "$@")
    read -r manySeconds manyPeak < <(measure many.pdf --pages "$pages" "$@")
    awk -v name="$name" -v n="$pages" -v t1="$oneSeconds" -v m1="$onePeak" \
        -v tn="$manySeconds" -v mn="$manyPeak" 'BEGIN {
        printf "%s: 1 page %.2f s, %.0f MB; %d pages %.2f s, %.0f MB; peak ratio %.3f\n",
               name, t1, m1 / 1024, n, tn, mn / 1024, mn / m1 }'
    pdfinfo "$folder/many.pdf" | grep -E '^(Pages|Page size):'
}

compare "vector dot grid, A4, 600 dpi" 500 --vector --dpi 600
compare "exact PDF dot grid, A4, 300 dpi" 50 --dpi 300

#!/usr/bin/env bash
# What a raster file costs two builds of the program, measured side by side, each round running
# every contender once in turn so that a busy machine weighs on all of them alike:
#  - peak memory of `render` to BMP and PNG for an A4 page of New at 600 and 2400 dpi;
#  - CPU (user + system) of `render` to BMP at 600 and 2400 dpi, as a ratio to a small C
#    program (white_bmp.c, compiled here) that writes a white BMP of the same size the same
#    careful way: in 1 MB writes to a file beside the target, synced and renamed over it.
# Every figure is the median of ROUNDS rounds.
#   bench/raster_streaming.sh OLD_PROGRAM [NEW_PROGRAM] [ROUNDS]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
declare -A programs=([old]=$(realpath "$1") [new]=$(realpath "${2:-build/lineavo-pressolo}"))
rounds=${3:-5}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cc -O2 -o "$folder/white_bmp" "$here/white_bmp.c"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# Runs a command, appending "cpu-seconds peak-kilobytes" to the file $1: the system's own
# account of the child, to the microsecond (time(1) rounds to 10 ms, a third of the C program).
measure() {
    local into=$1
    shift
    python3 -c '
import os, sys
pid = os.fork()
if pid == 0:
    os.dup2(os.open(os.devnull, os.O_WRONLY), 1)
    os.execvp(sys.argv[1], sys.argv[1:])
_, status, usage = os.wait4(pid, 0)
if status != 0:
    sys.exit("failed: " + " ".join(sys.argv[1:]))
print("%.4f %d" % (usage.ru_utime + usage.ru_stime, usage.ru_maxrss))
' "$@" >>"$into"
}
# Measures PROGRAM writing a page of New at DPI into FILE, appending to the file INTO.
renderPage() { # INTO PROGRAM DPI FILE
    measure "$1" "$2" render --output "$4" --dpi "$3" --calibration 0,0,100,100
}

for dpi in 600 2400; do
    # The page's size in pixels, from a BMP's own header.
    renderPage /dev/null "${programs[new]}" "$dpi" "$folder/size.bmp"
    read -r width height < <(od -An -tu4 -j18 -N8 "$folder/size.bmp")
    rm -f "$folder"/*.bmp "$folder"/*.txt
    dotsPerMetre=$(awk -v d="$dpi" 'BEGIN { printf "%d", d / 0.0254 + 0.5 }')
    for ((round = 0; round < rounds; ++round)); do
        for build in old new; do
            renderPage "$folder/$build-bmp.txt" "${programs[$build]}" "$dpi" "$folder/page.bmp"
            renderPage "$folder/$build-png.txt" "${programs[$build]}" "$dpi" "$folder/page.png"
            rm -f "$folder/page.bmp" "$folder/page.png"
        done
        measure "$folder/c.txt" "$folder/white_bmp" "$width" "$height" "$dotsPerMetre" \
            "$folder/white.bmp"
        rm -f "$folder/white.bmp"
    done
    column() { awk -v c="$2" '{ print $c }' "$folder/$1.txt" | median; }
    c=$(column c 1)
    echo "A4 at $dpi dpi ($width x $height), medians of $rounds rounds:"
    for build in old new; do
        awk -v b="$build" -v bmp="$(column "$build-bmp" 1)" -v c="$c" \
            -v bmpPeak="$(column "$build-bmp" 2)" -v pngPeak="$(column "$build-png" 2)" \
            -v png="$(column "$build-png" 1)" 'BEGIN {
            printf "  %s: BMP %.3f s CPU = %.2f x the C program (%.3f s); PNG %.3f s CPU; " \
                   "peak BMP %.0f MB, PNG %.0f MB\n",
                   b, bmp, bmp / c, c, png, bmpPeak * 1024 / 1e6, pngPeak * 1024 / 1e6 }'
    done
done

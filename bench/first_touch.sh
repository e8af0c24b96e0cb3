#!/usr/bin/env bash
# Whole-process cost of rendering a ruled page to BMP, against a plain C program that mallocs,
# fills and writes a white 24-bit BMP of the same size. The two run interleaved, so that both see
# the same load on a shared machine; the script prints the medians and their ratio (CPU time,
# user + system, and wall time).
#
# Usage: bench/first_touch.sh PROGRAM [ROUNDS] [DPI]
set -euo pipefail
BIN=$(realpath "$1")
ROUNDS=${2:-7}
DPI=${3:-600}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cat > "$WORK/white_bmp.c" <<'C'
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void put32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = (unsigned char)(v >> (8 * i));
}

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const long width = atol(argv[1]);
    const long height = atol(argv[2]);
    const size_t stride = (size_t)(width * 3 + 3) & ~(size_t)3;
    const size_t pixels = stride * (size_t)height;
    unsigned char header[54] = {'B', 'M'};
    put32(header + 2, (uint32_t)(54 + pixels));
    put32(header + 10, 54);
    put32(header + 14, 40);
    put32(header + 18, (uint32_t)width);
    put32(header + 22, (uint32_t)height);
    header[26] = 1;
    header[28] = 24;
    put32(header + 34, (uint32_t)pixels);
    unsigned char* data = malloc(pixels);
    if (!data)
        return 1;
    memset(data, 0xff, pixels);
    FILE* file = fopen(argv[3], "wb");
    if (!file || fwrite(header, 1, sizeof header, file) != sizeof header ||
        fwrite(data, 1, pixels, file) != pixels || fclose(file) != 0)
        return 1;
    free(data);
    return 0;
}
C
cc -O2 -o "$WORK/white_bmp" "$WORK/white_bmp.c"

export QT_QPA_PLATFORM=offscreen
RENDER=("$BIN" render --output "$WORK/page.bmp" --dpi "$DPI" --calibration 0,0,100,100)
"${RENDER[@]}"
read -r WIDTH HEIGHT < <(od -An -t d4 -j18 -N8 "$WORK/page.bmp")
HEIGHT=${HEIGHT#-}
echo "page: ${WIDTH} x ${HEIGHT} pixels at ${DPI} dpi"

# Prints "cpu wall" in seconds for one run of the command, CPU time of all its threads.
measure() {
    python3 - "$@" <<'PY'
import os, sys, time
start = time.perf_counter()
pid = os.fork()
if pid == 0:
    fd = os.open(os.devnull, os.O_WRONLY)
    os.dup2(fd, 1)
    os.execvp(sys.argv[1], sys.argv[1:])
_, status, usage = os.wait4(pid, 0)
wall = time.perf_counter() - start
if status != 0:
    sys.exit("failed: " + " ".join(sys.argv[1:]))
print(f"{usage.ru_utime + usage.ru_stime:.4f} {wall:.4f}")
PY
}

: > "$WORK/ours"
: > "$WORK/plain"
for ((round = 0; round < ROUNDS; ++round)); do
    measure "${RENDER[@]}" >> "$WORK/ours"
    measure "$WORK/white_bmp" "$WIDTH" "$HEIGHT" "$WORK/white.bmp" >> "$WORK/plain"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for column in 1 2; do
    name=$([ $column = 1 ] && echo cpu || echo wall)
    ours=$(cut -d' ' -f$column "$WORK/ours" | median)
    plain=$(cut -d' ' -f$column "$WORK/plain" | median)
    awk -v n="$name" -v o="$ours" -v p="$plain" -v r="$ROUNDS" \
        'BEGIN { printf "%-4s render %.4f s, plain C %.4f s, ratio %.2f (median of %d)\n", n, o, p, o / p, r }'
done

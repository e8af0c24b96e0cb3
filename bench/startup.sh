#!/bin/bash
# Start-up cost of the headless verbs on tiny inputs, where start-up is nearly all of the work.
# Prints the median CPU time (user + system) and peak memory of each over ROUNDS runs, beside
# the same for a minimal program of the toolkit that only reads the same picture, measured in
# the same run and interleaved with it, so that a busy machine slows both alike.
#
#   bench/startup.sh BUILD/lineavo-pressolo [ROUNDS]
set -euo pipefail

program=$(realpath "${1:?usage: $0 PROGRAM [ROUNDS]}")
rounds=${2:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A white pixel in each format the program reads without help: BMP and TGA by hand, PNG by the
# program itself.
printf 'BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0\x04\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\xff\xff\xff\0' \
    >"$work/pixel.bmp"
printf '\0\0\x02\0\0\0\0\0\0\0\0\0\x01\0\x01\0\x18\0\xff\xff\xff' >"$work/pixel.tga"
"$program" picture "$work/pixel.bmp" --output "$work/pixel.png" >/dev/null

# The floor: the toolkit's core started and a picture read, nothing else.
cat >"$work/floor.cpp" <<'EOF'
#include <QCoreApplication>
#include <QImage>
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return QImage(QCoreApplication::arguments().at(1)).isNull() ? 1 : 0;
}
EOF
g++ -std=c++20 -O2 -fPIC "$work/floor.cpp" -o "$work/floor" \
    $(pkg-config --cflags --libs Qt6Gui Qt6Core)

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
cases=(
    "floor|$work/floor $work/pixel.png"
    "picture png|$program picture $work/pixel.png"
    "picture bmp|$program picture $work/pixel.bmp"
    "picture tga|$program picture $work/pixel.tga"
    "render 16x16 png|$program render --page 16x16 --output $work/page.png"
)

# What /usr/bin/time reports, to the microsecond rather than the hundredth of a second:
# one line "CPU-ms RSS-kB" for one run of the command.
measure() {
    python3 -c '
import os, subprocess, sys
child = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL)
_, status, usage = os.wait4(child.pid, 0)
if status:
    sys.exit("failed: " + " ".join(sys.argv[1:]))
print("%.2f %d" % ((usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss))' "$@"
}

# The runs of each case, in $work/<index>.
for ((round = 0; round < rounds; round++)); do
    for index in "${!cases[@]}"; do
        measure ${cases[$index]#*|} >>"$work/$index"
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '%-18s %10s %10s %12s %10s\n' case cpu-ms rss-MB cpu/floor rss/floor
floor_cpu=$(cut -d' ' -f1 "$work/0" | median)
floor_rss=$(cut -d' ' -f2 "$work/0" | median)
for index in "${!cases[@]}"; do
    cpu=$(cut -d' ' -f1 "$work/$index" | median)
    rss=$(cut -d' ' -f2 "$work/$index" | median)
    awk -v name="${cases[$index]%%|*}" -v cpu="$cpu" -v rss="$rss" -v fc="$floor_cpu" \
        -v fr="$floor_rss" 'BEGIN {
            printf "%-18s %10.1f %10.1f %12.2f %10.2f\n", name, cpu, rss / 1024,
                   (fc > 0 ? cpu / fc : 0), rss / fr }'
done
echo "medians of $rounds rounds"

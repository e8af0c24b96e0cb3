#!/bin/bash
# Start-up cost of the headless verbs on tiny inputs, where start-up is nearly all of the work.
# Prints the median CPU time (user + system) and peak memory of each over ROUNDS runs, beside
# the same for a minimal program of the toolkit that does the least of the same work, measured
# in the same run and interleaved with it, so that a busy machine slows both alike: the core
# reading a picture for the verbs that read files, the drawing part writing a white PNG of a
# thumbnail's size for the verbs that draw. Then, where Xvfb is installed, the time until the
# window is mapped and the CPU spent by then, beside a minimal program showing one label.
#
#   bench/startup.sh BUILD/lineavo-pressolo [ROUNDS]
set -euo pipefail

program=$(realpath "${1:?usage: $0 PROGRAM [ROUNDS]}")
rounds=${2:-9}
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
xvfb=
trap '[[ -z $xvfb ]] || kill $xvfb; rm -rf "$work"' EXIT

# A white pixel in each format the program reads without help: BMP and TGA by hand, PNG by the
# program itself.
printf 'BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0\x04\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\xff\xff\xff\0' \
    >"$work/pixel.bmp"
printf '\0\0\x02\0\0\0\0\0\0\0\0\0\x01\0\x01\0\x18\0\xff\xff\xff' >"$work/pixel.tga"
"$program" picture "$work/pixel.bmp" --output "$work/pixel.png" >/dev/null

# The floors: the toolkit's core started and a picture read; its drawing part started and a
# white page written as PNG; its widgets started and one label shown.
cat >"$work/floor.cpp" <<'EOF'
#include <QCoreApplication>
#include <QImage>
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return QImage(QCoreApplication::arguments().at(1)).isNull() ? 1 : 0;
}
EOF
cat >"$work/gui_floor.cpp" <<'EOF'
#include <QGuiApplication>
#include <QImage>
int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QImage page(90, 128, QImage::Format_RGB32);
    page.fill(Qt::white);
    return page.save(QGuiApplication::arguments().at(1)) ? 0 : 1;
}
EOF
cat >"$work/label.cpp" <<'EOF'
#include <QApplication>
#include <QLabel>
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Lineavo"));
    label.show();
    return app.exec();
}
EOF
for floor in floor:Qt6Gui gui_floor:Qt6Gui label:Qt6Widgets; do
    g++ -std=c++20 -O2 -fPIC "$work/${floor%:*}.cpp" -o "$work/${floor%:*}" \
        $(pkg-config --cflags --libs "${floor#*:}")
done

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
# The program keeps its settings and calibration in a home of its own here.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
# Each case is "name|floor|command", the floor being the index of the case it is set against.
cases=(
    "floor|0|$work/floor $work/pixel.png"
    "picture png|0|$program picture $work/pixel.png"
    "picture bmp|0|$program picture $work/pixel.bmp"
    "picture tga|0|$program picture $work/pixel.tga"
    "gui floor|4|$work/gui_floor $work/floor.png"
    "render 16x16 png|4|$program render --page 16x16 --output $work/page.png"
    "render thumbnail|4|$program render --thumbnail 128 --output $work/thumbnail.png"
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
        measure ${cases[$index]#*|*|} >>"$work/$index"
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# The median of column $2 of the runs in file $1.
column_median() { cut -d' ' -f"$2" "$1" | median; }

printf '%-18s %10s %10s %12s %10s\n' case cpu-ms rss-MB cpu/floor rss/floor
for index in "${!cases[@]}"; do
    floor=${cases[$index]#*|}
    floor=${floor%%|*}
    awk -v name="${cases[$index]%%|*}" -v cpu="$(column_median "$work/$index" 1)" \
        -v rss="$(column_median "$work/$index" 2)" -v fc="$(column_median "$work/$floor" 1)" \
        -v fr="$(column_median "$work/$floor" 2)" 'BEGIN {
            printf "%-18s %10.1f %10.1f %12.2f %10.2f\n", name, cpu, rss / 1024,
                   (fc > 0 ? cpu / fc : 0), rss / fr }'
done
echo "medians of $rounds rounds"

command -v Xvfb >/dev/null || { echo "No Xvfb: the window is not measured."; exit 0; }
gcc -O2 "$here/window_mapped.c" -o "$work/window_mapped" $(pkg-config --cflags --libs x11)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
while [[ ! -s "$work/display" ]]; do sleep 0.05; done
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb
windows=("label|$work/label" "window|$program")
for ((round = 0; round < rounds; round++)); do
    for index in "${!windows[@]}"; do
        "$work/window_mapped" ${windows[$index]#*|} >>"$work/window$index"
    done
done
printf '%-18s %10s %10s %12s %10s\n' window mapped-ms cpu-ms mapped/label cpu/label
for index in "${!windows[@]}"; do
    awk -v name="${windows[$index]%%|*}" -v wall="$(column_median "$work/window$index" 1)" \
        -v cpu="$(column_median "$work/window$index" 2)" \
        -v lw="$(column_median "$work/window0" 1)" -v lc="$(column_median "$work/window0" 2)" \
        'BEGIN { printf "%-18s %10.1f %10.1f %12.2f %10.2f\n", name, wall, cpu, wall / lw, cpu / lc }'
done
echo "medians of $rounds rounds"

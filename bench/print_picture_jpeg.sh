#!/usr/bin/env bash
# `print-picture` of a photo-like 4000 x 3000 JPEG (gradients under noise): CPU time (user +
# system) of the whole process and the size of the document it spools, for this program and
# another build of it, whole processes interleaved in one run; prints the medians of ROUNDS
# rounds and their ratios. Needs the print server (scripts/start-cups.sh), root for lpadmin,
# and python3-pil.
#
# The jobs go to a queue of their own like the tests' PDF queue but stopped, so that the print
# server only spools them and its filters do not take the CPU while the programs are measured;
# the jobs and the queue are removed at the end.
#
#   bench/print_picture_jpeg.sh PROGRAM BASELINE_PROGRAM [ROUNDS]
set -euo pipefail
program=$(realpath "${1:?usage: $0 PROGRAM BASELINE_PROGRAM [ROUNDS]}")
baseline=$(realpath "${2:?usage: $0 PROGRAM BASELINE_PROGRAM [ROUNDS]}")
rounds=${3:-5}
python=${PYTHON:-/usr/bin/python3} # the system's, where the package installs PIL
"$python" -c "import PIL" 2>/dev/null || { echo "python3-pil is not installed" >&2; exit 1; }
queue=LineavoBench
spool=/var/spool/cups # where the print server keeps the documents of its jobs
work=$(mktemp -d)
cleanup() {
    cancel -a "$queue" 2>/dev/null || true
    lpadmin -x "$queue" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

lpadmin -p "$queue" -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o Resolution=1200dpi \
    2> >(grep -v deprecated >&2)
cupsaccept "$queue"
cupsdisable "$queue"

"$python" - "$work/photo.jpg" <<'EOF'
import sys
from PIL import Image, ImageChops
w, h = 4000, 3000
down = Image.linear_gradient('L').resize((w, h))
across = down.transpose(Image.Transpose.ROTATE_90).resize((w, h))
def noisy(base, sigma):
    return ImageChops.add(ImageChops.multiply(base, Image.new('L', (w, h), 200)),
                          Image.effect_noise((w, h), sigma), offset=-40)
channels = [noisy(across, 30), noisy(down, 40), noisy(ImageChops.invert(across), 20)]
Image.merge('RGB', channels).save(sys.argv[1], quality=90)
EOF

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
newest_job() { lpstat -W all -o "$queue" | sed -E 's/^[^ ]*-([0-9]+) .*/\1/' | sort -n | tail -1; }
# One line "CPU-seconds spooled-bytes" for one run of the program.
measure() {
    /usr/bin/time -f '%U %S' -o "$work/time" "$1" print-picture --printer "$queue" \
        "$work/photo.jpg" >/dev/null 2>&1
    local document
    document=$(printf '%s/d%05d-001' "$spool" "$(newest_job)")
    echo "$(awk '{ print $1 + $2 }' "$work/time") $(stat -c %s "$document")"
}

for ((round = 0; round < rounds; ++round)); do
    measure "$program" >>"$work/ours"
    measure "$baseline" >>"$work/baseline"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
jpeg=$(stat -c %s "$work/photo.jpg")
printf '%-10s %8s %14s %12s\n' program cpu-s spooled-bytes x-jpeg-size
for name in ours baseline; do
    awk -v name="$name" -v cpu="$(cut -d' ' -f1 "$work/$name" | median)" \
        -v size="$(cut -d' ' -f2 "$work/$name" | median)" -v jpeg="$jpeg" \
        'BEGIN { printf "%-10s %8.2f %14d %12.2f\n", name, cpu, size, size / jpeg }'
done
awk -v oc="$(cut -d' ' -f1 "$work/ours" | median)" -v bc="$(cut -d' ' -f1 "$work/baseline" | median)" \
    -v os="$(cut -d' ' -f2 "$work/ours" | median)" -v bs="$(cut -d' ' -f2 "$work/baseline" | median)" \
    'BEGIN { printf "ratio ours/baseline: cpu %.3f, spooled size %.3f\n", oc / bc, os / bs }'
echo "medians of $rounds rounds; the JPEG is $jpeg bytes"

#!/usr/bin/env bash
# Opening a photo-like 4000 x 3000 GIF of 256 colours with the `picture` verb: CPU time (user +
# system) beside peers that decode the same file, whole processes interleaved in one run, and
# peak memory as a ratio to the 8-bit picture (4000 x 3000 bytes), whole and above what the
# program holds opening a GIF of one pixel. Prints the medians of ROUNDS rounds. The peers are another build of the program (OLD, e.g. one that decoded GIFs through
# Qt), PIL, and ImageMagick's convert and GraphicsMagick's gm where they are installed. Needs
# python3-pil to write the picture.
#   bench/gif_open.sh [PROGRAM] [ROUNDS] [OLD]
set -euo pipefail
program=$(realpath "${1:-build/lineavo-pressolo}")
rounds=${2:-7}
old=${3:-}
python=${PYTHON:-/usr/bin/python3} # the system's, where the package installs PIL
"$python" -c "import PIL" 2>/dev/null || { echo "python3-pil is not installed" >&2; exit 1; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$folder"

# Gradients across and down, noise in blue, reduced to 256 colours with dithering, as a
# photograph is.
"$python" - "$folder/photo.gif" <<'PY'
import sys
from PIL import Image
w, h = 4000, 3000
across = Image.linear_gradient("L").rotate(90).resize((w, h))
down = Image.linear_gradient("L").resize((w, h))
noise = Image.effect_noise((w, h), 48)
Image.merge("RGB", (across, down, noise)).quantize(256).save(sys.argv[1])
PY
file="$folder/photo.gif"
printf 'GIF89a\1\0\1\0\200\0\0\0\0\0\377\377\377,\0\0\0\0\1\0\1\0\0\2\2D\1\0;' >"$folder/pixel.gif"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# Runs the command once; appends its CPU seconds to $1.cpu and its peak kilobytes to $1.peak.
measure() {
    local name=$1
    shift
    /usr/bin/time -f '%U %S %M' -o "$folder/time" "$@" >/dev/null
    awk '{ print $1 + $2 }' "$folder/time" >>"$folder/$name.cpu"
    awk '{ print $3 }' "$folder/time" >>"$folder/$name.peak"
}

declare -A commands=(
    [ours]="$program picture $file"
    [pixel]="$program picture $folder/pixel.gif"
    [pil]="$python -c 'from PIL import Image; Image.open(\"$file\").load()'"
)
[[ -z $old ]] || commands[old]="$old picture $file"
# Only the real tools: a stand-in of the same name that does something else is no peer.
if convert -version 2>/dev/null | grep -q '^Version: ImageMagick'; then
    commands[convert]="convert $file null:"
fi
if gm version 2>/dev/null | grep -q '^GraphicsMagick'; then
    commands[gm]="gm convert $file null:"
fi

for ((round = 0; round < rounds; ++round)); do
    for name in "${!commands[@]}"; do
        measure "$name" bash -c "exec ${commands[$name]}"
    done
done

ours=$(median <"$folder/ours.cpu")
picture_kb=$((4000 * 3000 / 1024))
awk -v ours="$(median <"$folder/ours.peak")" -v pixel="$(median <"$folder/pixel.peak")" \
    -v picture="$picture_kb" 'BEGIN {
    printf "ours above one pixel: %.0f MB (%.2f x the 8-bit picture)\n",
           (ours - pixel) * 1024 / 1e6, (ours - pixel) / picture }'
unset 'commands[pixel]'
for name in "${!commands[@]}"; do
    awk -v name="$name" -v cpu="$(median <"$folder/$name.cpu")" -v ours="$ours" \
        -v kb="$(median <"$folder/$name.peak")" -v picture="$picture_kb" 'BEGIN {
        printf "%-8s CPU %.3f s (ours / it %.2f), peak %.0f MB (%.2f x the 8-bit picture)\n",
               name, cpu, ours / cpu, kb * 1024 / 1e6, kb / picture }'
done

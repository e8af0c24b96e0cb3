#!/usr/bin/env bash
# CPU time of `render` to PNG (A4 at 600 dpi) against a Python process that writes a white PNG
# of the same size with PIL, whole processes interleaved in one run; prints the medians of
# ROUNDS rounds and their ratio for each design. Needs python3-pil.
#   bench/png_vs_pil.sh [PROGRAM] [ROUNDS] [DESIGN.lvo...]
set -euo pipefail
program=${1:-build/lineavo-pressolo}
rounds=${2:-5}
python=${PYTHON:-/usr/bin/python3} # the system's, where the package installs PIL
shift $(($# < 2 ? $# : 2))
designs=("$@")
[[ ${#designs[@]} -gt 0 ]] || designs=("")
"$python" -c "import PIL" 2>/dev/null || { echo "python3-pil is not installed" >&2; exit 1; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
cpu_seconds() { # the user and system time of the command
    /usr/bin/time -f '%U %S' -o "$folder/time" "$@" >/dev/null
    awk '{ print $1 + $2 }' "$folder/time"
}

for design in "${designs[@]}"; do
    args=(render --output "$folder/page.png" --dpi 600 --calibration 0,0,100,100)
    [[ -z $design ]] || args+=("$design")
    : >"$folder/ours"
    : >"$folder/pil"
    for ((round = 0; round < rounds; ++round)); do
        cpu_seconds "$program" "${args[@]}" >>"$folder/ours"
        read -r width height < <(od -An -tu4 -j16 -N8 --endian=big "$folder/page.png")
        cpu_seconds "$python" -c "from PIL import Image
Image.new('RGB', ($width, $height), 'white').save('$folder/white.png')" >>"$folder/pil"
    done
    ours=$(median <"$folder/ours")
    pil=$(median <"$folder/pil")
    awk -v name="${design:-New}" -v ours="$ours" -v pil="$pil" -v size="$(stat -c %s "$folder/page.png")" \
        'BEGIN { printf "%s: render %.2f s (%d bytes), PIL %.2f s, ratio %.2f\n",
                 name, ours, size, pil, ours / pil }'
done

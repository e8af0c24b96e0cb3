#!/usr/bin/env bash
# Renders a set of designs as PNG, BMP, thumbnail and tablet PNG with two builds of the program
# and compares the files byte for byte: a change in how raster files are drawn and written
# must leave every pixel and every byte as it was.
#   bench/raster_files_identical.sh OLD_PROGRAM [NEW_PROGRAM] [DPI...]
set -euo pipefail
old=$(realpath "$1")
new=$(realpath "${2:-build/lineavo-pressolo}")
shift $(($# < 2 ? $# : 2))
dpis=("${@:-150 600 1200}")
read -ra dpis <<<"${dpis[*]}"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"

# A logo of smooth colours and a texture tile of sharp ones, as uncompressed BMPs.
python3 - <<'PY'
import struct
def bmp(name, w, h, pixel):
    row = (w * 3 + 3) // 4 * 4
    data = bytearray()
    for y in reversed(range(h)):
        line = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    open(name, 'wb').write(header + info + data)
bmp('logo.bmp', 211, 157, lambda x, y: (x * 255 // 210, y * 255 // 156, (x * y) % 256))
bmp('tile.bmp', 37, 29, lambda x, y: ((200, 40, 40) if (x // 5 + y // 4) % 2 else (250, 240, 200)))
PY

designs=()
for preset in dots isometric hex cornell seyes; do
    "$old" save "$preset.lvo" --preset "$preset"
    designs+=("$preset")
done
pictures=(--set FilenameEdit1=logo.bmp --set BreitEd=6 --set HochEd=4
    --set FilenameEdit2=tile.bmp --set "Edit1=Name and date, drawn over two bands")
"$old" save xor.lvo --preset hex "${pictures[@]}" --set Merge1Check=on
"$old" save not.lvo --preset isometric "${pictures[@]}" --set Merge2Check=on
designs+=(xor not)

failures=0
compare() { # NAME ARGUMENTS... (the output file's name is NAME)
    local name=$1
    shift
    if ! "$old" render "$@" --output "old-$name" >/dev/null 2>&1 ||
        ! "$new" render "$@" --output "new-$name" >/dev/null 2>&1; then
        echo "FAILED    $name"
        failures=$((failures + 1))
    elif cmp -s "old-$name" "new-$name"; then
        echo "same      $name"
    else
        echo "DIFFERENT $name"
        failures=$((failures + 1))
    fi
    rm -f "old-$name" "new-$name"
}

for design in "${designs[@]}"; do
    for dpi in "${dpis[@]}"; do
        for format in png bmp; do
            compare "$design-$dpi.$format" "$design.lvo" --dpi "$dpi" --calibration 0,0,100,100
        done
    done
    for format in png bmp; do
        compare "$design-zoom.$format" "$design.lvo" --zoom 150 --calibration 0,0,100,100
    done
    compare "$design-thumbnail.png" "$design.lvo" --thumbnail 256 --calibration 0,0,100,100
    compare "$design-tablet.png" "$design.lvo" --device remarkable-2
    compare "$design-tablet-toolbar.png" "$design.lvo" --device kindle-scribe --landscape \
        --toolbar-margin 37 --snap-pixels
done
echo "$failures different or failed"
[[ $failures -eq 0 ]]

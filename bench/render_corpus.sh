#!/usr/bin/env bash
# Renders a corpus of designs with one build of the program and prints a checksum per file, so
# that two builds can be compared: a change that should not move a pixel shows no difference.
#
#   bash bench/render_corpus.sh OLD/lineavo-pressolo > old.sums
#   bash bench/render_corpus.sh build/lineavo-pressolo > new.sums
#   diff old.sums new.sums
#
# Every preset, alone and with a logo, a texture merged by XOR or NOT, free text, page numbers,
# mirrored margins and holes, as PNG, BMP, exact PDF (creation date removed), the preview at
# 150 % and a thumbnail, at 150 and 600 dpi, with a calibration that scales the axes apart.
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export XDG_CONFIG_HOME="$work/config"

# Pictures of their own, so that the corpus needs no file from outside.
/usr/bin/python3 - <<'EOF'
from PIL import Image
logo = Image.new("RGB", (60, 40), "white")
for x in range(60):
    for y in range(40):
        if (x // 6 + y // 5) % 2:
            logo.putpixel((x, y), (200, 30, 30))
logo.save("logo.png")
texture = Image.new("RGB", (24, 24), (230, 236, 242))
for i in range(24):
    texture.putpixel((i, i), (120, 140, 160))
texture.save("texture.png")
EOF

variants=(
    "plain:"
    "pictures:--set FilenameEdit1=logo.png --set FilenameEdit2=texture.png --set Edit1=Notes"
    "xor:--set FilenameEdit2=texture.png --set Merge1Check=on"
    "not:--set FilenameEdit2=texture.png --set Merge2Check=on"
    "notebook:--set PageNumberBottomOutside=on --set MirrorCheck=on --set TwoHoles80=on --set RulerCheck=on --set LeftBorderEd=3 --set LeftBorderLineCheck=on"
)
presets=$("$program" save --help 2>&1 | sed -n 's/.*A preset (\([^)]*\)).*/\1/p' | tr -d ',')
[ -n "$presets" ] || presets="college wide seyes engineering dots handwriting music millimetre isometric hex cornell copperplate"

# Prints the checksum of a rendered file and removes it: a corpus of 600 dpi pages would fill a
# disk otherwise. A PDF's dates differ from run to run.
sum_of() {
    case "$1" in *.pdf) sed -i -e '/\/CreationDate/d' -e '/\/ModDate/d' "$1" ;; esac
    sha256sum "$1"
    rm -f "$1"
}

for preset in $presets; do
    for variant in "${variants[@]}"; do
        name="$preset-${variant%%:*}"
        # shellcheck disable=SC2086
        "$program" save "$name.lvo" --preset "$preset" ${variant#*:} >/dev/null
        for dpi in 150 600; do
            for suffix in png bmp pdf; do
                "$program" render "$name.lvo" --output "$name-$dpi.$suffix" --dpi "$dpi" \
                    --calibration 1.5,0,99,101 2>/dev/null
                sum_of "$name-$dpi.$suffix"
            done
        done
        "$program" render "$name.lvo" --output "$name-zoom.png" --zoom 150 2>/dev/null
        "$program" render "$name.lvo" --output "$name-thumb.png" --thumbnail 256 2>/dev/null
        "$program" render "$name.lvo" --output "$name-book.pdf" --pages 2 --dpi 150 2>/dev/null
        for file in "$name.lvo" "$name-zoom.png" "$name-thumb.png" "$name-book.pdf"; do
            sum_of "$file"
        done
    done
done

#!/usr/bin/env bash
# Builds the Debian package in build/ (or $BUILD_DIR), checks that an installation holds every
# file a desktop needs, installs the package into this machine and checks it as a desktop
# would use it: the program on PATH, the menu entry, the software centre's description, the
# thumbnailer and the design's file type. The package is removed at the end, also on failure.
# Run as root (or with sudo available).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
package=lineavo-pressolo
deb="$PWD/$build_dir/${package}_1.0_amd64.deb"

bash scripts/install-dependencies.sh
BUILD_DIR="$build_dir" bash scripts/build.sh
rm -f "$deb"
(cd "$build_dir" && cpack -G DEB >/dev/null)
[[ -f "$deb" ]] || { echo "cpack made no $deb." >&2; exit 1; }

work=$(mktemp -d)
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
source scripts/apt-lock.sh
export DEBIAN_FRONTEND=noninteractive
remove_package() {
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        wait_for_lock
        "${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 purge -y -qq "$package" >/dev/null
    fi
    rm -rf "$work"
}
trap remove_package EXIT

fail() {
    echo "package.sh: $*" >&2
    exit 1
}

echo "== The installed files"
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
manifest=(
    bin/lineavo-pressolo
    lib/lineavo-pressolo/liblineavo-pressolo-window.so
    share/applications/lineavo-pressolo.desktop
    share/mime/packages/lineavo-pressolo.xml
    share/metainfo/com.tolvane.lineavopressolo.metainfo.xml
    share/man/man1/lineavo-pressolo.1
    share/thumbnailers/lineavo-pressolo.thumbnailer
)
for icon in apps/lineavo-pressolo mimetypes/application-x-lineavo-design; do
    manifest+=("share/icons/hicolor/scalable/$icon.svg")
    for size in 16 32 48 64 128 256; do
        manifest+=("share/icons/hicolor/${size}x$size/$icon.png")
    done
done
for file in "${manifest[@]}"; do
    [[ -s "$work/prefix/$file" ]] || fail "the installation lacks $file."
done
installed=$(cd "$work/prefix" && find . -type f | wc -l)
((installed == ${#manifest[@]})) ||
    fail "the installation has $installed files, not the ${#manifest[@]} expected."

echo "== Installing $deb"
dpkg-deb --field "$deb" Depends | grep -q "libqt6widgets6" ||
    fail "the package's dependencies were not worked out from the program."
wait_for_lock
"${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq "$deb" >/dev/null

echo "== Checking the installed package"
[[ "$(command -v lineavo-pressolo)" == /usr/bin/lineavo-pressolo ]] ||
    fail "lineavo-pressolo on PATH is $(command -v lineavo-pressolo || echo nothing)."
# Read whole: a reader that stops at the first line would cut the program off mid-write.
[[ "$(lineavo-pressolo --help)" == Usage:* ]] || fail "lineavo-pressolo --help says no usage."
# The window and the verbs that print live in a library that the program loads from its own
# folder: a print verb's usage error comes from there (2), a library not found is a failure (1).
status=0
lineavo-pressolo print --copies 0 2>/dev/null || status=$?
((status == 2)) || fail "the program's window and printing part did not load (status $status)."
desktop-file-validate /usr/share/applications/lineavo-pressolo.desktop
appstreamcli validate --no-net /usr/share/metainfo/com.tolvane.lineavopressolo.metainfo.xml \
    >/dev/null

# The thumbnailer as a file manager calls it, for a design whose picture is missing and an
# output name without a suffix.
design="$work/grid.lvo"
lineavo-pressolo save "$design" --set KariertCheck=on --set FilenameEdit1=missing.png
read -r -a command <<<"$(sed -n 's/^Exec=//p' /usr/share/thumbnailers/$package.thumbnailer)"
for index in "${!command[@]}"; do
    case "${command[index]}" in
    %s) command[index]=128 ;;
    %i) command[index]="$design" ;;
    %o) command[index]="$work/thumbnail" ;;
    esac
done
"${command[@]}"
# A4 at its longer side of 128 pixels: 128 x 4960 / 7015 wide, truncated.
thumbnail=$(lineavo-pressolo picture "$work/thumbnail" | tr -d ' \n')
[[ "$thumbnail" == *'"format":"PNG","height":128,"width":90}' ]] ||
    fail "the thumbnail is not a PNG of 90 x 128 pixels: $thumbnail"

"${as_root[@]}" update-mime-database /usr/share/mime
type=$(xdg-mime query filetype "$design")
[[ "$type" == application/x-lineavo-design ]] || fail "xdg-mime takes $design for $type."

echo "The package $deb installs and works."

#!/usr/bin/env bash
# Starts the program under a virtual X server, saves a picture of each of the six pages into
# docs/screenshots/ and says how long it took from start to the window on the screen.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
program="$build_dir/lineavo-pressolo"
out_dir=docs/screenshots

missing=()
for tool in Xvfb:xvfb xdotool:xdotool xwd:x11-apps xwdtopnm:netpbm xwininfo:x11-utils; do
    command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
done
if ((${#missing[@]})); then
    if [[ $(id -u) -ne 0 ]]; then
        echo "Please install: ${missing[*]}" >&2
        exit 1
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
fi
[[ -x "$program" ]] || BUILD_DIR="$build_dir" bash scripts/build.sh

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
# The server picks a free display number and writes it to the file.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=
cleanup() {
    [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 200); do
    [[ -s "$display_file" ]] && break
    sleep 0.05
done
if [[ ! -s "$display_file" ]]; then
    echo "The virtual X server did not start." >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$display_file")"

title="Tolvane Lineavo-Pressolo 1.0"
start_ns=$(date +%s%N)
"$program" &
program_pid=$!
window=
for _ in $(seq 1000); do
    window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1 || true)
    [[ -n "$window" ]] && break
    sleep 0.005
done
if [[ -z "$window" ]]; then
    echo "The window did not appear." >&2
    exit 1
fi
# Painted once the header strip of the first page shows its tan colour.
header_pixel() {
    xwd -silent -id "$window" 2>/dev/null | xwdtopnm 2>/dev/null |
        pamcut -left 300 -top 65 -width 1 -height 1 2>/dev/null | pnmtoplainpnm 2>/dev/null |
        tail -n1 | xargs
}
for _ in $(seq 500); do
    [[ "$(header_pixel)" == "240 202 166" ]] && break
    sleep 0.005
done
painted_ns=$(date +%s%N)
echo "Start-up to the first painted window: $(((painted_ns - start_ns) / 1000000)) ms"

capture() {
    xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng >"$out_dir/$1.png"
}

mkdir -p "$out_dir"
pages=(basic-settings edges insert-picture background-texture free-text print)
# A click into the first page's line spacing gives the pages the keyboard; Ctrl+Tab then
# turns them. The window settles in its place first.
sleep 0.5
xdotool mousemove --window "$window" 360 196 click 1 mousemove --window "$window" 0 0
sleep 0.3
for index in "${!pages[@]}"; do
    if ((index > 0)); then
        xdotool key ctrl+Tab
        sleep 0.3
    fi
    capture "$((index + 1))-${pages[index]}"
done
echo "Saved ${#pages[@]} pictures in $out_dir/"

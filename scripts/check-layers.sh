#!/usr/bin/env bash
# Checks that every source folder includes only the folders below it, as the README's layout
# table says. The libraries' links keep the core from reaching a printer or a widget; this
# keeps the folders inside one library in their order too. Prints each include that goes up
# a layer and exits 1 if there is one.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A may_include=(
    [settings]=""
    [render]="settings"
    [document]="settings"
    [picture]="settings render document"
    [calibration]="settings render document"
    [output]="settings render document picture"
    [verbs]="settings render document picture calibration output"
    [printing]="settings render document picture calibration output"
    [ui]="settings"
)

status=0
while IFS= read -r file; do
    folder=$(dirname "$file")
    base=${folder%/ui}
    [ "$base" = app ] && continue # the top: it wires everything together
    allowed="$folder ${may_include[$base]-?} "
    # A window or dialog may use its own folder's core, the printer and the shared widgets.
    [ "$folder" != "$base" ] && allowed+="$base printing ui settings/ui"
    while IFS= read -r included; do
        target=${included%%/*}
        [[ $included == */ui/* ]] && target+=/ui
        if [[ " $allowed " != *" $target "* ]]; then
            echo "$file includes \"$included\": $folder may not include $target."
            status=1
        fi
    done < <(sed -n 's/^#include "\([a-z_]*\/[^"]*\)"/\1/p' "$file")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | grep / | sort)
exit $status

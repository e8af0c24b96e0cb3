#!/usr/bin/env bash
# Checks that every source folder includes only the folders below it:
#
#   base -> settings -> document, calibration -> render -> picture -> page -> output
#        -> printing -> viewer, widgets -> cli -> app
#
# The libraries' links keep the core from reaching a printer or a widget; this keeps the
# folders inside one library in their order too, so that no two folders include each other.
# A window or dialog (X/ui) may use its own folder, what its folder may use, the printer and
# the widgets; the printing verbs (cli/printing) may use the printer and the viewer. Prints
# each include that goes up a layer and exits 1 if there is one.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A may_include=(
    [base]=""
    [settings]="base"
    [document]="base settings"
    [calibration]="base settings"
    [render]="base settings"
    [picture]="base settings render"
    [page]="base settings render picture"
    [output]="base settings document calibration render picture page"
    [printing]="base settings document calibration render picture page output"
    [viewer]="base settings render picture printing"
    [widgets]="base settings"
    [cli]="base settings document calibration render picture page output"
)

status=0
while IFS= read -r file; do
    folder=$(dirname "$file")
    base=${folder%/ui}
    base=${base%/printing}
    base=${base%/link_check}
    [ "$base" = app ] && continue # the top: it wires everything together
    allowed="$folder ${may_include[$base]-?} "
    [ "$folder" = "$base/ui" ] && allowed+="$base printing widgets"
    [ "$folder" = cli/printing ] && allowed+="cli printing viewer"
    while IFS= read -r included; do
        target=$(dirname "$included")
        if [[ " $allowed " != *" $target "* ]]; then
            echo "$file includes \"$included\": $folder may not include $target."
            status=1
        fi
    done < <(sed -n 's/^#include "\([a-z_]*\/[^"]*\)"/\1/p' "$file")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | grep / | sort)
exit $status

#!/usr/bin/env bash
# Starts the print server for the print tests, if it is not running yet, with the PDF queue
# as the default printer, and waits until that queue accepts jobs. Needs root for cupsd and
# lpadmin. The queue writes each job as a PDF named after the job's title and number into
# $HOME/PDF of the job's owner, or, for an owner the system does not know (the tests print as
# such users, each its own), into /var/spool/cups-pdf/ANONYMOUS.
set -euo pipefail

queue=PDF
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi

server_answers() {
    lpstat -r 2>/dev/null | grep -q "scheduler is running"
}

wait_for() {
    local what="$1"
    shift
    for _ in $(seq 1 100); do
        if "$@"; then
            return 0
        fi
        sleep 0.1
    done
    echo "start-cups.sh: $what after 10 seconds." >&2
    return 1
}

if ! server_answers; then
    # cupsd forks into the background once it listens.
    "${as_root[@]}" /usr/sbin/cupsd
    wait_for "the print server does not answer" server_answers
fi

ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
add_queue() {
    if ! lpstat -p "$1" >/dev/null 2>&1; then
        # lpadmin warns that printer drivers are deprecated; the PDF queue still needs one.
        "${as_root[@]}" lpadmin -p "$1" -v cups-pdf:/ -E -m "$ppd" 2> >(grep -v deprecated >&2)
    fi
}
add_queue "$queue"
# A queue left stopped or rejecting by an earlier run would swallow the tests' jobs.
"${as_root[@]}" cupsenable "$queue"
"${as_root[@]}" cupsaccept "$queue"
"${as_root[@]}" lpadmin -d "$queue"
# The tests print at 1200 dpi, where a page is largest.
"${as_root[@]}" lpadmin -p "$queue" -o Resolution=1200dpi

# A second PDF queue, for printing one design on two printers of different calibrations. Its
# files go where the first queue's go; the print tests tell them apart by the job's number.
add_queue LineavoSecondPdf
"${as_root[@]}" cupsenable LineavoSecondPdf
"${as_root[@]}" cupsaccept LineavoSecondPdf
"${as_root[@]}" lpadmin -p LineavoSecondPdf -o Resolution=300dpi

# Two queues on which the print tests see jobs refused: one that rejects every job, and one
# that takes jobs from nobody but the user "nobody", so that it refuses the job itself.
add_queue LineavoRejecting
"${as_root[@]}" cupsreject -r "Closed for the print tests." LineavoRejecting
add_queue LineavoForbidden
"${as_root[@]}" lpadmin -p LineavoForbidden -u allow:nobody

# The PDF queue stands for a printer whose raster path keeps every pixel. Its Ghostscript run
# would otherwise downsample pictures above 450 ppi to 300 ppi (the "prepress" settings) and
# may choose JPEG for grey ones, so a picture printed at 600 or 1200 dpi would no longer be
# what was sent. The default settings downsample nothing. The line goes at the top: cups-pdf
# leaves the last line it read in the buffer of the job's title, whose file name then takes
# the rest of a long line.
conf=/etc/cups/cups-pdf.conf
gs_call='GSCall %s -q -dCompatibilityLevel=%s -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite'
gs_call+=' -sOutputFile="%s" -dAutoFilterColorImages=false -dColorImageFilter=/FlateEncode'
gs_call+=' -dAutoFilterGrayImages=false -dGrayImageFilter=/FlateEncode -c -f %s'
if [ -f "$conf" ] && [ "$(head -n 1 "$conf")" != "$gs_call" ]; then
    "${as_root[@]}" sed -i -e '/^GSCall /d' -e "1i $gs_call" "$conf"
fi

queue_accepts() {
    lpstat -a "$queue" 2>/dev/null | grep -q "accepting requests"
}
wait_for "the queue $queue does not accept jobs" queue_accepts
mkdir -p "$HOME/PDF"

#!/usr/bin/env bash
# Starts the print server for the print tests, if it is not running yet, with the PDF queue
# as the default printer, and waits until that queue accepts jobs. Needs root for cupsd and
# lpadmin. The queue writes each job as a PDF into $HOME/PDF of the job's owner.
set -euo pipefail

queue="${LINEAVO_TEST_QUEUE:-PDF}"
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

if ! lpstat -p "$queue" >/dev/null 2>&1; then
    "${as_root[@]}" lpadmin -p "$queue" -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
fi
# A queue left stopped or rejecting by an earlier run would swallow the tests' jobs.
"${as_root[@]}" cupsenable "$queue"
"${as_root[@]}" cupsaccept "$queue"
"${as_root[@]}" lpadmin -d "$queue"

queue_accepts() {
    lpstat -a "$queue" 2>/dev/null | grep -q "accepting requests"
}
wait_for "the queue $queue does not accept jobs" queue_accepts
mkdir -p "$HOME/PDF"

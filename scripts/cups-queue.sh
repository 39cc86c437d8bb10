#!/usr/bin/env bash
# Installs and starts CUPS with a queue that writes every job to a file, for the test that
# prints through a real print system. Prints the queue's name and output file as shell
# assignments: eval "$(scripts/cups-queue.sh)".
set -euo pipefail
queue=RotamTestQueue
output=/var/tmp/rotam-cups-output.pdf

"$(dirname "$0")/setup.sh" cups cups-client cups-filters >&2

# lpstat -r exits 0 whether or not the scheduler runs; only its words tell.
scheduler_running() { lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; }
wait_for_scheduler() {
    for _ in $(seq 50); do scheduler_running && return; sleep 0.2; done
    echo "cups-queue: the CUPS scheduler did not come up" >&2
    exit 1
}

# A queue may only write to a file when the server allows file devices. The scheduler reads
# that setting when it starts or is told to reload, so a running one has to be told.
files_conf=/etc/cups/cups-files.conf
if ! grep -q '^FileDevice Yes' "$files_conf"; then
    sed -i '/^#\?FileDevice/d' "$files_conf"
    echo 'FileDevice Yes' >>"$files_conf"
    if scheduler_running; then
        if [ -d /run/systemd/system ]; then
            systemctl restart cups
        else
            kill -HUP "$(pgrep -xo cupsd)"
            sleep 1
        fi
    fi
fi
if ! scheduler_running; then
    cupsd
fi
wait_for_scheduler

: >"$output"
chmod 666 "$output"
# The Generic PDF Printer model hands the job on as PDF (behind a PJL header).
model=$(lpinfo -m 2>/dev/null | awk '/Generic PDF Printer/ {print $1; exit}')
lpadmin -p "$queue" -E -v "file://$output" -m "${model:-raw}"
cupsenable "$queue"
cupsaccept "$queue"
echo "ROTAM_CUPS_QUEUE=$queue"
echo "ROTAM_CUPS_OUTPUT=$output"

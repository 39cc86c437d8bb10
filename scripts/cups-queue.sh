#!/usr/bin/env bash
# Installs and starts CUPS with a queue that writes every job to a file, for the test that
# prints through a real print system. Prints the queue's name and output file as shell
# assignments: eval "$(scripts/cups-queue.sh)".
set -euo pipefail
queue=RotamTestQueue
output=/var/tmp/rotam-cups-output.pdf

"$(dirname "$0")/setup.sh" cups cups-client cups-filters >&2

# A queue may only write to a file when the server allows file devices.
sed -i 's/^#\?FileDevice.*/FileDevice Yes/' /etc/cups/cups-files.conf
grep -q '^FileDevice Yes' /etc/cups/cups-files.conf || echo 'FileDevice Yes' >>/etc/cups/cups-files.conf

# lpstat -r exits 0 whether or not the scheduler runs; only its words tell.
scheduler_running() { lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; }
if ! scheduler_running; then
    pkill -x cupsd 2>/dev/null || true
    cupsd
    for _ in $(seq 50); do scheduler_running && break; sleep 0.2; done
fi

: >"$output"
chmod 666 "$output"
# The Generic PDF Printer model hands the job on as PDF (behind a PJL header).
model=$(lpinfo -m 2>/dev/null | awk '/Generic PDF Printer/ {print $1; exit}')
lpadmin -p "$queue" -E -v "file://$output" -m "${model:-raw}" 2>/dev/null
cupsenable "$queue"
cupsaccept "$queue"
echo "ROTAM_CUPS_QUEUE=$queue"
echo "ROTAM_CUPS_OUTPUT=$output"

#!/usr/bin/env bash
# Times fetching from a loopback Dovecot over TLS (scripts/dovecot-test-server.sh):
#  - 1,000 new messages (the ISO-2022-JP issues of rotam-bench-gen-archive --mbox 1000) into
#    an empty library with fetchIntoLibrary, against the anchor: a bare vmime loop fetching
#    the same messages whole with peek (target at most 1.5 times as long). The two alternate
#    round by round after a warm-up that lets Dovecot index the folder; medians of RUNS.
#  - with --inbox, a long-time user's Inbox, 3,000 mails of which 1,000 carry a 1 MiB photo
#    (rotam-bench-gen-archive --inbox 2000 1000, 1.4 GB), into an empty library: the first
#    fetch (Dovecot reading the mails for the first time) and a second into another empty
#    library, with the bytes Dovecot's logout line counts (targets: under 10 s, under 50 MB
#    sent). Needs 3 GB in TMPDIR.
# Builds nothing: build rotam-bench-mailbox and rotam-bench-gen-archive in a release tree.
#
#   bench/mailbox/run.sh [BUILD_DIR] [RUNS] [--inbox]     (defaults: build/release, 5)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
runs=${2:-5}
inbox=${3:-}
bench=$build/bench/mailbox/rotam-bench-mailbox
gen=$build/bench/intake/rotam-bench-gen-archive
for t in "$bench" "$gen"; do
    [ -x "$t" ] || { echo "run.sh: $t is missing; build it first" >&2; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/rotam-bench-mailbox.XXXXXX")
chmod 755 "$work" # Dovecot's own users (when run as root) read the server's folder
server=$work/dovecot
trap 'scripts/dovecot-test-server.sh stop "$server"; rm -rf "$work"' EXIT
scripts/dovecot-test-server.sh fresh "$server"
conf=$server/dovecot.conf

# Writes the messages of the mbox straight into the folder's Maildir, as a mail program
# would have delivered them; Dovecot finds them on its next look.
fill() {
    doveadm -c "$conf" mailbox create -u rotam "$1"
    python3 - "$server/home/Maildir/.$1/cur" "$2" <<'PY'
import mailbox, os, sys
cur, source = sys.argv[1], mailbox.mbox(sys.argv[2], create=False)
for i, key in enumerate(source.iterkeys()):
    with open(os.path.join(cur, "%d.M%dP1.bench:2," % (1106514000 + i, i)), "wb") as f:
        f.write(source.get_bytes(key))
PY
    chown -R --reference="$server/home" "$server/home/Maildir"
    doveadm -c "$conf" mailbox status -u rotam messages "$1"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
loggedOut() { tail -c +"$1" "$server/dovecot.log" | grep -o 'Logged out in=[0-9]* out=[0-9]*' | tail -n 1; }

"$gen" --mbox 1000 "$work/new.mbox"
fill New "$work/new.mbox"
"$bench" bare "$server" New >/dev/null
for round in $(seq "$runs"); do
    "$bench" fetch "$server" New "$work/library-$round.sqlite"
    "$bench" bare "$server" New
done >"$work/times"
cat "$work/times"
fetch=$(awk '$1 == "fetch" { print $2 }' "$work/times" | median)
bare=$(awk '$1 == "bare" { print $2 }' "$work/times" | median)
printf '1,000 new messages: fetchIntoLibrary %s ms, bare vmime loop %s ms, ratio %.2f (medians of %s)\n' \
    "$fetch" "$bare" "$(echo "$fetch / $bare" | bc -l)" "$runs"

if [ "$inbox" = --inbox ]; then
    "$gen" --inbox 2000 1000 "$work/Inbox"
    fill Years "$work/Inbox" # INBOX exists already
    rm "$work/Inbox"
    for pass in first second; do
        offset=$(($(stat -c %s "$server/dovecot.log") + 1))
        "$bench" fetch "$server" Years "$work/inbox-$pass.sqlite"
        sleep 1
        echo "Inbox, $pass fetch: Dovecot $(loggedOut "$offset")"
    done
fi

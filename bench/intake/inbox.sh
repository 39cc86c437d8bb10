#!/usr/bin/env bash
# Times `rotam-pdf --list` on a long-time user's Inbox, an mbox of 2,000 issues among 1,000
# mails with a 1 MiB photo each (1.4 GB), against the bare GMime loop streaming the same file
# (the anchor: the load may take at most 1.3 times as long, and its peak memory stays under
# 128 MB). The two alternate round by round, after one warm-up run each, so both see the
# same machine; medians of RUNS rounds, peak memory from GNU time. Needs 1.5 GB in TMPDIR.
# Builds nothing: build rotam-pdf, rotam-bench-gen-archive and rotam-bench-bare-mbox in a
# release tree first.
#
#   bench/intake/inbox.sh [BUILD_DIR] [RUNS]      (defaults: build/release, 5)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
runs=${2:-5}
gen=$build/bench/intake/rotam-bench-gen-archive
bare=$build/bench/intake/rotam-bench-bare-mbox
tool=$build/tools/rotam-pdf/rotam-pdf
for t in "$gen" "$bare" "$tool"; do
    [ -x "$t" ] || { echo "inbox.sh: $t is missing; build it first" >&2; exit 1; }
done
dir=$(mktemp -d "${TMPDIR:-/tmp}/rotam-bench-inbox.XXXXXX")
trap 'rm -rf "$dir"' EXIT
free=$(df --output=avail -k "$dir" | tail -n 1)
[ "$free" -gt 1600000 ] || { echo "inbox.sh: 1.5 GB needed in $dir" >&2; exit 1; }

"$gen" --inbox 2000 1000 "$dir/Inbox"
"$tool" --list "$dir/Inbox" >/dev/null
"$bare" "$dir/Inbox" >/dev/null
for _ in $(seq "$runs"); do
    /usr/bin/time -f 'load %e %M' "$tool" --list "$dir/Inbox" 2>&1 >/dev/null | tail -n 1
    /usr/bin/time -f 'bare %e %M' "$bare" "$dir/Inbox" 2>&1 >/dev/null | tail -n 1
done >"$dir/times"
median() { grep "^$1 " "$dir/times" | awk -v f="$2" '{ print $f }' | sort -n |
    awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
load=$(median load 2)
anchor=$(median bare 2)
printf '%8s %9s %9s %7s %10s %10s\n' MiB "load s" "bare s" ratio "load MiB" "bare MiB"
printf '%8.1f %9s %9s %7.2f %10.1f %10.1f\n' \
    "$(echo "$(stat -c %s "$dir/Inbox") / 1048576" | bc -l)" "$load" "$anchor" \
    "$(echo "$load / $anchor" | bc -l)" "$(echo "$(median load 3) / 1024" | bc -l)" \
    "$(echo "$(median bare 3) / 1024" | bc -l)"
echo "medians of $runs rounds; time resolution 10 ms (GNU time)"

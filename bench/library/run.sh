#!/usr/bin/env bash
# Whole rotam-pdf runs on the 10,000-issue CP932 archive, the variants interleaved round by
# round: the plain --list (the anchor), the same run adding the archive to an empty library,
# --list of that library alone (its -wal holding the load, as the add leaves it), and --list
# of a library checkpointed once before the rounds. Then rotam-bench-library's in-process
# steps. Builds nothing: build rotam-pdf, rotam-bench-gen-archive and rotam-bench-library in
# a release tree.
#
#   bench/library/run.sh [BUILD_DIR] [ROUNDS]      (defaults: build/release, 7)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
rounds=${2:-7}
gen=$build/bench/intake/rotam-bench-gen-archive
pdf=$build/tools/rotam-pdf/rotam-pdf
steps=$build/bench/library/rotam-bench-library
for tool in "$gen" "$pdf" "$steps"; do
    [ -x "$tool" ] || { echo "run.sh: $tool is missing; build it first" >&2; exit 1; }
done

dir=$(mktemp -d "${TMPDIR:-/tmp}/rotam-bench-library.XXXXXX")
trap 'rm -rf "$dir"' EXIT
"$gen" 10000 "$dir/archive.txt"

ms() { # the wall time of a command in ms, its output discarded
    local start
    start=$(date +%s%N)
    "$@" >/dev/null
    echo $((($(date +%s%N) - start) / 1000000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

"$pdf" --library "$dir/checkpointed.sqlite" --list "$dir/archive.txt" >/dev/null
"$steps" --checkpoint "$dir/checkpointed.sqlite"

: >"$dir/plain"; : >"$dir/add"; : >"$dir/list"; : >"$dir/ckpt"
for _ in $(seq "$rounds"); do
    rm -f "$dir"/new.sqlite*
    ms "$pdf" --list "$dir/archive.txt" >>"$dir/plain"
    ms "$pdf" --library "$dir/new.sqlite" --list "$dir/archive.txt" >>"$dir/add"
    ms "$pdf" --library "$dir/new.sqlite" --list >>"$dir/list"
    ms "$pdf" --library "$dir/checkpointed.sqlite" --list >>"$dir/ckpt"
done
plain=$(median <"$dir/plain")
add=$(median <"$dir/add")
list=$(median <"$dir/list")
ckpt=$(median <"$dir/ckpt")
ratio() { awk "BEGIN { printf \"%.2f\", $1 / $2 }"; }
echo "rotam-pdf --list archive (anchor):            $plain ms"
echo "rotam-pdf --library new --list archive:       $add ms ($(ratio "$add" "$plain") x, target 2)"
echo "rotam-pdf --library full --list, in -wal:     $list ms ($(ratio "$list" "$plain") x, target 1.5)"
echo "rotam-pdf --library full --list, checkpointed: $ckpt ms ($(ratio "$ckpt" "$plain") x, target 1.5)"
kib() { du -k "$1" | cut -f1; }
echo "after the add: library $(kib "$dir/new.sqlite") KiB, -wal $(kib "$dir/new.sqlite-wal") KiB;" \
    "checkpointed: $(kib "$dir/checkpointed.sqlite") KiB; medians of $rounds rounds"
echo
"$steps" "$dir/archive.txt" "$rounds"

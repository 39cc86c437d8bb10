#!/usr/bin/env bash
# Times the load of synthetic mail archives of 1k, 10k and 100k issues (the time should grow
# linearly) and compares the 10k load with iconv decoding the same file. Builds nothing:
# build rotam-bench-gen-archive and rotam-bench-intake in a release tree first.
#
#   bench/intake/run.sh [BUILD_DIR] [RUNS]      (defaults: build/release, 5)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
runs=${2:-5}
gen=$build/bench/intake/rotam-bench-gen-archive
harness=$build/bench/intake/rotam-bench-intake
for tool in "$gen" "$harness"; do
    [ -x "$tool" ] || { echo "run.sh: $tool is missing; build it first" >&2; exit 1; }
done

dir=$(mktemp -d "${TMPDIR:-/tmp}/rotam-bench-intake.XXXXXX")
trap 'rm -rf "$dir"' EXIT

field() { sed -n "s/^$1: *//p" "$2"; }

printf '%-8s %9s %10s %12s %10s %13s %12s %10s\n' \
    issues "file MiB" "load ms" "ms/1k issues" "process ms" "peak MiB" "peak/text" "iconv ms"
for count in 1000 10000 100000; do
    "$gen" "$count" "$dir/archive.txt"
    extra=()
    [ "$count" -eq 10000 ] && extra=(--iconv)
    "$harness" "${extra[@]}" "$dir/archive.txt" "$runs" >"$dir/out"
    printf '%-8s %9s %10s %12s %10s %13s %12s %10s\n' \
        "$(field issues "$dir/out")" \
        "$(field archive "$dir/out" | sed 's/.*, \([0-9.]*\) MiB/\1/')" \
        "$(field load "$dir/out" | cut -d' ' -f1)" \
        "$(field 'per 1k issues' "$dir/out" | cut -d' ' -f1)" \
        "$(field process "$dir/out" | cut -d' ' -f1)" \
        "$(field 'peak growth' "$dir/out" | cut -d' ' -f1)" \
        "$(field 'peak growth' "$dir/out" | sed 's/.*, \([0-9.]*\) x.*/\1/')" \
        "$(iconv_ms=$(field iconv "$dir/out" | cut -d' ' -f1); echo "${iconv_ms:--}")"
    rm -f "$dir/archive.txt"
done
echo "medians of $runs runs, each in a fresh process; iconv: -f CP932 -t UTF-16LE after each load, output discarded"

#!/usr/bin/env bash
# Times `rotam-pdf --list` on ISO-2022-JP mboxes of 1k, 10k and 100k messages (whole
# process), against the bare GMime + JIS + iconv loop (the anchor: the load may take at most
# 1.5 times as long) and `iconv -c -f ISO-2022-JP -t UTF-16LE` for scale. Medians of RUNS
# runs after one warm-up run; peak memory from GNU time. Builds nothing: build rotam-pdf,
# rotam-bench-gen-archive and rotam-bench-bare-mbox in a release tree first.
#
#   bench/intake/mbox.sh [BUILD_DIR] [RUNS]      (defaults: build/release, 5)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
runs=${2:-5}
gen=$build/bench/intake/rotam-bench-gen-archive
bare=$build/bench/intake/rotam-bench-bare-mbox
tool=$build/tools/rotam-pdf/rotam-pdf
for t in "$gen" "$bare" "$tool"; do
    [ -x "$t" ] || { echo "mbox.sh: $t is missing; build it first" >&2; exit 1; }
done
dir=$(mktemp -d "${TMPDIR:-/tmp}/rotam-bench-mbox.XXXXXX")
trap 'rm -rf "$dir"' EXIT

# median_ms_and_peak CMD...: "MS KB", the medians of wall time and peak RSS over the runs.
median_ms_and_peak() {
    "$@" >/dev/null 2>&1
    for _ in $(seq "$runs"); do
        /usr/bin/time -f '%e %M' "$@" 2>&1 >/dev/null | tail -n 1
    done | sort -n | awk '{ t[NR] = $1 * 1000; m[NR] = $2 } END {
        printf "%.0f %d\n", t[int((NR + 1) / 2)], m[int((NR + 1) / 2)] }'
}

printf '%-9s %8s %9s %9s %8s %7s %10s %10s\n' messages MiB "load ms" "bare ms" "iconv ms" ratio "load MiB" "bare MiB"
for count in 1000 10000 100000; do
    "$gen" --mbox "$count" "$dir/box.mbox"
    read -r load loadKb < <(median_ms_and_peak "$tool" --list "$dir/box.mbox")
    read -r anchor anchorKb < <(median_ms_and_peak "$bare" "$dir/box.mbox")
    read -r conv _ < <(median_ms_and_peak iconv -c -f ISO-2022-JP -t UTF-16LE "$dir/box.mbox")
    printf '%-9s %8.1f %9s %9s %8s %7.2f %10.1f %10.1f\n' "$count" \
        "$(echo "$(stat -c %s "$dir/box.mbox") / 1048576" | bc -l)" "$load" "$anchor" "$conv" \
        "$(echo "$load / $anchor" | bc -l)" "$(echo "$loadKb / 1024" | bc -l)" "$(echo "$anchorKb / 1024" | bc -l)"
    rm -f "$dir/box.mbox"
done
echo "medians of $runs runs; time resolution 10 ms (GNU time)"

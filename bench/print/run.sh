#!/usr/bin/env bash
# Times rotam-pdf end to end (process start to finished PDF) on 100 to 1,000 generated
# issues against the bare QPdfWriter loop, the two alternating round by round (five rounds
# unless told); prints medians, issues per second, bytes per issue and the ratio, then the
# 1,000 issues with each print option, and the load average before and after.
# Usage: bench/print/run.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
build=${1:-build/release}
rounds=${2:-5}
gen=$build/bench/print/rotam-bench-gen-issues
bare=$build/bench/print/rotam-bench-bare-pdf
tool=$build/tools/rotam-pdf/rotam-pdf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

median() { tr ' ' '\n' | sort -n | awk 'NF {a[++n]=$1} END {print a[int((n+1)/2)]}'; }
millis() { local s=$(date +%s%N); "$@" >/dev/null 2>&1; echo $(( ($(date +%s%N) - s) / 1000000 )); }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"

printf '%6s %10s %9s %10s %10s %9s %7s\n' pages rotam-ms pages/s bytes/page bare-ms bare-p/s ratio
for n in 100 200 500 1000; do
    "$gen" "$n" "$work/in.txt"
    tool_runs=() bare_runs=()
    for ((i = 0; i < rounds; ++i)); do
        tool_runs+=("$(millis "$tool" -o "$work/out.pdf" "$work/in.txt")")
        bare_runs+=("$(millis "$bare" "$n" "$work/bare.pdf")")
    done
    tool_ms=$(echo "${tool_runs[*]}" | median)
    bare_ms=$(echo "${bare_runs[*]}" | median)
    bytes=$(stat -c %s "$work/out.pdf")
    awk -v n="$n" -v t="$tool_ms" -v b="$bare_ms" -v s="$bytes" 'BEGIN {
        printf "%6d %10d %9.0f %10.0f %10d %9.0f %7.2f\n", n, t, n * 1000 / t, s / n, b, n * 1000 / b, t / b }'
done

printf '\n%-16s %10s %9s %11s %7s %11s\n' option rotam-ms issues/s bytes/issue sheets bytes/sheet
"$gen" 1000 "$work/in.txt"
for option in "" "--layout two" "--layout large" "--cells"; do
    # shellcheck disable=SC2086 # the option is two words or none
    tool_ms=$(for ((i = 0; i < rounds; ++i)); do
        millis "$tool" $option -o "$work/out.pdf" "$work/in.txt"
    done | median)
    bytes=$(stat -c %s "$work/out.pdf")
    sheets=$(pdfinfo "$work/out.pdf" | awk '/^Pages:/ {print $2}')
    awk -v o="${option:-(default)}" -v t="$tool_ms" -v s="$bytes" -v p="$sheets" 'BEGIN {
        printf "%-16s %10d %9.0f %11.0f %7d %11.0f\n", o, t, 1000 * 1000 / t, s / 1000, p, s / p }'
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (60 by default) on the seed corpus: the sample mails, the sample Maildir's messages and
# tests/fuzz/seeds. Findings land
# in build/fuzz/findings/ and fail the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

scripts/setup.sh clang-14 libclang-rt-14-dev

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_intake fuzz_mail fuzz_print_job

findings=build/fuzz/findings
mkdir -p "$findings"
status=0
passed=0
failed=0
for target in fuzz_intake fuzz_mail fuzz_print_job; do
    corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus"
    cp -n examples/*.txt examples/*.eml examples/*.mbox examples/rotam-maildir/*/* \
        tests/fuzz/seeds/* "$corpus"/
    echo "== $target: ${seconds}s"
    if ! build/fuzz/tests/fuzz/$target -max_total_time="$seconds" -max_len=65536 -timeout=30 \
            -rss_limit_mb=4096 -artifact_prefix="$findings/$target-" -print_final_stats=1 \
            "$corpus" 2>build/fuzz/$target.log; then
        status=1
        failed=$((failed + 1))
        tail -n 40 build/fuzz/$target.log
    else
        passed=$((passed + 1))
    fi
    grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|Done)" build/fuzz/$target.log || true
done
echo "fuzz: $passed passed, $failed failed"
exit $status

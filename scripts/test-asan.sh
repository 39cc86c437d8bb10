#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs the whole
# test suite under them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Leaks inside the system's font and graphics libraries are theirs, not ours.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_stack_use_after_return=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

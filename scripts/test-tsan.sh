#!/usr/bin/env bash
# Builds the mail, issue and window tests with ThreadSanitizer and runs the ones with threads in
# them: the mbox reader's second thread and its queue, the decoder's two halves and the
# window's background load.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Qt is not built with ThreadSanitizer: races inside its libraries are suppressed, ours are not.
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp"
export QT_QPA_PLATFORM=offscreen
cmake --preset tsan >/dev/null
cmake --build --preset tsan --target mail_tests issues_tests ui_tests
build/tsan/tests/mail/mail_tests
build/tsan/tests/issues/issues_tests
build/tsan/tests/ui/ui_tests --gtest_filter='*Load*:*load*'

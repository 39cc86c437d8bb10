#!/usr/bin/env bash
# Installs what is missing, builds a release and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/src/app/rotam-print "$@"

#!/usr/bin/env bash
# Installs what is missing, builds the debug configuration (warnings are errors)
# and runs every test through CTest; fails on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset debug >/dev/null
cmake --build --preset debug
ctest --preset debug

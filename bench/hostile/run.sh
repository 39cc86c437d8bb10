#!/usr/bin/env bash
# Feeds rotam-pdf the hostile inputs the program must survive and prints, for each, the exit
# status, the wall time and the peak memory. Usage: bench/hostile/run.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build/release}
tool=$(realpath "$build/tools/rotam-pdf/rotam-pdf")
gen=$(realpath "$build/bench/intake/rotam-bench-gen-archive")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
cd "$work"

python3 - <<'PY'
import os, random
os.makedirs("in", exist_ok=True)
line = b"x" * 98 + b"\r\n"
with open("in/100mb.txt", "wb") as f:
    f.write(line * (100 * 1024 * 1024 // len(line)))
open("in/10mb-line.txt", "wb").write(b"y" * (10 * 1024 * 1024))
random.seed(42)
open("in/binary.bin", "wb").write(bytes(random.getrandbits(8) for _ in range(1024 * 1024)))
open("in/nul.txt", "wb").write(b"\0" * 4096 + "◇ＮＵＬ◇\r\n".encode("cp932") + b"\0" * 4096)
header = "　" + "Ａ" * 1000
grid = ["◇千◇", "", header] + ["　ａ" + "□" * 1000] * 3 + ["", "ヒント", ""]
open("in/1000-labels.txt", "wb").write("\r\n".join(grid).encode("cp932"))
PY
"$gen" 100000 in/100k-issues.txt
mkdir in/folder
mkfifo in/fifo

measure() { # name, then the command
    local name=$1; shift
    local status=0
    /usr/bin/time -f "%e %M" -o time.txt "$@" >/dev/null 2>err.txt || status=$?
    read -r seconds kb < <(tail -n 1 time.txt)
    printf '%-28s %6s %9s %10s  %s\n' "$name" "$status" "$seconds" "$((kb / 1024))" \
        "$(grep -v XDG_RUNTIME_DIR err.txt | head -c 70 | tr "\n" " ")"
}

printf '%-28s %6s %9s %10s  %s\n' input exit seconds peak-MiB "first words on stderr"
measure "100 MB file" "$tool" --list in/100mb.txt
measure "10 MB single line" "$tool" --list in/10mb-line.txt
measure "1 MB binary" "$tool" --list in/binary.bin
measure "NUL bytes" "$tool" --list in/nul.txt
measure "1,000-label grid (list)" "$tool" --list in/1000-labels.txt
measure "1,000-label grid (PDF)" "$tool" -o out.pdf in/1000-labels.txt
measure "100,000 issues" "$tool" --list in/100k-issues.txt
measure "directory" "$tool" --list in/folder
measure "FIFO" "$tool" --list in/fifo
measure "device /dev/zero" "$tool" --list /dev/zero
measure "vanished file" "$tool" --list in/vanished.txt

#!/usr/bin/env bash
# scripts/screenshots.sh [OUT_DIR]: starts rotam-print on a virtual X display, loads the
# sample mails through its paste window, and saves a PNG of every window into OUT_DIR
# (default: build/screenshots/): the main window empty and loaded, the paste window, the
# annotation window, the print preview and the print dialog. For looking at, not for
# comparing pixels. Uses build/release/src/app/rotam-print, building it when missing, or
# the program named by $ROTAM_PRINT.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
mkdir -p "$out"

tools=(xvfb:xvfb-run xdotool:xdotool xclip:xclip imagemagick:import)
missing=()
for t in "${tools[@]}"; do
    command -v "${t#*:}" >/dev/null || missing+=("${t%%:*}")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "screenshots: missing packages: ${missing[*]}; run as root to install them" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

program=${ROTAM_PRINT:-build/release/src/app/rotam-print}
if [ ! -x "$program" ]; then
    scripts/setup.sh
    cmake --preset release >/dev/null
    cmake --build --preset release --target rotam-print
fi
program=$(realpath "$program")

# Everything below runs inside the virtual display.
export ROTAM_PRINT_BIN="$program" OUT="$out" EXAMPLES="$PWD/examples"
xvfb-run -a --server-args="-screen 0 1280x900x24" bash -euo pipefail -c '
    shoot() { import -window "$1" "$OUT/$2.png"; echo "saved $OUT/$2.png"; }
    # The newest window with this title; waits for it to appear.
    window() { xdotool search --sync --onlyvisible --name "$1" | tail -1; }
    settle() { sleep 1; }
    # Clicks at a point given in the main window'"'"'s own pixels.
    click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; settle; }

    "$ROTAM_PRINT_BIN" &
    app=$!
    trap "kill $app 2>/dev/null || true" EXIT
    main=$(window "今日のロタム印刷ソフト")
    settle
    shoot "$main" main-empty

    # The paste window, with two sample mails from the clipboard in it.
    cat "$EXAMPLES/rotam-0123.txt" "$EXAMPLES/rotam-digest-0124-0127.txt" \
        | iconv -f CP932 -t UTF-8 | xclip -selection clipboard -loops 2
    xdotool windowfocus --sync "$main" key ctrl+v
    paste=$(window "コピペから取り込む")
    xdotool windowfocus --sync "$paste" key ctrl+v
    settle
    shoot "$paste" paste
    xdotool key Return
    settle

    # The first entry previewed, every entry checked.
    click_in "$main" 40 88
    xdotool key ctrl+shift+a
    settle
    shoot "$main" main-loaded

    click_in "$main" 285 285
    tyuuki=$(window "^注記$")
    settle
    shoot "$tyuuki" annotation
    xdotool windowfocus --sync "$tyuuki" key Escape
    settle

    xdotool windowfocus --sync "$main" key ctrl+shift+p
    preview=$(window "印刷プレビュー")
    sleep 2
    shoot "$preview" print-preview
    xdotool windowfocus --sync "$preview" key Escape
    settle

    xdotool windowfocus --sync "$main" key ctrl+p
    sleep 2
    dialog=$(xdotool getactivewindow 2>/dev/null || xdotool search --sync --onlyvisible --name "印刷|Print" | tail -1)
    shoot "$dialog" print-dialog
    xdotool key Escape
    settle
    xdotool windowfocus --sync "$main" key ctrl+q
    wait $app || true
    trap - EXIT
'

#!/usr/bin/env bash
# scripts/screenshots.sh [OUT_DIR]: starts rotam-print on a virtual X display, loads the
# sample mails through its paste window, and saves a PNG of every window into OUT_DIR
# (default: build/screenshots/): the main window empty and loaded, the paste window, the
# annotation window, the print preview, the print dialog, the main window with the printed
# issues marked, the open menu, the open dialog (its sidebar listing the mail folders of a
# Thunderbird profile and a Maildir) and the progress window of a long job; then the window
# at 1000 x 700 with 3,000 issues, some printed, and searched (main-3000.png,
# main-3000-search.png); then the loaded main window again at the fractional scale factors
# 1.25, 1.5 and 1.75 (main-loaded-1.25.png, ...). Each window's caption is checked to be
# exactly its own, and a cancelled PDF job to leave no file. For looking at, not for
# comparing pixels. Uses build/release/src/app/rotam-print, building it when missing, or the
# program named by $ROTAM_PRINT; the long job's mails come from rotam-bench-gen-issues of the
# same build. The program runs with a home folder of its own, so no settings are kept and its
# library starts empty; it lasts for the run, so later starts list what earlier ones loaded.
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
    cmake --build --preset release --target rotam-print rotam-bench-gen-issues
fi
program=$(realpath "$program")
generator=$(dirname "$program")/../../bench/print/rotam-bench-gen-issues

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.thunderbird/a1b2.default-release/Mail/Local Folders" "$home/Maildir/cur"
if [ -x "$generator" ]; then
    "$generator" 3000 "$home/rotam-3000.txt"
fi

# Everything below runs inside the virtual display.
export ROTAM_PRINT_BIN="$program" OUT="$out" EXAMPLES="$PWD/examples" HOME="$home"
export XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
# No print queues, whatever this machine has (the tests make one): the print dialog then
# prints to the preset PDF file the shots below expect.
export CUPS_SERVER=127.0.0.1:1
xvfb-run -a --server-args="-screen 0 1280x900x24" bash -euo pipefail -c '
    shoot() { import -window "$1" "$OUT/$2.png"; echo "saved $OUT/$2.png"; }
    # The newest window with this title; waits for it to appear.
    window() { xdotool search --sync --onlyvisible --name "$1" | tail -1; }
    settle() { sleep 1; }
    # Clicks at a point given in the main window'"'"'s own pixels, at the scale factor.
    click_in() {
        xdotool mousemove --window "$1" "$(scaled "$2")" "$(scaled "$3")" click 1
        settle
    }
    scaled() { awk -v v="$1" -v f="${QT_SCALE_FACTOR:-1}" "BEGIN { printf \"%d\", v * f }"; }
    caption_is() {
        local shown
        shown=$(xdotool getwindowname "$1")
        [ "$shown" = "$2" ] || echo "screenshots: caption \"$shown\", expected \"$2\"" >&2
    }

    # Starts the program (saving it empty under the name given, if any) and loads the sample
    # mails through the paste window.
    start_loaded() {
        "$ROTAM_PRINT_BIN" &
        app=$!
        main=$(window "^今日のロタム印刷ソフト$")
        settle
        [ -z "${1:-}" ] || shoot "$main" "$1"
        cat "$EXAMPLES/rotam-0123.txt" "$EXAMPLES/rotam-digest-0124-0127.txt" \
            | iconv -f CP932 -t UTF-8 | xclip -selection clipboard -loops 2
        xdotool windowfocus --sync "$main" key ctrl+v
        paste=$(window "^コピペから取り込む$")
        xdotool windowfocus --sync "$paste" key ctrl+v
        settle
    }
    # The first entry previewed, every entry checked.
    preview_all() {
        xdotool key Return
        settle
        click_in "$main" 60 112
        xdotool key ctrl+shift+a
        settle
    }
    quit() {
        xdotool windowfocus --sync "$main" key ctrl+q
        wait $app || true
    }
    trap "kill \$app 2>/dev/null || true" EXIT

    start_loaded main-empty
    caption_is "$paste" "コピペから取り込む"
    shoot "$paste" paste
    preview_all
    shoot "$main" main-loaded

    click_in "$main" 285 285
    tyuuki=$(window "^注記$")
    settle
    shoot "$tyuuki" annotation
    xdotool windowfocus --sync "$tyuuki" key Escape
    settle

    xdotool windowfocus --sync "$main" key ctrl+shift+p
    preview=$(window "^印刷プレビュー$")
    sleep 2
    shoot "$preview" print-preview
    xdotool windowfocus --sync "$preview" key Escape
    settle

    # Printed whole to the preset PDF file: the list marks the issues printed.
    xdotool windowfocus --sync "$main" key ctrl+p
    sleep 2
    dialog=$(xdotool getactivewindow 2>/dev/null || xdotool search --sync --onlyvisible --name "印刷|Print" | tail -1)
    shoot "$dialog" print-dialog
    xdotool key Return
    sleep 2
    shoot "$main" main-printed
    # Gone again, so that no later job is asked whether to overwrite it.
    rm "$HOME/print.pdf"

    # The open button'"'"'s menu, cut out of the screen: a menu is a window of its own.
    click_in "$main" 143 23
    eval "$(xdotool getwindowgeometry --shell "$main")"
    import -window root -crop "$(scaled 460)x$(scaled 120)+$X+$Y" "$OUT/open-menu.png"
    echo "saved $OUT/open-menu.png"
    xdotool key Escape
    settle

    # The open dialog, then through it the long job: a PDF of 3,000 pages, cancelled.
    xdotool windowfocus --sync "$main" key ctrl+o
    opener=$(window "メールファイルを開く")
    settle
    caption_is "$opener" "メールファイルを開く"
    shoot "$opener" file-dialog
    if [ -f "$HOME/rotam-3000.txt" ]; then
        xdotool type --delay 20 "$HOME/rotam-3000.txt"
        xdotool key Return
        sleep 10
        xdotool windowfocus --sync "$main" key ctrl+shift+a ctrl+p
        sleep 2
        xdotool key Return
        progress=$(window "^印刷中$")
        sleep 0.5
        shoot "$progress" progress
        shoot "$main" main-printing
        xdotool windowfocus --sync "$progress" key Escape
        sleep 2
        # A printer that cannot withdraw a job says how many pages went; a PDF says nothing.
        told=$(xdotool search --onlyvisible --name "^印刷を中止しました$" | tail -1 || true)
        if [ -n "$told" ]; then
            shoot "$told" cancel-message
            xdotool windowfocus --sync "$told" key Return
            settle
        fi
        [ ! -e "$HOME/print.pdf" ] || echo "screenshots: the cancelled job left $HOME/print.pdf" >&2
    else
        xdotool key Escape
    fi
    settle
    shoot "$main" main-after-cancel
    quit

    # Another start: the library lists what was loaded before, with the print marks. Grown to
    # 1000 x 700, the second and fourth issues printed whole, the first previewed.
    "$ROTAM_PRINT_BIN" &
    app=$!
    main=$(window "^今日のロタム印刷ソフト$")
    settle
    xdotool windowmove --sync "$main" 0 0 windowsize --sync "$main" 1000 700
    settle
    click_in "$main" 18 147
    click_in "$main" 18 203
    xdotool windowfocus --sync "$main" key ctrl+p
    sleep 2
    xdotool key Return
    sleep 2
    click_in "$main" 120 120
    shoot "$main" main-3000
    xdotool windowfocus --sync "$main" key ctrl+f
    xdotool type --delay 50 "第12"
    settle
    shoot "$main" main-3000-search
    quit

    # The scaled windows start afresh: the first size, an empty library.
    rm -rf "$XDG_CONFIG_HOME/rotam-print"
    export XDG_DATA_HOME="$HOME/.local/share-scaled"
    for factor in 1.25 1.5 1.75; do
        export QT_SCALE_FACTOR=$factor
        start_loaded
        preview_all
        shoot "$main" "main-loaded-$factor"
        quit
    done
    unset QT_SCALE_FACTOR
    trap - EXIT
'

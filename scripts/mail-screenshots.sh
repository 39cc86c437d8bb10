#!/usr/bin/env bash
# scripts/mail-screenshots.sh [OUT_DIR]: the mail fetch's windows as a user meets them, on a
# virtual X display against a Dovecot of its own (scripts/dovecot-test-server.sh) holding the
# example mails and 400 more: the receive menu, 「メールサーバーの設定」 filled in, the
# certificate the program refuses (its CA is the test's own) and the dialog offering to trust
# it, the fetch's progress, the list it fills, and the message when the server is gone.
# Saved as PNGs in OUT_DIR (default: build/screenshots/). Uses build/debug/src/app/rotam-print
# or the program named by $ROTAM_PRINT; needs xvfb, xdotool, imagemagick and Dovecot.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
mkdir -p "$out"
program=$(realpath "${ROTAM_PRINT:-build/debug/src/app/rotam-print}")

home=$(mktemp -d)
chmod 755 "$home" # Dovecot, run as root, reads its users file as the dovecot user
server=$home/dovecot
trap 'scripts/dovecot-test-server.sh stop "$server"; rm -rf "$home"' EXIT
scripts/dovecot-test-server.sh fresh "$server"
doveadm() { command doveadm -c "$server/dovecot.conf" "$@"; }
doveadm mailbox create -u rotam Rotam
for mail in examples/rotam-0131.eml examples/rotam-maildir/*/*; do
    doveadm save -u rotam -m Rotam <"$mail"
done
# Enough mail that the progress shows its count.
for n in $(seq 400); do
    printf 'From: rotam@example.com\nSubject: %s\n\nnot an issue %s\n' "$n" "$n" |
        doveadm save -u rotam -m Rotam
done
. "$server/ports"

export ROTAM_PRINT_BIN="$program" OUT="$out" HOME="$home" IMAPS="$imaps" SERVER="$server"
export XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
# No session bus, and none started for the display: without a keyring the password is asked
# for and kept for the run only.
export DBUS_SESSION_BUS_ADDRESS=disabled:
xvfb-run -a --server-args="-screen 0 1280x900x24" bash -euo pipefail -c '
    shoot() { import -window "$1" "$OUT/$2.png"; echo "saved $OUT/$2.png"; }
    window() { xdotool search --sync --onlyvisible --name "$1" | tail -1; }
    settle() { sleep 1; }

    "$ROTAM_PRINT_BIN" &
    app=$!
    trap "kill \$app 2>/dev/null || true" EXIT
    main=$(window "^今日のロタム印刷ソフト$")
    settle

    # The receive button'"'"'s menu, cut out of the screen.
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove --window "$main" 350 23 click 1
    settle
    import -window root -crop "460x120+$X+$Y" "$OUT/receive-menu.png"
    echo "saved $OUT/receive-menu.png"
    xdotool key Escape
    settle

    # Ctrl+R without an account opens the dialog first.
    xdotool windowfocus --sync "$main" key ctrl+r
    dialog=$(window "^メールサーバーの設定$")
    settle
    xdotool type --delay 20 "127.0.0.1"
    xdotool key Tab ctrl+a
    xdotool type --delay 20 "$IMAPS"
    xdotool key Tab Tab
    xdotool type --delay 20 "rotam"
    xdotool key Tab
    xdotool type --delay 20 "secret"
    xdotool key Tab ctrl+a
    xdotool type --delay 20 "Rotam"
    settle
    shoot "$dialog" mail-server-dialog
    xdotool key Return
    sleep 3

    # The test CA is no CA of the system: the certificate is refused, fingerprint shown.
    question=$(window "^メールを受信できませんでした$")
    settle
    shoot "$question" mail-certificate-refused
    xdotool key shift+Tab space
    dialog=$(window "^メールサーバーの設定$")
    settle
    xdotool key space
    shoot "$dialog" mail-server-trust
    xdotool key Return
    settle

    xdotool windowfocus --sync "$main" key ctrl+r
    progress=$(window "^メールを受信$")
    sleep 0.3
    shoot "$progress" mail-progress
    shoot "$main" mail-receiving
    while xdotool search --onlyvisible --name "^メールを受信$" >/dev/null 2>&1; do sleep 0.5; done
    settle
    shoot "$main" mail-fetched

    # The server gone: one message naming it.
    "$PWD/scripts/dovecot-test-server.sh" stop "$SERVER"
    xdotool windowfocus --sync "$main" key ctrl+r
    failed=$(window "^メールを受信できませんでした$")
    settle
    shoot "$failed" mail-error
    xdotool key Return
    settle
    xdotool windowfocus --sync "$main" key ctrl+q
    wait $app || true
'

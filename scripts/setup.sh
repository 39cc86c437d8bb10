#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and prints with, and any further
# packages named as arguments. Quiet and quick when everything is already there.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev libqt6sql6-sqlite libsqlite3-dev
    libgmime-3.0-dev
    libvmime-dev libgnutls28-dev qtkeychain-qt6-dev
    dovecot-imapd openssl gnome-keyring dbus
    libgtest-dev googletest
    fonts-ipafont fonts-liberation2 qt6-translations-l10n
    poppler-utils
    libcups2-dev qt6-l10n-tools qt6-tools-dev
    help2man file desktop-file-utils
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]}; run as root to install them" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"

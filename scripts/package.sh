#!/usr/bin/env bash
# Builds the release, makes the Debian package, installs it on this machine and runs the
# installed rotam-pdf on an example; fails on any problem. Run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
desktop-file-validate src/app/rotam-print.desktop
cmake --preset release >/dev/null
# The pages depend on both programs; the tests and benchmarks are not needed here.
cmake --build --preset release --target man-pages
rm -f build/release/rotam-print_*.deb
(cd build/release && cpack -G DEB)

debs=(build/release/rotam-print_*.deb)
contents=$(dpkg-deb -c "${debs[0]}")
for file in usr/bin/rotam-print usr/bin/rotam-pdf usr/share/applications/rotam-print.desktop \
    usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/rotam-print.png \
    usr/share/icons/hicolor/scalable/apps/rotam-print.svg \
    usr/share/man/man1/rotam-print.1.gz usr/share/man/man1/rotam-pdf.1.gz; do
    grep -q " \./$file\$" <<<"$contents" || { echo "package: ${debs[0]} lacks /$file" >&2; exit 1; }
done

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "./${debs[0]}"
/usr/bin/rotam-pdf --list examples/rotam-0123.txt
# Without a display: help2man and shells rely on it.
env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/rotam-print --version
echo "package: ${debs[0]} installed and working"

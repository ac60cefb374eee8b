#!/bin/sh
# The window as a screen reader meets it, read through AT-SPI: the program runs on an X
# server of its own with accessibility on, in a D-Bus session of its own (atspi_window.py
# tells what is checked). Exits 77, which CTest reports as skipped, with the reason, when
# AT-SPI cannot run here.
set -eu
quillet=$1
here=$(cd "$(dirname "$0")" && pwd)
skip() {
    echo "skipped: $*"
    exit 77
}
python=/usr/bin/python3
[ -x "$python" ] || python=python3
command -v xvfb-run >/dev/null || skip "xvfb-run is not installed (package xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (package dbus)"
"$python" -c 'import pyatspi' 2>/dev/null || skip "pyatspi is not installed (package python3-pyatspi)"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
touch "$folder/a.txt" "$folder/b.txt"
cd "$folder"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec xvfb-run -a -s "-screen 0 1024x768x24" \
    dbus-run-session -- "$python" "$here/atspi_window.py" "$quillet"

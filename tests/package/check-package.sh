#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the package that unpack-package.sh made into the system with apt-get, checks that
# the programs, the desktop entry, the file managers' entries and the man pages are where
# the desktop looks for them and that the installed window shows, then removes the package.
# Needs root; `make test-system` runs it, `make test` leaves it out.
# Usage: check-package.sh OUT_DIR APP_ID VERSION
set -u
out=$1 id=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || { echo "skipped: installing a package system-wide needs root"; exit 77; }
for tool in apt-get dpkg xvfb-run xwininfo; do
    command -v "$tool" >/dev/null ||
        { echo "skipped: $tool is not installed (scripts/install-deps installs it)"; exit 77; }
done
deb=$(ls "$out"/quillet_*.deb 2>/dev/null) ||
    { echo "skipped: no package (the test package_unpacked makes it)"; exit 77; }
if dpkg-query -W -f='${Status}' quillet 2>/dev/null | grep -q 'install ok installed'; then
    echo "skipped: a quillet package is installed already; this check leaves it alone"
    exit 77
fi

work=$(mktemp -d)
installed=0
cleanup() {
    if [ $installed -eq 1 ]; then
        apt-get remove --purge -y -o DPkg::Lock::Timeout=600 quillet >/dev/null ||
            echo "FAIL: the package could not be removed" >&2
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "package: $(basename "$deb")"
installed=1
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "$(realpath "$deb")" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install failed"; }

out=$(/usr/bin/quillet-batch --version) || fail "quillet-batch --version failed"
[ "$out" = "quillet-batch $version" ] || fail "quillet-batch --version printed: $out"
for f in /usr/bin/quillet /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/man/man1/quillet.1.gz \
    /usr/share/kio/servicemenus/$id.desktop /usr/share/nemo/actions/$id.nemo_action \
    /usr/share/doc/quillet/copyright; do
    [ -f "$f" ] || fail "$f is missing"
done

# The installed window shows on a display of its own.
cd "$work"
LANG=C LC_ALL=C xvfb-run -a bash -c '
    /usr/bin/quillet & pid=$!
    for i in $(seq 1 100); do
        if xwininfo -root -tree | grep -q "\"Quillet v 1.00 10032002 (Ombrel)\""; then
            kill $pid; echo "window shown"; exit 0
        fi
        sleep 0.1
    done
    kill $pid; exit 1' || fail "the installed quillet showed no window"

apt-get remove --purge -y -o DPkg::Lock::Timeout=600 quillet >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get remove failed"; }
installed=0
for f in /usr/bin/quillet /usr/share/applications/$id.desktop /usr/share/kio/servicemenus/$id.desktop; do
    [ ! -e "$f" ] || fail "$f is left after the package was removed"
done
echo "package install, checks and removal: ok"

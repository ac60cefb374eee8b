#!/bin/bash
# Builds the Debian package from the build tree, installs it with apt-get, checks that the
# programs, the desktop entry, the icons, the AppStream metadata and the man pages are where
# the desktop looks for them and that the installed window starts, then removes the package.
# Needs root. Usage: check-package.sh BUILD_DIR APP_ID VERSION
set -u
build=$1 id=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || { echo "skipped: installing a package system-wide needs root"; exit 77; }
for tool in apt-get dpkg cpack xvfb-run xwininfo desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null ||
        { echo "skipped: $tool is not installed (scripts/install-deps installs it)"; exit 77; }
done
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

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/quillet_*.deb) || fail "no package was made"
echo "package: $(basename "$deb")"
dpkg-deb -c "$deb"

installed=1
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install failed"; }

out=$(/usr/bin/quillet-batch --version) || fail "quillet-batch --version failed"
[ "$out" = "quillet-batch $version" ] || fail "quillet-batch --version printed: $out"

for f in /usr/bin/quillet /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/man/man1/quillet.1.gz \
    /usr/share/man/man1/quillet-batch.1.gz; do
    [ -f "$f" ] || fail "$f is missing"
done
for size in 16 32 48 64 128 256; do
    png=/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$png" ] || fail "$png is missing"
done
grep -qx "Icon=$id" /usr/share/applications/$id.desktop || fail "the desktop entry names another icon"

out=$(desktop-file-validate /usr/share/applications/$id.desktop 2>&1)
[ $? -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net /usr/share/metainfo/$id.metainfo.xml || fail "appstreamcli validate"

# The installed program starts on the offscreen platform and keeps running until ended...
cd "$work"
QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/quillet
[ $? -eq 124 ] || fail "quillet did not keep running offscreen"
# ...and shows its window on a display of its own.
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
[ ! -e /usr/bin/quillet ] && [ ! -e /usr/share/applications/$id.desktop ] ||
    fail "files are left after the package was removed"
echo "package install, checks and removal: ok"

#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the unpacked package installs: the programs, the desktop entry, the icons, the
# AppStream metadata, the man pages, the file managers' entries and the copyright, each where
# the desktop looks for it and passing its validator; then the unpacked programs run.
# Usage: check-package-contents.sh OUT_DIR APP_ID VERSION (OUT_DIR from unpack-package.sh)
set -u
out=$1 id=$2 version=$3
root=$out/root
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -d "$root" ] || { echo "skipped: no unpacked package (the test package_unpacked makes it)"; exit 77; }
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null ||
        { echo "skipped: $tool is not installed (scripts/install-deps test installs it)"; exit 77; }
done

usr=$root/usr
for f in bin/quillet bin/quillet-batch share/applications/$id.desktop \
    share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
    share/man/man1/quillet.1.gz share/man/man1/quillet-batch.1.gz \
    share/kio/servicemenus/$id.desktop share/nemo/actions/$id.nemo_action \
    share/doc/quillet/copyright; do
    [ -f "$usr/$f" ] || fail "/usr/$f is missing from the package"
done
for size in 16 32 48 64 128 256; do
    [ -f "$usr/share/icons/hicolor/${size}x${size}/apps/$id.png" ] ||
        fail "the ${size}x${size} icon is missing from the package"
done
grep -qx "Icon=$id" "$usr/share/applications/$id.desktop" || fail "the desktop entry names another icon"
grep -q '^License: GPL-3.0-or-later$' "$usr/share/doc/quillet/copyright" ||
    fail "the copyright file does not name the licence"

for entry in "$usr/share/applications/$id.desktop" "$usr/share/kio/servicemenus/$id.desktop"; do
    result=$(desktop-file-validate "$entry" 2>&1)
    [ $? -eq 0 ] && [ -z "$result" ] || fail "desktop-file-validate ${entry#$root}: $result"
    echo "desktop-file-validate ${entry#$root}: ok"
done
result=$(appstreamcli validate --pedantic --no-net --explain "$usr/share/metainfo/$id.metainfo.xml" 2>&1)
status=$?
echo "$result"
[ $status -eq 0 ] && ! echo "$result" | grep -q '^[EWIP]: ' || fail "appstreamcli validate --pedantic"

result=$("$usr/bin/quillet-batch" --version) || fail "quillet-batch --version failed"
[ "$result" = "quillet-batch $version" ] || fail "quillet-batch --version printed: $result"
echo "$result"

# The unpacked window starts on the offscreen platform and keeps running until ended.
cd "$out"
QT_QPA_PLATFORM=offscreen timeout 3 "$usr/bin/quillet"
[ $? -eq 124 ] || fail "the unpacked quillet did not keep running offscreen"
echo "package contents: ok"

#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build tree with CPack and unpacks it with dpkg-deb into
# OUT_DIR/root, where the other package checks look at what it installs. Nothing is
# installed into the system. Usage: unpack-package.sh BUILD_DIR OUT_DIR
set -u
build=$1 out=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null ||
        { echo "skipped: $tool is not installed (scripts/install-deps test installs it)"; exit 77; }
done
rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$(ls "$out"/quillet_*.deb) || fail "no package was made"
echo "package: $(basename "$deb")"
dpkg-deb -I "$deb" control
dpkg-deb -c "$deb"
dpkg-deb -x "$deb" "$out/root" || fail "dpkg-deb -x failed"

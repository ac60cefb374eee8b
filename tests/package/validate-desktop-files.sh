#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entries (the program's and Dolphin's service menu) and the AppStream metadata
# pass their validators with no error and no warning, the metadata even under --pedantic.
# Usage: validate-desktop-files.sh DESKTOP_FILE METAINFO_FILE [MORE_DESKTOP_FILES...]
desktop=$1 metainfo=$2
shift 2
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (scripts/install-deps installs it)"
        exit 77
    fi
done
for entry in "$desktop" "$@"; do
    out=$(desktop-file-validate "$entry" 2>&1)
    status=$?
    echo "desktop-file-validate $entry: status $status"
    [ -n "$out" ] && echo "$out"
    [ $status -eq 0 ] && [ -z "$out" ] || exit 1
done
# --no-net: no check of URLs; any note, even a pedantic one, counts as a failure.
out=$(appstreamcli validate --pedantic --no-net --explain "$metainfo" 2>&1)
status=$?
echo "$out"
[ $status -eq 0 ] && ! echo "$out" | grep -q '^[EWIP]: ' || exit 1

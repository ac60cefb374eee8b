#!/bin/sh
# The desktop entry and the AppStream metadata pass their validators with no error and no
# warning. Usage: validate-desktop-files.sh DESKTOP_FILE METAINFO_FILE
desktop=$1 metainfo=$2
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (scripts/install-deps installs it)"
        exit 77
    fi
done
out=$(desktop-file-validate "$desktop" 2>&1)
status=$?
echo "desktop-file-validate $desktop: status $status"
[ -n "$out" ] && echo "$out"
[ $status -eq 0 ] && [ -z "$out" ] || exit 1
# --no-net: no check of URLs; warnings count as failures.
appstreamcli validate --no-net --explain "$metainfo" || exit 1

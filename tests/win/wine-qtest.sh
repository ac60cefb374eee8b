#!/bin/sh
# Runs one QtTest program built for Windows under Wine, in $WINEPREFIX, and prints its
# report. The report goes through a file: what a console program writes to standard output
# under Wine without a console does not reach the pipe CTest reads.
set -u
command -v wine >/dev/null 2>&1 || { echo "skipped: wine is not installed"; exit 77; }
program="$1"
shift
report="$(mktemp)"
trap 'rm -f "$report"' EXIT
wine "$program" -o "$(winepath -w "$report" 2>/dev/null || echo "$report"),txt" "$@" </dev/null
status=$?
tr -d '\r' <"$report"
exit $status

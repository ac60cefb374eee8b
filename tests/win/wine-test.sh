#!/bin/sh
# Runs one step of the Windows tests under Wine, in the private prefix $WINEPREFIX.
#   wine-test.sh prefix                 creates the prefix (Wine's first start takes a while)
#   wine-test.sh run <program.exe|"">   runs a cross-compiled test program
# Exits 77, which CTest reports as "skipped", with the reason when Wine or the program is
# missing; a test never passes without having run.
set -u

skip() {
    echo "skipped: $*"
    exit 77
}

command -v wine >/dev/null 2>&1 || skip "wine is not installed (apt-get install wine wine64)"
[ -n "${WINEPREFIX:-}" ] || skip "WINEPREFIX is not set; run this test through ctest"

case "${1:-}" in
prefix)
    mkdir -p "$WINEPREFIX" || exit 1
    # The first start of a new prefix fills it; later starts only check it.
    wine cmd /c exit 0 </dev/null || exit 1
    [ -d "$WINEPREFIX/drive_c" ] || { echo "Wine made no drive c: in $WINEPREFIX"; exit 1; }
    echo "Wine prefix ready: $WINEPREFIX"
    ;;
run)
    program="${2:-}"
    [ -n "$program" ] || skip "x86_64-w64-mingw32-g++ was not found when the build was configured (apt-get install mingw-w64)"
    [ -f "$program" ] || { echo "the test program $program was not built"; exit 1; }
    [ -d "$WINEPREFIX/drive_c" ] || { echo "the Wine prefix $WINEPREFIX is missing"; exit 1; }
    exec wine "$program" </dev/null
    ;;
*)
    echo "usage: $0 prefix | run <program.exe>" >&2
    exit 2
    ;;
esac

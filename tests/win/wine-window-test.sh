#!/usr/bin/env bash
# Uses quillet.exe under Wine the way a person would: in Xvfb with a window manager, on a
# folder of test files mapped as drive q: and used as the working folder, driven with
# xdotool. After each step it checks the folder on disk and keeps a screenshot in
# <work>/shots. The texts of message boxes are read through the clipboard (Ctrl+C in a Qt
# message box copies its text).
#   wine-window-test.sh <quillet.exe> <work folder>
# Picks a free display itself, or uses :$QUILLET_TEST_DISPLAY when that is set.
# Exits 77 ("skipped" in CTest) with the reason when a tool is missing.
set -euo pipefail

exe="$(realpath "$1")"
work="$2"
. "$(dirname "$0")/wine-desktop.sh"

require_tools wine wineserver Xvfb openbox xdotool xclip import
[ -f "$exe" ] || { echo "no program at $exe"; exit 1; }

# Root writes into any folder, so a read-only root of c: would not refuse it. The test runs
# without the capabilities that override file permissions, like a standard user.
if [ "$(id -u)" -eq 0 ] && [ -z "${QUILLET_WITHOUT_OVERRIDE:-}" ]; then
    exec env QUILLET_WITHOUT_OVERRIDE=1 setpriv --bounding-set -dac_override,-dac_read_search \
        --inh-caps -dac_override,-dac_read_search bash "$0" "$@"
fi

rm -rf "$work"
mkdir -p "$work/shots" "$work/files" "$work/removable"
work="$(realpath "$work")"
files="$work/files"
shots="$work/shots"

# ---- Display, window manager, Wine --------------------------------------------------------

cleanup() {
    local status=$?
    chmod 755 "$work/prefix/drive_c" 2>/dev/null || true
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    stop_desktop
    exit $status
}
trap cleanup EXIT
start_desktop

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine cmd /c exit 0 </dev/null >"$work/wine-prefix.log" 2>&1
wineserver -k || true # a running Wine would not see the drives mapped below
ln -sfn "$files" "$WINEPREFIX/dosdevices/q:"
ln -sfn "$work/removable" "$WINEPREFIX/dosdevices/m:"
drive_c="$WINEPREFIX/drive_c"

# ---- Helpers ------------------------------------------------------------------------------

fail() {
    echo "FAIL: $*"
    echo "folder: $(cd "$files" && ls | tr '\n' ' ')"
    shot failure || true
    exit 1
}
listing() { (cd "$files" && ls | tr '\n' ' ' | sed 's/ $//'); }
folder_is() { [ "$(listing)" = "$1" ]; }
holds() { [ "$(cat "$files/$1")" = "$2" ]; }
double_click() {
    local w
    w="$(main_window)"
    xdotool windowactivate --sync "$w" mousemove --window "$w" "$1" "$2" \
        click --repeat 2 --delay 80 1
    sleep 0.5
}
# Waits for the message box titled $1, checks that its text is $2, keeps a screenshot named
# $3 and closes the box with Enter.
message_box() {
    within 20 window_named "^$1\$" || fail "no message box \"$1\" (expected \"$2\")"
    local box text
    box="$(find_window "^$1\$")"
    sleep 0.5
    shot "$3"
    printf '' | xclip -selection clipboard
    xdotool windowactivate --sync "$box" key ctrl+c
    sleep 0.5
    # The copy reads: a rule, the title, a rule, the text, a rule, the buttons.
    text="$(xclip -o -selection clipboard | tr -d '\r' | awk 'n == 2 && !/^---/ {print} /^---/ {n++}')"
    [ "$text" = "$2" ] || fail "message box \"$1\" says \"$text\", expected \"$2\""
    xdotool windowactivate --sync "$box" key Return
    within 10 sh -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null 2>&1" || fail "box \"$1\" stays open"
}
refresh() { double_click 40 60; } # opens the current folder of the folder list again

# ---- The steps ----------------------------------------------------------------------------

for name in a b c d; do echo "content $name" >"$files/$name.txt"; done

echo "== the window shows the folder's files"
(cd "$files" && exec wine "$exe" >"$work/quillet.log" 2>&1) &
pids+=($!)
within 60 window_named '^Quillet v 1\.00' || fail "the window did not open"
sleep 2
shot window

echo "== a template typed, Alt+B writes rename.bat and opens it in notepad"
click $CHECK_TEMPLATE
type_into $TEMPLATE 'pic##'
shot template
keys alt+b
within 20 test -f "$files/rename.bat" || fail "no rename.bat in the working folder"
within 30 window_named '^rename\.bat - Notepad$' || fail "notepad did not open rename.bat"
sleep 1
shot notepad
expected=$'cd /d "Q:\\"\nif errorlevel 1 exit /b 1\nQ:\nrename "a.txt" "pic01.txt"\nrename "b.txt" "pic02.txt"\nrename "c.txt" "pic03.txt"\nrename "d.txt" "pic04.txt"'
[ "$(tr -d '\r' <"$files/rename.bat")" = "$expected" ] ||
    fail "rename.bat holds: $(cat -A "$files/rename.bat")"
folder_is "a.txt b.txt c.txt d.txt rename.bat" || fail "Batch File changed the folder"
xdotool windowactivate --sync "$(find_window '^rename\.bat - Notepad$')" \
    key alt+F4
within 10 sh -c "! xdotool search --onlyvisible --name 'Notepad' >/dev/null 2>&1" || fail "notepad stays open"
rm "$files/rename.bat"

echo "== Shell + Alt+O writes c:\\rename.bat and cmd renames the files"
keys alt+o
message_box Quillet "Rename Finished!" shell
within 30 folder_is "pic01.txt pic02.txt pic03.txt pic04.txt" || fail "the Shell method did not rename"
holds pic01.txt "content a" && holds pic04.txt "content d" || fail "contents moved between files"
[ -f "$drive_c/rename.bat" ] || fail "no c:\\rename.bat"

echo "== Shell again over the names the lists still show: one summary of what failed"
sleep 1 # the first run's cmd has ended and the window has read it
keys alt+o
message_box Quillet "Rename Finished!" shell-stale
message_box Rename "4 of 4 files were not renamed.
For each: there was no such file.
Every failure is listed in the details." shell-stale-summary
folder_is "pic01.txt pic02.txt pic03.txt pic04.txt" || fail "the run over stale names changed the folder"

echo "== API(slow) + Alt+O renames through SHFileOperationW"
refresh
click $OPTION_API
type_into $TEMPLATE 'doc##'
keys alt+o
message_box "Rename status" "Finished Renaming Files" api
folder_is "doc01.txt doc02.txt doc03.txt doc04.txt" || fail "the API method did not rename"
holds doc02.txt "content b" || fail "contents moved between files"

echo "== a taken name is refused with nothing lost"
refresh
type_into $START_AT 4 # doc01 -> doc04 while doc04 is still there
keys alt+o
message_box Rename 'Could not rename "doc01.txt" to "doc04.txt": a file of the new name already exists in the folder.' taken
message_box "Rename status" $'Finished Renaming Files\n1 of 4 files were not renamed.' taken-finished
folder_is "doc01.txt doc05.txt doc06.txt doc07.txt" || fail "wrong files after the refused name"
holds doc01.txt "content a" && holds doc05.txt "content b" && holds doc07.txt "content d" ||
    fail "a file lost or changed"

echo "== a drive mapped to a missing folder"
rmdir "$work/removable"
click $DRIVES # opens the list on q:; the entry above it is m: (c:, m:, q:, z:)
xdotool key --delay 200 Up Return
message_box Quillet "No Disk was found on drive m:" no-disk
sleep 0.5
shot after-no-disk
folder_is "doc01.txt doc05.txt doc06.txt doc07.txt" || fail "the folder changed"

echo "== c: that refuses the file: the script goes to the local application data folder"
rm -f "$drive_c/rename.bat"
chmod 555 "$drive_c"
refresh
click $OPTION_SHELL
type_into $START_AT 1
type_into $TEMPLATE 'fin##'
keys alt+o
message_box Quillet "Rename Finished!" shell-own-folder
within 30 folder_is "fin01.txt fin02.txt fin03.txt fin04.txt" || fail "the Shell method did not rename"
holds fin01.txt "content a" && holds fin04.txt "content d" || fail "contents moved between files"
[ ! -e "$drive_c/rename.bat" ] || fail "c:\\rename.bat written although c: refuses files"
own="$(find "$drive_c/users" -path '*/AppData/Local/Quillet/rename.bat' | head -n1)"
[ -n "$own" ] || fail "no rename.bat in the local application data folder"
grep -q 'rename "doc07.txt" "fin04.txt"' "$own" || fail "the script there is not this run's"

echo "PASS: every step; screenshots in $shots"

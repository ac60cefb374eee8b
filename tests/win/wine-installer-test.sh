#!/usr/bin/env bash
# Installs Quillet from its installer under Wine, into a fresh prefix, uses what it made and
# removes it again, the way a user and Explorer would:
#   - the installer's pages, Cancel asked and declined, the install, then the uninstaller's
#     pages from the uninstall command "Apps & features" runs (screenshots);
#   - a silent install for the current user (/S /CurrentUser: Wine runs everything as an
#     administrator, which would install for every user);
#   - the program folder, the Start-menu shortcut, the uninstall key and the folder verbs;
#   - each verb's command, run as Explorer runs it, on a folder: the window opens on that
#     folder and lists its files (a template typed, "Batch File" writes their renames there);
#   - the silent uninstall from the uninstall key: every file and key is as before;
#   - the same install and uninstall for every user, as an administrator.
#   wine-installer-test.sh <setup.exe> <run_registered_command.exe> <LICENSE> <work folder>
# Exits 77 ("skipped" in CTest) with the reason when a tool or the installer is missing.
set -euo pipefail

installer="$1"
runner="$(realpath "$2")"
license="$3"
work="$4"
. "$(dirname "$0")/wine-desktop.sh"

require_tools wine wineserver winepath Xvfb openbox xdotool import strings
if [ ! -f "$installer" ]; then
    command -v makensis >/dev/null 2>&1 || skip "makensis is not installed (scripts/install-deps)"
    echo "no installer at $installer (cmake --build --preset windows --target windows_installer)"
    exit 1
fi
installer="$(realpath "$installer")"
version="$(basename "$installer" | sed -n 's/^quillet-\(.*\)-setup\.exe$/\1/p')"

rm -rf "$work"
mkdir -p "$work/shots" "$work/files" "$work/My Photos" "$work/state"
work="$(realpath "$work")"
files="$work/files"
photos="$work/My Photos"
shots="$work/shots"

cleanup() {
    local status=$?
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    stop_desktop
    exit $status
}
trap cleanup EXIT
start_desktop

# No menu entries or file types written to this machine's desktop from the prefix.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=C.UTF-8
wine cmd /c exit 0 </dev/null >"$work/wine-prefix.log" 2>&1
wineserver -k || true # a running Wine would not see the drive mapped below
ln -sfn "$files" "$WINEPREFIX/dosdevices/q:"
drive_c="$WINEPREFIX/drive_c"

# ---- Helpers ------------------------------------------------------------------------------

fail() {
    echo "FAIL: $*"
    shot failure || true
    exit 1
}
# The data of a value as `reg query` prints it: name, type and data apart by four spaces.
value_of() { # key name ("" for the default value)
    local query=(/ve) name="(Default)"
    if [ -n "${2:-}" ]; then
        query=(/v "$2")
        name="$2"
    fi
    wine reg query "$1" "${query[@]}" 2>/dev/null | tr -d '\r' |
        awk -F '    ' -v name="$name" '$2 == name { print $4 }'
}
expect_value() { # key name expected
    local data
    data="$(value_of "$1" "$2")"
    [ "$data" = "$3" ] || fail "$1 ${2:-(Default)} is \"$data\", expected \"$3\""
}
# Every file of drive c: (the temporary folders aside) and every key and value of HKCU and
# HKLM\Software, where the installer writes.
save_state() {
    (cd "$drive_c" && find . -path './users/*/Temp' -prune -o -path './windows/temp' -prune -o \
        -print | sort) >"$work/state/$1.files"
    local hive
    for hive in hkcu:HKCU 'hklm:HKLM\Software'; do
        wine reg export "${hive#*:}" "$work/state/export.reg" /y >/dev/null 2>>"$work/wine-errors.log"
        # Without the keys Wine makes again for each session, and those its debugger writes
        # when one of Wine's own tools crashes (reg.exe does, now and then).
        iconv -f UTF-16 -t UTF-8 "$work/state/export.reg" | tr -d '\r' |
            awk '/^\[/ { wine = /^\[HKEY_CURRENT_USER\\(Volatile Environment|Console|Software\\Wine\\(Temporary System Parameters|WineDbg))/ }
                 !wine' >"$work/state/$1.${hive%%:*}.reg"
    done
    rm "$work/state/export.reg"
}
no_window() { ! window_named "$1"; }
# The subsystem in a program's PE header: 2 for a GUI program, 3 for a console program, for
# which Windows opens a console window.
subsystem() {
    local pe
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tu2 -j$((pe + 92)) -N2 "$1" | tr -d ' '
}
# Runs the command of a folder verb on a folder, as Explorer does, and checks that the window
# opens on that folder: with a template typed, "Batch File" writes rename.bat there, with the
# renames of the files listed.
open_with_verb() { # verb key, folder (Windows path), folder (here), screenshot name
    wine "$runner" "HKCU\\Software\\Classes\\$1\\command" @ "$2" >"$work/$4.log" 2>&1 ||
        fail "the verb's command failed: $(cat "$work/$4.log")"
    within 60 window_named '^Quillet v 1\.00' || fail "no window from the verb on $2"
    sleep 2
    shot "$4"
    click $CHECK_TEMPLATE
    type_into $TEMPLATE 'pic##'
    keys alt+b
    within 20 test -f "$3/rename.bat" || fail "no rename.bat in $2: the window is not on it"
    within 30 window_named '^rename\.bat - Notepad$' || fail "notepad did not open rename.bat"
    sleep 1
    shot "$4-batch-file"
    xdotool windowactivate --sync "$(find_window '^rename\.bat - Notepad$')" \
        key alt+F4
    within 10 no_window 'Notepad' || fail "notepad stays open"
    keys alt+F4
    within 20 no_window '^Quillet v 1\.00' || fail "the window stays open"
}

# Windows always has the user's class key; a new Wine prefix has it only once something
# writes there.
wine reg add 'HKCU\Software\Classes' /f >/dev/null
save_state before

# Checks what an install made: the program folder, the Start-menu shortcut, the
# uninstall key and the two folder verbs, under the root key of the install's mode.
check_install() { # root key (HKCU, HKLM), program folder, Start-menu folder (here), mode option
    local root=$1 location=$2 menu=$3 mode=$4 folder uninstall_key size_kb verb
    folder="$(winepath -u "$location")"
    [ "$(ls "$folder" | tr '\n' ' ')" = \
        "LICENSE.txt Qt-LGPL-3.0.txt THIRD-PARTY-NOTICES.txt quillet-open.exe quillet.exe uninstall.exe " ] ||
        fail "the program folder holds: $(ls "$folder" | tr '\n' ' ')"
    cmp -s "$license" "$folder/LICENSE.txt" || fail "LICENSE.txt is not the licence"
    [ "$(subsystem "$folder/quillet-open.exe")" = 2 ] && [ "$(subsystem "$folder/quillet.exe")" = 2 ] ||
        fail "the programs are not both GUI programs: a console window would flash"

    [ -f "$menu/Quillet.lnk" ] || fail "no Start-menu shortcut in $menu"
    strings -a "$menu/Quillet.lnk" | grep -qxF "$location\\quillet-open.exe" ||
        fail "the shortcut does not start quillet-open.exe"

    uninstall_key="$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillet"
    expect_value "$uninstall_key" DisplayName "Quillet"
    expect_value "$uninstall_key" Publisher "Quillet"
    expect_value "$uninstall_key" DisplayVersion "$version"
    expect_value "$uninstall_key" DisplayIcon "$location\\quillet.exe,0"
    expect_value "$uninstall_key" UninstallString "\"$location\\uninstall.exe\" $mode"
    expect_value "$uninstall_key" QuietUninstallString "\"$location\\uninstall.exe\" $mode /S"
    size_kb=$(($(value_of "$uninstall_key" EstimatedSize)))
    [ "$size_kb" -ge $(($(du -sk "$folder" | cut -f1) * 9 / 10)) ] ||
        fail "EstimatedSize $size_kb KB is less than the program folder"
    for verb in 'Directory\shell\Quillet' 'Directory\Background\shell\Quillet'; do
        expect_value "$root\\Software\\Classes\\$verb" "" "Rename files with Quillet"
        expect_value "$root\\Software\\Classes\\$verb\\command" "" \
            "\"$location\\quillet-open.exe\" \"%V\""
    done
    {
        wine reg query "$uninstall_key"
        wine reg query "$root\\Software\\Classes\\Directory\\shell\\Quillet" /s
        wine reg query "$root\\Software\\Classes\\Directory\\Background\\shell\\Quillet" /s
    } 2>>"$work/wine-errors.log" | tr -d '\r' | tee -a "$work/registry.txt"
}
# Every file and key is as it was before the first install.
same_as_before() { # name of the state
    # Notepad keeps its settings when the test closes it: not the installer's.
    wine reg delete 'HKCU\Software\Microsoft\Notepad' /f >/dev/null 2>&1 || true
    save_state "$1"
    local part
    for part in files hkcu.reg hklm.reg; do
        diff -u "$work/state/before.$part" "$work/state/$1.$part" >"$work/state/$1.$part.diff" ||
            fail "the uninstall left a difference in $part: $(cat "$work/state/$1.$part.diff")"
    done
    echo "files and keys before the install and after the uninstall: the same"
}
# Runs the quiet uninstall command of the uninstall key.
uninstall_quietly() { # root key, program folder
    wine "$runner" "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillet" \
        QuietUninstallString >"$work/uninstall.log" 2>&1 ||
        fail "the uninstaller failed: $(cat "$work/uninstall.log")"
    # The uninstaller runs on from a copy of itself in the temporary folder.
    wineserver -w
    within 30 test ! -e "$(winepath -u "$2")" || fail "the program folder is still there"
}
ended() { ! kill -0 "$1" 2>/dev/null; }
# The install's last key is there.
installed() { [ -n "$(value_of 'HKCU\Software\Classes\Directory\Background\shell\Quillet')" ]; }

user="$(wine cmd /c echo %USERNAME% | tr -d '\r')"
location="C:\\users\\$user\\AppData\\Local\\Programs\\Quillet"
menu="$drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"

# ---- The pages of the installer and of the uninstaller ------------------------------------

echo "== the installer's pages: Cancel asked and declined, then the install"
wine "$installer" /CurrentUser >"$work/installer-pages.log" 2>&1 &
pages=$!
within 60 window_named "^Quillet Setup\$" || fail "the installer's window did not open"
sleep 2
shot setup-welcome
xdotool key Return
sleep 1
shot setup-licence
xdotool key Return
sleep 1
shot setup-folder
xdotool key Escape
sleep 1
shot setup-cancel
xdotool key n
sleep 1
xdotool key Return
within 60 installed || fail "the install from the pages did not finish"
sleep 2
shot setup-finish
xdotool key Return
within 20 ended $pages || fail "the installer did not end on Finish"
check_install HKCU "$location" "$menu" /CurrentUser

echo "== the uninstaller's pages, from the uninstall command of \"Apps & features\""
wine "$runner" 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet' \
    UninstallString >"$work/uninstall-pages.log" 2>&1 ||
    fail "the uninstaller failed: $(cat "$work/uninstall-pages.log")"
within 60 window_named "^Quillet Uninstall" || fail "the uninstaller's window did not open"
sleep 2
shot uninstall-confirm
xdotool key Return
within 30 test ! -e "$(winepath -u "$location")" || fail "the program folder is still there"
sleep 2
shot uninstall-done
xdotool key Return
within 20 no_window "^Quillet Uninstall" || fail "the uninstaller did not end on Close"
wineserver -w
same_as_before after-pages

# ---- Silent install, for the current user -------------------------------------------------

echo "== silent install for the current user"
wine "$installer" /S /CurrentUser >"$work/install.log" 2>&1 || fail "the silent install failed"
wineserver -w
check_install HKCU "$location" "$menu" /CurrentUser

# ---- The folder verbs ---------------------------------------------------------------------

for name in a b c d; do echo "content $name" >"$files/$name.txt"; done
echo "== the verb on a drive's root folder, Q:\\"
open_with_verb 'Directory\shell\Quillet' 'Q:\' "$files" verb-folder
expected=$'cd /d "Q:\\"\nif errorlevel 1 exit /b 1\nQ:\nrename "a.txt" "pic01.txt"\nrename "b.txt" "pic02.txt"\nrename "c.txt" "pic03.txt"\nrename "d.txt" "pic04.txt"'
[ "$(tr -d '\r' <"$files/rename.bat")" = "$expected" ] ||
    fail "rename.bat in Q:\\ holds: $(cat -A "$files/rename.bat")"

echo "content x" >"$photos/x one.jpg"
echo "content y" >"$photos/y two.jpg"
photos_windows="$(winepath -w "$photos")"
echo "== the verb on a folder's background, $photos_windows"
open_with_verb 'Directory\Background\shell\Quillet' "$photos_windows" "$photos" verb-background
grep -q "^cd /d \"$(printf '%s' "$photos_windows" | sed 's/[\\.]/\\&/g')" "$photos/rename.bat" &&
    [ "$(grep -c '^rename ' "$photos/rename.bat")" = 2 ] &&
    grep -qF 'rename "x one.jpg" "pic01.jpg"' "$photos/rename.bat" &&
    grep -qF 'rename "y two.jpg" "pic02.jpg"' "$photos/rename.bat" ||
    fail "rename.bat in $photos_windows holds: $(cat -A "$photos/rename.bat")"

echo "== silent uninstall of the current user's install"
uninstall_quietly HKCU "$location"
same_as_before after-current-user

# ---- Silent install, for every user -------------------------------------------------------

# Wine runs programs as an elevated administrator: without /CurrentUser the installer
# installs for every user.
echo "== silent install for every user"
wine "$installer" /S >"$work/install-all-users.log" 2>&1 || fail "the silent install failed"
wineserver -w
check_install HKLM 'C:\Program Files\Quillet' \
    "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" /AllUsers
[ -z "$(value_of 'HKCU\Software\Classes\Directory\shell\Quillet')" ] ||
    fail "the install for every user wrote the current user's verb"
echo "== silent uninstall of the install for every user"
uninstall_quietly HKLM 'C:\Program Files\Quillet'
same_as_before after-all-users

echo "PASS: every step; screenshots in $shots"

#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the command line of each file manager entry the package installs, as that file
# manager would on a folder chosen by the user, and checks that the window it opens lists
# that folder's files: on an Xvfb display with a window manager, Alt+B ("&Batch File")
# writes rename.bat with one line per listed file into the window's working folder.
#   Dolphin: [Desktop Action] Exec of share/kio/servicemenus, %f replaced by the path quoted
#            in single quotes (KIO's quoting), split like a shell;
#   Nemo:    Exec of share/nemo/actions, %F replaced by the path with its spaces, quotes,
#            backslashes and "#" escaped by a backslash (Nemo's), split like a shell.
# The unpacked programs come first on PATH. Screenshots go to OUT_DIR/file-managers.
# Usage: check-file-manager-entries.sh OUT_DIR APP_ID (OUT_DIR from unpack-package.sh)
set -u
shopt -u patsub_replacement 2>/dev/null
out=$(realpath "$1") id=$2
usr=$out/root/usr
work=$out/file-managers
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -d "$usr" ] || { echo "skipped: no unpacked package (the test package_unpacked makes it)"; exit 77; }
for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null ||
        { echo "skipped: $tool is not installed (scripts/install-deps test installs it)"; exit 77; }
done

rm -rf "$work"
mkdir -p "$work/bin" "$work/config" "$work/data/applications"
work=$(realpath "$work")
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
        wait "${pids[i]}" 2>/dev/null
    done
}
trap cleanup EXIT
# Runs a check until it holds, for at most $1 seconds.
within() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
within 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
within 10 xdotool getmouselocation >/dev/null 2>&1 || fail "no display"
# A window mapped while the window manager starts may stay unmanaged and unseen: the
# program starts once openbox has announced itself on the root window. On a busy machine
# openbox now and then fails to open a display that has only just come up: it is started
# again then.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wm_ready_or_gone() { wm_ready || ! kill -0 "$1" 2>/dev/null; }
for attempt in 1 2 3; do
    openbox >"$work/openbox.log" 2>&1 &
    wm=$!
    pids+=($wm)
    within 20 wm_ready_or_gone "$wm" || true
    wm_ready && break
    sleep 0.5
done
wm_ready || fail "openbox did not start: $(cat "$work/openbox.log" "$work/xvfb.log")"

# "&Batch File" opens the script in the desktop's text editor: here one that does nothing.
printf '#!/bin/sh\nexit 0\n' >"$work/bin/gnome-text-editor"
chmod +x "$work/bin/gnome-text-editor"
printf '[Desktop Entry]\nType=Application\nName=Editor\nExec=%s %%f\n' \
    "$work/bin/gnome-text-editor" >"$work/data/applications/quillet-test-editor.desktop"
printf '[Default Applications]\ntext/plain=quillet-test-editor.desktop\n' >"$work/config/mimeapps.list"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export PATH="$usr/bin:$work/bin:$PATH" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=

# The value of KEY in [GROUP] of a key file, with the string escape "\\" undone.
value() {
    local v
    v=$(awk -v group="[$2]" -v key="$3" '
        /^\[/ { in_group = ($0 == group); next }
        in_group && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' "$1")
    printf '%s' "${v//\\\\/\\}"
}
listed_in_script() { tr -d '\r' <"$1/rename.bat" | sed -n 's/^rename "\([^"]*\)" ".*$/\1/p' | sort; }
folder_files() { (cd "$1" && find . -maxdepth 1 -type f ! -name rename.bat -printf '%P\n' | sort); }

# Runs the argument vector the entry's command line splits into, from another folder, and
# checks the window it opens on the folder $1; $2 names the entry in messages.
open_and_check() {
    local folder=$1 entry=$2 pid window
    shift 2
    (cd / && exec "$@") >"$work/$entry.log" 2>&1 &
    pid=$!
    pids+=($pid)
    within 30 sh -c 'xdotool search --onlyvisible --pid '$pid' --name "^Quillet" >/dev/null 2>&1' || {
        xwininfo -root -tree >&2
        xdotool search --pid $pid >&2
        ps -o pid,stat,args -p $pid >&2
        fail "$entry: no window opened (log: $(cat "$work/$entry.log"))"
    }
    window=$(xdotool search --onlyvisible --pid $pid --name '^Quillet' | head -n1)
    [ "$(readlink "/proc/$pid/cwd")" = "$folder" ] ||
        fail "$entry: the window runs in $(readlink "/proc/$pid/cwd"), not in the folder"
    xdotool windowactivate --sync "$window" key alt+b
    within 20 test -f "$folder/rename.bat" || fail "$entry: Alt+B wrote no rename.bat into the folder"
    within 5 sh -c '[ "$(tr -d "\r" <"$1/rename.bat" | grep -c "^rename ")" -eq 3 ]' sh "$folder" ||
        fail "$entry: rename.bat holds: $(cat "$folder/rename.bat")"
    command -v import >/dev/null && import -window root "$work/$entry.png"
    [ "$(listed_in_script "$folder")" = "$(folder_files "$folder")" ] ||
        fail "$entry: the window lists $(listed_in_script "$folder" | tr '\n' '|'), the folder holds $(folder_files "$folder" | tr '\n' '|')"
    kill $pid
    wait $pid 2>/dev/null
    echo "$entry: the window lists the files of \"$folder\""
}

# A folder of its own for each entry, with a name that needs quoting.
new_folder() {
    local folder="$work/$1/Urlaub 'Sommer' été"
    mkdir -p "$folder"
    for name in "IMG 0001.JPG" "Café.txt" report.pdf; do echo "$name" >"$folder/$name"; done
    printf '%s' "$folder"
}

# Dolphin's service menu.
menu=$usr/share/kio/servicemenus/$id.desktop
[ "$(value "$menu" "Desktop Entry" MimeType)" = "inode/directory;" ] || fail "the service menu is not for folders"
action=$(value "$menu" "Desktop Entry" Actions)
action=${action%;}
[ "$(value "$menu" "Desktop Action $action" Name)" = "Rename Files with Quillet" ] ||
    fail "the service menu's action is not \"Rename Files with Quillet\""
exec_line=$(value "$menu" "Desktop Action $action" Exec)
folder=$(new_folder dolphin)
quoted="'${folder//\'/\'\\\'\'}'"
eval "set -- ${exec_line//%f/"$quoted"}"
open_and_check "$folder" dolphin "$@"

# Nemo's action.
action=$usr/share/nemo/actions/$id.nemo_action
[ "$(value "$action" "Nemo Action" Name)" = "Rename Files with Quillet" ] ||
    fail "the Nemo action is not \"Rename Files with Quillet\""
[ "$(value "$action" "Nemo Action" Selection)" = s ] &&
    [ "$(value "$action" "Nemo Action" Extensions)" = "dir;" ] || fail "the Nemo action is not for one folder"
exec_line=$(value "$action" "Nemo Action" Exec)
folder=$(new_folder nemo)
escaped=$(printf '%s' "$folder" | sed 's/[ \t'\''"\\#]/\\&/g')
eval "set -- ${exec_line//%F/"$escaped"}"
open_and_check "$folder" nemo "$@"

# shellcheck shell=bash
# Sourced by the tests that use Windows programs under Wine the way a person would: an X
# server of their own (Xvfb) with a window manager (openbox), driven with xdotool, a
# screenshot kept of each step. The sourcing script sets $work and $shots first.
# Picks a free display itself, or uses :$QUILLET_TEST_DISPLAY when that is set.

# Exits 77 ("skipped" in CTest) with the reason.
skip() {
    echo "skipped: $*"
    exit 77
}
require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (scripts/install-deps)"
    done
}

# The processes started here, ended in reverse order by stop_desktop.
pids=()
start_desktop() {
    local display
    if [ -n "${QUILLET_TEST_DISPLAY:-}" ]; then
        Xvfb ":$QUILLET_TEST_DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
        pids+=($!)
        display="$QUILLET_TEST_DISPLAY"
    else
        exec 3>"$work/display"
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
        pids+=($!)
        exec 3>&-
        for _ in $(seq 100); do
            [ -s "$work/display" ] && break
            sleep 0.1
        done
        display="$(cat "$work/display")"
    fi
    export DISPLAY=":$display"
    for _ in $(seq 100); do
        xdotool getmouselocation >/dev/null 2>&1 && break
        sleep 0.1
    done
    openbox >"$work/openbox.log" 2>&1 &
    pids+=($!)
}
stop_desktop() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
}

step=0
shot() {
    step=$((step + 1))
    import -window root "$shots/$(printf '%02d' $step)-$1.png"
}
# Runs a check until it holds, for at most $1 seconds.
within() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}
# Qt keeps closed boxes as hidden windows: only windows on the screen count.
window_named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# The first visible window whose name matches. xdotool's search fails now and then with
# BadWindow when another window (a hidden cmd of the Shell method, a closing Notepad) goes
# away while it looks: it is asked again then.
find_window() {
    local w i
    for i in 1 2 3 4 5 6 7 8 9 10; do
        w="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)"
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.3
    done
    return 1
}
# The window of quillet.exe.
main_window() { find_window '^Quillet v 1\.00'; }
# Presses keys or clicks at window coordinates (the window's own, without its frame).
keys() {
    xdotool windowactivate --sync "$(main_window)" key --delay 60 "$@"
    sleep 0.3
}
click() {
    local w
    w="$(main_window)"
    xdotool windowactivate --sync "$w" mousemove --window "$w" "$1" "$2" click "${3:-1}"
    sleep 0.3
}
type_into() { # x y text: replaces the text of the box at x y
    click "$1" "$2"
    keys ctrl+a BackSpace
    xdotool type --delay 60 "$3"
    sleep 0.3
}

# Positions in the window: the designed layout in twips, divided by 15.
CHECK_TEMPLATE="344 40"
TEMPLATE="508 108"
START_AT="460 138"
DRIVES="92 26"
OPTION_SHELL="490 416"
OPTION_API="490 432"

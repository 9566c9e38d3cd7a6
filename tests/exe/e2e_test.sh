#!/usr/bin/env bash
# End-to-end scenarios of the real VeltoMacro.exe under Wine, driven by real X input (xdotool) and
# observed by stand-in game windows. Assertions are on counts and directions only.
#
# Usage: e2e_test.sh WINE_RUNNER BUILD_DIR SCENARIO   (needs DISPLAY; exit 77 skips without one)
set -u
runner=$1
build=$(realpath "$2")
scenario=$3
exe=$build/VeltoMacro.exe
game=$build/tests/game_window.exe
post_quit=$build/tests/post_quit.exe
if [ -z "${DISPLAY:-}" ]; then
    echo "skipped: no X display (scripts/test provides one)"
    exit 77
fi

cleanup() {
    xdotool keyup Up Down a 2>/dev/null
    for button in 1 2 8 9; do xdotool mouseup "$button" 2>/dev/null; done
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
check() { # DESCRIPTION COMMAND...
    local description=$1
    shift
    checks=$((checks + 1))
    if "$@"; then
        echo "ok: $description"
    else
        echo "FAIL: $description"
        failures=$((failures + 1))
    fi
}
# Infrastructure that did not come up is not a verdict on the program: the attempt is retried.
broken() {
    echo "BROKEN: $*"
    exit 3
}

# --- stand-in windows ---------------------------------------------------------------------------

declare -A window_pid window_id
# value NAME KEY: a count or field from the window's status (0 when absent).
value() { awk -v key="$2" '$1 == key { print $2; found = 1 } END { if (!found) print 0 }' "$1.txt"; }
wheel() { echo $(($(value "$1" wheel_up) + $(value "$1" wheel_down))); }
# Status is rewritten every 50 ms when something changed: wait long enough for the last write.
settle() { sleep 0.25; }

# start_window NAME CLASS TITLE X Y [--child]: the window ends up in the foreground.
start_window() {
    local name=$1 class=$2 title=$3 x=$4 y=$5
    shift 5
    "$runner" "$game" "$class" "$title" "$name.txt" --at "$x" "$y" "$@" >"$name.log" 2>&1 &
    window_pid[$name]=$!
    pids+=($!)
    for _ in $(seq 150); do
        [ -f "$name.txt" ] && window_id[$name]=$(xdotool search --onlyvisible --pid "${window_pid[$name]}" 2>/dev/null | head -n 1)
        [ -n "${window_id[$name]:-}" ] && return 0
        sleep 0.1
    done
    broken "stand-in $name ($class, $title) did not come up"
}

# point NAME client|child: a point well inside the left half of the client area, or the child.
point() {
    awk -v which="$2" '$1 == which {
        if (which == "client") print int($2 + ($4 - $2) / 4), int(($3 + $5) / 2);
        else print int(($2 + $4) / 2), int(($3 + $5) / 2) }' "$1.txt"
}
move_to() { xdotool mousemove $(point "$1" "${2:-client}"); }
move_off() { xdotool mousemove 1010 760; } # the bare desktop

# activate NAME: the window becomes Wine's foreground window, with X focus and the cursor on it.
activate() {
    move_to "$1"
    xdotool click 1
    xdotool windowfocus --sync "${window_id[$1]}"
    sleep 0.1
}

# --- VeltoMacro ---------------------------------------------------------------------------------

# start_velto CONFIG PRESS RELEASE PROBE_WINDOW: starts the program and waits until holding the
# bound input over PROBE_WINDOW scrolls it, so that its hooks are known to be in place.
start_velto() {
    local config=$1 press=$2 release=$3 probe=$4
    printf "%b" "$config" >VeltoMacro.ini
    "$runner" "$exe" </dev/null >velto.out 2>velto.err &
    velto_pid=$!
    pids+=($!)
    move_to "$probe"
    local before
    before=$(wheel "$probe")
    for _ in $(seq 40); do
        xdotool $press
        sleep 0.15
        xdotool $release
        settle
        [ "$(wheel "$probe")" -gt "$before" ] && return 0
        kill -0 "$velto_pid" 2>/dev/null || broken "VeltoMacro.exe ended: $(cat velto.err)"
    done
    broken "VeltoMacro.exe never scrolled $probe"
}

# hold INPUT_DOWN INPUT_UP SECONDS
hold() {
    xdotool $1
    sleep "$3"
    xdotool $2
    settle
}
KEY_UP=("keydown Up" "keyup Up")
KEY_DOWN=("keydown Down" "keyup Down")
KEYS_CONFIG='[general]\ninterval = 5\nupbind = 0x26\ndownbind = 0x28\n'

# start_game CONFIG PRESS RELEASE [--child]: the game's window in front, VeltoMacro running on it.
start_game() {
    start_window game LaunchUnrealUWindowsClient Velto 20 20 "${@:4}"
    activate game
    start_velto "$1" "$2" "$3" game
}

check_silent() {
    check "VeltoMacro is still running" kill -0 "$velto_pid"
    check "VeltoMacro printed nothing" [ ! -s velto.out -a ! -s velto.err ]
}

# --- scenarios ----------------------------------------------------------------------------------

scenario_key_binds() {
    start_game "$KEYS_CONFIG" "${KEY_UP[@]}"
    local up down keys_up keys_down
    up=$(value game wheel_up) down=$(value game wheel_down)
    keys_up=$(value game key_down_26) keys_down=$(value game key_down_28)

    hold "${KEY_UP[@]}" 0.5
    check "holding Up scrolls up" [ "$(value game wheel_up)" -gt "$up" ]
    check "holding Up does not scroll down" [ "$(value game wheel_down)" -eq "$down" ]
    up=$(value game wheel_up)
    hold "${KEY_DOWN[@]}" 0.5
    check "holding Down scrolls down" [ "$(value game wheel_down)" -gt "$down" ]
    check "holding Down does not scroll up" [ "$(value game wheel_up)" -eq "$up" ]
    check "the bound keys never reach the window" \
        [ "$(value game key_down_26)" -eq "$keys_up" -a "$(value game key_down_28)" -eq "$keys_down" ]

    xdotool key a
    settle
    check "an unbound key reaches the window" [ "$(value game key_down_41)" -ge 1 ]

    xdotool keydown Up keydown Down
    settle
    local both
    both=$(wheel game)
    sleep 0.5
    settle
    check "both held at once: no scrolling" [ "$(wheel game)" -eq "$both" ]
    xdotool keyup Up keyup Down
    check_silent
}

# mouse_scenario CONFIG UP_BUTTON UP_CODE DOWN_BUTTON DOWN_CODE: xdotool button numbers and the
# virtual-key codes the window reports them with.
mouse_scenario() {
    local config=$1 up_button=$2 up_code=$3 down_button=$4 down_code=$5
    start_game "$config" "mousedown $up_button" "mouseup $up_button"
    local up down
    up=$(value game wheel_up) down=$(value game wheel_down)
    local seen_up seen_down
    seen_up=$(value game "window_button_down_$up_code")
    seen_down=$(value game "window_button_down_$down_code")

    hold "mousedown $up_button" "mouseup $up_button" 0.5
    check "holding button $up_button scrolls up" [ "$(value game wheel_up)" -gt "$up" ]
    check "holding button $up_button does not scroll down" [ "$(value game wheel_down)" -eq "$down" ]
    up=$(value game wheel_up)
    hold "mousedown $down_button" "mouseup $down_button" 0.5
    check "holding button $down_button scrolls down" [ "$(value game wheel_down)" -gt "$down" ]
    check "holding button $down_button does not scroll up" [ "$(value game wheel_up)" -eq "$up" ]
    check "the bound buttons never reach the window" \
        [ "$(value game "window_button_down_$up_code")" -eq "$seen_up" -a \
          "$(value game "window_button_up_$up_code")" -eq "$seen_up" -a \
          "$(value game "window_button_down_$down_code")" -eq "$seen_down" ]
    check_silent
}

scenario_mouse_extra_buttons() {
    mouse_scenario '[general]\nupbind = 5\ndownbind = 6\n' 8 5 9 6
}

scenario_mouse_middle_left() {
    mouse_scenario '[general]\nupbind = 4\ndownbind = 1\n' 2 4 1 1
}

scenario_gate_titles() {
    start_window other LaunchUnrealUWindowsClient Velto2 520 20
    start_window lower LaunchUnrealUWindowsClient velto 20 380
    start_game "$KEYS_CONFIG" "${KEY_UP[@]}"
    for name in other lower; do
        activate "$name"
        hold "${KEY_UP[@]}" 0.5
        check "$name title: no scrolling" [ "$(wheel "$name")" -eq 0 ]
        check "$name title: the key reaches the window" [ "$(value "$name" key_down_26)" -ge 1 ]
    done
    check_silent
}

scenario_gate_other_class() {
    start_window notepad Notepad "Untitled - Notepad" 20 20
    activate notepad
    start_velto "$KEYS_CONFIG" "${KEY_UP[@]}" notepad
    local up keys
    up=$(value notepad wheel_up) keys=$(value notepad key_down_26)
    hold "${KEY_UP[@]}" 0.5
    check "another class scrolls" [ "$(value notepad wheel_up)" -gt "$up" ]
    check "the bound key never reaches it" [ "$(value notepad key_down_26)" -eq "$keys" ]
    check_silent
}

scenario_gate_child() {
    start_game "$KEYS_CONFIG" "${KEY_UP[@]}" --child
    move_to game child
    local before keys
    before=$(wheel game) keys=$(value game key_down_26)
    hold "${KEY_UP[@]}" 0.5
    check "over the child window: no scrolling" [ "$(wheel game)" -eq "$before" ]
    check "over the child window: the key arrives" [ "$(value game key_down_26)" -gt "$keys" ]
    check_silent
}

# A mouse button, which does not auto-repeat: the press that started scrolling is its only press.
scenario_gate_cursor_leaves() {
    start_game '[general]\nupbind = 5\n' "mousedown 8" "mouseup 8"
    xdotool mousedown 8
    sleep 0.3
    move_off
    settle
    local stopped
    stopped=$(wheel game)
    sleep 0.3
    settle
    check "cursor off the window: scrolling stops" [ "$(wheel game)" -eq "$stopped" ]
    move_to game
    sleep 0.5
    settle
    check "cursor back, button still held: no scrolling until pressed again" [ "$(wheel game)" -eq "$stopped" ]
    xdotool mouseup 8
    hold "mousedown 8" "mouseup 8" 0.3
    check "pressed again: scrolls again" [ "$(wheel game)" -gt "$stopped" ]
    check_silent
}

# A long interval, so that no tick falls between the release outside the gate and the return.
scenario_no_runaway() {
    start_game '[general]\ninterval = 100\nupbind = 0x26\n' "${KEY_UP[@]}" --child
    xdotool keydown Up
    sleep 0.35
    xdotool mousemove $(point game child) keyup Up mousemove $(point game client)
    settle
    local released
    released=$(wheel game)
    sleep 1
    settle
    check "released outside the gate: no runaway scrolling" [ "$(wheel game)" -eq "$released" ]
    check_silent
}

scenario_release_reaches_app() {
    start_game "$KEYS_CONFIG" "${KEY_UP[@]}" --child
    local downs ups
    downs=$(value game key_down_26) ups=$(value game key_up_26)
    move_to game child
    # Well within the auto-repeat delay: the press is the only key-down.
    xdotool keydown Up mousemove $(point game client) keyup Up
    settle
    check "the press outside the gate reaches the window" [ "$(value game key_down_26)" -eq $((downs + 1)) ]
    check "its release inside the gate reaches it too" [ "$(value game key_up_26)" -eq $((ups + 1)) ]
    check_silent
}

scenario_quit_message() {
    start_game "$KEYS_CONFIG" "${KEY_UP[@]}"
    "$runner" "$post_quit" VeltoMacro.exe >/dev/null 2>&1 || broken "could not post the quit message"
    sleep 0.5
    local up
    up=$(value game wheel_up)
    hold "${KEY_UP[@]}" 0.5
    check "after a quit message it keeps scrolling" [ "$(value game wheel_up)" -gt "$up" ]
    check_silent
}

scenario_timer_refused() {
    printf '[general]\ninterval = 70000\nupbind = 0x26\n' >VeltoMacro.ini
    timeout 60 "$runner" "$exe" </dev/null >velto.out 2>velto.raw
    local code=$?
    sed 's/\r$//' velto.raw >velto.err
    printf 'Error: Unable to start the scroll timer with an interval of 70000 milliseconds.\n\nPress Enter to exit...\n' >expected.txt
    check "exit code 1" [ "$code" -eq 1 ]
    check "the report on standard error" cmp -s expected.txt velto.err
    check "nothing on standard output" [ ! -s velto.out ]
}

# One attempt in a subshell of its own, with its own folder and processes.
attempt() (
    work=$(mktemp -d)
    pids=()
    velto_pid=""
    failures=0
    checks=0
    trap cleanup EXIT
    cd "$work" || exit 3
    "scenario_$scenario"
    echo "$((checks - failures)) passed, $failures failed"
    [ "$failures" -eq 0 ]
)

# Wine's first starts on a fresh prefix sometimes hiccup: retry those, never a failed check.
for try in 1 2 3; do
    attempt
    status=$?
    [ "$status" -eq 3 ] || exit "$status"
    echo "attempt $try: the stand-in or the program did not come up; trying again"
done
exit 1

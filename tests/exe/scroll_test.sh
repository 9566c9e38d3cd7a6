#!/usr/bin/env bash
# The real exe under Wine, driven by real X input: holding the bound Up key over the stand-in game
# window scrolls it upward, and the key itself never reaches the window.
# Usage: scroll_test.sh WINE_RUNNER VeltoMacro.exe game_window.exe   (needs DISPLAY)
set -u
runner=$1
exe=$(realpath "$2")
game=$(realpath "$3")
if [ -z "${DISPLAY:-}" ]; then
    echo "skipped: no X display (scripts/test provides one)"
    exit 77
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1

failed=0
check() { # DESCRIPTION CONDITION...
    local description=$1
    shift
    if "$@"; then echo "ok: $description"; else echo "FAIL: $description"; failed=1; fi
}
count() { awk -v key="$1" '$1 == key { print $2; found = 1 } END { if (!found) print 0 }' status.txt; }
# Waits (bounded) until the stand-in has written a status that satisfies the awk condition.
wait_status() {
    for _ in $(seq 100); do
        [ -f status.txt ] && awk "$1" status.txt && return 0
        sleep 0.1
    done
    return 1
}

"$runner" "$game" LaunchUnrealUWindowsClient Velto status.txt >game.log 2>&1 &
pids+=($!)
wait_status '$1 == "ready" { ok = 1 } END { exit !ok }' || { echo "FAIL: stand-in did not start"; exit 1; }
window=$(xdotool search --sync --name '^Velto$' | head -n 1)
xdotool windowfocus --sync "$window"

printf '[general]\ninterval = 5\nupbind = 0x26\n' >VeltoMacro.ini
"$runner" "$exe" </dev/null >velto.out 2>velto.err &
pids+=($!)
# Until its hooks are in place a key would reach the window unswallowed: give it time to start.
for _ in $(seq 100); do
    pgrep -f 'VeltoMacro.exe' >/dev/null && break
    sleep 0.1
done
sleep 2

xdotool keydown Up
sleep 1
xdotool keyup Up
sleep 0.3
# An unbound key as a marker: once it has arrived, everything before it has too.
xdotool key a
wait_status '$1 == "key_up_41" && $2 >= 1 { ok = 1 } END { exit !ok }'
up_after_release=$(count wheel_up)
sleep 0.5

check "the unbound key reaches the window" [ "$(count key_down_41)" -ge 1 ]
check "holding Up scrolls up ($(count wheel_up) notches)" [ "$(count wheel_up)" -ge 20 ]
check "nothing scrolls down" [ "$(count wheel_down)" -eq 0 ]
check "the Up key never reaches the window" [ "$(count key_down_26)" -eq 0 -a "$(count key_up_26)" -eq 0 ]
check "scrolling stops with the release" [ "$(count wheel_up)" -eq "$up_after_release" ]
check "the program is still running" kill -0 "${pids[1]}"
check "nothing printed" [ ! -s velto.out -a ! -s velto.err ]
[ $failed -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $failed

#!/usr/bin/env bash
# What only the real programs under Wine can show: driven by real X input and observed by stand-in
# game windows, that they scroll, swallow and pass what they should (checks on counts and
# directions, never on times); the failure reports that only the real runtime, file system and
# timer service produce; and the release archive as a player gets it. Auto-repeat is real here: a
# key held for more than about half a second sends repeated key-downs.
# Usage: e2e_test.sh SCENARIO, with VELTO_BUILD the Windows build and VELTO_VERSION its version
# (needs DISPLAY; exits 77 to skip without one)
[ -n "${DISPLAY:-}" ] || { echo "skipped: no X display (scripts/test provides one)"; exit 77; }
root=$(cd "$(dirname "$0")/../.." && pwd)
session=$root/scripts/session
s() { "$session" "$work" "$@" || exit 3; }
v() { "$session" "$work" value "$@"; }
sum() { echo $(($(v "$1" "$2") + $(v "$1" "$3"))); }
press() { xdotool "$@" && sleep 0.25; } # the stand-in writes its status every 50 ms
check() { # DESCRIPTION TEST...
    if test "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
# game CONFIG PRESS RELEASE [--child]: the game's window in front, VeltoMacro running on it.
game() {
    s window game LaunchUnrealUWindowsClient Velto 20 20 "${@:4}"
    s activate game
    s velto "$1" "$2" "$3" game
}
KEY_AND_BUTTON='[general]\ninterval = 20\nupbind = 0x26\ndownbind = 5\n'

scenario_binds() {
    game "$KEY_AND_BUTTON" "keydown Up" "keyup Up"
    local up down seen
    up=$(v game wheel_up) down=$(v game wheel_down) seen=$(sum game key_down_26 window_button_down_5)
    press keydown Up sleep 1 keyup Up
    check "holding Up scrolls up" "$(v game wheel_up)" -gt "$up" -a "$(v game wheel_down)" -eq "$down"
    local gap
    gap=$(awk '$1 == "notch_us" { for (i = 3; i <= NF; i++) print $i - $(i - 1) }' "$work/game.txt" |
        sort -n | awk '{ gaps[NR] = $1 } END { print int(gaps[int((NR + 1) / 2)] / 1000 + 0.5) }')
    check "one notch every 20 ms (median gap $gap ms)" "$gap" -ge 17 -a "$gap" -le 23
    up=$(v game wheel_up)
    press mousedown 8 sleep 0.4 mouseup 8 key a
    check "holding the first extra button scrolls down" "$(v game wheel_down)" -gt "$down" -a "$(v game wheel_up)" -eq "$up"
    check "neither bind reaches the game" "$(sum game key_down_26 window_button_down_5)" -eq "$seen"
    check "an unbound key does" "$(v game key_down_41)" -eq 1
}

scenario_gate() {
    s window untitled LaunchUnrealUWindowsClient "" 520 20
    s window notepad Notepad "" 20 380
    game "$KEY_AND_BUTTON" "keydown Up" "keyup Up" --child
    local notches keys downs ups
    notches=$(sum game wheel_up wheel_down) keys=$(v game key_down_26)
    press mousemove $(s point game child) keydown Up sleep 0.3 keyup Up
    check "over its child window: no scrolling, the key reaches the game" \
        "$(sum game wheel_up wheel_down)" -eq "$notches" -a "$(v game key_down_26)" -gt "$keys"
    s activate untitled
    press keydown Up sleep 0.3 keyup Up
    check "an untitled window of the engine: no scrolling, the key reaches it" \
        "$(v untitled wheel_up)" -eq 0 -a "$(v untitled key_down_26)" -ge 1
    s activate notepad
    press keydown Up sleep 0.3 keyup Up
    check "an untitled window of another class scrolls, and the key does not reach it" \
        "$(v notepad wheel_up)" -gt 0 -a "$(v notepad key_down_26)" -eq 0
    # Held across the game window's edge, long enough for auto-repeat: every key-down the game
    # saw is followed by a key-up.
    s activate game
    downs=$(v game key_down_26) ups=$(v game key_up_26) notches=$(v game wheel_up)
    press mousemove $(s point game child) keydown Up sleep 0.2 \
        mousemove $(s point game client) sleep 1.5 keyup Up
    check "pressed over the child, repeated over the game: the game saw it go down, scrolled, saw it come up" \
        "$(v game key_down_26)" -gt "$downs" -a "$(v game wheel_up)" -gt "$notches" -a "$(v game key_up_26)" -gt "$ups"
    downs=$(v game key_down_26) ups=$(v game key_up_26)
    press keydown Up sleep 0.3 mousemove $(s point game child) sleep 1.2 \
        mousemove $(s point game client) sleep 0.5 keyup Up
    check "held over the game, repeated over the child: the game saw it go down and come up" \
        "$(v game key_down_26)" -gt "$downs" -a "$(v game key_up_26)" -gt "$ups"
}

scenario_key_finder() {
    s window game LaunchUnrealUWindowsClient Velto 20 20
    s activate game
    s keys
    press keydown Up sleep 1.5 keyup Up key a key Shift_L click 8
    tr -d '\r' <"$work/keys.log" | diff "$root/tests/exe/key_finder.txt" -
    check "what to do, then one line a press, however long Up was held (key_finder.txt)" $? -eq 0
    check "nothing swallowed: Up (repeated), A, Shift and the button reached the game" \
        "$(v game key_down_26)" -gt 1 -a "$(v game key_down_41)" -eq 1 -a \
        "$(v game key_down_10)" -eq 1 -a "$(v game window_button_down_5)" -eq 1
}

# Each report byte for byte on standard error (Wine turns "\n" into "\r\n"), nothing on standard
# output, exit code 1, input at its end ending the wait.
scenario_reports() {
    cd "$work" || exit 3
    report() { # MESSAGE [ARG...]
        timeout 60 "$root/cmake/wine-run" "$VELTO_BUILD/VeltoMacro.exe" "${@:2}" </dev/null >out.txt 2>err.txt
        check "$1" "$?" -eq 1 -a ! -s out.txt -a "$(tr -d '\r' <err.txt)" = "$(printf 'Error: %s\n\nPress Enter to exit...' "$1")"
    }
    report "Unable to open configuration file: VeltoMacro.ini"
    printf '[general]\n\xc3\xa9 = 1\n' >"my binds.ini"
    report "my binds.ini:2: Invalid key/value pair." "my binds.ini" extra
    mkdir folder
    report "Unable to open configuration file: folder" folder
    report "/proc/self/mem:1: Unable to read configuration file." /proc/self/mem
    printf '[general]\ninterval = 70000\nupbind = 0x26\ndownbind = 5\n' >timer.ini
    report "Unable to start the scroll timer with an interval of 70000 milliseconds." timer.ini
}

# Exactly the two programs, the sample, the README and the licence; each program with the version
# and a manifest asking for no rights beyond the user's; VeltoMacro starting with its sample.
scenario_package() {
    local name="VeltoMacro-$VELTO_VERSION-win64"
    cmake --build "$VELTO_BUILD" --target package >"$work/package.log" 2>&1 || { cat "$work/package.log"; exit 1; }
    cd "$work" && python3 -m zipfile -e "$VELTO_BUILD/$name.zip" . && cd "$name" || exit 1
    check "the archive holds the programs, the sample, the README and the licence" \
        "$(find . -type f | sort | tr '\n' ' ')" = "./LICENSE ./README.md ./VeltoKeys.exe ./VeltoMacro.exe ./VeltoMacro.ini "
    check "the sample and the README are the repository's" \
        -z "$(cmp VeltoMacro.ini "$root/VeltoMacro.ini"; cmp README.md "$root/README.md")"
    for program in VeltoMacro VeltoKeys; do
        x86_64-w64-mingw32-windres -i "$program.exe" -O rc >"$work/$program.rc"
        check "$program: version $VELTO_VERSION, its own name, running as the user without UI access" \
            "$(grep -c -e "\"ProductVersion\", \"$VELTO_VERSION\"" -e "\"OriginalFilename\", \"$program.exe\"" \
                -e 'level=""asInvoker"" uiAccess=""false""' "$work/$program.rc")" -eq 3
    done
    "$root/cmake/wine-run" ./VeltoMacro.exe </dev/null >"$work/macro.out" 2>&1 &
    sleep 4
    check "VeltoMacro runs with its sample, silently" -n "$(jobs -r)" -a ! -s "$work/macro.out"
    kill $(jobs -p) 2>/dev/null
}

# Wine's first starts on a fresh prefix sometimes hiccup: a setting that did not come up (exit 3)
# is tried again, a failed check never.
for try in 1 2 3; do
    (
        work=$(mktemp -d) failures=0
        trap '"$session" "$work" stop; rm -rf "$work"' EXIT
        "scenario_$1"
        echo "$failures failed"
        [ "$failures" -eq 0 ]
    )
    status=$?
    [ "$status" -eq 3 ] || exit "$status"
    echo "attempt $try: a window or a program did not come up; trying again"
done
exit 1

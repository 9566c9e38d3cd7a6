#!/usr/bin/env bash
# What only the real programs under Wine can show: driven by real X input and observed by stand-in
# game windows, that they scroll, swallow and pass what they should; the failure reports that only
# the real runtime, file system and timer service produce; the ways a player stops them; and the
# release archive as a player gets it. Auto-repeat is real here: a key held for more than about
# half a second sends repeated key-downs.
#
# Every step waits for the state it needs (scripts/session): a press judged where the pointer is
# is made once the stand-in reports Wine's cursor there, a window that must be in front is seen in
# front, a count is read once an F12 sent after the input has reached the stand-in, a line once it
# is printed. Sleeps are only inside the input itself (how long a key is held).
#
# The checks go by counts and directions, with three exceptions, all over holds of a second or
# more at a 20 ms interval: the median gap between notches in `binds` (17-23 ms), the notches of a
# 3 s hold in `binds` (at least 140 of 150) and the rate VeltoKeys reports in `chain` (within 3%
# over 3 s). None flakes on a loaded 2-core machine: a stall delays single notches by 15-40 ms,
# which moves the median of 50 gaps not at all, and the multimedia timer catches up after a stall,
# so a rate over seconds stays exact (measured: 100.0%); the worst a stall at the end of a hold can
# do is 40 ms in 3 s, 1.3%.
# Usage: e2e_test.sh SCENARIO, with VELTO_BUILD the Windows build and VELTO_VERSION its version
# (needs DISPLAY; exits 77 to skip without one)
[ -n "${DISPLAY:-}" ] || { echo "skipped: no X display (scripts/test provides one)"; exit 77; }
root=$(cd "$(dirname "$0")/../.." && pwd)
session=$root/scripts/session
s() { "$session" "$work" "$@" || exit 3; }
w() { "$session" "$work" "$@"; } # a wait whose failure the check after it tells
v() { "$session" "$work" value "$@"; }
sum() { echo $(($(v "$1" "$2") + $(v "$1" "$3"))); }
# check DESCRIPTION TEST...
check() { if test "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi; }
# front [X Y [--child|--raw]]: the game's window, in front (at 20 20 unless told).
front() { s window game LaunchUnrealUWindowsClient Velto "${1:-20}" "${2:-20}" "${@:3}"; s activate game; }
# game CONFIG PRESS RELEASE [--child|--raw]: the game's window in front, VeltoMacro running on it.
game() { front 20 20 "${@:4}"; s velto "$1" "$2" "$3" game; }
KEY_AND_BUTTON='[general]\ninterval = 20\nupbind = 0x26\ndownbind = 5\n'
send() { xdotool "$@"; s settle game; } # input, seen to the end by the game
tap() { xdotool keydown Up sleep 0.3 keyup Up && s settle "$1"; } # NAME: Up, seen to the end by NAME
# close NAME: a close message to the console window NAME.id, from another program, as its close box
close() { "$root/cmake/wine-run" "$VELTO_BUILD/bench/game_window.exe" --close "$(xdotool getwindowname "$(cat "$work/$1.id")")"; }
# shows FILE SKIP DESCRIPTION: VeltoKeys' lines past the first SKIP, once printed, are tests/exe/FILE
shows() { w lines "$work/keys.log" $(($2 + $(grep -c '' "$root/tests/exe/$1"))); tr -d '\r' <"$work/keys.log" | tail -n +$(($2 + 1)) | diff "$root/tests/exe/$1" -; check "$3 ($1)" $? -eq 0; }
# first_lines N PROGRAM [ARG...]: PROGRAM run in the working folder until keys.txt has N lines
first_lines() { "$root/cmake/wine-run" "${@:2}" </dev/null >keys.txt 2>&1 & w lines keys.txt "$1"; kill $!; }
# over NAME: the pointer over the middle of the window NAME.id
over() { eval "$(xdotool getwindowgeometry --shell "$(cat "$work/$1.id")")"; s move game $((X + WIDTH / 2)) $((Y + HEIGHT / 2)); }
# ends NAME DESCRIPTION: the program NAME started ends within 5 s
ends() { took=$(w gone "$(cat "$work/$1.pid")"); check "$2, within 5 s (${took:-over 10} s)" "$(awk -v t="${took:-99}" 'BEGIN { print t <= 5 }')" = 1; }

scenario_binds() {
    game "$KEY_AND_BUTTON" "keydown Up" "keyup Up"
    up=$(v game wheel_up) down=$(v game wheel_down) seen=$(sum game key_down_26 window_button_down_5)
    before=$(s notches game | cut -d' ' -f1)
    send keydown Up sleep 1 keyup Up
    check "holding Up scrolls up" "$(v game wheel_up)" -gt "$up" -a "$(v game wheel_down)" -eq "$down"
    gap=$(s notches game "$before" | awk '{ print int($3 + 0.5) }')
    check "one notch every 20 ms (median gap $gap ms)" "$gap" -ge 17 -a "$gap" -le 23
    up=$(v game wheel_up)
    send mousedown 8 sleep 3 mouseup 8 key a
    held=$(($(v game wheel_down) - down))
    check "the first extra button held for 3 s scrolls down throughout ($held notches)" \
        "$held" -ge 140 -a "$(v game wheel_up)" -eq "$up"
    check "neither bind reaches the game" "$(sum game key_down_26 window_button_down_5)" -eq "$seen"
    check "an unbound key does" "$(v game key_down_41)" -eq 1
}

scenario_gate() {
    s window untitled LaunchUnrealUWindowsClient "" 520 20
    s window notepad Notepad "" 20 380
    game "$KEY_AND_BUTTON" "keydown Up" "keyup Up" --child
    notches=$(sum game wheel_up wheel_down) keys=$(v game key_down_26)
    s move game $(s point game child)
    tap game
    check "over its child window: no scrolling, the key reaches the game" \
        "$(sum game wheel_up wheel_down)" -eq "$notches" -a "$(v game key_down_26)" -gt "$keys"
    s activate untitled
    tap untitled
    check "an untitled window of the engine: no scrolling, the key reaches it" \
        "$(v untitled wheel_up)" -eq 0 -a "$(v untitled key_down_26)" -ge 1
    s activate notepad
    tap notepad
    check "an untitled window of another class scrolls, and the key does not reach it" \
        "$(v notepad wheel_up)" -gt 0 -a "$(v notepad key_down_26)" -eq 0
    # Held across the game window's edge, long enough for auto-repeat: every key-down the game
    # saw is followed by a key-up.
    s activate game
    downs=$(v game key_down_26) ups=$(v game key_up_26) notches=$(v game wheel_up)
    s move game $(s point game child)
    xdotool keydown Up sleep 0.2
    s move game $(s point game client)
    send sleep 1.5 keyup Up
    check "pressed over the child, repeated over the game: the game saw it go down, scrolled, saw it come up" \
        "$(v game key_down_26)" -gt "$downs" -a "$(v game wheel_up)" -gt "$notches" -a "$(v game key_up_26)" -gt "$ups"
    downs=$(v game key_down_26) ups=$(v game key_up_26)
    xdotool keydown Up sleep 0.3
    s move game $(s point game child)
    xdotool sleep 1.2
    s move game $(s point game client)
    send sleep 0.5 keyup Up
    check "held over the game, repeated over the child: the game saw it go down and come up" \
        "$(v game key_down_26)" -gt "$downs" -a "$(v game key_up_26)" -gt "$ups"
}

# A general code binds both of its keys: either Shift scrolls up, and the game sees neither.
scenario_general() {
    game '[general]\ninterval = 20\nupbind = 0x10\n' "keydown Shift_L" "keyup Shift_L"
    for shift in Shift_L Shift_R; do
        up=$(v game wheel_up) seen=$(v game key_down_10)
        send keydown $shift sleep 1 keyup $shift
        check "$shift held for 1 s scrolls up ($(($(v game wheel_up) - up)) notches), the game sees no Shift" \
            "$(v game wheel_up)" -ge $((up + 35)) -a "$(v game key_down_10)" -eq "$seen"
    done
}

# What a player sees: the binds (here: none), then one line a press, however long Up was held, with
# the verdict over the game, over its child window, over another window and in an untitled window
# of the engine; left and right modifiers by their own codes. It swallows nothing and writes no
# file.
scenario_key_finder() {
    s window untitled LaunchUnrealUWindowsClient "" 520 20
    front 20 20 --child
    ls "$work" | grep -v -e '\.tmp$' -e '^keys' -e '^pids$' -e '^files' >"$work/files.before"
    s keys
    xdotool keydown Up sleep 1.5 keyup Up key a
    # Wine on this X server sends a right modifier's key with its left one before it.
    for modifier in Shift_L Shift_R Control_L Control_R Alt_L Alt_R; do
        xdotool keydown "$modifier" keyup "$modifier"
    done
    xdotool click 8
    s move game $(s point game child)
    send key a
    s activate untitled
    xdotool key a
    shows key_finder.txt 0 "what it shows, line by line"
    check "nothing swallowed: Up (repeated), A, the modifiers and the button reached the game" \
        "$(v game key_down_26)" -gt 1 -a "$(v game key_down_41)" -eq 2 -a \
        "$(sum game key_down_10 key_down_11)" -ge 4 -a "$(v game key_down_12)" -ge 2 -a \
        "$(v game window_button_down_5)" -eq 1
    ls "$work" | grep -v -e '\.tmp$' -e '^keys' -e '^pids$' -e '^files' | diff "$work/files.before" -
    check "no file written" $? -eq 0
}

# VeltoKeys in a console window of its own, as a player starts it, which comes to the front: what
# its lines say of the window they speak of, and the step to take (console.txt).
scenario_console() {
    front 540 440
    s keys --console
    s await game front -eq 0
    s move game $(s point game)
    xdotool key a
    over keys
    xdotool key a
    s move game $(s point game)
    xdotool click 1
    s await game front -eq 1
    xdotool windowfocus --sync "$(cat "$work/game.id")" key a
    shows console.txt 3 "its own window in front, the pointer over it, a click into the game"
}

# VeltoKeys started after VeltoMacro sees the bound key, then counts the notches that arrive and
# their rate; with VeltoMacro gone, it says that a held bind brings no scrolling.
scenario_chain() {
    game '[general]\ninterval = 20\nupbind = 0x26\n' "keydown Up" "keyup Up"
    s keys
    before=$(s notches game | cut -d' ' -f1)
    send keydown Up sleep 3 keyup Up
    w lines "$work/keys.log" 1 '^scrolled up: '
    line=$(tr -d '\r' <"$work/keys.log" | grep '^scrolled up: ')
    notches=$(sed -n 's/^scrolled up: \([0-9]*\) notches.*/\1/p' <<<"$line")
    rate=$(sed -n 's/.*, \([0-9.]*\) a second.*/\1/p' <<<"$line")
    check "the press: scrolls up, where VeltoMacro acts" \
        "$(grep -c 'scrolls up   VeltoMacro acts here' "$work/keys.log")" -eq 1
    check "as many notches as the game received (${notches:-none})" \
        "${notches:-0}" -eq "$(s notches game "$before" | cut -d' ' -f1)"
    check "a rate within 3% of 50 a second (${rate:-none})" \
        "$(awk -v r="${rate:-0}" 'BEGIN { print (r >= 48.5 && r <= 51.5) }')" -eq 1
    kill "$(cat "$work/velto.pid")" && s gone "$(cat "$work/velto.pid")" >/dev/null
    xdotool keydown Up sleep 1 keyup Up
    w lines "$work/keys.log" 1 '^VeltoMacro is not scrolling in this session'
    check "VeltoMacro gone: it says that nothing scrolls" \
        "$(grep -c '^VeltoMacro is not scrolling in this session' "$work/keys.log")" -eq 1
}

# VeltoKeys' output into a pipe nobody reads (one page, full after some 60 lines) holds up no
# input: a burst of key presses arrives as completely within a fixed time as with its output read;
# read again, it prints again, and counts the presses it had no room for.
scenario_blocked() {
    front
    s keys
    xdotool key --delay 15 --repeat 120 a sleep 1
    read=$(v game key_down_41)
    kill "$(cat "$work/keys.pid")"
    mkfifo "$work/out" && exec 3<>"$work/out"
    python3 -c 'import fcntl; fcntl.fcntl(3, 1031, 4096)' # F_SETPIPE_SZ: one page
    s keys "$work/out"
    # Until it asks for a press (its first three lines, as console lines): its hooks are in place.
    header=$(head -n 3 "$root/tests/exe/key_finder.txt" | sed 's/$/\r/' | wc -c)
    for _ in $(seq 200); do
        python3 -c 'import fcntl, sys, termios; sys.exit(int.from_bytes(fcntl.ioctl(3, termios.FIONREAD, b"0000"), "little") < int(sys.argv[1]))' "$header" && break
        sleep 0.05
    done
    xdotool key --delay 15 --repeat 120 a sleep 1
    blocked=$(($(v game key_down_41) - read))
    check "its output unread: $blocked of 120 presses arrived in the time $read of 120 did with it read" \
        "$blocked" -eq "$read"
    timeout 3 cat <&3 | tr -d '\r' >"$work/unblocked.log"
    shown=$(grep -c '^A  ' "$work/unblocked.log")
    notShown=$(sed -n 's/^(\([0-9]*\) presses* not shown)$/\1/p' "$work/unblocked.log" | awk '{ n += $1 } END { print n + 0 }')
    check "read again, it prints again: $shown presses shown, $notShown counted as not shown" \
        $((shown + notShown)) -eq 120 -a "$notShown" -gt 0
}

# A bound key held while VeltoMacro starts reached the game first: its repeats scroll, and its
# release reaches the game too.
scenario_held() {
    front
    xdotool keydown Up
    s velto '[general]\nupbind = 0x26\n' - - game
    downs=$(v game key_down_26) ups=$(v game key_up_26)
    send keyup Up
    check "held before the start: the game saw Up go down, the repeats scrolled, the game saw it come up" \
        "$downs" -ge 1 -a "$(v game wheel_up)" -gt 0 -a "$(v game key_up_26)" -gt "$ups"
}

# The ways a player stops the programs, each while it works. VeltoMacro in a console window of its
# own, as a double-click starts it, a bind held over the game: a close message to that window (what
# its close box sends; the game stays in front) ends it and its scrolling, and Ctrl+C in it (which
# brings it to the front) ends it too; so does Ctrl+C in the terminal that started it (SIGINT).
# Afterwards the bound key reaches the game, and nothing is left down there. VeltoKeys closed while
# it prints ends too.
scenario_stop() {
    front 540 440
    for way in close ctrl+c terminal; do
        s velto '[general]\ninterval = 20\nupbind = 0x26\n' "keydown Up" "keyup Up" game \
            "$([ $way = terminal ] || echo --console)"
        wheel=$(v game wheel_up)
        xdotool keydown Up
        w await game wheel_up -gt "$wheel"
        case $way in
        close) close velto ;;
        terminal) kill -INT "$(cat "$work/velto.pid")" ;;
        *) over velto && xdotool click 1 windowfocus --sync "$(cat "$work/velto.id")" key ctrl+c ;; # its console to the front, then Ctrl+C there
        esac
        ends velto "$way: VeltoMacro ends while Up is held"
        xdotool keyup Up
        [ $way = ctrl+c ] || check "$way: the game stayed in front" "$(v game front)" -eq 1
        s activate game
        wheel=$(v game wheel_up) downs=$(v game key_down_26)
        send key Up
        check "$way: afterwards Up reaches the game, is left down nowhere, and nothing scrolls" \
            "$(v game key_down_26)" -gt "$downs" -a "$(v game key_held_26)" -eq 0 -a \
            "$(v game wheel_up)" -eq "$wheel"
    done
    s keys --console
    xdotool key --delay 15 --repeat 100 a &
    w lines "$work/keys.log" 10 '^A '
    close keys
    ends keys "VeltoKeys closed while it prints ends"
    wait
}

# What VeltoMacro puts into the input stream, seen by low-level hooks installed after its own (so
# asked first): nothing at all while nothing is held; while a key bind is held, its notches only,
# and of keys only the bound key's own events (its repeats and one release).
scenario_observed() {
    game '[general]\ninterval = 20\nupbind = 0x26\n' "keydown Up" "keyup Up"
    s watch watch
    injected=$(sum watch injected_wheel injected_other)
    sleep 4 # nothing held: a time with nothing to see
    s settle game
    check "nothing held for 4 s: nothing injected" "$(sum watch injected_wheel injected_other)" -eq "$injected"
    others() { awk '$1 ~ /^hook_/ && $1 !~ /_(26|7b)$/ { n += $2 } END { print n + 0 }' "$work/watch.txt"; }
    keys=$(others)
    up=$(v watch hook_up_26) notches=$(v game wheel_up) seen=$(sum game key_down_26 key_up_26)
    send keydown Up sleep 3 keyup Up
    check "Up held for 3 s scrolls throughout ($(($(v game wheel_up) - notches)) notches), the game sees no Up" \
        "$(v game wheel_up)" -ge $((notches + 140)) -a "$(sum game key_down_26 key_up_26)" -eq "$seen"
    check "meanwhile only notches injected, and no key event but Up's, released once" \
        "$(v watch injected_other)" -eq 0 -a "$(v watch hook_up_26)" -eq $((up + 1)) -a \
        "$(others)" -eq "$keys"
}

# Another program's low-level hooks come and go, then another's come: Wine then calls VeltoMacro's
# keyboard hook for none of a held key's events for about a second (seen here), while raw input
# reports them. VeltoMacro takes its hooks back a quarter of a second after the first raw event no
# call matched: the key scrolls from its first repeat at the latest to its release, and of its
# events the game sees at most the first press, with its release.
scenario_hooks_come_and_go() {
    game '[general]\ninterval = 20\nupbind = 0x26\n' "keydown Up" "keyup Up"
    s watch first
    sleep 4 # the other program's life
    kill "$(cat "$work/first.pid")" && s gone "$(cat "$work/first.pid")" >/dev/null
    s watch second
    s activate game
    downs=$(v game key_down_26) ups=$(v game key_up_26) notches=$(v game wheel_up)
    send keydown Up sleep 3 keyup Up
    pressed=$(($(v game key_down_26) - downs)) released=$(($(v game key_up_26) - ups))
    check "Up held 3 s scrolls from its first repeat on ($(($(v game wheel_up) - notches)) notches)" \
        "$(v game wheel_up)" -ge $((notches + 110))
    check "the game sees at most one press of Up, with its release ($pressed, $released)" \
        "$pressed" -le 1 -a "$released" -eq "$pressed"
}

# Under Wine, raw input is made before the hooks are asked: a game reading raw input gets the bound
# key and button that VeltoMacro swallows, though its window never sees them (the README tells).
scenario_raw_input() {
    game "$KEY_AND_BUTTON" "keydown Up" "keyup Up" --raw
    seen=$(sum game key_down_26 window_button_down_5) raw=$(sum game raw_key_down_26 raw_button_down_5)
    send keydown Up sleep 0.3 keyup Up mousedown 8 sleep 0.3 mouseup 8
    check "the window sees neither bind; raw input reports both ($(($(sum game raw_key_down_26 raw_button_down_5) - raw)))" \
        "$(sum game key_down_26 window_button_down_5)" -eq "$seen" -a \
        "$(v game raw_key_down_26)" -gt 0 -a "$(v game raw_button_down_5)" -gt 0 -a \
        "$(sum game raw_key_down_26 raw_button_down_5)" -gt "$raw"
}

# One copy a bound code: a copy of other binds runs beside one of Up; the copy of Up killed outright
# frees its code at once, and a new copy of Up starts and scrolls. (A copy of a code taken is
# refused: scenario `reports`.)
scenario_copies() {
    game '[general]\ninterval = 20\ndownbind = 5\n' "mousedown 8" "mouseup 8"
    s velto '[general]\ninterval = 20\nupbind = 0x26\n' "keydown Up" "keyup Up" game
    up=$(v game wheel_up) down=$(v game wheel_down)
    send keydown Up sleep 0.5 keyup Up mousedown 8 sleep 0.5 mouseup 8
    check "side by side: Up scrolls up, the side button down" \
        "$(v game wheel_up)" -gt "$up" -a "$(v game wheel_down)" -gt "$down"
    kill -9 "$(cat "$work/velto.pid")"
    w gone "$(cat "$work/velto.pid")" >/dev/null
    s velto - "keydown Up" "keyup Up" game
    check "the copy of Up killed outright, a new one starts and scrolls, silently" ! -s "$work/velto.log"
}

# A window's title bar is its own surface: over it VeltoMacro acts. Without a window manager Wine
# draws none on the X display, so here in a Wine virtual desktop, which draws them; the point is
# confirmed as the caption by the window's own hit test (HTCAPTION).
scenario_title_bar() {
    export VELTO_DESKTOP=velto,1000x700
    front 100 100
    s velto '[general]\ninterval = 20\ndownbind = 5\n' "mousedown 8" "mouseup 8" game
    read -r x y < <(awk '$1 == "client" { print int(($2 + $4) / 2), $3 - 8 }' "$work/game.txt")
    s move game "$x" "$y"
    w await game hit -eq 2 # HTCAPTION
    down=$(v game wheel_down)
    send mousedown 8 sleep 0.5 mouseup 8
    check "over its title bar (hit test $(v game hit), 2 the caption) the side button scrolls down" \
        "$(v game hit)" -eq 2 -a "$(v game wheel_down)" -gt "$down"
}

# report MESSAGE [ARG...]: VeltoMacro's report byte for byte on standard error (Wine turns "\n"
# into "\r\n"), nothing on standard output, exit code 1, input at its end ending the wait. In the
# working folder.
report() {
    timeout 60 "$root/cmake/wine-run" "$VELTO_BUILD/VeltoMacro.exe" "${@:2}" </dev/null >out.txt 2>err.txt
    local status=$? said fault=''
    said=$(tr -d '\r' <err.txt)
    [ "$status" -eq 1 ] && [ ! -s out.txt ] && [ "$said" = "$(printf 'Error: %s\n\nPress Enter to exit...' "$1")" ] ||
        fault=" (status $status, said: $said $(cat out.txt))"
    check "$1$fault" -z "$fault"
}

# Each report that only the real runtime, file system and timer service produce.
scenario_reports() {
    cd "$work" || exit 3
    report "Unable to open configuration file: VeltoMacro.ini"
    printf '[general]\n\xc3\xa9 = 1\n' >"my binds.ini"
    report "my binds.ini:2: Invalid key/value pair." "my binds.ini" extra
    mkdir folder
    report "Unable to open configuration file: folder" folder
    report "/proc/self/mem:1: Unable to read configuration file." /proc/self/mem
    # A folder named outside the system's ANSI code page (1252 here): paths are UTF-8 throughout.
    mkdir '配置 ü'
    printf '[general]\nupbind = 0x26\n\xc3\xbc = 1\n' >'配置 ü/my binds.ini'
    report '配置 ü\my binds.ini:3: Invalid key/value pair.' '配置 ü\my binds.ini'
    report 'Unable to open configuration file: 配置 ü\missing.ini' '配置 ü\missing.ini'
    printf '[general]\nupbind = 0x26\n' >'配置 ü/good.ini'
    first_lines 1 "$VELTO_BUILD/VeltoKeys.exe" '配置 ü\good.ini'
    check "such a path loads (VeltoKeys shows its binds)" \
        "$(head -n 1 keys.txt | tr -d '\r')" = '配置 ü\good.ini: Up (0x26) scrolls up, a notch every 5 ms.'
    # Wine's timer service takes at most 65535 ms: that copy runs (its hooks swallow Up), beside it
    # one of other binds is refused the longer interval, and one of the same binds does not start.
    game '[general]\ninterval = 65535\nupbind = 0x26\n' "keydown Up" "keyup Up"
    printf '[general]\ninterval = 65536\nupbind = 0x28\ndownbind = 5\n' >timer.ini
    report "Unable to start the scroll timer with an interval of 65536 milliseconds." timer.ini
    report "Another copy is running with 0x26 bound: close that copy first."
    check "65535 ms starts, silently" -z "$(kill -0 "$(cat velto.pid)" 2>&1; cat velto.log)"
}

# Exactly the two programs, the sample, the player's texts, the picture they name and the licence;
# each program with the version and a manifest asking for no rights beyond the user's and for
# UTF-8 as its code page; VeltoMacro under 1 MB and starting with its sample; the quick start's
# change of the sample as the README tells it; the texts as the generator makes them from the
# README and the pages it links to: plain text for Notepad, naming nothing the zip does not hold.
scenario_package() {
    name="VeltoMacro-$VELTO_VERSION-win64"
    cmake --build "$VELTO_BUILD" --target package >"$VELTO_BUILD/package.log" 2>&1 || { cat "$VELTO_BUILD/package.log"; exit 1; }
    python3 -m zipfile -e "$VELTO_BUILD/$name.zip" "$work/$name" && cd "$work/$name" || exit 1
    check "the archive holds the programs, the sample, the player's texts, the picture and the licence, at its top" \
        "$(find . -type f | sort | tr '\n' ' ')" = "./Behaviour.txt ./LICENSE.txt ./Messages.txt ./Proton-and-Steam-Deck.txt ./README.txt ./VeltoKeys.exe ./VeltoMacro.exe ./VeltoMacro.ini ./velto-proton.sh ./veltokeys.png "
    mkdir "$top/texts" && python3 "$root/cmake/player-guide.py" "$root" "$top/texts"
    check "the sample is the repository's with CRLF line ends, the texts the generator's" \
        -z "$(tr -d '\r' <VeltoMacro.ini | cmp - "$root/VeltoMacro.ini"; for t in *.txt *.ini; do cmp "$t" "$top/texts/$t"; done)"
    # Each text: UTF-8, every line ending in CRLF and at most 100 wide, no Markdown left; every
    # file it names is in the zip.
    faults=$(python3 - "$name" <<'PYTHON'
import glob, re, sys
held = set(glob.glob("*")) | {sys.argv[1] + ".zip"}
for path in sorted(glob.glob("*.txt") + glob.glob("*.ini")):
    data = open(path, "rb").read()
    if data.count(b"\n") != data.count(b"\r\n"):
        print(f"{path}: a line end without CR")
    for number, line in enumerate(data.decode("utf-8").split("\r\n"), 1):
        if len(line) > 100:
            print(f"{path}:{number}: {len(line)} wide")
        if re.search(r"```|\*\*|`|\]\(|<!--|^#+\s*$|\w::", line):
            print(f"{path}:{number}: Markdown left: {line}")
        # (A file of another project's, named by its path there, is a source, not ours.)
        for named in re.findall(r"(?<![\w./-])[\w.-]+\.(?:txt|exe|ini|png|md|zip)\b", line):
            if named not in held:
                print(f"{path}:{number}: names {named}, not in the zip")
PYTHON
)
    check "the texts: UTF-8, CRLF, at most 100 wide, no Markdown left, naming only what the zip holds${faults:+: $faults}" -z "$faults"
    check "the Proton launcher as in the repository, LF line ends and all, and the Proton page leads with it" \
        -z "$(cmp velto-proton.sh "$root/src/proton/velto-proton.sh")" -a \
        "$(grep -m 1 -c 'bash ~/VeltoMacro/velto-proton.sh %command%' Proton-and-Steam-Deck.txt)" -eq 1
    check "the guide has the quick start and points to the messages" \
        "$(grep -c '"downbind = 0x28" to "downbind = 0x05", and save' README.txt)" -eq 1 -a \
        -n "$(tr -s '\r\n' ' ' <README.txt | grep -o 'Fix the mistake.\{1,120\}again\. Every message, and what to do: Messages\.txt\.')"
    for program in VeltoMacro VeltoKeys; do
        x86_64-w64-mingw32-windres -i "$program.exe" -O rc >"$top/$program.rc"
        check "$program: version $VELTO_VERSION, its own name, as the user without UI access, UTF-8" \
            "$(grep -c -e "\"ProductVersion\", \"$VELTO_VERSION\"" -e "\"OriginalFilename\", \"$program.exe\"" \
                -e 'level=""asInvoker"" uiAccess=""false""' -e 'WindowsSettings"">UTF-8</activeCodePage>' \
                "$top/$program.rc")" -eq 4
    done
    check "VeltoMacro.exe is under 1 MB" "$(stat -c %s VeltoMacro.exe)" -lt 1000000
    # The programs of the archive, in its folder, with its sample as it is.
    work=$PWD
    export VELTO_PROGRAMS=$work
    game - "keydown Up" "keyup Up"
    check "VeltoMacro runs with its sample (Up scrolls), silently" ! -s velto.log
    sed -i 's/^downbind = 0x28/downbind = 0x05/' VeltoMacro.ini
    first_lines 4 ./VeltoKeys.exe
    check "changed as the quick start says, the side button scrolls down: $(tr -d '\r' <keys.txt | tr '\n' '|')" \
        "$(head -n 2 keys.txt | tr -d '\r' | tr '\n' ' ')" = "VeltoMacro.ini: Up (0x26) scrolls up, First extra button (0x05) scrolls down,     a notch every 5 ms. "
}

# Each scenario runs in a shell of its own, so its variables need no `local`. Wine's first starts
# on a fresh prefix sometimes hiccup: a setting that did not come up (exit 3)
# is tried again, a failed check never.
declare -F "scenario_$1" >/dev/null || { echo "e2e_test.sh: no scenario named '$1'"; exit 2; }
for try in 1 2 3; do
    (
        top=$(mktemp -d) failures=0
        work=$top # where the programs run
        trap '"$session" "$work" stop; rm -rf "$top"' EXIT
        "scenario_$1"
        echo "$failures failed"
        [ "$failures" -eq 0 ]
    )
    status=$?
    [ "$status" -eq 3 ] || exit "$status"
    echo "attempt $try: a window or a program did not come up; trying again"
done
exit 1

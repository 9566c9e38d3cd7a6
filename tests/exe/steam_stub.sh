#!/usr/bin/env bash
# Stand-ins for what Steam runs a Proton game with, one script under each name it is linked as. Each
# writes its arguments to $STUB/calls, one line, `|` after each. The service is up while the file
# $STUB/service.APPID is there; programs of the prefix keep their ids in $STUB/programs.
name=${0##*/}
printf '%s|' "$name" "$@" >>"$STUB/calls" && echo >>"$STUB/calls"
case $name in
reaper | steam-launch-wrapper | gamescope) # each runs what follows its --
    while [ "$1" != -- ]; do shift; done
    shift && exec "$@" ;;
_v2-entry-point) # the service comes up STUB_SERVICE s later (never: `never`), ends with the game
    shift 2
    service=$STUB/service.${SteamAppId:-${STEAM_COMPAT_APP_ID:-0}}
    [ "${STEAM_COMPAT_LAUNCHER_SERVICE:-}" != proton ] || [ "$STUB_SERVICE" = never ] ||
        { sleep "$STUB_SERVICE" && touch "$service"; } &
    "$@"
    status=$?
    rm -f "$service" && exit $status ;;
steam-runtime-launch-client) # as if Steam's libraries broke it; without a session bus, with a word
    [ -z "${LD_LIBRARY_PATH:-}" ] || { echo "steam-runtime-launch-client: Steam's libraries" >&2 && exit 127; }
    [ "$STUB_SERVICE" != nobus ] || { echo "steam-runtime-launch-client: no session bus" >&2 && exit 1; }
    if [ "$1" = --list ]; then
        for service in "$STUB"/service.*; do [ ! -e "$service" ] || echo "--bus-name=com.steampowered.App${service##*.}"; done
        exit
    fi
    [ -e "$STUB/service.${1##*App}" ] || { echo "steam-runtime-launch-client: no such service" >&2; exit 125; }
    while [ "$1" != -- ]; do [[ $1 != --directory=* ]] || cd "${1#*=}" || exit 125; shift; done
    shift
    "$@" &
    child=$!
    trap 'kill -TERM $child' TERM # passed on, as the runtime's client does
    while wait $child; status=$?; kill -0 $child 2>/dev/null; do :; done
    exit $status ;;
proton) # the game, then every program of the prefix, as Proton waits for them
    (exec -a "Z:${STUB//\//\\}\\game.exe" sleep "$STUB_GAME") &
    echo $! >"$STUB/programs/game"
    alive() { for id in "$STUB"/programs/*; do kill -0 "$(cat "$id")" 2>/dev/null && return; done; false; }
    while alive; do sleep 0.2; done
    exit "$STUB_STATUS" ;;
wine) # the program as Wine shows it, or the report of a file with a mistake
    if grep -q mistake VeltoMacro.ini; then
        printf 'Error: VeltoMacro.ini:3: Invalid key/value pair.\n\nPress Enter to exit...\n' >&2 && exit 1
    fi
    echo $$ >"$STUB/programs/${1##*/}" && exec -a "Z:${1//\//\\}" sleep "$STUB_VELTO" ;;
esac

#!/usr/bin/env bash
# VeltoMacro beside a game that Steam runs with Proton, in the game's own container, where its hooks
# see the game's input. Two ways to use it, from the folder that holds VeltoMacro.exe:
#
#   In the game's launch options (Properties, General), as one line:
#       bash ~/VeltoMacro/velto-proton.sh %command%
#   it runs the game as Steam gives it, asks the Steam Linux Runtime for its command service, starts
#   VeltoMacro in the game's container once the service answers, and ends it when the game's own
#   programs have ended. What it did, and why it gave up, goes to velto-proton.log beside it.
#
#   From a terminal while the game runs:
#       bash ~/VeltoMacro/velto-proton.sh [keys] [APPID]
#   starts VeltoMacro (or VeltoKeys, with `keys`) in the running game's container, in the
#   terminal. APPID picks the game where several run. The launch options' use ends these too once
#   the game's programs have ended.
#
# It writes nothing outside its folder and needs no rights beyond the user's.
set -u
folder=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
log=$folder/velto-proton.log
record=$folder/velto-proton.service # the client and the service's name the launch options found
service_wait=${VELTO_SERVICE_WAIT:-120}  # seconds the service may take to answer
gone_after=${VELTO_GONE_AFTER:-3}        # seconds without the game's programs before they are gone
# Wine's and Proton's own programs, which are not the game's; VeltoMacro and VeltoKeys.
others='^(steam|services|winedevice|plugplay|explorer|rpcss|svchost|tabtip|conhost|wineboot|start|rundll32|xalia|winedbg|veltomacro|veltokeys)\.exe$'

say() { printf '%s %s\n' "$(date '+%F %T')" "$*" >>"$log"; }

# The runtime's client, as from a terminal: Steam's overlay preload and library path are the game's.
run_client() { # CLIENT ARGUMENTS...
    env -u LD_PRELOAD -u LD_LIBRARY_PATH "$@"
}

# The services `client --list` names, for one app id or any: com.steampowered.AppN[.InstanceM].
services() { # CLIENT [APPID]
    run_client "$1" --list 2>/dev/null | sed -n "s/^--bus-name=\(com\.steampowered\.App${2:-[0-9]*}\(\.Instance[0-9]*\)\{0,1\}\)$/\1/p"
}

# The Windows programs among the processes descended from PID: one name a line, lower case, but
# those of Wine, Proton and VeltoMacro. Wine shows a program's Windows path as its first argument.
programs() { # PID
    local stat pid rest parent argv0
    declare -A children=()
    for stat in /proc/[0-9]*/stat; do
        read -r rest 2>/dev/null <"$stat" || continue
        pid=${stat#/proc/} pid=${pid%/stat} rest=${rest##*) }
        parent=${rest#* } parent=${parent%% *}
        children[$parent]+=" $pid"
    done
    local queue=("$1") at=0
    while [ "$at" -lt "${#queue[@]}" ]; do
        pid=${queue[at]} at=$((at + 1))
        # shellcheck disable=SC2206 # the children's ids, split
        queue+=(${children[$pid]:-})
        IFS= read -r -d '' argv0 <"/proc/$pid/cmdline" 2>/dev/null || continue
        argv0=${argv0##*[\\/]} argv0=${argv0,,}
        [[ $argv0 == *.exe ]] && ! [[ $argv0 =~ $others ]] && echo "$argv0"
    done
}

# The clients that run this folder's VeltoMacro or VeltoKeys through the service NAME, from the
# launch options or from a terminal: one id a line.
clients() { # NAME
    local cmdline args
    for cmdline in /proc/[0-9]*/cmdline; do
        mapfile -d '' -t args <"$cmdline" 2>/dev/null || continue
        [[ " ${args[*]} " == *"/steam-runtime-launch-client --bus-name=$1 "* ]] || continue
        [[ ${args[-1]} == "$folder/VeltoMacro.exe" || ${args[-1]} == "$folder/VeltoKeys.exe" ]] || continue
        cmdline=${cmdline#/proc/} && echo "${cmdline%/cmdline}"
    done
}

# Ends those clients, each of which passes the signal on to its program, and waits a little; fails
# where there were none.
stop_clients() { # NAME
    local ids tries=0
    ids=$(clients "$1")
    [ -n "$ids" ] || return 1
    # shellcheck disable=SC2086 # the ids, split
    kill -TERM $ids 2>/dev/null
    while ids=$(clients "$1") && [ -n "$ids" ]; do
        # shellcheck disable=SC2086
        [ $((tries += 1)) -le 10 ] || { kill -KILL $ids 2>/dev/null; return 0; }
        sleep 0.5
    done
}

launch() {
    local entry='' arg
    for arg in "$@"; do
        [[ ${arg##*/} == _v2-entry-point ]] && entry=$arg
    done
    if [ -z "$entry" ] && ! command -v -- "$1" >/dev/null; then
        echo "velto-proton.sh: $1 is neither keys, a game's number nor a command. From a terminal:" >&2
        echo "  bash $folder/velto-proton.sh [keys] [NUMBER]" >&2
        exit 2
    fi
    say "the game's command: $*"
    if [ -z "$entry" ]; then
        say "no Steam Linux Runtime in it (a game run with Proton 5.13 or later has one): the game runs without VeltoMacro"
        exec "$@"
    fi
    local client=${entry%/*}/pressure-vessel/bin/steam-runtime-launch-client appid=${STEAM_COMPAT_APP_ID:-${SteamAppId:-}}
    for arg in "$@"; do
        [ -n "$appid" ] || [[ $arg != AppId=* ]] || appid=${arg#AppId=}
    done
    # The game first: it never waits for VeltoMacro.
    STEAM_COMPAT_LAUNCHER_SERVICE=proton "$@" &
    local game=$! velto='' name='' status waited=0 seen='' quiet=0 words
    trap 'kill -TERM "$game" 2>/dev/null' TERM INT HUP
    [ -n "$appid" ] || say "no app id (STEAM_COMPAT_APP_ID, SteamAppId, AppId=): the game runs without VeltoMacro"
    [ -x "$client" ] || say "no client $client: the game runs without VeltoMacro"
    while [ -n "$appid" ] && [ -x "$client" ] && kill -0 "$game" 2>/dev/null; do
        if [ -z "$name" ]; then
            name=$(services "$client" "$appid" | sort | head -n 1)
            if [ -n "$name" ]; then
                printf '%s\n%s\n' "$client" "$name" >"$record"
                run_client "$client" --bus-name="$name" --env=WINEDEBUG=-all --directory="$folder" -- \
                    wine "$folder/VeltoMacro.exe" </dev/null >>"$log" 2>&1 &
                velto=$!
                say "started VeltoMacro through $name"
            elif [ "$waited" -ge "$service_wait" ]; then
                words=$(run_client "$client" --list 2>&1 >/dev/null | tail -n 1)
                say "the game's command service did not answer within $service_wait s: the game runs without VeltoMacro (a Proton older than 7.0 has no such service; in Gaming Mode it may lack the desktop's session bus)${words:+; the client said: $words}"
                break
            fi
        fi
        if [ -n "$velto" ] && ! kill -0 "$velto" 2>/dev/null; then
            wait "$velto"
            say "VeltoMacro ended, with status $? (what it said is above)"
            velto=''
        fi
        # Proton counts the game running while any program of its prefix runs: VeltoMacro too, and
        # what was started from a terminal.
        if [ -n "$name" ] && [ -n "$(programs "$game")" ]; then
            seen=1 quiet=0
        elif [ -n "$seen" ] && [ $((quiet += 1)) -ge "$gone_after" ] && stop_clients "$name"; then
            say "the game's programs have ended: VeltoMacro ends"
            velto=''
        fi
        sleep 1 & wait $! || true
        waited=$((waited + 1))
    done
    wait "$game"
    status=$?
    while kill -0 "$game" 2>/dev/null; do # interrupted by a signal passed on: the game ends still
        wait "$game"
        status=$?
    done
    [ -z "$name" ] || stop_clients "$name"
    say "the game ended with status $status"
    exit "$status"
}

# From a terminal: the recorded service where it still answers, else the running games'.
terminal() {
    local program=VeltoMacro.exe keys='' client='' name='' line entry
    [ "${1:-}" != keys ] || { program=VeltoKeys.exe keys=' keys' && shift; }
    local appid=${1:-}
    if [ -r "$record" ]; then
        { read -r client && read -r name; } <"$record"
        [[ -z $appid || $name == com.steampowered.App$appid* ]] || name=''
        [ -x "$client" ] && [ -n "$name" ] && services "$client" | grep -qx "$name" || name=''
    fi
    if [ -z "$name" ]; then
        declare -A found=()
        for entry in /proc/[0-9]*/cmdline; do
            while IFS= read -r -d '' line; do
                [[ ${line##*/} == _v2-entry-point ]] || continue
                client=${line%/*}/pressure-vessel/bin/steam-runtime-launch-client
                [ -x "$client" ] || continue
                while read -r line; do
                    found[$line]=$client
                done < <(services "$client" "$appid")
            done <"$entry" 2>/dev/null
        done
        if [ "${#found[@]}" -eq 0 ]; then
            echo "No game${appid:+ $appid} runs with the Steam Linux Runtime's command service. Set the game's launch options to"
            echo "  bash $folder/velto-proton.sh %command%    then start the game, and run this again."
            echo "Where they are so already, the service may still be starting: see $log"
            exit 1
        fi
        local names games
        mapfile -t names < <(printf '%s\n' "${!found[@]}" | sort)
        games=$(printf '%s\n' "${names[@]}" | sed 's/^com\.steampowered\.App//; s/\..*//' | sort -u)
        if [ "$(wc -l <<<"$games")" -gt 1 ]; then
            echo "Several games run: $(tr '\n' ' ' <<<"$games")"
            echo "Run this again with the game's number: bash $folder/velto-proton.sh${keys} NUMBER"
            exit 1
        fi
        name=${names[0]} client=${found[$name]}
    fi
    run_client "$client" --bus-name="$name" --env=WINEDEBUG=-all --directory="$folder" -- wine "$folder/$program"
    local status=$?
    if [ "$status" -eq 125 ]; then
        echo "The game's command service did not start ${program%.exe} (the client's words above). Restart the game, and run this again."
    fi
    exit "$status"
}

if [ $# -le 2 ] && [[ ${1:-keys} == keys || ${1:-} =~ ^[0-9]+$ ]] && [[ ${2:-0} =~ ^[0-9]+$ ]]; then
    terminal "$@"
fi
launch "$@"

#!/usr/bin/env bash
# Plays the cases of proton.txt against velto-proton.sh, in a folder of its own beside a Steam of
# stand-ins (steam_stub.sh): a game's command line as Steam builds it, the Steam Linux Runtime's
# entry point and client, a Proton in a folder with a space in its name, Wine. The form of a case
# is told at the head of proton.txt.
here=$(cd "$(dirname "$0")" && pwd)
top=$(mktemp -d) failures=0
# (The stand-ins' programs show as Windows programs, as Wine shows them: with \ for /.)
trap 'pkill -TERM -f "${top##*/}" 2>/dev/null; rm -rf "$top"' EXIT
steam=$top/Steam/steamapps/common runtime=$top/Steam/steamapps/common/SteamLinuxRuntime_sniper
mkdir -p "$top/bin" "$top/Steam/ubuntu12_32" "$runtime/pressure-vessel/bin" "$steam/Proton 9.0"
for stub in "$top/Steam/ubuntu12_32/reaper" "$top/Steam/ubuntu12_32/steam-launch-wrapper" \
    "$runtime/_v2-entry-point" "$runtime/pressure-vessel/bin/steam-runtime-launch-client" \
    "$steam/Proton 9.0/proton" "$top/bin/gamescope" "$top/bin/wine"; do
    ln -s "$here/steam_stub.sh" "$stub"
done
export PATH=$top/bin:$PATH STUB=$top/stub
# Names a case's lines use for the stand-ins and the folders.
expand() {
    local text=${1//@reaper/$top/Steam/ubuntu12_32/reaper}
    text=${text//@wrapper/$top/Steam/ubuntu12_32/steam-launch-wrapper}
    text=${text//@entry/$runtime/_v2-entry-point} text=${text//@client/$runtime/pressure-vessel/bin/steam-runtime-launch-client}
    text=${text//@proton/$steam/Proton 9.0/proton} text=${text//@folder/$top/VeltoMacro}
    echo "${text//@game/$steam/My Game}"
}
finish() {
    [ -z "$title" ] || { echo "${failed:-ok}: $title"; [ -z "$failed" ] || failures=$((failures + 1)); }
}
title=''
while IFS= read -r line || [ -n "$line" ]; do
    line=$(expand "$line") verb=${line%% *} rest=${line#"${line%% *}"} rest=${rest# }
    case $verb in
    '##') # a new case: a fresh folder and stand-ins, every variable but these
        finish
        title=$rest failed='' status='' output=''
        pkill -TERM -f "${top##*/}" && sleep 0.5
        rm -rf "$top/VeltoMacro" "$STUB" && mkdir -p "$top/VeltoMacro" "$STUB/programs"
        cp "$here/../../src/proton/velto-proton.sh" "$top/VeltoMacro/"
        printf '[general]\nupbind = 0x26\n' >"$top/VeltoMacro/VeltoMacro.ini"
        unset SteamAppId STEAM_COMPAT_APP_ID LD_LIBRARY_PATH
        export STUB_SERVICE=1 STUB_GAME=6 STUB_STATUS=0 STUB_VELTO=40 VELTO_SERVICE_WAIT=5 VELTO_GONE_AFTER=1 ;;
    env) eval "export $rest" ;;
    mistake) echo mistake >>"$top/VeltoMacro/VeltoMacro.ini" ;;
    launch) eval "bash $top/VeltoMacro/velto-proton.sh $rest" >"$STUB/launch.out" 2>&1 & launcher=$! ;;
    stop) pkill -TERM -f "$top/Steam/ubuntu12_32/reaper" ;; # Steam's Stop ends the reaper's programs
    ended) timeout 20 tail --pid="$launcher" -f /dev/null || kill "$launcher"; wait "$launcher"; status=$? ;;
    terminal) output=$(eval "timeout 20 bash $top/VeltoMacro/velto-proton.sh $rest" 2>&1); status=$? ;;
    run) eval "$rest" ;;
    sleep) sleep "$rest" ;;
    status) [ "$status" = "$rest" ] || failed="FAIL (status $status, not $rest)" ;;
    called) grep -qxF "$rest" "$STUB/calls" || failed="FAIL (no call $rest in: $(cat "$STUB/calls"))" ;;
    log) grep -qF "$rest" "$top/VeltoMacro/velto-proton.log" || failed="FAIL (no '$rest' in the log: $(cat "$top/VeltoMacro/velto-proton.log"))" ;;
    says) grep -qF "$rest" <<<"$output" || failed="FAIL (no '$rest' in: $output)" ;;
    gone) ! pgrep -f "$rest" >/dev/null || failed="FAIL ($rest still runs)" ;;
    esac
done <"$here/proton.txt"
finish
echo "$failures failed"
[ "$failures" -eq 0 ]

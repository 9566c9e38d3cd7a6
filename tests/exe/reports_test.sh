#!/usr/bin/env bash
# What only the real VeltoMacro.exe under Wine can show of a failure: the report byte for byte on
# standard error (Wine turns each "\n" into "\r\n"), nothing on standard output, the exit code 1,
# input at its end ending the wait; and the failures that only the real runtime, file system and
# timer service produce.
# Usage: reports_test.sh WINE_RUNNER VeltoMacro.exe
set -u
runner=$(realpath "$1")
exe=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0

# expect MESSAGE [ARG...]: runs the exe here with its input at end, expecting the report of MESSAGE.
expect() {
    local message=$1
    shift
    timeout 60 "$runner" "$exe" "$@" </dev/null >out.txt 2>err.raw
    local code=$?
    printf 'Error: %s\n\nPress Enter to exit...\n' "$message" >expected.txt
    if [ "$code" -eq 1 ] && [ ! -s out.txt ] && sed 's/\r$//' err.raw | cmp -s expected.txt -; then
        echo "ok: $message"
    else
        echo "FAIL: $* (exit $code)"; cat out.txt err.raw
        failed=$((failed + 1))
    fi
}

expect "Unable to open configuration file: VeltoMacro.ini"
printf '[general]\nupbind = 256\n' >VeltoMacro.ini
expect "VeltoMacro.ini:2: Invalid value for scroll up key bind."
printf '[general]\n\xc3\xa9 = 1\n' >"my binds.ini"
expect "my binds.ini:2: Invalid key/value pair." "my binds.ini" extra
mkdir folder
expect "Unable to open configuration file: folder" folder
expect "/proc/self/mem:1: Unable to read configuration file." /proc/self/mem
printf '[general]\ninterval = 70000\nupbind = 0x26\ndownbind = 5\n' >timer.ini
expect "Unable to start the scroll timer with an interval of 70000 milliseconds." timer.ini
[ "$failed" -eq 0 ]

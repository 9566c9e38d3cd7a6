#!/usr/bin/env bash
# Black-box checks of the real VeltoMacro.exe under Wine: every failure report byte for byte on
# standard error, nothing on standard output, exit code 1, and the wait ended by end of input.
# Usage: reports_test.sh WINE_RUNNER VeltoMacro.exe
set -u
runner=$1
exe=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

passed=0
failed=0

report() { printf 'Error: %s\n\nPress Enter to exit...\n' "$1"; }

# run NAME EXPECTED_CODE MESSAGE [ARG...]: runs the exe in $work with input at end of file and
# expects the report of MESSAGE, or nothing on standard error when MESSAGE is empty.
run() {
    local name=$1 code=$2 message=$3
    shift 3
    local actual_code
    timeout 60 "$runner" "$exe" "$@" </dev/null >stdout.txt 2>stderr.raw
    actual_code=$?
    # Wine's standard error is in text mode: each "\n" arrives as "\r\n".
    sed 's/\r$//' stderr.raw >stderr.txt
    local problems=""
    [ "$actual_code" = "$code" ] || problems+=" exit code $actual_code, expected $code;"
    [ ! -s stdout.txt ] || problems+=" standard output not empty;"
    if [ -n "$message" ]; then report "$message" >expected.txt; else : >expected.txt; fi
    cmp -s expected.txt stderr.txt || problems+=" standard error differs;"
    if [ -z "$problems" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $name:$problems"
        echo "--- expected"; cat expected.txt
        echo "--- actual"; cat stderr.txt
        echo "---"
    fi
}

# case NAME FILE_BYTES(printf format) MESSAGE: a file named case.ini, reported with its location.
config_case() {
    printf "$2" >case.ini
    run "$1" 1 "$3" case.ini
}

config_case "open bracket" '[general\n' "case.ini:1: Invalid section name. Starts with '[' but does not end with ']'."
config_case "missing equals" '[general]\nupbind\n' "case.ini:2: Expected '=' followed by a value but found nothing."
config_case "empty value" '[general]\n\nupbind = ; x\n' "case.ini:3: Empty value string."
config_case "empty key" '[general]\n = 5\n' "case.ini:2: Empty key string."
config_case "no section" '; only\n; comments\n' "case.ini:2: Expected [general] section."
config_case "second section" '[general]\nupbind = 1\n[other]\n' "case.ini:3: Unexpected section."
config_case "unknown key" '[general]\nspeed = 1\n' "case.ini:2: Invalid key/value pair."
config_case "interval twice" '[general]\ninterval = 5\ninterval = 6\n' "case.ini:3: Event interval specified twice."
config_case "interval invalid" '[general]\ninterval = 0\n' "case.ini:2: Invalid value for the event interval."
config_case "upbind twice" '[general]\nupbind = 38\nupbind = 38\n' "case.ini:3: Scroll up key bind specified twice."
config_case "upbind invalid" '[general]\nupbind = 255\n' "case.ini:2: Invalid value for scroll up key bind."
config_case "downbind twice" '[general]\ndownbind = 1\ndownbind = 2\n' "case.ini:3: Scroll down key bind specified twice."
config_case "downbind invalid" '[general]\ndownbind = 40x\n' "case.ini:2: Invalid value for scroll down key bind."
config_case "same binding" '[general]\nupbind = 38\ndownbind = 0x26\n\n' "case.ini:4: Scroll up and scroll down both have the same binding."
config_case "nothing bound" '[general]\r\ninterval = 5\r\n' "case.ini:2: No key was bound to either scroll direction."
config_case "no digits" '[general]\nupbind = 0x\n' "case.ini:2: Invalid argument"
config_case "too large" '[general]\ninterval = 4294967296\n' "case.ini:2: Numerical result out of range"

run "missing file" 1 "Unable to open configuration file: missing.ini" missing.ini extra
run "empty path" 1 "Unable to open configuration file: " ""
# An I/O error while reading must be reported, not taken for the end of the file.
run "read error" 1 "/proc/self/mem:1: Unable to read configuration file." /proc/self/mem
printf '[general]\nupbind = 999\n' >"my binds.ini"
run "path with spaces" 1 "my binds.ini:2: Invalid value for scroll up key bind." "my binds.ini"
mkdir -p folder
run "a directory cannot be opened" 1 "Unable to open configuration file: folder" folder
run "default path missing" 1 "Unable to open configuration file: VeltoMacro.ini"
printf '[general]\nupbind = 256\n' >VeltoMacro.ini
run "default path read" 1 "VeltoMacro.ini:2: Invalid value for scroll up key bind."

# Wine's timer service refuses delays above 65535 ms, and sets no last error when it does.
config_case "timer refused" '[general]\ninterval = 70000\nupbind = 0x26\ndownbind = 5\n' \
    "Unable to start the scroll timer with an interval of 70000 milliseconds."

# A good file: the program keeps running, silently, until it is ended from outside.
cp "$(dirname "$exe")/VeltoMacro.ini" VeltoMacro.ini
"$runner" "$exe" </dev/null >stdout.txt 2>stderr.txt &
pid=$!
sleep 3
if kill -0 "$pid" 2>/dev/null && [ ! -s stdout.txt ] && [ ! -s stderr.txt ]; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "FAIL shipped sample: the program ended or printed something"
    cat stdout.txt stderr.txt
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# The release archive, as a player gets it: exactly the two programs, the sample configuration,
# the README and the licence; each program carrying the version and a manifest that asks for no
# rights beyond the user's; both starting from the unpacked folder.
# Usage: package_test.sh WINE_RUNNER BUILD_DIR SOURCE_DIR VERSION
set -u
runner=$(realpath "$1")
build=$(realpath "$2")
source=$(realpath "$3")
name="VeltoMacro-$4-win64"
failures=0
check() { # DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT

cmake --build "$build" --target package >"$work/package.log" 2>&1 || { cat "$work/package.log"; exit 1; }
(cd "$work" && python3 -m zipfile -e "$build/$name.zip" . && find "$name" -type f | sort >contents.txt)
printf "$name/%s\n" LICENSE README.md VeltoKeys.exe VeltoMacro.exe VeltoMacro.ini >"$work/expected.txt"
check "the archive holds the two programs, the sample, the README and the licence" \
    cmp -s "$work/expected.txt" "$work/contents.txt"
check "the sample is the repository's" cmp -s "$source/VeltoMacro.ini" "$work/$name/VeltoMacro.ini"
check "the README is the repository's" cmp -s "$source/README.md" "$work/$name/README.md"
for program in VeltoMacro VeltoKeys; do
    x86_64-w64-mingw32-windres -i "$work/$name/$program.exe" -O rc >"$work/$program.rc"
    check "$program: version $4" grep -q "VALUE \"ProductVersion\", \"$4\"" "$work/$program.rc"
    check "$program: its own name" grep -q "VALUE \"OriginalFilename\", \"$program.exe\"" "$work/$program.rc"
    check "$program: runs as the user, without UI access" \
        grep -q 'requestedExecutionLevel level=""asInvoker"" uiAccess=""false""' "$work/$program.rc"
done

# Unpacked, each program starts: VeltoMacro with its sample silently, VeltoKeys with its prompt.
cd "$work/$name" || exit 1
"$runner" ./VeltoMacro.exe </dev/null >"$work/macro.out" 2>&1 &
macro=$!
"$runner" ./VeltoKeys.exe </dev/null >"$work/keys.out" 2>&1 &
sleep 4
check "VeltoMacro runs with its sample" kill -0 "$macro"
check "... and prints nothing" test ! -s "$work/macro.out"
check "VeltoKeys says what to do" grep -q "Press the key or mouse button you want to bind." "$work/keys.out"
[ "$failures" -eq 0 ]

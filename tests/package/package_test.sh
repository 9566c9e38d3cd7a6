#!/usr/bin/env bash
# The release archive: built by the package target, holding exactly the exe, the sample
# configuration, the README and the licence; the exe carrying the project's version and its
# manifest, and starting from the unpacked folder with the sample as it is.
# Usage: package_test.sh WINE_RUNNER BUILD_DIR SOURCE_DIR VERSION
set -u
runner=$1
build=$(realpath "$2")
source=$(realpath "$3")
version=$4
name="VeltoMacro-$version-win64"

failures=0
checks=0
check() {
    local description=$1
    shift
    checks=$((checks + 1))
    if "$@"; then echo "ok: $description"; else echo "FAIL: $description"; failures=$((failures + 1)); fi
}

work=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

cmake --build "$build" --target package >"$work/package.log" 2>&1 || { cat "$work/package.log"; exit 1; }
archive="$build/$name.zip"
check "the archive is named after the version" test -f "$archive"
python3 - "$archive" "$work" <<'PY' >"$work/contents.txt"
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    for entry in sorted(archive.namelist()):
        print(entry)
    archive.extractall(sys.argv[2])
PY
printf '%s\n' "$name/LICENSE" "$name/README.md" "$name/VeltoMacro.exe" "$name/VeltoMacro.ini" >"$work/expected.txt"
check "it holds exactly the exe, the sample, the README and the licence" cmp -s "$work/expected.txt" "$work/contents.txt"
check "the sample is the repository's" cmp -s "$source/VeltoMacro.ini" "$work/$name/VeltoMacro.ini"
check "the README is the repository's" cmp -s "$source/README.md" "$work/$name/README.md"

"$runner" "$build/tests/inspect_exe.exe" "$work/$name/VeltoMacro.exe" 2>/dev/null | tr -d '\r' >"$work/resources.txt"
field() { awk -F= -v key="$1" '$1 == key { print substr($0, length(key) + 2); exit }' "$work/resources.txt"; }
check "file version $version" [ "$(field FileVersion)" = "$version" ]
check "product version $version" [ "$(field ProductVersion)" = "$version" ]
check "fixed file version $version.0" [ "$(field FixedFileVersion)" = "$version.0" ]
check "product name" [ "$(field ProductName)" = "VeltoMacro" ]
check "description" [ -n "$(field FileDescription)" ]
check "manifest asks for asInvoker without uiAccess" \
    grep -q 'requestedExecutionLevel level="asInvoker" uiAccess="false"' "$work/resources.txt"

# Unpacked as a player would, the exe starts with its sample and keeps running silently.
cd "$work/$name" || exit 1
"$runner" ./VeltoMacro.exe </dev/null >"$work/out.txt" 2>"$work/err.txt" &
pid=$!
sleep 3
check "the unpacked program runs with its sample" kill -0 "$pid"
check "and prints nothing" [ ! -s "$work/out.txt" -a ! -s "$work/err.txt" ]

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

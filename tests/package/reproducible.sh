#!/usr/bin/env bash
# The same source gives the same release, byte for byte: the release of the build folder BUILD
# against one from a copy of the same source at another path, built later by tools/package in
# another time zone and with another umask.
#   reproducible.sh SOURCE BUILD NAME WORK
set -euo pipefail
source=$1 build=$2 name=$3 work=$4
rm -rf "$work"
mkdir -p "$work/one" "$work/elsewhere/a/longer/path/keyvane"
copy=$work/elsewhere/a/longer/path/keyvane

# The files a clone would hold, with what is not committed yet as it is here. Outside a git
# checkout, everything but the build folders, and any fixed time for both zips.
cd "$source"
if git rev-parse --git-dir >/dev/null 2>&1; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
    files() { git ls-files -z --cached --others --exclude-standard; }
else
    SOURCE_DATE_EPOCH=1700000000
    files() { find . -path ./build -prune -o -type f -print0; }
fi
export SOURCE_DATE_EPOCH
files | while IFS= read -r -d '' file; do [ ! -e "$file" ] || printf '%s\0' "$file"; done |
    xargs -0 cp --parents -t "$copy"

cmake --install "$build" --prefix "$work/one" >/dev/null
tools/release-zip "$work/one" "$name" >/dev/null
(cd "$copy" && umask 0002 && TZ=Pacific/Kiritimati KEYVANE_BUILD=$copy/out tools/package >/dev/null)

for file in "$name.zip" SHA256SUMS Keyvane/Keyvane.exe Keyvane/Chimebox.dll; do
    cmp "$work/one/$file" "$copy/out/release/$file" || {
        echo "$file differs between $build and $copy/out" >&2
        exit 1
    }
done
cat "$work/one/SHA256SUMS"
rm -rf "$work"

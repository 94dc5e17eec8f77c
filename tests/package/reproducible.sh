#!/usr/bin/env bash
# The same source gives the same release, byte for byte: the release of the build folder BUILD
# against one from a copy of the same source at another path, built later by tools/package in
# another time zone and with another umask.
#   reproducible.sh SOURCE BUILD NAME WORK
set -euo pipefail
source=$1 build=$2 name=$3 work=$4
SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
rm -rf "$work"
mkdir -p "$work/one" "$work/elsewhere/a/longer/path/keyvane"
copy=$work/elsewhere/a/longer/path/keyvane

cmake --install "$build" --prefix "$work/one" >/dev/null
"$source/tools/release-zip" "$work/one" "$name" >/dev/null

# The files a clone would hold, with what is not committed yet as it is here.
(cd "$source" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ ! -e "$file" ] || printf '%s\0' "$file"; done |
    xargs -0 cp --parents -t "$copy")
(cd "$copy" && umask 0002 && TZ=Pacific/Kiritimati KEYVANE_BUILD=$copy/out tools/package >/dev/null)

for file in "$name.zip" SHA256SUMS Keyvane/Keyvane.exe Keyvane/Chimebox.dll; do
    cmp "$work/one/$file" "$copy/out/release/$file" || {
        echo "$file differs between $build and $copy/out" >&2
        exit 1
    }
done
cat "$work/one/SHA256SUMS"
rm -rf "$work"

#!/usr/bin/env bash
# The test pack's run-tests.cmd, unpacked and run under wine with /quick: its report has one line
# per test program (the end-to-end tests "not run", as /quick leaves them out), and no failure.
#   test_pack.sh PACK_ZIP WORK        in the wine session (tools/wine-exec)
set -euo pipefail
pack=$1 work=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$work"
mkdir -p "$work"
cd "$work"
cmake -E tar xf "$pack"
folder=$work/$(basename "$pack" .zip)

status=0
(cd "$folder" &&
    "$here/tools/wine-exec" cmd /c run-tests.cmd /quick </dev/null >"$work/run.log" 2>&1) ||
    status=$?
[ -f "$folder/report.txt" ] || {
    cat "$work/run.log"
    echo "run-tests.cmd wrote no report" >&2
    exit 1
}
report=$work/report.txt
tr -d '\r' <"$folder/report.txt" >"$report" # written for Windows, with CRLF
cat "$report"

fail() { echo "$1" >&2; exit 1; }
programs=$(cd "$folder" && ls -- *_tests.exe | sed 's/\.exe$//')
for program in $programs; do
    lines=$(grep -c "^$program: " "$report" || true)
    [ "$lines" = 1 ] || fail "$program has $lines lines in the report"
    if [ "$program" = keyvane_e2e_tests ]; then
        grep -q "^$program: not run: left out by /quick" "$report" ||
            fail "$program ran with /quick"
    else
        grep -Eq "^$program: [1-9][0-9]* passed, 0 failed, [0-9]+ skipped$" "$report" ||
            fail "$program did not pass"
    fi
done
grep -qx "No failures." "$report" || fail "the report ends in failures"
[ "$status" = 0 ] || fail "run-tests.cmd ended with $status"

#!/usr/bin/env bash
# Differential reads: every fixture under tests/platform/fixtures (and the demo game file) read through
# the POSIX engine (the native vexorel-profile) and through the Windows calls (vexorel-profile.exe under
# Wine). Every query must give the same bytes on both; a difference is printed and fails the run.
#   tests/platform/differential-reads.sh NATIVE_TOOL WINDOWS_TOOL
set -euo pipefail
native=$(realpath "$1")
windows=$(realpath "$2")
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$root"/tests/platform/fixtures/*.ini "$root"/tests/platform/fixtures/*.queries "$work"/
# The demo game file: every key of every section, as spelt and in upper case, plus a missing key.
cp "$root/examples/game/System/UnrealTournament.ini" "$work/demo.ini"
tr -d '\r' < "$work/demo.ini" | awk '
  /^\[.*\]$/ { section = substr($0, 2, length($0) - 2); print section "\tNoSuchKey"; next }
  /=/ && section != "" { key = substr($0, 1, index($0, "=") - 1); print section "\t" key; print toupper(section) "\t" toupper(key) }
' > "$work/demo.queries"

cd "$work"
failed=0
count=0
for queries in *.queries; do
  name=${queries%.queries}
  "$native" reads "$name.ini" "$queries" > "$name.native"
  wine "$windows" reads "$name.ini" "$queries" > "$name.windows"
  lines=$(wc -l < "$queries")
  count=$((count + lines))
  if ! cmp -s "$name.native" "$name.windows"; then
    failed=1
    echo "DIFFERENT: $name.ini (query, POSIX engine, Windows calls):"
    paste "$queries" "$name.native" "$name.windows" | awk -F'\t' '$(NF-1) != $NF' | cat -A | head -20
  fi
done
echo "differential reads: $count queries on $(ls *.queries | wc -l) files, $([ $failed = 0 ] && echo 'all equal' || echo 'DIFFERENCES FOUND')"
exit $failed

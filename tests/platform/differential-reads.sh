#!/usr/bin/env bash
# Every fixture under tests/platform/fixtures (and the demo game file: each key as spelt and in upper
# case, and a missing one) read through the POSIX engine (native vexorel-profile) and the Windows calls
# (vexorel-profile.exe under Wine); a query giving different bytes is printed and fails the run.
#   tests/platform/differential-reads.sh NATIVE_TOOL WINDOWS_TOOL
set -euo pipefail
native=$(realpath "$1") windows=$(realpath "$2") root=$(cd "$(dirname "$0")/../.." && pwd) work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root"/tests/platform/fixtures/*.ini "$root"/tests/platform/fixtures/*.queries "$work"/
cp "$root/examples/game/System/UnrealTournament.ini" "$work/demo.ini"
tr -d '\r' <"$work/demo.ini" | awk '/^\[.*\]$/ { s = substr($0, 2, length($0) - 2); print s "\tNoSuchKey"; next }
  /=/ && s != "" { k = substr($0, 1, index($0, "=") - 1); print s "\t" k; print toupper(s) "\t" toupper(k) }' \
  >"$work/demo.queries"
cd "$work"
failed=0 count=0
for queries in *.queries; do
  name=${queries%.queries}
  "$native" reads "$name.ini" "$queries" >"$name.native"
  wine "$windows" reads "$name.ini" "$queries" >"$name.windows"
  count=$((count + $(wc -l <"$queries")))
  cmp -s "$name.native" "$name.windows" && continue
  failed=1
  echo "DIFFERENT: $name.ini (query, POSIX engine, Windows calls):"
  paste "$queries" "$name.native" "$name.windows" | awk -F'\t' '$(NF-1) != $NF' | cat -A | head -20
done
echo "differential reads: $count queries on $(ls *.queries | wc -l) files," \
  "$([ $failed = 0 ] && echo 'all equal' || echo 'DIFFERENCES FOUND')"
exit $failed

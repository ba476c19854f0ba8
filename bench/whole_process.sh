#!/bin/sh
# The whole-process cost of one key read and one key write with vexorel-profile, beside cat and cp plus
# sync of the same file: the demo game file padded to MEGABYTES (10 unless given), the key in its last
# section. Each command runs RUNS times (process start included); the ratios are what the README's speed
# table gives.
# Usage: bench/whole_process.sh [BUILD-FOLDER] [RUNS] [MEGABYTES]
set -eu
build=${1:-build}
runs=${2:-300}
megabytes=${3:-10}
tool="$build/tools/vexorel-profile/vexorel-profile"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

file="$work/large.ini"
cp "$(dirname "$0")/../examples/game/System/UnrealTournament.ini" "$file"
awk -v limit=$((megabytes * 1048576)) 'BEGIN { for (s = 0; size < limit; ++s) {
         line = sprintf("\r\n[Pad.Section%d]\r\n", s); printf "%s", line; size += length(line)
         for (k = 0; k < 12; ++k) { line = sprintf("SomeSetting%d=Value %d\r\n", k, s * k); printf "%s", line; size += length(line) } }
       printf "[Bench.Last]\r\nCacheSizeMegs=16\r\n" }' >>"$file"

# Microseconds per run of the command given.
per_run() {
  start=$(date +%s%N)
  i=0
  while [ $i -lt "$runs" ]; do "$@" >/dev/null; i=$((i + 1)); done
  echo $((($(date +%s%N) - start) / runs / 1000))
}
copy_and_sync() { cp "$file" "$work/copy.ini" && sync "$work/copy.ini"; }
value=16
set_key() { value=$((48 - value)); "$tool" set "$file" Bench.Last CacheSizeMegs $value; }

cat_us=$(per_run cat "$file")
get_us=$(per_run "$tool" get "$file" Bench.Last CacheSizeMegs)
copy_us=$(per_run copy_and_sync)
set_us=$(per_run set_key)
awk -v c="$cat_us" -v g="$get_us" -v p="$copy_us" -v s="$set_us" 'BEGIN {
  printf "get: %d us, cat: %d us, %.2fx\nset: %d us, cp plus sync: %d us, %.2fx\n", g, c, g / c, s, p, s / p }'

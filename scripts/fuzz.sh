#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while.
#   scripts/fuzz.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]
# Seeds are the project's INI files (the demo game file and the test fixtures), each paired with a few
# calls, and a registry store. The corpus grows in BUILD_DIR/corpus/<target> and is kept between runs;
# a failure lands in BUILD_DIR/findings/<target> and fails the script; summaries go to BUILD_DIR/<target>.summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd) build=${1:?build folder} seconds=${2:?seconds per target}
shift 2
targets=("$@") && [ $# -gt 0 ] || targets=(ini_fuzzer registry_fuzzer)
CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2
seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
mkdir -p "$seeds"/{ini_fuzzer,registry_fuzzer}
seed() { printf '%s\n' "${@:3}" | cat - "$2" >"$seeds/$1"; }  # seed TARGET/NAME FILE CALL-LINES...
for file in "$root/examples/game/System/UnrealTournament.ini" "$root"/tests/platform/fixtures/*.ini; do
  n=$(basename "$file")
  seed "ini_fuzzer/$n-a" "$file" Engine.Engine GameRenderDevice D3DDrv.D3DRenderDevice
  seed "ini_fuzzer/$n-b" "$file" ' engine.engine ' ' Spaced ' ' x '
  seed "ini_fuzzer/$n-c" "$file" NewSection NewKey '"quoted"'
done
for file in "$root"/tests/platform/fixtures/{registry,wine}/*.reg; do
  seed "registry_fuzzer/$(basename "$file")" "$file" \
    'Software\Unreal Technology\Installed Apps\UnrealTournament' Folder 'AC:\UT'
done
printf 'HKEY_LOCAL_MACHINE\\Software\\New\nValue\nB\x01\x02\n' >"$seeds/registry_fuzzer/empty"
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target" findings="$build/findings/$target" log="$build/$target.log"
  mkdir -p "$corpus" "$findings"
  echo "== $target: ${seconds}s"
  if ! "$build/$target" "$corpus" "$seeds/$target" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
       -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1; then
    status=1 && echo "!! $target found a failure: see $log and $findings"
    grep -E "ERROR|SUMMARY|deadly" "$log" | head -5 || true
  fi
  echo "$target executions=$(awk '/^stat::number_of_executed_units/ { n = $2 } END { print n + 0 }' "$log")" \
    "corpus=$(find "$corpus" -type f | wc -l) findings=$(find "$findings" -type f | wc -l) seconds=$seconds" |
    tee "$build/$target.summary"
done
exit $status

#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while.
#   fuzz/run.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]
# Seeds come from the project's INI files (the demo game file and the test fixtures), each paired with a
# few calls. The corpus grows in BUILD_DIR/corpus/<target> and is kept between runs; anything that fails
# lands in BUILD_DIR/findings/<target> and makes the script fail. Each target's summary line goes to
# BUILD_DIR/<target>.summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?build folder}
seconds=${2:?seconds per target}
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(ini_read_fuzzer ini_write_fuzzer registry_fuzzer)

CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2

# One seed: the call's lines, then a file.
seed() {  # folder name lines... -- file
  local folder=$1 name=$2; shift 2
  local out="$folder/$name"
  : >"$out"
  while [ "$1" != -- ]; do printf '%s\n' "$1" >>"$out"; shift; done
  cat "$2" >>"$out"
}

seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
mkdir -p "$seeds/ini_read_fuzzer" "$seeds/ini_write_fuzzer" "$seeds/registry_fuzzer"
files=("$root/examples/game/System/UnrealTournament.ini" "$root"/tests/platform/fixtures/*.ini)
n=0
for file in "${files[@]}"; do
  [ -f "$file" ] || continue
  n=$((n + 1))
  seed "$seeds/ini_read_fuzzer" "$n-a" Engine.Engine GameRenderDevice default -- "$file"
  seed "$seeds/ini_read_fuzzer" "$n-b" ' engine.engine ' ' Spaced ' ' x ' -- "$file"
  seed "$seeds/ini_write_fuzzer" "$n-a" Engine.Engine GameRenderDevice D3DDrv.D3DRenderDevice -- "$file"
  seed "$seeds/ini_write_fuzzer" "$n-b" NewSection NewKey '"quoted"' -- "$file"
  seed "$seeds/ini_write_fuzzer" "$n-c" Engine.Engine NewKey ' 1 ' -- "$file"
done
cat >"$seeds/registry_fuzzer/store" <<'REG'
Software\Unreal Technology\Installed Apps\UnrealTournament
Folder
AC:\Games\UT
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Unreal Technology\Installed Apps\UnrealTournament]
"Folder"="C:\\Games\\UnrealTournament"
"Version"="436"
"Flags"=dword:00000001
"Data"=hex:01,02,03,\
  04,05
@="default"

[HKEY_LOCAL_MACHINE\Software\Other]
"Quote \" name"="a \"b\""
"Typed"=hex(2):43,00
REG
printf 'HKEY_LOCAL_MACHINE\\Software\\New\nValue\nB\x01\x02\n' >"$seeds/registry_fuzzer/empty"

status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  log="$build/$target.log"
  echo "== $target: ${seconds}s"
  if ! "$build/$target" "$corpus" "$seeds/$target" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
       -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1; then
    status=1
    echo "!! $target found a failure: see $log and $findings"
    grep -E "ERROR|SUMMARY|deadly" "$log" | head -5 || true
  fi
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' | tail -1)
  size=$(find "$corpus" -type f | wc -l)
  found=$(find "$findings" -type f | wc -l)
  echo "$target executions=${runs:-0} corpus=$size findings=$found seconds=$seconds" | tee "$build/$target.summary"
done
exit $status

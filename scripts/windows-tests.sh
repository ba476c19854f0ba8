#!/usr/bin/env bash
# The Windows program under Wine, in throw-away Wine prefixes:
#   1. the whole test suite, window tests included, on the offscreen platform;
#   2. the real program with its Windows platform, under Xvfb and a window manager: the first start in an
#      empty folder, the main window, the locate dialog recording the folder in the registry, and the
#      process ending when the main window closes; the time to the main window against a bare window;
#   3. the installer: a silent install, the program started in the installation folder, a silent
#      uninstall that leaves the user's files; and the zip, unpacked and run.
# scripts/windows-tests.sh BUILD_FOLDER
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-build-windows}" && pwd)"
packages="$build/packages"
scratch="$(mktemp -d /tmp/vexorel-windows.XXXXXX)"
display=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "$display" ] && kill "$(cat "$scratch/xvfb.pid")" "$(cat "$scratch/openbox.pid")" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WAYLAND_DISPLAY=

# A fresh Wine prefix. Wine's own fonts (fonts-wine) stand in for Windows': in the prefix's font folder,
# Tahoma is found where Windows programs ask for the dialog font.
new_prefix() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  export WINEPREFIX="$scratch/prefix-$1"
  wineboot --init >/dev/null 2>&1
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wineserver -p 2>/dev/null || true  # keep one server for the whole prefix
}

step() { echo "== $*"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

# --- 1. The suite ---
step "the test suite under Wine (offscreen)"
DISPLAY= new_prefix suite
DISPLAY= ctest --test-dir "$build" --output-on-failure --timeout 900 -R "_tests$"

# --- 2. The real program ---
for n in $(seq 90 99); do
  if [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & echo $! > "$scratch/xvfb.pid"
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & echo $! > "$scratch/openbox.pid"

game="$scratch/game"
mkdir -p "$game/System"
cp "$here/examples/game/System/UnrealTournament.ini" "$here/examples/game/System/UnrealTournament.exe" "$game/System/"
gamekey='HKLM\Software\Unreal Technology\Installed Apps\UnrealTournament'
windows_path() { winepath -w "$1" 2>/dev/null; }

# Waits for a visible top-level window whose name is exactly $1 and that is at least $2 pixels wide (the
# splash and the main window share their name); prints its id.
wait_window() {
  local id width
  for _ in $(seq 600); do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
      width="$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')"
      [ "${width:-0}" -ge "${2:-0}" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# The main window, not the splash before it.
wait_main_window() { wait_window Vexorel 600; }

# Closes the window with the window manager's close (what the title bar's cross does) and waits for the
# process to end.
close_and_wait() {
  local window="$1" pid="$2"
  xdotool windowactivate --sync "$window" key alt+F4 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}

# Starts a program in a folder (as a shortcut does); sets pid to the Wine process's.
start_in() {
  (cd "$1" && exec wine "$2" >/dev/null 2>&1) &
  pid=$!
}

# The first start in an empty folder: the main window, Vexorel.ini and the first backup. Sets pid and
# window.
first_start() {
  local folder="$1" exe="$2"
  start_in "$folder" "$exe"
  window="$(wait_main_window)" || fail "no main window \"Vexorel\" from $exe"
  [ -f "$folder/Vexorel.ini" ] || fail "no Vexorel.ini in $folder"
  cmp -s "$folder/BACKUP/BckUpUnrealTournament.txt" "$game/System/UnrealTournament.ini" ||
    fail "the first backup in $folder/BACKUP is not the game's file"
}

step "the real program: first start in an empty folder, with the game in the registry"
new_prefix program
wine reg add "$gamekey" /v Folder /d "$(windows_path "$game")" /reg:32 /f >/dev/null
folder="$scratch/first"
mkdir -p "$folder"
started=$(date +%s%N)
first_start "$folder" "$build/src/vexorel.exe"
shown=$(date +%s%N)
import -window root "$build/windows-main-window.png" 2>/dev/null || true
printf 'Vexorel.ini: %q\n' "$(cat "$folder/Vexorel.ini")"
close_and_wait "$window" "$pid" || fail "the process did not end when its main window closed"
echo "start to main window: $(((shown - started) / 1000000)) ms"

if [ -f "$build/bench/vexorel_bare_window.exe" ]; then
  started=$(date +%s%N)
  start_in "$scratch" "$build/bench/vexorel_bare_window.exe"
  window="$(wait_window "Bare window")" || fail "no bare window"
  shown=$(date +%s%N)
  close_and_wait "$window" "$pid" || true
  echo "start to a bare Qt Widgets window: $(((shown - started) / 1000000)) ms"
fi

step "the real program: no registry entry, the game located by hand"
new_prefix locate
folder="$scratch/locate"
mkdir -p "$folder"
start_in "$folder" "$build/src/vexorel.exe"
dialog="$(wait_window "Select Unreal Tournament.")" || fail "no locate dialog"
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
sleep 0.5
xdotool type --delay 5 "$(windows_path "$game/System/UnrealTournament.exe")"
xdotool key Return
window="$(wait_main_window)" || fail "no main window after the game was located"
recorded="$(wine reg query "$gamekey" /v Folder /reg:32 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')"
[ "$recorded" = "$(windows_path "$game")" ] || fail "the registry holds \"$recorded\", not the game folder"
echo "recorded: $recorded"
close_and_wait "$window" "$pid" || fail "the process did not end when its main window closed"

step "pictures of the windows with the Windows platform, in $build/screenshots"
(cd "$scratch" && wine "$build/tools/screenshots/vexorel-screenshots.exe" "$(windows_path "$build/screenshots")" \
   "$(windows_path "$here/examples/game")" 2>&1 | tr -d '\r' | grep -v "^wrote" || true)
[ -f "$build/screenshots/main-window.png" ] || fail "no pictures of the windows"

# --- 3. The packages ---
step "the installer: silent install, a start in the installation folder, silent uninstall"
new_prefix install
wine reg add "$gamekey" /v Folder /d "$(windows_path "$game")" /reg:32 /f >/dev/null
wine "$(ls "$packages"/Vexorel-*-setup.exe)" /S
local_app="$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')")"
installed="$local_app/Programs/Vexorel"
for f in vexorel.exe vexorel-profile.exe Uninstall.exe LICENSE.txt THIRD-PARTY-NOTICES.txt SOURCE.txt README.md; do
  [ -f "$installed/$f" ] || fail "the installer did not put $f in $installed"
done
menu="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/Microsoft/Windows/Start Menu/Programs"
[ -f "$menu/Vexorel.lnk" ] || fail "no Start-menu shortcut"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vexorel'
wine reg query "$uninstall_key" /v DisplayName >/dev/null 2>&1 || fail "not registered under Apps & features"
first_start "$installed" "$installed/vexorel.exe"
close_and_wait "$window" "$pid" || fail "the installed program did not end"
wine "$installed/Uninstall.exe" /S
for _ in $(seq 100); do [ -f "$installed/vexorel.exe" ] || break; sleep 0.2; done
wineserver -w
for f in vexorel.exe vexorel-profile.exe Uninstall.exe; do
  [ ! -e "$installed/$f" ] || fail "the uninstaller left $f"
done
[ ! -e "$menu/Vexorel.lnk" ] || fail "the uninstaller left the shortcut"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstaller left its registry entry"
[ -f "$installed/Vexorel.ini" ] && [ -d "$installed/BACKUP" ] || fail "the uninstaller removed the user's files"
echo "installed, started, uninstalled; the user's Vexorel.ini and BACKUP stay"

step "the zip: unpacked and run"
unzip -q "$(ls "$packages"/Vexorel-*-windows-x64.zip)" -d "$scratch/unzipped"
unpacked="$(ls -d "$scratch"/unzipped/Vexorel-*)"
first_start "$unpacked" "$unpacked/vexorel.exe"
close_and_wait "$window" "$pid" || fail "the unpacked program did not end"

echo "Windows checks passed"

#!/usr/bin/env bash
# Takes the README's pictures of the real windows over the demo game folder, under Xvfb.
# Usage: scripts/screenshots.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: apt-get install xvfb" >&2; exit 1; }
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tools/screenshots/vexorel-screenshots" docs/screenshots examples/game

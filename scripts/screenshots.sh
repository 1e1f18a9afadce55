#!/usr/bin/env bash
# Remakes the README's screenshots (docs/screenshots/*.png) from the current
# sources: builds korvana-cli and korvana-screenshots, writes the demo into a
# scratch folder, drives the real windows under Xvfb and stores each window
# as a 256-colour PNG. Build folder: $KORVANA_BUILD_DIR (build/release);
# display: $KORVANA_SHOT_DISPLAY (:99).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KORVANA_BUILD_DIR:-build/release}
display=${KORVANA_SHOT_DISPLAY:-:99}
bash scripts/install-deps.sh
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKORVANA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target korvana-cli korvana-screenshots

# The tour's folder lies in the build folder: the folder tree of the tab
# "Töne" shows it with its neighbours.
work=$build/tour
rm -rf "$work"
xvfb=""
wm=""
cleanup() {
  [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
"$build/bin/korvana-cli" demo "$work/demo" >/dev/null
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp &
xvfb=$!
sleep 1
# A window manager draws the title bars: the screenshot of the whole window
# shows the title with the file and its modified marker.
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
sleep 1
DISPLAY=$display KORVANA_PROGRAM_FOLDER="$work/prog" QT_QPA_PLATFORM=xcb \
  "$build/bin/korvana-screenshots" "$work/demo" "$work/shots" >/dev/null
mkdir -p docs/screenshots
for png in "$work"/shots/*.png; do
  convert "$png" -dither None -colors 256 "PNG8:docs/screenshots/$(basename "$png")"
done
ls -l docs/screenshots

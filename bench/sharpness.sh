#!/usr/bin/env bash
# How sharp the pictures are in the real window: the release game under a private Xvfb, its
# window sized to 1x, 2x and 4x the design (or the scales given), a screenshot of it at
# start-up, and bolvenda_sharpness's comparison of every picture seen with librsvg's rendering
# of its drawing at the size shown (mean absolute RGB difference near the edges; lower is
# sharper). The screenshots stay in build/release/sharpness/ to look at.
# Usage: bench/sharpness.sh [SCALE ...]   (needs Xvfb, xdotool and ImageMagick, and the tools:
# cmake --preset release -DBOLVENDA_BUILD_TOOLS=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
scales=("$@")
[ ${#scales[@]} -gt 0 ] || scales=(1 2 4)

[ -f "$build/build.ninja" ] || cmake --preset release -DBOLVENDA_BUILD_TOOLS=ON >/dev/null
cmake --build "$build" --target bolvenda bolvenda_sharpness >/dev/null

screen=3300x2400x24  # holds the window at 4x the design
. bench/private_display.sh

mkdir -p "$build/sharpness"
for scale in "${scales[@]}"; do
  w=$((792 * scale)) h=$((566 * scale))
  "$build/app/bolvenda" &
  game_pid=$!
  window=$(timeout 20 xdotool search --sync --name '^Squadra Bolvenda' | head -n1)
  # From the screen's corner, so that the whole window is on screen at every size.
  xdotool windowmove "$window" 0 0
  [ "$scale" = 1 ] || xdotool windowsize "$window" "$w" "$h"
  # The window at its new size, painted: the shot no longer changes.
  shot="$build/sharpness/window_${scale}x.png"
  for _ in $(seq 100); do
    sleep 0.3
    import -window "$window" "$work/now.png"
    if [ "$(identify -format '%wx%h' "$work/now.png")" = "${w}x${h}" ] &&
       [ -f "$shot" ] && cmp -s "$work/now.png" "$shot"; then break; fi
    cp "$work/now.png" "$shot"
  done
  echo "== ${scale}x: window ${w}x${h}"
  "$build/tools/bolvenda_sharpness" "$shot" scene/assets/art
  kill "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  game_pid=
done

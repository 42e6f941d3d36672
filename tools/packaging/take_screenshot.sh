#!/usr/bin/env bash
# The software-centre screenshot: the real game in a private Xvfb, one round open, the window
# alone. Usage: tools/packaging/take_screenshot.sh GAME [OUT_PNG]
# (needs Xvfb, xdotool and ImageMagick: scripts/install-deps.sh test)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
game=$1
out=${2:-$root/packaging/screenshot.png}
work=$(mktemp -d)
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Ready once it writes its number; -noreset, or xdotool leaving would drop the game's connection.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" SDL_VIDEODRIVER=x11
"$game" &
game_pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --class "$(basename "$game")" 2>/dev/null | head -n1 || true)
  [ -z "$window" ] && window=$(xdotool search --onlyvisible --name '^Bolvenda' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "take_screenshot: the game's window did not appear" >&2; exit 1; }
sleep 0.5
# The happy face at the bottom left (design 8,512, 64 x 37) starts a round; then the pointer
# leaves, so that no tooltip stands in the picture.
xdotool mousemove --window "$window" 40 530 click 1
xdotool mousemove 1270 1014
sleep 1
import -window "$window" "$out"
identify "$out"
# The sleeping frog ends the game before its display goes.
xdotool mousemove --window "$window" 120 530 click 1
wait "$game_pid" && game_pid=""

#!/usr/bin/env bash
# Resident memory of the release game with its window at the design size and at two large
# sizes, after it has painted there: VmRSS (and the shared-memory part of it, where the X11
# window surface lives), read once it has held still for half a second. One game per size.
# Usage: bench/memory_at_size.sh [WxH ...]   (default 792x566 3840x2160 7680x4320; needs Xvfb
# and xdotool: scripts/install-deps.sh test)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(792x566 3840x2160 7680x4320)

[ -f "$build/build.ninja" ] || cmake --preset release >/dev/null
cmake --build "$build" --target bolvenda shown_pictures >/dev/null

. bench/private_display.sh

status_kib() { sed -n "s/^$2:[[:space:]]*\([0-9]*\) kB/\1/p" "/proc/$1/status"; }

# Waits until the window surface of the new size is there (X11 keeps it in shared memory) and
# the resident size has not moved for half a second since (the frame is painted).
settled_rss() {  # pid surface_kib
  local last=-1 now same=0
  for _ in $(seq 600); do
    [ "$(status_kib "$1" RssShmem)" -ge "$2" ] && break
    sleep 0.1
  done
  for _ in $(seq 120); do
    now=$(status_kib "$1" VmRSS)
    if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; fi
    [ $same -ge 5 ] && break
    last=$now
    sleep 0.1
  done
  echo "$now"
}

# Beside it what that size needs: the window's surface plus the base layer of the scene's
# rectangle within it (4 bytes a pixel each) and the pictures at their shown sizes; the rest
# is the process at any size.
printf '%-12s %14s %16s %22s %16s %12s\n' "window" "resident (KiB)" "of it shm (KiB)" "surface + layer (KiB)" "pictures (KiB)" "rest (KiB)"
for size in "${sizes[@]}"; do
  w=${size%x*} h=${size#*x}
  "$build/app/bolvenda" 2>"$work/stderr" &
  game_pid=$!
  window=$(timeout 20 xdotool search --sync --name '^Squadra Bolvenda' | head -n1)
  [ "$w" = 792 ] && [ "$h" = 566 ] || xdotool windowsize "$window" "$w" "$h"
  rss=$(settled_rss "$game_pid" $((w * h * 4 / 1024)))
  shm=$(status_kib "$game_pid" RssShmem)
  read -r pictures layer < <("$build/bench/shown_pictures" "$w" "$h")
  layers=$((w * h * 4 / 1024 + layer))
  printf '%-12s %14s %16s %22s %16s %12s\n' "$size" "$rss" "$shm" "$layers" "$pictures" $((rss - layers - pictures))
  kill "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  game_pid=
  if grep -q . "$work/stderr"; then sed 's/^/  stderr: /' "$work/stderr"; fi
done

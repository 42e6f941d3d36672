#!/usr/bin/env bash
# Whole-process start-up of the release game beside a bare SDL2 window drawn the same way:
# time from spawn to the first painted frame, peak resident memory and CPU time of the whole
# run (GNU time), CPU used in three idle seconds after the first frame, and resident memory
# after the first frame split by kind; the ratios game/bare of the same alternated runs; then
# the game's start-up phases. Medians of N runs.
# Usage: bench/startup.sh [N]   (default 11; needs Xvfb and GNU time: scripts/install-deps.sh test)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
build=build/release

[ -f "$build/build.ninja" ] || cmake --preset release >/dev/null
cmake --build "$build" --target bolvenda bare_window first_frame startup_phases >/dev/null

. bench/private_display.sh

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() {  # name program
  local out
  out=$("$build/bench/first_frame" -- /usr/bin/time -v -o "$work/time" "$2")
  local ms ticks code rss user sys
  ms=$(sed -n 's/.*first_frame_ms=\([0-9.]*\).*/\1/p' <<<"$out")
  ticks=$(sed -n 's/.*idle_ticks=\(-\?[0-9]*\).*/\1/p' <<<"$out")
  code=$(sed -n 's/.*exit=\([0-9]*\).*/\1/p' <<<"$out")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
  user=$(sed -n 's/.*User time (seconds): //p' "$work/time")
  sys=$(sed -n 's/.*System time (seconds): //p' "$work/time")
  [ "$code" = 0 ] || echo "warning: $1 ended with status $code" >&2
  echo "$ms" >>"$work/$1.ms"
  echo "$ticks" >>"$work/$1.idle"
  echo "$rss" >>"$work/$1.rss"
  local now anon shmem
  now=$(sed -n 's/.* rss_kb=\([0-9]*\).*/\1/p' <<<"$out")
  anon=$(sed -n 's/.* anon_kb=\([0-9]*\).*/\1/p' <<<"$out")
  shmem=$(sed -n 's/.* shmem_kb=\([0-9]*\).*/\1/p' <<<"$out")
  echo "$now" >>"$work/$1.rss_now"
  echo "$anon" >>"$work/$1.anon"
  echo "$shmem" >>"$work/$1.shmem"
  echo $((now - anon - shmem)) >>"$work/$1.file"
  awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.0f\n", (u + s) * 1000 }' >>"$work/$1.cpu"
}

for i in $(seq "$runs"); do
  measure bare "$build/bench/bare_window"
  measure game "$build/app/bolvenda"
  printf '\rrun %d of %d' "$i" "$runs" >&2
done
echo >&2

printf '%-38s %10s %10s %8s\n' "median of $runs alternated runs" "bare SDL2" "Bolvenda" "ratio"
row() {
  local bare game
  bare=$(median <"$work/bare.$2")
  game=$(median <"$work/game.$2")
  printf '%-38s %10s %10s %8s\n' "$1" "$bare" "$game" \
    "$(awk -v b="$bare" -v g="$game" 'BEGIN { if (b > 0) printf "%.2fx", g / b; else print "-" }')"
}
row "spawn to first frame (ms)" ms
row "peak resident memory (KiB)" rss
row "CPU time, whole run (ms)" cpu
row "CPU in 3 s idle (clock ticks)" idle
row "resident after first frame (KiB)" rss_now
row "  of it anonymous: heap, buffers" anon
row "  of it shared: the window's picture" shmem
row "  of it file pages: code, libraries" file

# CPU by instructions: the kernel's CPU times above come in 10 ms ticks, too coarse for a
# start-up of a few tens of milliseconds. callgrind counts every instruction of every thread.
if command -v valgrind >/dev/null; then
  count() {
    "$build/bench/first_frame" -- "$(command -v valgrind)" --tool=callgrind \
      --callgrind-out-file="$work/$1.cg" "$2" >/dev/null 2>&1 || true
    sed -n 's/^summary: //p; s/^totals: //p' "$work/$1.cg" | head -n1
  }
  bare_ir=$(count bare "$build/bench/bare_window")
  game_ir=$(count game "$build/app/bolvenda")
  printf '%-38s %10s %10s %8s\n' "instructions, whole run (millions)" \
    "$((bare_ir / 1000000))" "$((game_ir / 1000000))" \
    "$(awk -v b="$bare_ir" -v g="$game_ir" 'BEGIN { if (b > 0) printf "%.2fx", g / b }')"
fi

# The phases, each run a fresh process; the worker's own time in runs of its own.
for i in $(seq "$runs"); do
  "$build/bench/startup_phases" --worker-alone >>"$work/alone"
  "$build/bench/startup_phases" >>"$work/phases"
done
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" "$2" | median; }
echo
echo "start-up phases of the game (ms, median of $runs):"
printf '  %-56s %8s\n' "second thread alone: fonts, pictures, base layer" "$(field worker_ms "$work/alone")"
printf '  %-56s %8s\n' "SDL video reaching the display (worker running)" "$(field video_ms "$work/phases")"
printf '  %-56s %8s\n' "window, icon and pointers" "$(field window_ms "$work/phases")"
printf '  %-56s %8s\n' "waiting for the second thread" "$(field wait_ms "$work/phases")"
printf '  %-56s %8s\n' "Load, first paint, window shown" "$(field paint_ms "$work/phases")"
echo "shared libraries: bare $(ldd "$build/bench/bare_window" | wc -l), game $(ldd "$build/app/bolvenda" | wc -l)"

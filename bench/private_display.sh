# Sourced by the whole-process benchmarks: a work folder ($work) and a private Xvfb of
# ${screen:-1280x1024x24}, so that nothing else draws there or takes the CPU's attention, with
# SDL pointed at it; on exit the game in $game_pid (where one runs), the Xvfb and the folder go.
work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# -noreset: a reset, as the last client leaves (xdotool between two looks), drops the
# connections the server took meanwhile, the next game's among them.
Xvfb -displayfd 3 -screen 0 "${screen:-1280x1024x24}" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY
export SDL_VIDEODRIVER=x11

# Sourced by the whole-process benchmarks: a private Xvfb, so that nothing else draws there or
# takes the CPU's attention, with SDL pointed at it. Needs $work; sets $xvfb_pid and DISPLAY.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY
export SDL_VIDEODRIVER=x11

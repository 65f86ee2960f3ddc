#!/usr/bin/env bash
# The main job: build the Windows deliverables and start Orvane under Wine in
# a throwaway prefix (in a virtual X server when no display is set), showing
# its log as it is written. Ends when Orvane exits, on Ctrl+C, or after
# ORVANE_RUN_SECONDS seconds when that is set; Orvane is then asked to close
# the way the setup program does it (WM_CLOSE to its render window).
# On the virtual X server it leaves a screenshot of the screen a few seconds
# after the dock's first frame, in build/run/screen.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/deps.sh windows wine
cmake --preset windows >/dev/null
cmake --build --preset windows
build="$root/build/windows"

# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh
tail_pid=""
cleanup() {
  [ -n "$tail_pid" ] && kill "$tail_pid" 2>/dev/null || true
  wine_env_stop
}
trap cleanup EXIT
trap 'echo; echo "run.sh: stopping Orvane"; stop_requested=1' INT TERM
stop_requested=0

echo "run.sh: preparing a Wine prefix in a temporary folder"
# Compiled shaders outlive the prefix, so later starts are quicker.
export MESA_SHADER_CACHE_DIR="$root/build/run/shader-cache"
wine_env_start
log_dir="$(wine_unix_path "$(wine_getenv LOCALAPPDATA)\\Orvane\\logs")"
[ -n "${ORVANE_DATA_DIR:-}" ] && log_dir="$(wine_unix_path "$ORVANE_DATA_DIR")/logs"

echo "run.sh: starting Orvane.exe (log: $log_dir/orvane.log)"
wine "$build/Orvane.exe" &
orvane_pid=$!
for _ in $(seq 1 100); do [ -f "$log_dir/orvane.log" ] && break; sleep 0.1; done
if [ -f "$log_dir/orvane.log" ]; then
  tail -n +1 -f "$log_dir/orvane.log" &
  tail_pid=$!
fi

# Nobody can look at the virtual X server, so a picture of it stands in.
screenshot=""
if [ -n "$ORVANE_XVFB_PID" ]; then
  screenshot="$root/build/run/screen.png"
  mkdir -p "$(dirname "$screenshot")"
  rm -f "$screenshot"
fi
# "visible=V iconic=I rect=l,t,r,b exstyle=X" of the window of class $1.
window_state() { wine "$build/orvane-probe.exe" window-state "$1" 2>/dev/null | tr -d '\r' || true; }
# The first frame has both dock windows shown and the input window moved
# over the plate, inside the render window (both start at the same place).
dock_drawn() {
  local render input rl rt rr rb il it ir ib
  render="$(window_state OrvaneRenderWindow)"
  input="$(window_state OrvaneInputWindow)"
  [[ "$render" == visible=1\ * && "$input" == visible=1\ * ]] || return 1
  IFS=, read -r rl rt rr rb <<<"$(sed -n 's/.* rect=\([-0-9,]*\) .*/\1/p' <<<"$render")"
  IFS=, read -r il it ir ib <<<"$(sed -n 's/.* rect=\([-0-9,]*\) .*/\1/p' <<<"$input")"
  [ -n "$rb" ] && [ -n "$ib" ] && [ "$ir" -gt "$il" ] && [ "$ib" -gt "$it" ] &&
    [ "$il" -ge "$rl" ] && [ "$it" -ge "$rt" ] && [ "$ir" -le "$rr" ] && [ "$ib" -le "$rb" ]
}
dock_shown_at=""

started=$SECONDS
while kill -0 "$orvane_pid" 2>/dev/null; do
  if [ "$stop_requested" = 1 ] || { [ -n "${ORVANE_RUN_SECONDS:-}" ] && [ $((SECONDS - started)) -ge "$ORVANE_RUN_SECONDS" ]; }; then
    wine "$build/orvane-probe.exe" close-window OrvaneRenderWindow 10000 || true
    break
  fi
  if [ -n "$screenshot" ]; then
    # The springs and the icons settle within a few seconds of the first frame.
    if [ -z "$dock_shown_at" ]; then
      dock_drawn && dock_shown_at=$SECONDS
    elif [ $((SECONDS - dock_shown_at)) -ge 3 ]; then
      if import -window root "$screenshot" 2>/dev/null; then
        echo "run.sh: screenshot of the virtual screen: $screenshot"
      else
        echo "run.sh: could not take a screenshot of the virtual screen"
      fi
      screenshot=""
    fi
  fi
  sleep 0.5
done
set +e
wait "$orvane_pid"
code=$?
set -e
sleep 0.3
echo "run.sh: Orvane exited with code $code"
exit "$code"

#!/usr/bin/env bash
# The main job: build the Windows deliverables and start Orvane under Wine in
# a throwaway prefix (in a virtual X server when no display is set), showing
# its log as it is written. Ends when Orvane exits, on Ctrl+C, or after
# ORVANE_RUN_SECONDS seconds when that is set; Orvane is then asked to close
# the way the setup program does it (WM_CLOSE to its render window).
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

started=$SECONDS
while kill -0 "$orvane_pid" 2>/dev/null; do
  if [ "$stop_requested" = 1 ] || { [ -n "${ORVANE_RUN_SECONDS:-}" ] && [ $((SECONDS - started)) -ge "$ORVANE_RUN_SECONDS" ]; }; then
    wine "$build/orvane-probe.exe" close-window OrvaneRenderWindow 10000 || true
    break
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

#!/usr/bin/env bash
# What Orvane costs while it runs under Wine, measured from outside the way
# a user's task manager would see it (run on demand; not part of CI):
#   benchmarks/wine-costs.sh [RUNS]        (3 runs unless told)
#
# Each run starts Orvane.exe in the same throwaway prefix with a fresh data
# folder (so the icon cache is cold) and prints:
#   first-frame   ms from process creation to the first presented frame (Orvane's log)
#   rss-first     resident memory right after the first frame
#   rss-rest60    resident memory after 60 s at rest
#   cpu-rest      CPU of the Orvane process over those 60 s, % of one core
#   frames-rest   frame steps during those 60 s (the dock answers its count to the probe)
#   rss-sweep20   resident memory after 20 s of pointer sweeps over the dock
#   cpu-sweep     CPU over those 20 s, % of one core
#   rss-sweep60   resident memory after 60 s of sweeps (growth shows between the two)
# With ORVANE_COSTS_MAPS=1 each run also prints where the resident memory
# sits at the end: the largest mappings, by file (anonymous memory as one row).
# and then the same memory figures for the floor: orvane-probe's "floor"
# program, which creates the same graphics device and one layered window of
# the dock's render-window size and does nothing else.
#
# Environment: ORVANE_COSTS_BUILD names a folder holding Orvane.exe and
# orvane-probe.exe to measure instead of building; ORVANE_COSTS_REST (60), ORVANE_COSTS_SWEEP (20), ORVANE_COSTS_LONG (60)
# shorten the phases for a quick look.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs="${1:-3}"
rest="${ORVANE_COSTS_REST:-60}"
sweep="${ORVANE_COSTS_SWEEP:-20}"
long="${ORVANE_COSTS_LONG:-60}"

scripts/deps.sh windows wine >/dev/null
if [ -n "${ORVANE_COSTS_BUILD:-}" ]; then
  build="$(cd "$ORVANE_COSTS_BUILD" && pwd)"  # executables built before, e.g. to compare two versions
else
  cmake --preset windows >/dev/null
  cmake --build --preset windows >/dev/null
  build="$root/build/windows"
fi

# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh
trap wine_env_stop EXIT
export MESA_SHADER_CACHE_DIR="$root/build/run/shader-cache"
wine_env_start

ticks_per_second=$(getconf CLK_TCK)
probe() { wine "$build/orvane-probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
# The Linux process running the given Windows executable (the newest one).
unix_pid() { pgrep -n -f "$1" || true; }
rss_mb() { awk '/^VmRSS:/ { printf "%.0f", $2 / 1024 }' "/proc/$1/status" 2>/dev/null || echo "?"; }
# User + system CPU ticks of the process, all its threads.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
cpu_percent() { awk -v d="$1" -v s="$2" -v t="$ticks_per_second" 'BEGIN { printf "%.2f", 100 * d / (s * t) }'; }
# The frame steps the running dock has run (it answers a private message).
frame_count() { probe frame-count | sed -n 's/^frames=//p'; }
# Resident memory by mapped file, largest first (MB, one decimal).
rss_by_mapping() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / { name = ($6 == "") ? "[anonymous]" : $6; n = split(name, parts, "/"); name = parts[n] }
       /^Rss:/ { kb[name] += $2 }
       END { for (k in kb) if (kb[k] >= 1024) printf "  %8.1f MB  %s\n", kb[k] / 1024, k }' "/proc/$1/smaps" 2>/dev/null |
    sort -rn | head -n 15
}

echo "machine: $(nproc) cores, $(awk '/^model name/ { sub(/^[^:]*: /, ""); print; exit }' /proc/cpuinfo)"
echo "wine: $(wine --version 2>/dev/null)  date: $(date -u +%Y-%m-%d)  build: $(sed -n 's/^CMAKE_BUILD_TYPE:[^=]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)"
printf '%-6s %12s %10s %11s %9s %12s %12s %10s %12s\n' run first-frame rss-first rss-rest60 cpu-rest frames-rest \
  rss-sweep20 cpu-sweep rss-sweep60

width=1920 height=220
for run in $(seq 1 "$runs"); do
  data_win="C:\\orvane-costs-$run"
  data_unix="$(wine_unix_path "$data_win")"
  rm -rf "$data_unix"
  log="$data_unix/logs/orvane.log"
  ORVANE_DATA_DIR="$data_win" wine "$build/Orvane.exe" >/dev/null 2>&1 &
  first=""
  for _ in $(seq 1 600); do
    first="$(sed -n 's/.*\] First frame presented \([0-9]*\) ms after start.*/\1/p' "$log" 2>/dev/null | head -1 || true)"
    [ -n "$first" ] && break
    sleep 0.1
  done
  pid="$(unix_pid 'Orvane.exe')"
  if [ -z "$first" ] || [ -z "$pid" ]; then
    echo "run $run: Orvane did not present a frame within 60 s; its log:" >&2
    tail -n 20 "$log" >&2 2>/dev/null || true
    probe close-window OrvaneRenderWindow 10000 >/dev/null || true
    continue
  fi
  rss_first="$(rss_mb "$pid")"
  # The floor uses the render window's size.
  IFS=, read -r l t r b <<<"$(probe window-state OrvaneRenderWindow | sed -n 's/.* rect=\([-0-9,]*\).*/\1/p')"
  if [ -n "${b:-}" ] && [ $((r - l)) -gt 0 ] && [ $((b - t)) -gt 0 ]; then width=$((r - l)) height=$((b - t)); fi

  # At rest: the pointer away from the dock, nothing moving.
  probe pointer move 960 300 >/dev/null || true
  sleep 3
  frames_before="$(frame_count)"
  ticks_before="$(cpu_ticks "$pid")"
  sleep "$rest"
  cpu_rest="$(cpu_percent $(($(cpu_ticks "$pid") - ticks_before)) "$rest")"
  frames_rest=$(($(frame_count) - frames_before))
  rss_rest="$(rss_mb "$pid")"

  # Sweeps: the probe moves the pointer across the dock every 16 ms.
  ticks_before="$(cpu_ticks "$pid")"
  probe sweep "$sweep" >/dev/null || true
  cpu_sweep="$(cpu_percent $(($(cpu_ticks "$pid") - ticks_before)) "$sweep")"
  rss_sweep="$(rss_mb "$pid")"
  if [ "$long" -gt "$sweep" ]; then probe sweep $((long - sweep)) >/dev/null || true; fi
  rss_long="$(rss_mb "$pid")"

  printf '%-6s %10s ms %7s MB %8s MB %8s%% %12s %9s MB %10s%% %9s MB\n' "$run" "$first" "$rss_first" "$rss_rest" \
    "$cpu_rest" "$frames_rest" "$rss_sweep" "$cpu_sweep" "$rss_long"
  if [ "${ORVANE_COSTS_MAPS:-0}" = 1 ]; then rss_by_mapping "$pid"; fi
  probe close-window OrvaneRenderWindow 10000 >/dev/null || true
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  # Wine's shell stays busy for a while after a program with a status-area
  # icon exits (each call to its notification area takes about two
  # seconds); a program started at once waits for it before its first
  # window, which would count Wine's wait as Orvane's start.
  sleep 4
done

# The floor: what Wine costs for the same device and window.
printf '%-6s %12s %10s %11s   (%sx%s window)\n' floor - rss-first rss-after "$width" "$height"
for run in $(seq 1 "$runs"); do
  wine "$build/orvane-probe.exe" floor "$width" "$height" $((rest + 5)) >/dev/null 2>&1 &
  floor_job=$!
  pid=""
  for _ in $(seq 1 300); do
    pid="$(unix_pid 'orvane-probe.exe floor')"
    [ -n "$pid" ] && [ "$(rss_mb "$pid")" != "?" ] && break
    sleep 0.1
  done
  sleep 3
  rss_first="$(rss_mb "$pid")"
  sleep "$rest"
  printf '%-6s %12s %7s MB %8s MB\n' "$run" - "$rss_first" "$(rss_mb "$pid")"
  if [ "${ORVANE_COSTS_MAPS:-0}" = 1 ]; then rss_by_mapping "$pid"; fi
  wait "$floor_job" || true
done

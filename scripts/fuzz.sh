#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz/*Fuzz.cpp) with clang, replays
# every kept crash input, then fuzzes each target for a bounded time.
# Exits non-zero when any input crashes.
#   ORVANE_FUZZ_SECONDS  seconds of fuzzing per target (default 60; 0 = replay only)
# Inputs found this run go to build/fuzz/corpus/<Name>; a crash leaves its
# input in build/fuzz/artifacts/<Name>/. Keep it as a regression by copying it
# into tests/fuzz/regressions/<Name>/ once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${ORVANE_FUZZ_SECONDS:-60}"
build=build/fuzz

cmake -S tests/fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

failed=()
for source in tests/fuzz/*Fuzz.cpp; do
  fuzzer=$(basename "$source" .cpp)
  name=${fuzzer%Fuzz}
  binary="$build/$fuzzer"
  log="$build/$fuzzer.log"

  mapfile -t regressions < <(find "tests/fuzz/regressions/$name" -type f 2>/dev/null | sort)
  if [ ${#regressions[@]} -gt 0 ]; then
    echo "fuzz: $name: replaying ${#regressions[@]} kept input(s)"
    if ! "$binary" "${regressions[@]}" >"$log" 2>&1; then
      tail -n 40 "$log"
      failed+=("$name (regression)")
      continue
    fi
  fi
  [ "$seconds" -gt 0 ] || continue

  echo "fuzz: $name: ${seconds}s"
  mkdir -p "$build/corpus/$name" "$build/artifacts/$name"
  seeds=()
  [ -d "tests/fuzz/corpus/$name" ] && seeds+=("tests/fuzz/corpus/$name")
  # The first folder receives new inputs; the seed folder stays as committed.
  if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$name/" "$build/corpus/$name" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: $name: crash input kept in $build/artifacts/$name/"
    failed+=("$name")
    continue
  fi
  grep -E '^stat::number_of_executed_units' "$log" | sed "s/^/fuzz: $name: /" || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]}"
  exit 1
fi
echo "fuzz: all targets passed"

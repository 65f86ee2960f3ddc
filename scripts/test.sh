#!/usr/bin/env bash
# Passes the tests: installs what is missing, builds and runs the native unit
# tests (plainly and under ThreadSanitizer), fuzzes the parsers for a bounded
# time, builds the Windows deliverables and runs the end-to-end tests under
# Wine. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh native windows wine

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2 2>&1 | tee build/native/ctest.log
unit_line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' build/native/ctest.log | tail -n 1)

echo "== unit tests under ThreadSanitizer"
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan -j2 2>&1 | tail -n 3

echo "== fuzz targets (bounded time)"
scripts/fuzz.sh

echo "== Windows cross build"
cmake --preset windows >/dev/null
cmake --build --preset windows

echo "== end-to-end tests under Wine"
tests/e2e/run.sh build/windows 2>&1 | tee build/windows/e2e.log
e2e_line=$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed$' build/windows/e2e.log | tail -n 1)

unit_total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$unit_line")
unit_failed=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$unit_line")
e2e_passed=$(sed -E 's/^e2e: ([0-9]+) passed.*/\1/' <<<"$e2e_line")
e2e_failed=$(sed -E 's/.* ([0-9]+) failed$/\1/' <<<"$e2e_line")
echo "all: $((unit_total - unit_failed + e2e_passed)) passed, $((unit_failed + e2e_failed)) failed"

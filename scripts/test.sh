#!/usr/bin/env bash
# Installs what is missing, builds Corvane with warnings as errors and runs every test: the unit
# tests, the scenarios and the desktop smoke test, then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the file-format fuzzer for a short while.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/install-deps.sh"

echo "== Build (warnings are errors)"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON >/dev/null
cmake --build "$root/build" -j "$jobs"

echo "== Tests"
# The GTK host tests need a display: the suite runs under a virtual one.
xvfb-run -a ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON \
  -DCORVANE_SANITIZE=ON -DCORVANE_BENCH=OFF >/dev/null
cmake --build "$root/build-sanitize" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs" -LE "long|desktop"

if [[ -x "$root/fuzz/run_gam_fuzz.sh" ]]; then
  echo "== Fuzzing the game file reader"
  "$root/fuzz/run_gam_fuzz.sh" "${CORVANE_FUZZ_SECONDS:-60}"
fi
echo "== All tests passed"

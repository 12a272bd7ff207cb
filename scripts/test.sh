#!/usr/bin/env bash
# Installs what is missing, builds Corvane with warnings as errors and runs every test: the unit
# tests, the scenarios, the desktop smoke test and the install and package check; then the unit
# tests and scenarios of a build without the desktop, the suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzzers of the game file reader and of the network messages
# for a while.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/install-deps.sh"

cd "$root"
echo "== Build (warnings are errors)"
cmake --preset develop >/dev/null
cmake --build --preset develop -j "$jobs"

echo "== Tests"
# The GTK host tests need a display: the suite runs under a virtual one. The install check
# (label install) installs and packages this build and plays a table from each. The display never
# resets, so that a client connecting just as another leaves is not refused.
xvfb-run -a -s -noreset ctest --preset develop -j "$jobs"

echo "== Tests of the build without the desktop (script mode only)"
# The same sources again with the desktop left out (-DCORVANE_DESKTOP=OFF); with a compiler cache
# (CMAKE_CXX_COMPILER_LAUNCHER=ccache) this costs little more than its tests.
cmake --preset headless >/dev/null
cmake --build --preset headless -j "$jobs"
ctest --preset headless -j "$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset debug-sanitize >/dev/null
cmake --build --preset debug-sanitize -j "$jobs"
ctest --preset debug-sanitize -j "$jobs"

if [[ -x "$root/fuzz/run_gam_fuzz.sh" ]]; then
  echo "== Fuzzing the game file reader"
  "$root/fuzz/run_gam_fuzz.sh" "${CORVANE_FUZZ_SECONDS:-60}"
fi
if [[ -x "$root/fuzz/run_message_fuzz.sh" ]]; then
  echo "== Fuzzing the network messages' reader"
  "$root/fuzz/run_message_fuzz.sh" "${CORVANE_MESSAGE_FUZZ_SECONDS:-30}"
fi
echo "== All tests passed"

#!/usr/bin/env bash
# Measures the line and branch coverage of src/ by the unit tests and the scenarios (not the
# desktop, install or long tests): a Debug build without optimisation, instrumented for gcov, in
# build-coverage/, then gcovr. Prints gcovr's summary; an HTML report is left in
# build-coverage/coverage/index.html. The tests run on a virtual display, as in the test command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
command -v gcovr >/dev/null || "$root/scripts/install-deps.sh"

cmake --preset coverage >/dev/null
cmake --build --preset coverage -j "$(nproc)"
find build-coverage -name '*.gcda' -delete
xvfb-run -a -s -noreset ctest --test-dir build-coverage -j "$(nproc)" -LE "long|desktop|install" >/dev/null
mkdir -p build-coverage/coverage
gcovr --root "$root" --filter "$root/src/" --object-directory build-coverage \
  --html-details build-coverage/coverage/index.html --print-summary

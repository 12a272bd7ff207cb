#!/usr/bin/env bash
# Rewrites the expected transcripts of the named scenarios (or all) from the current program.
# Use it when a change of the game's words is meant, then review the diff before committing.
#   tests/scenarios/refresh.sh BUILD_DIR [NAME...]
set -euo pipefail
build=$1
shift
dir=$(cd "$(dirname "$0")" && pwd)
names=("$@")
if ((${#names[@]} == 0)); then
  for script in "$dir"/*.script; do
    # NAME.seatN.script belongs to the scenario NAME.
    [[ $script =~ \.seat[0-9]\.script$ ]] || names+=("$(basename "$script" .script)")
  done
fi
for name in "${names[@]}"; do
  "$dir/run_scenario.sh" "$build/bin/corvane" "$dir/$name.script" --refresh
done

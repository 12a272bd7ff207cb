#!/usr/bin/env bash
# Installs what is missing to build and run the game (no test tools), builds Corvane and starts
# it. Arguments go to the game (for example "3" to start with the game's own voice, or --console).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --player
cd "$root"
cmake --preset release >/dev/null
cmake --build --preset release
exec "$root/build/bin/corvane" "$@"

#!/usr/bin/env bash
# Installs what is missing, builds Corvane and starts it. Arguments go to the game
# (for example "3" to start with the game's own voice, or --console).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target corvane
exec "$root/build/bin/corvane" "$@"

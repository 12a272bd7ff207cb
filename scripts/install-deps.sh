#!/usr/bin/env bash
# Installs what Corvane needs to build, run and test on Debian 12, skipping what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtk-3-dev libsdl2-mixer-dev libespeak-ng-dev espeak-ng-data libspeechd-dev
  libfmt-dev libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format
  xvfb xauth xdotool x11-utils dbus dbus-x11 at-spi2-core python3-pyatspi
  # The screen-reader test (tests/desktop/orca_session.sh): Orca speaking through speech-dispatcher
  orca speech-dispatcher
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

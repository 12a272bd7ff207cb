#!/usr/bin/env bash
# Installs the Debian 12 packages Corvane needs, skipping what is already there:
#   install-deps.sh --player   what builds the game, runs it and makes its Debian package
#   install-deps.sh            that, and everything the tests and checks use
set -euo pipefail

player_packages=(
  build-essential cmake ninja-build pkg-config git file
  libgtk-3-dev libsdl2-mixer-dev libespeak-ng-dev espeak-ng-data libspeechd-dev libtermkey-dev
  libfmt-dev libcli11-dev xdg-utils
  # Play with friends: the table over the network
  libboost-dev libssl-dev nlohmann-json3-dev
  # Tables on the home network (optional: the build goes on without it)
  libavahi-client-dev
)
developer_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format
  xvfb xauth xdotool x11-utils dbus dbus-x11 at-spi2-core python3-pyatspi
  # The terminal test (tests/desktop/console_pty.py): a terminal emulator's screen model
  python3-pyte
  desktop-file-utils appstream man-db lintian
  gcovr strace time sox
  # A read-only data folder in the scenarios: a user and mount namespace (unshare) and a bind mount
  util-linux mount
  # The screen-reader test (tests/desktop/orca_session.sh): Orca speaking through speech-dispatcher
  orca speech-dispatcher
  # The page of a friend in a web browser (tests/web/): Debian's chromium headless, and Node for
  # puppeteer-core and axe-core, which the tests install from npm into the build folder
  chromium nodejs
  # a certificate of the host's own for the browser test
  openssl
)

packages=("${player_packages[@]}")
if [[ ${1:-} != --player ]]; then
  packages+=("${developer_packages[@]}")
  # Debian's npm, unless a Node of another source brought its own
  if ! command -v npm >/dev/null; then
    packages+=(npm)
  fi
fi

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
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"

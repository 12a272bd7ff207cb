#!/usr/bin/env bash
# Checks the build as it ships: installed into a scratch prefix, its desktop entries (those for a
# Braille display as the README and manual page name them), AppStream metadata and manual page
# validate; the installed game, started through bin/corvane from another folder with its whole
# tree read-only, plays the shipped_files scenario (start-up sounds, both help files, a stock game,
# a saved table) and changes nothing in its tree. Then the Debian package is made: its dependencies
# name the linked libraries' packages, lintian reports nothing, it is installed, removed and purged
# in a dpkg database of its own, and its files, extracted, play the same scenario.
#
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

fail() {
  echo "install check: $*"
  exit 1
}

# Plays the scenario from the tree given, with its command (bin/corvane unless given), and fails
# when the tree changed.
play_from() {
  local tree=$1 command=${2:-bin/corvane}
  # Every file of the tree dates from 1970: whatever the game writes there is newer.
  find "$tree" -exec touch -h -d @0 {} +
  chmod -R a-w "$tree"
  (cd / && bash "$source_dir/tests/scenarios/run_scenario.sh" "$tree/$command" \
    "$source_dir/tests/scenarios/shipped_files.script") || fail "the scenario failed from $tree"
  local changed
  changed=$(find "$tree" -newermt @1)
  [[ -z $changed ]] || fail "the game wrote into its own tree: $changed"
  echo "played and saved a table from $tree"
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
man --warnings -l "$prefix/share/man/man6/corvane.6.gz" >"$work/man.txt" 2>"$work/man.err"
[[ ! -s $work/man.err ]] || fail "the manual page: $(cat "$work/man.err")"
grep -q "EXIT STATUS" "$work/man.txt" || fail "the manual page renders without its sections"
# The entries for a Braille display start the no-speech mode, and the README's Install and "In a
# terminal" sections and the manual page name the same commands.
apps=$prefix/share/applications/org.corvane.Corvane
grep -qx "Exec=corvane 0 --console" "$apps.Console.desktop" && grep -qx "Exec=corvane 0" "$apps.desktop" ||
  fail "the terminal entry and the Braille action do not run corvane 0 --console and corvane 0"
for section in "## Install" "### In a terminal"; do
  sed -n "/^$section\$/,/^##/p" "$source_dir/README.md" | grep -qF '`corvane 0 --console`' ||
    fail "the README's \"$section\" does not name corvane 0 --console"
done
grep -qF "corvane 0 --console" "$work/man.txt" || fail "man corvane does not name corvane 0 --console"
"$prefix/bin/corvane" --version
play_from "$prefix"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >/dev/null
package=$(echo "$work"/package/corvane_*.deb)
[[ -f $package ]] || fail "cpack made no corvane_VERSION_ARCH.deb"
depends=$(dpkg-deb -f "$package" Depends)
for needed in libgtk-3-0 libsdl2-mixer-2.0-0 libespeak-ng1 libspeechd2 libtermkey1 libssl3 \
  libavahi-client3; do
  [[ $depends == *"$needed "* ]] || fail "Depends lacks $needed: $depends"
done
[[ $(dpkg-deb -f "$package" Section) == games ]] || fail "the package's section is not games"
echo "$(basename "$package"): Depends: $depends"

# Debian's checker: no error and no warning (the package's overrides say what it does on purpose).
if command -v lintian >/dev/null; then
  lintian -EvIL +pedantic --fail-on error,warning "$package" >"$work/lintian.out" 2>&1 ||
    fail "lintian: $(grep -v "^N:" "$work/lintian.out")"
  tags=$(grep -E "^[A-Z]: " "$work/lintian.out" | grep -v "^N:" || true)
  echo "lintian: ${tags:-no tags}"
else
  echo "lintian: skipped: lintian is not installed (scripts/install-deps.sh installs it)"
fi

# Installed, removed and purged in a dpkg database of its own: removed, it stays known, which
# apt-get purge needs; the purge takes what a run left in the temporary folder.
admin=$work/dpkg
mkdir -p "$admin/updates" "$admin/info" "$work/installed" "$work/tmp/corvane-a1b2c3"
touch "$admin/status" "$admin/available"
own_dpkg() {
  TMPDIR=$work/tmp dpkg --admindir="$admin" --instdir="$work/installed" --force-script-chrootless \
    --force-depends "$@" >>"$work/dpkg.out" 2>&1 || fail "dpkg $*: $(cat "$work/dpkg.out")"
}
own_dpkg --install "$package"
own_dpkg --remove corvane
[[ $(dpkg-query --admindir="$admin" -W -f='${db:Status-Status}' corvane) == config-files ]] ||
  fail "a removed package is forgotten, and apt-get purge cannot find it"
apt-get -s -o Dir::State::status="$admin/status" purge corvane | grep -qx "Purg corvane" ||
  fail "apt-get purge does not find the removed package"
own_dpkg --purge corvane
[[ ! -e $work/tmp/corvane-a1b2c3 && -z $(find "$work/installed" -type f) ]] ||
  fail "the purge left files: $(find "$work/installed" "$work/tmp" -type f)"
echo "installed, removed and purged in a dpkg database of its own"

dpkg-deb -x "$package" "$work/root"
play_from "$work/root/usr" games/corvane

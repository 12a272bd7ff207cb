#!/usr/bin/env bash
# Checks the build as it ships: installed into a scratch prefix, its desktop entries, AppStream
# metadata and manual page validate, and the entries for a Braille display run the commands the
# README and the manual page name; the installed game, started through bin/corvane from another
# folder with its whole tree read-only, plays the shipped_files scenario (start-up sounds, both
# help files, a stock game, a saved table) and changes nothing in its tree. Then the Debian
# package is made, its dependencies must name the linked libraries' packages, and the package's
# files, extracted, play the same scenario.
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

# Plays the scenario from the tree whose bin/corvane is given, and fails when the tree changed.
play_from() {
  local tree=$1
  # Every file of the tree dates from 1970: whatever the game writes there is newer.
  find "$tree" -exec touch -h -d @0 {} +
  chmod -R a-w "$tree"
  (cd / && bash "$source_dir/tests/scenarios/run_scenario.sh" "$tree/bin/corvane" \
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
entry_exec() { sed -n "/^\[$2\]/,/^\[/s/^Exec=//p" "$prefix/share/applications/$1"; }
[[ $(entry_exec org.corvane.Corvane.Console.desktop "Desktop Entry") == "corvane 0 --console" ]] ||
  fail "the terminal entry does not run corvane 0 --console"
[[ $(entry_exec org.corvane.Corvane.desktop "Desktop Action braille") == "corvane 0" ]] ||
  fail "the Braille action does not run corvane 0"
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
for needed in libgtk-3-0 libsdl2-mixer-2.0-0 libespeak-ng1 libspeechd2 libtermkey1; do
  [[ $depends == *"$needed "* ]] || fail "Depends lacks $needed: $depends"
done
[[ $(dpkg-deb -f "$package" Section) == games ]] || fail "the package's section is not games"
echo "$(basename "$package"): Depends: $depends"
dpkg-deb -x "$package" "$work/root"
play_from "$work/root/usr"

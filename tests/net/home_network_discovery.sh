#!/usr/bin/env bash
# A table found on the home network: in a network namespace of its own (made by util-linux's
# unshare, its only link a pair of virtual Ethernet ends, so that no packet leaves this machine), with a D-Bus system bus and an Avahi daemon of the test's
# own, the real program hosts a table and publishes it; a second one chooses Play with Friends,
# Join, finds the table by its host's name, joins it with the code, and hears the table closed
# when the host stops waiting. Skipped (77), saying so, without avahi-daemon or root (the daemon
# gives its folder to its own user, whom a user namespace cannot map).
#   home_network_discovery.sh PROGRAM
set -uo pipefail
program=$1
if [[ ${1:-} != --inside ]]; then
  # Its addresses are not loopback ones, however private the namespace: only when asked.
  [[ ${CORVANE_HOME_NETWORK_TEST:-} == 1 ]] ||
    { echo "skipped: set CORVANE_HOME_NETWORK_TEST=1 to run it"; exit 77; }
  command -v avahi-daemon >/dev/null || { echo "skipped: avahi-daemon is not installed"; exit 77; }
  unshare --net --mount true 2>/dev/null ||
    { echo "skipped: no network namespace can be made here (not root)"; exit 77; }
  exec timeout 120 unshare --net --mount "$0" --inside "$program"
fi
program=$2
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
ip link set lo up
ip link add v0 type veth peer name v1 && ip link set v0 up && ip link set v1 up || exit 1
ip addr add 10.9.9.1/24 dev v0 && ip addr add 10.9.9.2/24 dev v1
# The daemon's pid file goes to a /run of this namespace's own.
mount -t tmpfs tmpfs /run && mkdir -p /run/avahi-daemon
cat >"$work/bus.conf" <<CONF
<busconfig>
  <type>system</type>
  <listen>unix:path=$work/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/> <allow own="*"/> <allow send_destination="*"/> <allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
printf '[server]\nuse-ipv6=no\nallow-interfaces=v0,v1\n[publish]\npublish-workstation=no\n' \
  >"$work/avahi.conf"
dbus-daemon --config-file="$work/bus.conf" --nofork 2>/dev/null &
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/bus
for ((i = 0; i < 50; i++)); do [[ -S $work/bus ]] && break; sleep 0.1; done
avahi-daemon -f "$work/avahi.conf" --no-drop-root --no-chroot --no-rlimits 2>"$work/avahi.log" &
for ((i = 0; i < 50; i++)); do grep -q 'startup complete' "$work/avahi.log" && break; sleep 0.1; done

printf '%s\n' 'on Number of Players at the table? => 3 Enter N Enter Enter Enter Enter D 6 Enter' \
  'expect ANNA has joined the table.' 'key Esc' >"$work/host.script"
printf '%s\n' 'key F J' 'expect Which table would you like to join?' 'key 1' \
  'key 1 2 3 4 5 6 Enter' 'key A N N A Enter' 'expect The table is closed.' >"$work/friend.script"
mkdir -p "$work/host/Corvane" "$work/friend/Corvane"
APPDATA=$work/host "$program" --script "$work/host.script" --seed 1 --host 0 --code 123456 \
  >"$work/host.txt" &
host=$!
for ((i = 0; i < 100; i++)); do grep -q 'Friends join this machine' "$work/host.txt" && break; sleep 0.1; done
APPDATA=$work/friend "$program" --script "$work/friend.script" --seed 1 >"$work/friend.txt"
friend=$?
wait "$host"
status=$?
failed=0
for line in "Looking for tables on your home network." "The Boss's table, 1" \
  "Joining the table at 10.9.9." "You have joined The Boss's table, at seat 2." \
  "The table is closed."; do
  grep -qF -- "$line" "$work/friend.txt" || { echo "the friend did not hear: $line"; failed=1; }
done
((friend == 0 && status == 0)) || { echo "exit status: friend $friend, host $status"; failed=1; }
((failed)) && { echo "--- friend:"; cat "$work/friend.txt"; echo "--- avahi:"; cat "$work/avahi.log"; }
exit $failed

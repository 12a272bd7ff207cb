#!/usr/bin/env bash
# Runs one scenario: the real program, headless, from a script; compares its transcript with the
# expected one line by line and its exit status with the expected status.
#
#   run_scenario.sh PROGRAM SCENARIO.script [--refresh]
#
# Header lines of the script set up the run:
#   # args: --seed 7 --sounds      options for the program (besides --script)
#   # status: 3                     the expected exit status (default 0)
#   # stderr: expect failed: Foo    text the standard error must contain
#   # timeout: 600                   seconds a run may take (default 120; a long table under the
#                                    sanitizers needs more)
#   # data: read-only               the data folder cannot be written to (see below)
# Files in SCENARIO.data/ are copied into the data folder before the run. When SCENARIO.restart
# exists, it is the script of a second run of the program, started after the first has ended, on
# the same data folder and with the same options: its transcript follows the first one's after a
# line "=== restart", and each run must end with the expected status. When the folder
# SCENARIO.after/ exists, each file in it must equal, byte for byte, the file of the same name in
# the data folder after the run (SCENARIO.FRIEND.after/: in that friend's data folder). The actual transcript is left beside the build as
# NAME.actual; --refresh writes it over NAME.expected instead of comparing. The data folder's
# path is written <data>/ in the transcript. With "# data: read-only" the folder that holds the data
# folder is mounted read-only for the program alone (in a user and mount namespace of its own),
# and it is also the program's home, so that no place for the user's files can be written; its
# temporary folder lies beside it.
#
# "# person: 3 NAME.seat3.script" seats another person at seat 3, with keys from that script;
# their transcript is compared with NAME.seat3.expected. "# check: The Boss,Harry" checks the
# transcripts (the host's, then the others' in header order) with check_people.py.
# "# friend: ..." headers play friends over the network (with_friends.sh); "# same as: OTHER" takes
# the expected transcripts of the scenario OTHER.
set -uo pipefail
program=$1
script=$2
refresh=${3:-}
dir=$(dirname "$script")
name=$(basename "$script" .script)
name_base=$name
same_as=$(sed -n 's/^# same as: //p' "$script" | head -1)
expected_base=${same_as:-$name}
expected="$dir/$expected_base.expected"

args=$(sed -n 's/^# args: //p' "$script" | head -1)
status_expected=$(sed -n 's/^# status: //p' "$script" | head -1)
status_expected=${status_expected:-0}
stderr_expected=$(sed -n 's/^# stderr: //p' "$script" | head -1)
limit=$(sed -n 's/^# timeout: //p' "$script" | head -1)
limit=${limit:-120}
data_mode=$(sed -n 's/^# data: //p' "$script" | head -1)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
people=()
person_seats=()
while read -r seat file; do
  people+=(--person "$seat" "$dir/$file" "$work/seat$seat.txt")
  person_seats+=("$seat")
done < <(sed -n 's/^# person: //p' "$script")
friends=()
friend_ends=()
while read -r friend file end; do
  friends+=("$friend" "$file")
  friend_ends+=("${end:-0}")
done < <(sed -n 's/^# friend: //p' "$script")
check_names=$(sed -n 's/^# check: //p' "$script" | head -1)
mkdir -p "$work/appdata/Corvane"
if [[ -d "$dir/$name.data" ]]; then
  cp -a "$dir/$name.data/." "$work/appdata/Corvane/"
fi

# Runs the program on the script $1.
run() {
  if [[ $data_mode == read-only ]]; then
    mkdir -p "$work/tmp"
    # shellcheck disable=SC2086,SC2016
    env -u XDG_DATA_HOME APPDATA="$work/appdata" HOME="$work/appdata" TMPDIR="$work/tmp" \
      timeout "$limit" unshare --user --map-root-user --mount \
      sh -c 'mount --bind -o ro "$0" "$0" && exec "$@"' "$work/appdata" \
      "$program" --script "$1" $args "${people[@]}"
  else
    # shellcheck disable=SC2086
    APPDATA="$work/appdata" timeout "$limit" "$program" --script "$1" $args "${people[@]}"
  fi
}

if ((${#friends[@]})); then
  source "$dir/with_friends.sh"
  run_with_friends
else
  run "$script" >"$work/stdout" 2>"$work/stderr"
  status=$?
fi
restart="$dir/$name.restart"
if [[ -f $restart ]]; then
  echo "=== restart" >>"$work/stdout"
  run "$restart" >>"$work/stdout" 2>>"$work/stderr"
  second=$?
  [[ $status == "$status_expected" ]] && status=$second
fi
# The data folder is a fresh temporary folder each run: the transcript names it as <data>/.
sed -i "s|$work/appdata/Corvane/|<data>/|g" "$work/stdout"
for seat in "${person_seats[@]}"; do
  touch "$work/seat$seat.txt"
  sed -i "s|$work/appdata/Corvane/|<data>/|g" "$work/seat$seat.txt"
done

actual_dir=${SCENARIO_ACTUAL_DIR:-$work}
cp "$work/stdout" "$actual_dir/$name.actual" 2>/dev/null || true
for seat in "${person_seats[@]}"; do
  cp "$work/seat$seat.txt" "$actual_dir/$name.seat$seat.actual" 2>/dev/null || true
done
for ((i = 0; i < ${#friends[@]}; i += 2)); do
  cp "$work/${friends[i]}.txt" "$actual_dir/$name.${friends[i]}.actual" 2>/dev/null || true
done

if [[ $refresh == --refresh ]]; then
  cp "$work/stdout" "$expected"
  for seat in "${person_seats[@]}"; do cp "$work/seat$seat.txt" "$dir/$name.seat$seat.expected"; done
  for ((i = 0; i < ${#friends[@]}; i += 2)); do
    cp "$work/${friends[i]}.txt" "$dir/$name.${friends[i]}.expected"
  done
  echo "refreshed $expected (status $status)"
  exit 0
fi

failed=0
if [[ $status != "$status_expected" ]]; then
  echo "exit status $status, expected $status_expected"
  failed=1
fi
if [[ -n $stderr_expected ]] && ! grep -qF -- "$stderr_expected" "$work/stderr"; then
  echo "standard error lacks: $stderr_expected"
  failed=1
fi
if ! diff -u --label expected --label actual "$expected" "$work/stdout"; then
  failed=1
fi
for seat in "${person_seats[@]}"; do
  if ! diff -u --label "seat $seat expected" --label "seat $seat actual" \
    "$dir/$name.seat$seat.expected" "$work/seat$seat.txt"; then
    failed=1
  fi
done
for ((i = 0; i < ${#friends[@]}; i += 2)); do
  if ! diff -u --label "${friends[i]} expected" --label "${friends[i]} actual" \
    "$dir/$expected_base.${friends[i]}.expected" "$work/${friends[i]}.txt"; then
    failed=1
  fi
done
if [[ -n $check_names ]]; then
  IFS=, read -r -a names <<<"$check_names"
  transcripts=("${names[0]}=$work/stdout")
  for i in "${!person_seats[@]}"; do
    transcripts+=("${names[$((i + 1))]}=$work/seat${person_seats[$i]}.txt")
  done
  for ((i = 0; i < ${#friends[@]}; i += 2)); do
    transcripts+=("${friends[i]}=$work/${friends[i]}.txt")
  done
  if ! python3 "$dir/check_people.py" "${transcripts[@]}"; then
    failed=1
  fi
fi
# Each file of the folder $1 must equal the file of its name in the data folder $2.
compare_after() {
  [[ -d $1 ]] || return 0
  for file in "$1"/*; do
    base=$(basename "$file")
    if ! cmp "$file" "$2/$base"; then
      echo "data file differs: $base"
      failed=1
    fi
  done
}
compare_after "$dir/$name.after" "$work/appdata/Corvane"
for ((i = 0; i < ${#friends[@]}; i += 2)); do
  compare_after "$dir/$name.${friends[i]}.after" "$work/${friends[i]}/Corvane"
done
if ((failed)); then
  echo "--- standard error:"
  cat "$work/stderr"
fi
exit $failed

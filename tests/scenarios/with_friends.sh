# Sourced by run_scenario.sh: plays a scenario whose host opens a table for friends (--host in its
# args) and whose friends are the real program joining it over 127.0.0.1 (or "# address: [::1]"):
#   # friend: Anna NAME.Anna.script   starts after the lobby says its port, each friend once the
#                                      one before has joined (or ended); transcript
#                                      NAME.Anna.expected; a third word is the program's status
#   # kill: WHO WHERE TEXT             SIGKILL to WHO (host or a friend) once the transcript of
#                                      WHERE (host or a friend) holds TEXT; a friend killed plays
#                                      on from NAME.WHO.again.script after a line "=== again", and
#                                      everyone else must have ended within 5 s of a killed host
#   # bad clients                      bad_clients.py at the port while the table plays
# The port, which the system picks, is written PORT in every transcript.

# Waits until file $1 holds the text $2 (at most 30 s), or the process $3 has ended.
wait_for() {
  for ((tries = 0; tries < 300; tries++)); do
    grep -qF -- "$2" "$1" 2>/dev/null && return 0
    [[ -n ${3:-} ]] && ! kill -0 "$3" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "waited in vain for \"$2\" in $(basename "$1")"
  return 1
}

# The transcript of host or a friend.
transcript_of() { [[ $1 == host ]] && echo "$work/stdout" || echo "$work/$1.txt"; }

# Starts friend $1 with the script $2, appending to their transcript.
join_table() {
  mkdir -p "$work/$1/Corvane"
  # shellcheck disable=SC2086
  APPDATA="$work/$1" timeout "$limit" "$program" --script "$2" --seed 1 --join "$address:$port" \
    --name "$1" --code "$code" >>"$work/$1.txt" 2>>"$work/stderr" &
  friend_pid[$1]=$!
}

run_with_friends() {
  address=$(sed -n 's/^# address: //p' "$script" | head -1)
  address=${address:-127.0.0.1}
  code=$(grep -o -- '--code [0-9]*' <<<"$args" | cut -d' ' -f2)
  declare -gA friend_pid=() friend_status=()
  # The table shows a certificate of its own, made once for the tests, so its fingerprint is known.
  [[ -f "$work/appdata/Corvane/CV table certificate.pem" ]] ||
    install -m 600 "$dir/table_certificate.pem" "$work/appdata/Corvane/CV table certificate.pem"
  run "$script" >"$work/stdout" 2>"$work/stderr" &
  local host=$! name file bad_clients=""
  wait_for "$work/stdout" "Friends join this machine at port" || { kill "$host"; return 1; }
  port=$(sed -n 's/.*Friends join this machine at port \([0-9]*\)\..*/\1/p' "$work/stdout")
  for ((i = 0; i < ${#friends[@]}; i += 2)); do
    name=${friends[i]}
    friend_status[$name]=${friend_ends[i / 2]}
    : >"$work/$name.txt"
    join_table "$name" "$dir/${friends[i + 1]}"
    wait_for "$work/stdout" "$name has joined the table." "${friend_pid[$name]}" || break
  done
  if grep -q '^# bad clients' "$script"; then
    timeout 60 python3 "$dir/bad_clients.py" "$address" "$port" 2>>"$work/stderr" &
    bad_clients=$!
  fi
  local victim where text killed_at=""
  if read -r victim where text < <(sed -n 's/^# kill: //p' "$script"); then
    if wait_for "$(transcript_of "$where")" "$text"; then
      local pid=${friend_pid[$victim]:-$host} program_pid
      # The program runs under timeout (and the host's in a subshell too): the last of the line.
      program_pid=$pid
      while child=$(pgrep -P "$program_pid"); do program_pid=$child; done
      kill -KILL "$program_pid"
      killed_at=$(date +%s%N)
      if [[ $victim != host ]]; then
        { wait "$pid"; } 2>/dev/null
        echo "=== again" >>"$work/$victim.txt"
        join_table "$victim" "$dir/$name_base.$victim.again.script"
      fi
    fi
  fi
  { wait "$host"; } 2>/dev/null
  status=$?
  if [[ -n $bad_clients ]] && ! wait "$bad_clients"; then status=99; fi
  for name in "${!friend_pid[@]}"; do
    wait "${friend_pid[$name]}"
    local ended=$? expected_end=${friend_status[$name]:-0}
    ((ended == expected_end)) || { echo "$name's program ended with status $ended"; status=99; }
  done
  if [[ -n $killed_at ]] && (($(date +%s%N) - killed_at > 5000000000)); then
    echo "the others took more than 5 seconds to end after $victim was killed"
    status=99
  fi
  for file in "$work/stdout" "$work"/*.txt; do sed -i "s/port $port\b/port PORT/g" "$file"; done
}

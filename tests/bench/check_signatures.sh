#!/usr/bin/env bash
# Plays the bench tables and compares the signature of each table, and of all of them, with the
# recorded ones; names every table that drifted and prints the lines that would record the new
# numbers.
#
#   check_signatures.sh PROGRAM TOTAL "TABLE=SIGNATURE"...
set -uo pipefail
program=$1
total=$2
shift 2

if ! out=$("$program" --bench); then
  echo "$out"
  echo "bench: corvane --bench failed"
  exit 1
fi
echo "$out"

drifted=0
recorded=()
for pair in "$@"; do
  recorded+=("${pair%=*}")
done
# Each line "TABLE: N hands, signature S".
while IFS= read -r line; do
  [[ $line =~ ^(.+):\ [0-9]+\ hands,\ signature\ ([0-9]+)$ ]] || continue
  name=${BASH_REMATCH[1]}
  actual=${BASH_REMATCH[2]}
  expected=
  for pair in "$@"; do
    [[ ${pair%=*} == "$name" ]] && expected=${pair##*=}
  done
  if [[ -z $expected ]]; then
    echo "bench: the table \"$name\" has no recorded signature (it plays $actual)"
    drifted=1
  elif [[ $actual != "$expected" ]]; then
    echo "bench: the table \"$name\" drifted: signature $actual, recorded $expected"
    drifted=1
  fi
done <<<"$out"
for name in "${recorded[@]}"; do
  grep -q -F -x -e "$name" < <(sed -n 's/^\(.*\): [0-9]* hands, signature [0-9]*$/\1/p' <<<"$out") ||
    { echo "bench: the recorded table \"$name\" was not played"; drifted=1; }
done
actual_total=$(sed -n 's/^Signature: //p' <<<"$out")
if [[ $actual_total != "$total" ]]; then
  echo "bench: the signature of all tables drifted: $actual_total, recorded $total"
  drifted=1
fi

if ((drifted)); then
  echo "When the change is meant, record in tests/bench/CMakeLists.txt (Bench: $actual_total):"
  echo "set(bench_signature $actual_total)"
  echo "set(bench_tables"
  sed -n 's/^\(.*\): [0-9]* hands, signature \([0-9]*\)$/  "\1=\2"/p' <<<"$out"
  echo ")"
  exit 1
fi
echo "bench: every table plays as recorded"

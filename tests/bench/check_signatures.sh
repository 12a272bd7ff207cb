#!/usr/bin/env bash
# Plays the bench tables and compares the signature of each table, and of all of them, with the
# recorded ones; names every table that drifted and prints the lines that record the new numbers.
#
#   check_signatures.sh PROGRAM TOTAL "TABLE=SIGNATURE"...
set -uo pipefail
program=$1
total=$2
shift 2
out=$("$program" --bench) || { echo "$out"; echo "bench: corvane --bench failed"; exit 1; }
echo "$out"
# Each table's line is "TABLE: N hands, signature S"; the table's pair "TABLE=S".
played=$(sed -n 's/^\(.*\): [0-9]* hands, signature \([0-9]*\)$/\1=\2/p' <<<"$out")
drifted=0
for pair in "$@"; do
  grep -q -F -x -e "$pair" <<<"$played" && continue
  now=$(grep -F -e "${pair%=*}=" <<<"$played" | head -1)
  echo "bench: the table \"${pair%=*}\" drifted: signature ${now##*=}, recorded ${pair##*=}"
  drifted=1
done
if (($(wc -l <<<"$played") != $#)); then
  echo "bench: $(wc -l <<<"$played") tables played, $# recorded"
  drifted=1
fi
now=$(sed -n 's/^Signature: //p' <<<"$out")
if [[ $now != "$total" ]]; then
  echo "bench: the signature of all tables drifted: $now, recorded $total"
  drifted=1
fi
if ((drifted)); then
  echo "When the change is meant, record in tests/bench/CMakeLists.txt (Bench: $now):"
  echo "set(bench_signature $now)"
  echo "set(bench_tables"
  sed 's/.*/  "&"/' <<<"$played"
  echo ")"
  exit 1
fi
echo "bench: every table plays as recorded"

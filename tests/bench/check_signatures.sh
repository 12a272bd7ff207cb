#!/usr/bin/env bash
# Plays the bench tables and compares each table's signature, and that of all of them, with the
# recorded ones ("TABLE=SIGNATURE"); names each table that drifted and prints the new numbers.
set -uo pipefail
program=$1 total=$2
shift 2
out=$("$program" --bench) || { echo "$out"; exit 1; }
echo "$out"
# "TABLE: N hands, signature S" becomes "TABLE=S".
played=$(sed -n 's/^\(.*\): [0-9]* hands, signature \([0-9]*\)$/\1=\2/p' <<<"$out")
now=$(sed -n 's/^Signature: //p' <<<"$out")
[[ $played == "$(printf '%s\n' "$@")" && $now == "$total" ]] && exit 0
for pair in "$@"; do
  grep -q -x -F -e "$pair" <<<"$played" && continue
  line=$(grep -F -e "${pair%=*}=" <<<"$played")
  echo "bench: the table \"${pair%=*}\" drifted: recorded ${pair##*=}, now ${line##*=}"
done
echo "bench: all tables recorded $total, now $now. When the change is meant, record (Bench: $now):"
echo "set(bench_signature $now)"
printf 'set(bench_tables\n%s\n)\n' "$(sed 's/.*/  "&"/' <<<"$played")"
exit 1

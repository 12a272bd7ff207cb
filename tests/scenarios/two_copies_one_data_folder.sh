#!/usr/bin/env bash
# Two copies of the game on one data folder, as two real processes. The first plays a long table
# of Texas Holdem (140 hands, its statistics saved at the hundredth and at the end); once it has
# dealt its first hand its output is left unread, so that it soon waits, still running, while the
# second plays three hands of Seven Card Stud on the same folder and ends. Then the first plays on.
# Each copy says what it says alone on a folder of its own (the second with the note that another
# copy uses the folder, and alone from the table setup the first saved), and the statistics file
# holds the hands of both as each counts them alone: no count of either copy is lost.
#
#   two_copies_one_data_folder.sh PROGRAM
set -uo pipefail
program=$1
work=$(mktemp -d)
first=
trap '[[ -n $first ]] && kill "$first" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "two copies: $*" && exit 1; }

cat >"$work/long.script" <<'EOF'
on Number of Players at the table? => 7 Enter N Enter Enter Enter 1 0 0 0 0 0 0 0 Enter D 2 0 Enter
on What would you like to do? => C
on All betting is complete. => Enter
on Play another hand of this game? => Y
on Would you like these standings repeated? => N
on Would you like to view the players' attributes? => N
key T T
expect Select from Menu
key X
EOF
cat >"$work/short.script" <<'EOF'
on Number of Players at the table? => 2 Enter N Enter Enter Enter Enter L
on What would you like to do? => C
on All betting is complete. => Enter
key T S
expect Play another hand of this game?
key Y
expect Play another hand of this game?
key Y
expect Play another hand of this game?
key N M Y X
EOF
# Plays the table $2 with the seed $3 on the data folder $1.
play() { APPDATA="$work/$1" timeout 60 "$program" --script "$work/$2.script" --seed "$3"; }
# The counts of the statistics files of the data folders given, added up: "GAME PLAYED WON" lines.
counts() {
  for folder in "$@"; do tail -n +2 "$work/$folder/Corvane/Statistics.txt"; done |
    awk -F'\t' '{ p[$3] += $1; w[$3] += $2 } END { for (g in p) print g, p[g], w[g] }' | sort
}

play long long 3 >"$work/long.alone" || fail "the long table alone ended with status $?"
mkdir -p "$work/short/Corvane"
cp "$work/long/Corvane/CV PokerSettings.sav" "$work/short/Corvane/" || fail "no table setup"
play short short 5 >"$work/short.alone" || fail "the short table alone ended with status $?"

mkfifo "$work/long.fifo"
play shared long 3 >"$work/long.fifo" &
first=$!
exec 3<"$work/long.fifo"
while IFS= read -r -t 30 line <&3; do
  printf '%s\n' "$line" >>"$work/long.shared"
  [[ $line == "Now shuffling." ]] && break
done
kill -0 "$first" 2>/dev/null || fail "the long table ended before the second copy started"
play shared short 5 >"$work/short.shared" || fail "the second copy ended with status $?"
kill -0 "$first" 2>/dev/null || fail "the long table ended while the second copy played"
cat <&3 >>"$work/long.shared"
wait "$first" || fail "the long table ended with status $?"
first=

note="Another copy of Corvane is already using your files in $work/shared/Corvane/. Both can play:"
note+=" the hand history and the statistics keep the hands of both, but a table or settings saved"
note+=" in one copy replace those saved in the other."
sed "1a\\$note" "$work/short.alone" >"$work/short.expected"
failed=0
diff -u "$work/long.alone" "$work/long.shared" || failed=1
diff -u "$work/short.expected" "$work/short.shared" || failed=1
diff -u --label alone --label shared <(counts long short) <(counts shared) || failed=1
echo "two copies: $(counts shared | tr '\n' ',')"
exit $failed

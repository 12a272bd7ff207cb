#!/usr/bin/env bash
# A logout, kill or hang-up ends the desktop program as Alt-F4 does: SIGTERM (at the main menu and
# at a betting prompt), SIGINT and SIGHUP end it within 5 seconds with status 0.
#
#   gtk_signals.sh PROGRAM
source "$(dirname "$(readlink -f "$0")")/harness.sh"
program=$(readlink -f "$1")
desktop_session "$@"
# The fastest pace: what is tried here is the ending, not the start-up's pauses.
mkdir -p "$APPDATA/Corvane"
printf '2,24,0,0\r\n' >"$APPDATA/Corvane/CV pace.ini"

terminate() {
  kill "-$1" "$program_pid"
  ends_within 5 || fail "still running 5 s after SIG$1 $2"
  [[ $status -eq 0 ]] || fail "SIG$1 $2: exit status $status"
}
# Mode 0: what the program says is read back from the text window.
start_at_main_menu() {
  start_program 0 "$@"
  wait_until "banner" text_has "Corvane Version 1.0."
  leave_intro text_has "Start a New Table, T"
}
for signal in TERM INT HUP; do
  start_at_main_menu
  terminate "$signal" "at the main menu"
done

# A betting prompt: a new table of three (the setup's answers are the defaults), Seven Card Stud.
start_at_main_menu --seed 21
answer() {
  wait_until "\"$1\"" text_has "$1"
  send "$2"
}
answer "Start a New Table, T" t
answer "Number of Players at the table?" 3
answer "What name would you like to go buy?" Return
answer "Would you like to change the names" n
answer "What is the highest allowed raise in betting?" Return
answer "What is the maximum number of raises?" Return
answer "What is the standard ante for each hand?" Return
answer "What is the starting number of chips for each player?" Return
answer "The game is over when" l
answer "Game Selection Menu" s
wait_until '"What would you like to do?"' text_has "What would you like to do?"
terminate TERM "at a betting prompt"

echo "$test_name: passed"

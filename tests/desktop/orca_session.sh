#!/usr/bin/env bash
# The desktop program with Orca as a blind player meets it, in every speech mode: what Orca said
# (through a speech-dispatcher whose one output module writes each text to a file) and showed (its
# own Braille log), the windows' names, roles and focus, a message box announced as an alert; in
# mode 0, at the fastest pace, after each key (menu, setup, deal, P and Shift-M, a whole hand) each
# new line is what Orca spoke and brailled, in order, once, and its review key goes back over them.
# Prints what was said. Skipped (status 77) only where Orca or speech-dispatcher is not installed.
#
#   orca_session.sh PROGRAM
source "$(dirname "$(readlink -f "$0")")/harness.sh"
program=$(readlink -f "$1")
for tool in orca speech-dispatcher; do
  if ! command -v "$tool" >/dev/null; then
    echo "$test_name: skipped: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
desktop_session "$@"

spoken=$work/spoken.log             # what speech-dispatcher was given to say, one text a line
orca_speech=$work/orca-speech.log   # what Orca asked to say
orca_braille=$work/orca-braille.log # what Orca wrote to the Braille display
on_failure() {
  echo "--- speech-dispatcher was given:"
  cat "$spoken"
  echo "--- Orca's speech and Braille:"
  cat "$orca_speech" "$orca_braille"
}

# speech-dispatcher on a private socket, whose only output module appends each text to $spoken.
start_speech_logger() {
  mkdir -p "$work/speechd/modules"
  cat >"$work/speechd/speechd.conf" <<EOF
AddModule "logger" "sd_generic" "logger.conf"
DefaultModule logger
LanguageDefaultModule "en" "logger"
AudioOutputMethod "libao"
EOF
  cat >"$work/speechd/modules/logger.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' \'\$DATA\' >> $spoken"
GenericCmdDependency "printf"
AddVoice "en" "MALE1" "en"
GenericLanguage "en" "en" "utf-8"
EOF
  touch "$spoken"
  speech-dispatcher -s -t 0 -C "$work/speechd" -S "$work/speechd.sock" -L "$work/speechd" \
    >"$work/speechd.out" 2>&1 &
  background+=($!)
  export SPEECHD_ADDRESS="unix_socket:$work/speechd.sock"
  wait_until "speech-dispatcher's socket" test -S "$work/speechd.sock"
}

# Orca, with its regression logs of speech and Braille written to files (through its
# customization hook), and a mark made once its event loop runs.
start_orca() {
  mkdir -p "$HOME/.local/share/orca"
  cat >"$HOME/.local/share/orca/orca-customizations.py" <<EOF
import logging
from gi.repository import GLib
for name, path in (("speech", "$orca_speech"), ("braille", "$orca_braille")):
    logging.getLogger(name).addHandler(logging.FileHandler(path))
GLib.idle_add(lambda: open("$work/orca-ready", "w").close())
EOF
  touch "$orca_speech" "$orca_braille"
  # Without Orca's launcher, which ends every other Orca of the user (--replace) or will not start
  # beside one, when other sessions on this machine run theirs.
  /usr/bin/python3 -c 'import sys; from orca import orca; s = orca.getSettingsManager()
s.activate(None, {}); sys.path.insert(0, s.getPrefsDir()); sys.exit(orca.main())' \
    >"$work/orca.out" 2>&1 &
  background+=($!)
  wait_until "Orca running" test -e "$work/orca-ready"
  wait_until '"Screen reader on."' said "Screen reader on."
}

said() { grep -qxF -- "$1" "$spoken"; }
# Waits until the window and Orca's logs have not changed for 1.5 s.
settle() {
  local state last="" same=0 deadline=$((SECONDS + patience))
  while ((same < 3)); do
    ((SECONDS < deadline)) || fail "the text window did not settle in $patience s"
    sleep 0.5
    state=$(probe text | md5sum; stat -c %s "$orca_speech" "$orca_braille")
    if [[ $state == "$last" ]]; then ((same += 1)); else same=0 last=$state; fi
  done
}
said_times() { [[ $(grep -cxF -- "$1" "$spoken") -ge $2 ]]; }
orca_said() { grep -qF -- "SPEECH OUTPUT: '$1'" "$orca_speech"; }
tree_has() { probe tree | grep -E -- "$1" >/dev/null; }

# Clears the logs for the next part; what was said is printed first.
report() {
  echo "$test_name: $1: speech-dispatcher was given: $(paste -sd'|' "$spoken")"
  grep -q . "$orca_braille" &&
    echo "$test_name: $1: Braille lines: $(grep -o "VISIBLE:  '.*" "$orca_braille" | paste -sd'|')"
  : >"$spoken"
  : >"$orca_speech"
  : >"$orca_braille"
}

# Both windows are frames named "Corvane", and Form1 is the active one (where the keys go, and
# nothing in this test gave it the focus).
check_windows() {
  tree_has '^1 frame "Corvane" id=FRM_TTS states=showing$' || fail "no frame FRM_TTS named Corvane"
  wait_until "Form1 active" tree_has '^1 frame "Corvane" id=Form1 states=active,showing$'
  [[ $(xdotool getwindowfocus) == "$window" ]] || fail "the keyboard focus is not on Form1"
}

# Orca names both windows as the focus goes to each in turn, as a window manager moves it. (Orca's
# words for the window that has the focus at start-up are not relied on: the accessibility bridge
# drops the events a program makes before it has heard of a listener, which here loses the first
# activation about one start in three.)
announce_windows() {
  local before
  before=$(grep -cxF "Corvane frame." "$spoken")
  xdotool windowfocus --sync "$speech_window"
  wait_until "Orca naming FRM_TTS" said_times "Corvane frame." $((before + 1))
  xdotool windowfocus --sync "$window"
  wait_until "Orca naming Form1" said_times "Corvane frame." $((before + 2))
}

end_program() {
  kill -TERM "$program_pid"
  ends_within 10 || fail "the program did not end on SIGTERM"
}

start_speech_logger
start_orca
report "Orca started"

# 1: the program speaks through speech-dispatcher, as Orca does.
start_program 1
check_windows
announce_windows
wait_until '"Corvane Version 1.0." from the program' said "Corvane Version 1.0."
leave_intro said "Select from Menu"
send Down
wait_until '"Restore the Saved Table, R" after Down' said "Restore the Saved Table, R"
expected=$'Corvane Version 1.0.\nSelect from Menu\nStart a New Table, T\nRestore the Saved Table, R'
actual=$(grep -xF -e "Corvane Version 1.0." -e "Select from Menu" -e "Start a New Table, T" \
  -e "Restore the Saved Table, R" "$spoken" | uniq)
[[ "$actual" == "$expected" ]] || fail "mode 1: the program's phrases are not in order"
report "mode 1"
end_program

# 3 and 2: the program's own voice (on the dummy sound device) and silence. The program is told of
# no speech-dispatcher it could reach, for the message box below.
silent_to_orca() {
  SPEECHD_ADDRESS="unix_socket:$work/nowhere.sock" start_program "$1"
  check_windows
  tree_has '^3 terminal "" id=pText states=-' || fail "mode $1: the text window is showing"
  announce_windows
  report "mode $1, the windows"
  send Down
  sleep 1
  [[ ! -s "$spoken" ]] || fail "mode $1: speech-dispatcher was given something after Down"
}
silent_to_orca 3
end_program
silent_to_orca 2

# A message box: Control-1 asks for the screen reader, which cannot be reached. (Asked at start-up,
# the box can come before the accessibility bridge has heard of Orca; see announce_windows.)
send ctrl+1
wait_until 'alert "Error! " active' tree_has '^1 alert "Error! " id=- states=active,showing$'
tree_has '^5 label "Unable to reach your screen reader through speech-dispatcher\. ' || fail "the alert's text"
tree_has '^5 push button "OK" id=- states=focused,showing$' || fail "OK has not the focus"
[[ $(xdotool getwindowfocus) != "$window" ]] || fail "the keyboard focus stayed on Form1"
wait_until "Orca saying the alert's title" orca_said "alert Error! "
wait_until "Orca saying the alert's text" orca_said "Unable to reach your screen reader through speech-dispatcher. The game will speak with its own voice. Press Control-1 to try your screen reader again."
wait_until "the alert on the Braille display" grep -qF "'corvane application Error!  alert" "$orca_braille"
xdotool key Return # to where the focus is: the message box
wait_until "the message box gone" eval '! tree_has "^1 alert"'
check_windows
wait_until "Orca naming the window" orca_said "Corvane frame."
report "Control-1, the message box"
end_program

# 0: no speech; every phrase is a new line of the text window, which has the focus and is a
# terminal to Orca. At the fastest pace the lines of the deal come in bursts.
printf '2,24,0,0\r\n' >"$APPDATA/Corvane/CV pace.ini"
start_program 0
check_windows
wait_until "pText focused" tree_has '^3 terminal "" id=pText states=focused,showing '
announce_windows
leave_intro text_has "Start a New Table, T"
settle
report "mode 0, to the main menu"

# presented [--until TEXT] KEY...: after the keys (and TEXT, for answers with pauses in them), once
# the window has settled, the lines they added are what Orca spoke and brailled, in order, each
# once; the caret stands on the newest.
presented() {
  local until=""
  [[ $1 == --until ]] && until=$2 && shift 2
  probe text >"$work/before"
  : >"$orca_speech"
  : >"$orca_braille"
  send "$@"
  [[ -z $until ]] || wait_until "\"$until\" after $*" text_has "$until"
  settle
  probe text >"$work/after"
  /usr/bin/python3 "$here/orca_lines.py" "$work/before" "$work/after" "$orca_speech" \
    "$orca_braille" || fail "after $*, Orca did not present each new line once"
  [[ "$(probe caret-line)" == "$(tail -n 1 "$work/after" | tr -d '\r')" ]] ||
    fail "after $*, the caret's line is \"$(probe caret-line)\""
  grep -qxF blank "$spoken" && fail "Orca said \"blank\" after $*"
  report "mode 0, $*"
}
for key in Down Up t 3 Return n Return Return Return Return l s; do presented "$key"; done
wait_until "the betting menu" text_has "What would you like to do?"
for key in p shift+m; do presented "$key"; done

# Orca's review key (7 on the keypad) goes back a line at a time, whole. Under load Orca may not
# answer the accessibility bus in time for a key, which is then lost to it; a key that brought no
# Braille line at all within 20 s is pressed again.
reviewed() { grep -qF "BRAILLE LINE:  '$1 \$l'" "$orca_braille"; }
for back in 2 3; do
  line=$(probe text | tr -d '\r' | tail -n $back | head -n 1)
  : >"$orca_braille"
  for press in 1 2 3; do
    xdotool key KP_Home
    deadline=$((SECONDS + 20))
    until reviewed "$line" || grep -q "BRAILLE LINE" "$orca_braille" || ((SECONDS >= deadline)); do
      sleep 0.2
    done
    grep -q "BRAILLE LINE" "$orca_braille" && break
  done
  wait_until "\"$line\" reviewed" reviewed "$line"
done

# A whole hand: checks and calls, then the showdown, up to the question of another hand.
for ((round = 0; round < 12; round++)); do
  text_has "Play another hand of this game?" && break
  if probe text | tail -n 2 | grep -qF "Press Enter when ready."; then
    presented --until "Play another hand of this game?" Return
  else
    presented c
  fi
done
text_has "Play another hand of this game?" || fail "no end of the hand after 12 keys"
end_program

echo "$test_name: passed"

#!/usr/bin/env bash
# The desktop program under a virtual display. With no speech-dispatcher to reach, the screen
# reader's failure is shown in a message box, which Enter dismisses; keys sent with xdotool then
# move through the main menu, Control-0 shows the text window, and its text, read back through the
# accessibility tree as a screen reader reads it, holds the spoken lines; X ends the program with
# status 0. The processor time the program takes while idle at the main menu is printed.
#
#   gtk_smoke.sh PROGRAM
#
# Runs itself again inside `xvfb-run -a dbus-run-session` with SDL's dummy audio driver (no
# sound card needed) and the accessibility bus started.
set -uo pipefail
program=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")

if [[ -z "${CORVANE_SMOKE_INSIDE:-}" ]]; then
  for tool in xvfb-run dbus-run-session xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "gtk_smoke: $tool is missing" >&2; exit 1; }
  done
  CORVANE_SMOKE_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "gtk_smoke: $*" >&2
  echo "--- text window:" >&2
  cat "$work/text" >&2 2>/dev/null
  echo "--- program output:" >&2
  cat "$work/out" >&2 2>/dev/null
  exit 1
}

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
sleep 1

export SDL_AUDIODRIVER=dummy GTK_MODULES=gail:atk-bridge NO_AT_BRIDGE=0
export APPDATA="$work/appdata"
mkdir -p "$APPDATA"
# The default speech mode, the screen reader, with no speech-dispatcher to reach: the program says
# so in a message box and falls back to its own voice (espeak-ng, played on the dummy device).
export SPEECHD_ADDRESS="unix_socket:$work/no-speechd.sock"
"$program" >"$work/out" 2>&1 &
program_pid=$!
pids+=("$program_pid")
name=$(basename "$program")

# The sound window Form1 is the one with the keyboard.
window=""
for _ in $(seq 1 100); do
  for id in $(xdotool search --name '^Corvane$' 2>/dev/null); do
    if xprop -id "$id" WM_WINDOW_ROLE 2>/dev/null | grep -q '"Form1"'; then window=$id; fi
  done
  [[ -n "$window" ]] && break
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended at start"
  sleep 0.2
done
[[ -n "$window" ]] || fail "no window Form1 titled Corvane"
speech_window=""
for id in $(xdotool search --name '^Corvane$' 2>/dev/null); do
  if xprop -id "$id" WM_WINDOW_ROLE 2>/dev/null | grep -q '"FRM_TTS"'; then speech_window=$id; fi
done
[[ -n "$speech_window" ]] || fail "no window FRM_TTS titled Corvane"

dialog=""
for _ in $(seq 1 100); do
  dialog=$(xdotool search --onlyvisible --name '^Error! $' 2>/dev/null | head -1)
  [[ -n "$dialog" ]] && break
  sleep 0.2
done
[[ -n "$dialog" ]] || fail "no message box titled \"Error! \""
# A modal dialog takes only real key presses: give it the focus and press Enter.
xdotool windowfocus --sync "$dialog"
xdotool key Return
for _ in $(seq 1 50); do
  xdotool search --name '^Error! $' >/dev/null 2>&1 || break
  sleep 0.2
done
xdotool search --name '^Error! $' >/dev/null 2>&1 && fail "Enter did not close the message box"

# Real key presses (XTEST) to the sound window, which has the focus, as a person's would be.
send() {
  xdotool windowfocus --sync "$window"
  xdotool key "$@"
}
read_text() { /usr/bin/python3 "$here/read_text_window.py" "$name" >"$work/text" 2>/dev/null; }
# Waits until the text window holds `count` lines that contain `text`.
wait_for() {
  local text=$1 count=${2:-1}
  for _ in $(seq 1 300); do
    if read_text && [[ $(grep -cF -- "$text" "$work/text") -ge $count ]]; then return 0; fi
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended while waiting for: $text"
    sleep 0.2
  done
  fail "the text window never said: $text"
}

# Control-0 switches to the text window at once, even during the greeting.
send ctrl+0
wait_for "Select from Menu"
wait_for "Start a New Table, T"

# Idle at the main menu: the processor time the program takes in 10 seconds (reported, not
# judged; the goal is under 1% of a core).
ticks() { awk '{print $14 + $15}' "/proc/$program_pid/stat"; }
before=$(ticks)
sleep 10
after=$(ticks)
echo "gtk_smoke: idle at the main menu: $(( (after - before) * 100 / $(getconf CLK_TCK) )) ms of processor time in 10 s"

send Down
wait_for "Restore the Saved Table, R"
send Down
wait_for "Delete the Saved Table, D"
send End
wait_for "Exit, X"
send Home
wait_for "Start a New Table, T" 2
send Up # already on the first row: it is said again
wait_for "Start a New Table, T" 3
send Right
wait_for "Restore the Saved Table, R" 2

# The window's lines, in the order they were spoken.
expected=$'Select from Menu\nStart a New Table, T\nRestore the Saved Table, R\nDelete the Saved Table, D\nExit, X\nStart a New Table, T\nStart a New Table, T\nRestore the Saved Table, R'
actual=$(tr -d '\r' <"$work/text" | sed -n '/^Select from Menu$/,$p')
[[ "$actual" == "$expected" ]] || fail "the text window's lines differ; expected:
$expected"

send x
for _ in $(seq 1 300); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "X did not end the program"
wait "$program_pid"
status=$?
[[ $status -eq 0 ]] || fail "exit status $status"
echo "gtk_smoke: passed"

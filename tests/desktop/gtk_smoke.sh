#!/usr/bin/env bash
# The desktop program under a virtual display, driven with real key presses and read back through
# the accessibility tree: a message box that takes the focus, the text window of mode 0 (a line
# per key, the caret at the end of the newest), its letters of 24 points made 28 by Control-Plus
# and kept across a restart, the window at the desktop's size with its newest line in view and no
# line cut, F1 telling a help viewer that failed at once (and not one that keeps running), X ending
# the program. The processor time taken idle is printed.
#
#   gtk_smoke.sh PROGRAM
source "$(dirname "$(readlink -f "$0")")/harness.sh"
program=$(readlink -f "$1")
desktop_session "$@"

# The default speech mode, the screen reader, with no speech-dispatcher to reach: the program says
# so in a message box and falls back to its own voice (espeak-ng, played on the dummy device).
export SPEECHD_ADDRESS="unix_socket:$work/no-speechd.sock"
start_program
message_box() { found=$(xdotool search --onlyvisible --name '^Error! $' | head -1) && [[ -n $found ]]; }
wait_until 'message box titled "Error! "' message_box
# It takes the keyboard focus itself; Enter, a real key press there, answers it.
dialog=$found
wait_until "message box with the keyboard focus" eval '[[ $(xdotool getwindowfocus) == "$dialog" ]]'
xdotool key Return
wait_until "message box closed by Enter" eval '! message_box'
wait_until "keyboard focus back on Form1" eval '[[ $(xdotool getwindowfocus) == "$window" ]]'

# Control-0 switches to the text window at once, even during the greeting.
send ctrl+0
wait_until '"Select from Menu"' text_has "Select from Menu"
wait_until "caret on \"Start a New Table, T\"" caret_line_is "Start a New Table, T"

# Idle at the main menu: the processor time the program takes in 5 seconds (reported, not
# judged; the goal is under 1% of a core).
ticks() { awk '{print $14 + $15}' "/proc/$program_pid/stat"; }
before=$(ticks)
sleep 5
after=$(ticks)
echo "$test_name: idle at the main menu: $(((after - before) * 100 / $(getconf CLK_TCK))) ms of processor time in 5 s"

# press KEY LINE [COUNT]: after KEY the text window holds COUNT lines LINE and the caret stands on
# the newest of them.
press() {
  send "$1"
  wait_until "line \"$2\" after $1" text_has "$2" "${3:-1}"
  wait_until "caret on \"$2\" after $1" caret_line_is "$2"
}
press Down "Restore the Saved Table, R"
press Down "Play with Friends, F"
press End "Exit, X"
press Home "Start a New Table, T" 2
press Up "Start a New Table, T" 3 # already on the first row: it is said again
press Right "Restore the Saved Table, R" 2
[[ $(probe font-size) == 24 ]] || fail "the text window's letters are $(probe font-size) points, not 24"
send ctrl+plus
wait_until "letters of 28 points after Control-Plus" eval '[[ $(probe font-size) == 28 ]]'

# The window's lines, in the order they were spoken, with no empty line after the last.
expected=$'Select from Menu\nStart a New Table, T\nRestore the Saved Table, R\nPlay with Friends, F\nExit, X\nStart a New Table, T\nStart a New Table, T\nRestore the Saved Table, R'
actual=$(probe text | tr -d '\r' | sed -n '/^Select from Menu$/,$p')
[[ "$actual" == "$expected" ]] || fail "the text window's lines differ; expected:
$expected
--- got:
$actual"

send x
ends_within 30 || fail "X did not end the program"
[[ $status -eq 0 ]] || fail "X: exit status $status"

# The help's viewer, xdg-open, as without a browser (it ends at once with an error), then keeping on.
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
[ -e "$work/viewer-works" ] && exec sleep 5
echo "xdg-open: no method available for opening '\$1'" >&2
exit 3
EOF
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" start_program 0
# The window at the (virtual) desktop's size, with no size of the player's.
wait_until "the window at 1280x1024" eval 'xdotool getwindowgeometry "$window" | grep -q "Geometry: 1280x1024"'
leave_intro text_has "Select from Menu"
[[ $(probe font-size) == 28 ]] || fail "after a restart the letters are $(probe font-size) points"
failed="The help file help.html could not be opened: there is no program to show it, or it failed to start. Press Shift-F2 to hear the list of keys."
send F1
wait_until "the failed viewer told" text_has "$failed"
touch "$work/viewer-works"
send F1 Down
wait_until '"Restore the Saved Table, R" after F1 and Down' text_has "Restore the Saved Table, R"
text_has "$failed" 2 && fail "a viewer that kept running was told as failed"
# A window full of lines: the newest in view at the bottom, no line cut above it.
send End End End End End End End End End End End End End End End End End End End End
sleep 3 # not read meanwhile: lines a reader has not read go on at once
wait_until "20 lines \"Exit, X\"" text_has "Exit, X" 20
wait_until "the newest line in view, whole lines above it" eval '[[ $(probe shows-newest) == yes ]]'
send x
ends_within 30 || fail "X did not end the program after the restart"

echo "$test_name: passed"

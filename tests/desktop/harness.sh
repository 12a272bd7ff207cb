# The desktop tests' common ground, sourced by each of them: a virtual display with a D-Bus
# session and the accessibility bus, the program started on it, real key presses (XTEST) as a
# person's would be, and bounded waits on what the program shows through the accessibility tree.
#
# A test sets `program` and calls `desktop_session "$@"` before anything else. Every wait polls
# every 0.2 s for at most CORVANE_DESKTOP_PATIENCE seconds (60 by default; machines under load
# are slow, and a wait that is met returns at once).
set -uo pipefail
here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
test_name=$(basename "$0" .sh)
patience=${CORVANE_DESKTOP_PATIENCE:-60}
program_pid=""
background=()
kDisplayTaken=75 # the virtual display answers someone else's clients

# Runs the calling test again inside `xvfb-run -a dbus-run-session` (once); there it starts the
# accessibility bus and sets up SDL's dummy audio driver (no sound card needed), GTK's bridge to
# the accessibility bus, and a private home and data folder.
desktop_session() {
  if [[ -z "${CORVANE_DESKTOP_INSIDE:-}" ]]; then
    for tool in xvfb-run dbus-run-session xdotool xprop; do
      command -v "$tool" >/dev/null || { echo "$test_name: $tool is missing" >&2; exit 1; }
    done
    # The display's number is drawn at random: where several machines share a network namespace
    # but not /tmp, displays of the same number meet on the abstract X socket, and a client may
    # reach the other machine's server. A display that cannot be reached is drawn again. The
    # server never resets: by default it starts over whenever its last client leaves, and a client
    # that connects meanwhile (the program just after a probe) is refused.
    local attempt status
    for attempt in 1 2 3 4 5; do
      CORVANE_DESKTOP_INSIDE=1 xvfb-run -a -n $((100 + RANDOM % 800)) \
        -s "-screen 0 1280x1024x24 -noreset" dbus-run-session -- "$0" "$@"
      status=$?
      ((status == kDisplayTaken)) || exit "$status"
      echo "$test_name: the display could not be reached (attempt $attempt); drawing another" >&2
    done
    exit 1
  fi
  xprop -root >/dev/null 2>&1 || exit "$kDisplayTaken"
  work=$(mktemp -d)
  trap harness_cleanup EXIT
  export SDL_AUDIODRIVER=dummy GTK_MODULES=gail:atk-bridge NO_AT_BRIDGE=0
  export HOME="$work/home" APPDATA="$work/appdata"
  mkdir -p "$HOME" "$APPDATA"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
  background+=($!)
  wait_until "accessibility bus" dbus-send --session --print-reply --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress
}

harness_cleanup() {
  local pid
  disown -a # their ends are not news
  for pid in "${background[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}

fail() {
  echo "$test_name: $*" >&2
  if [[ -n "$program_pid" ]]; then
    echo "--- accessibility tree:" >&2
    probe tree >&2
    echo "--- program output:" >&2
    cat "$work/out" >&2
  fi
  declare -F on_failure >/dev/null && on_failure >&2
  exit 1
}

# wait_until WHAT COMMAND...: runs COMMAND until it succeeds; fails the test, naming WHAT, when
# patience runs out or the program ends meanwhile.
wait_until() {
  local what=$1
  shift
  local deadline=$((SECONDS + patience))
  until "$@" >/dev/null 2>&1; do
    if [[ -n "$program_pid" ]] && ! kill -0 "$program_pid" 2>/dev/null; then
      fail "the program ended while waiting for $what"
    fi
    ((SECONDS < deadline)) || fail "no $what after $patience s"
    sleep 0.2
  done
}

# The X window of the program whose role (Form1 or FRM_TTS) is $1; sets `found`.
window_with_role() {
  local id
  for id in $(xdotool search --name '^Corvane$' 2>/dev/null); do
    if xprop -id "$id" WM_WINDOW_ROLE 2>/dev/null | grep -q "\"$1\""; then
      found=$id
      return 0
    fi
  done
  return 1
}

# Starts the program with the given arguments and waits for its two windows titled "Corvane";
# `window` is the sound window Form1, the one with the keyboard.
start_program() {
  "$program" "$@" >"$work/out" 2>&1 &
  program_pid=$!
  background+=("$program_pid")
  wait_until "window Form1 titled Corvane" window_with_role Form1
  window=$found
  wait_until "window FRM_TTS titled Corvane" window_with_role FRM_TTS
  speech_window=$found
}

# Real key presses to the sound window, which is given the focus first.
send() {
  xdotool windowfocus --sync "$window"
  xdotool key --delay 50 "$@"
}

# What the accessibility tree shows of the program; see atspi_probe.py.
probe() { /usr/bin/python3 "$here/atspi_probe.py" "$(basename "$program")" "$@"; }

# True when the text window holds at least $2 (default 1) lines containing $1.
text_has() { [[ $(probe text | grep -cF -- "$1") -ge ${2:-1} ]]; }
caret_line_is() { [[ "$(probe caret-line)" == "$1" ]]; }

# leave_intro CHECK...: before the main menu the program plays its intro music, which a key ends.
# Presses Home (no command takes it; at the menu it says the first row again) every half second
# until CHECK succeeds.
leave_intro() {
  local deadline=$((SECONDS + patience))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || fail "no main menu after $patience s"
    send Home
    sleep 0.5
  done
}

# Waits at most $1 seconds for the program to end; sets `status` to its exit status.
ends_within() {
  local deadline=$((SECONDS + $1))
  while kill -0 "$program_pid" 2>/dev/null; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
  wait "$program_pid"
  status=$?
  program_pid=""
}

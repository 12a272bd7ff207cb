#!/usr/bin/python3
"""The terminal program in a pseudo-terminal, as a player types at it, read through a terminal
emulator's screen (Debian's python3-pyte) as BRLTTY's cursor tracking reads it: after each key of
the no-speech mode the cursor stands at the end of the newest phrase, on the row that shows it, at
the main menu, through the table setup and the deal, and on a message box (Alt-1, the terminal's
Control-1, asks for a screen reader that cannot be reached) until Enter answers it. Capital
letters (Caps Lock, or Shift) choose as the plain letters do: T starts a new table and S at the
game selection starts Seven Card Stud. At the first betting prompt SIGTERM ends the program within
5 seconds with status 0, and the terminal has its own mode back (echo and line editing on), having
been in raw mode while the game ran.

    console_pty.py PROGRAM
"""
import os
import pty
import select
import signal
import sys
import tempfile
import termios
import time

import pyte

PATIENCE = float(os.environ.get("CORVANE_DESKTOP_PATIENCE", "60"))
HOME_KEY = "\x1b[H"  # ends the intro music; no command takes it
COLUMNS, ROWS = 240, 40  # wide enough for the longest phrase on one row


class Session:
    def __init__(self, program, folder):
        env = dict(os.environ, APPDATA=folder, HOME=folder, TERM="xterm",
                   SPEECHD_ADDRESS="unix_socket:" + os.path.join(folder, "nowhere.sock"),
                   COLUMNS=str(COLUMNS), LINES=str(ROWS))
        env.pop("DISPLAY", None)
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.execve(program, [program, "--console", "--no-sound", "--seed", "21", "0"], env)
        self.output = ""
        self.screen = pyte.Screen(COLUMNS, ROWS)
        self.stream = pyte.ByteStream(self.screen)

    def read(self, seconds):
        """Reads what comes within `seconds`; False when nothing came."""
        ready, _, _ = select.select([self.fd], [], [], seconds)
        try:
            data = os.read(self.fd, 4096) if ready else b""
        except OSError:  # the program has ended
            data = b""
            time.sleep(seconds)
        self.output += data.decode("utf-8", "replace")
        self.stream.feed(data)
        return bool(data)

    def wait_for(self, text, key=None, every=None):
        """Reads until `text` has been printed; types `key` first, and again every `every` s."""
        deadline = time.monotonic() + PATIENCE
        start = len(self.output)
        typed = None
        while text not in self.output[start if every is None else 0:]:
            if key is not None and (typed is None or (every and time.monotonic() - typed > every)):
                os.write(self.fd, key.encode())
                typed = time.monotonic()
            if time.monotonic() > deadline:
                sys.exit("console_pty: no %r after %d s; the program printed:\n%s" %
                         (text, PATIENCE, self.output))
            self.read(0.2)

    def cursor_on_newest(self, key):
        """The cursor stands at the end of the newest line printed, on the row that shows it."""
        while self.read(0.5):  # until nothing more comes for half a second
            pass
        newest = self.output.replace("\r", "").split("\n")[-1]
        row = self.screen.display[self.screen.cursor.y]
        if not newest.strip() or row.rstrip() != newest.rstrip() or \
                self.screen.cursor.x != len(newest):
            sys.exit("console_pty: after %r the cursor stands at column %d of the row %r; the "
                     "newest line is %r" % (key, self.screen.cursor.x, row.rstrip(), newest))

    def echo_on(self):
        flags = termios.tcgetattr(self.fd)[3]
        return bool(flags & termios.ECHO) and bool(flags & termios.ICANON)


def main():
    with tempfile.TemporaryDirectory() as folder:
        session = Session(os.path.abspath(sys.argv[1]), folder)
        session.wait_for("Corvane Version 1.0.")
        if session.echo_on():
            sys.exit("console_pty: the terminal is not in raw mode while the game runs")
        session.wait_for("Start a New Table, T", HOME_KEY, every=0.5)
        session.cursor_on_newest("Home")
        # Each key, then what the program says next (None: nothing); capitals as Caps Lock types them.
        for key, said in [("\x1b[B", "Restore the Saved Table, R"),
                          ("\x1b1", "(Press Enter)"), ("\r", "(Press Enter)"), ("\r", None),
                          ("\x1b[B", "Play with Friends, F"),
                          ("T", "Number of Players at the table?"),
                          ("3", "What name would you like to go buy?"),
                          ("\r", "Would you like to change the names"),
                          ("N", "What is the highest allowed raise in betting?"),
                          ("\r", "What is the maximum number of raises?"),
                          ("\r", "What is the standard ante for each hand?"),
                          ("\r", "What is the starting number of chips for each player?"),
                          ("\r", "The game is over when"), ("L", "Game Selection Menu"),
                          ("S", "Now shuffling."), (None, "What would you like to do?")]:
            session.wait_for(said, key) if said else os.write(session.fd, key.encode())
            session.cursor_on_newest(key)
        os.kill(session.pid, signal.SIGTERM)
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            pid, status = os.waitpid(session.pid, os.WNOHANG)
            if pid:
                break
            session.read(0.1)
        else:
            os.kill(session.pid, signal.SIGKILL)
            sys.exit("console_pty: still running 5 s after SIGTERM at a betting prompt")
        if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
            sys.exit("console_pty: SIGTERM ended the program with wait status %d" % status)
        if not session.echo_on():
            sys.exit("console_pty: the terminal was left in raw mode")
    print("console_pty: passed")


if __name__ == "__main__":
    main()

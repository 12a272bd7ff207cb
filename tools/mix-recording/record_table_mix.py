#!/usr/bin/python3
"""Records what a table of seven at the Fastest pace sounds like, and counts its clipped samples.

The terminal program plays Seven Card Stud with seven players in a pseudo-terminal, the user
calling every bet, with SDL's disk driver writing the mix (22,050 Hz, 16-bit stereo, raw) to a
file in real time. After SECONDS of play from the first shuffle the program is ended and the
recording read back: its length, its peak and the samples at full scale (32767 or -32768), in
bursts a tenth of a second apart.

    record_table_mix.py PROGRAM OUT.raw [SECONDS [SEED]]

`sox -t raw -r 22050 -e signed -b 16 -c 2 OUT.raw -n stats` reads the same file.
"""
import array
import os
import pty
import select
import signal
import sys
import tempfile
import time

RATE, CHANNELS = 22050, 2
HOME_KEY = "\x1b[H"  # ends the start-up music; no command takes it
# What the program says, and the key that answers it.
ANSWERS = [
    ("Number of Players at the table?", "7"),
    ("What name would you like to go buy?", "\r"),
    ("Would you like to change the names", "N"),
    ("What is the highest allowed raise in betting?", "\r"),
    ("What is the maximum number of raises?", "\r"),
    ("What is the standard ante for each hand?", "\r"),
    ("What is the starting number of chips for each player?", "\r"),
    ("The game is over when", "L"),
    ("Game Selection Menu", "S"),
    ("What would you like to do?", "\r"),
    ("Amount to bet or raise?", "\r"),
    ("All betting is complete.", "\r"),
    ("Play another hand of", "Y"),
    ("The deal passes to the next player. Continue?", "Y"),
    ("Would you like these standings repeated?", "N"),
    ("Would you like to view the players' attributes?", "N"),
]


def play(program, out, seconds, seed):
    with tempfile.TemporaryDirectory() as folder:
        os.makedirs(folder + "/Corvane")
        with open(folder + "/Corvane/CV pace.ini", "wb") as pace:
            pace.write(b"2,24,0,0\r\n")  # Fastest
        env = dict(os.environ, APPDATA=folder, HOME=folder, TERM="xterm",
                   SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=out)
        env.pop("DISPLAY", None)
        env.pop("SDL_DISKAUDIODELAY", None)  # real time
        pid, fd = pty.fork()
        if pid == 0:
            os.execve(program, [program, "--console", "--seed", seed, "0"], env)
        text, answered, started, typed = "", 0, None, 0.0
        deadline = time.monotonic() + seconds + 60
        while time.monotonic() < deadline:
            now = time.monotonic()
            if started is not None and now - started > seconds:
                break
            if started is None and now - typed > 0.5:  # to the main menu, then a new table
                os.write(fd, (b"T" if "Start a New Table, T" in text else HOME_KEY.encode()))
                typed = now
            if select.select([fd], [], [], 0.05)[0]:
                try:
                    text += os.read(fd, 65536).decode("utf-8", "replace")
                except OSError:
                    break
            lines = text.split("\n")
            for line in lines[answered:-1]:
                if started is None and "Now shuffling." in line:
                    started = time.monotonic()
                key = next((key for said, key in ANSWERS if said in line), None)
                if key is not None:
                    os.write(fd, key.encode())
            answered = max(answered, len(lines) - 1)
        os.kill(pid, signal.SIGTERM)
        os.waitpid(pid, 0)
        return text.count("Now shuffling.")


def count(path):
    samples = array.array("h")
    with open(path, "rb") as recording:
        samples.frombytes(recording.read())
    clipped = [i for i, s in enumerate(samples) if s >= 32767 or s <= -32768]
    bursts, last = 0, None
    for i in clipped:
        if last is None or i - last > RATE * CHANNELS // 10:
            bursts += 1
        last = i
    peak = max((abs(s) for s in samples), default=0)
    return len(samples) / RATE / CHANNELS, peak, len(clipped), bursts


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    program, out = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 28
    seed = sys.argv[4] if len(sys.argv) > 4 else "21"
    hands = play(program, out, seconds, seed)
    length, peak, clipped, bursts = count(out)
    print("%d hands begun; %.1f s recorded, peak %d, %d samples at full scale in %d bursts" %
          (hands, length, peak, clipped, bursts))


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Whether Orca presented every line a key added to the text window, in order and once each.

    orca_lines.py BEFORE AFTER SPEECH BRAILLE

BEFORE and AFTER hold the text window's text before the key and once the window has settled;
SPEECH and BRAILLE are Orca's speech and Braille logs of that time. The lines AFTER adds must be
what Orca spoke (the echo of the key itself aside), in order, each once, and what its Braille line
showed, one after the other. Prints the lines; exit status 1, saying what differs, otherwise.
"""
import re
import sys


def window_lines(path):
    text = open(path, encoding="utf-8").read().replace("\r", "")
    return text.split("\n") if text else []


def spoken(path):
    # A message may hold line breaks; the echo of a key names the voice it was said in.
    said = []
    pattern = r"^SPEECH OUTPUT: '(.*?)'( \{.*\})?$"
    for match in re.finditer(pattern, open(path, encoding="utf-8").read(), re.S | re.M):
        if match.group(2) is None and match.group(1).strip():
            said.append(match.group(1).strip())
    return said


def shown(path):
    # Orca writes the line again whenever it refreshes the display: one line shown is one run.
    lines = []
    for line in re.findall(r"^BRAILLE LINE:  '(.*)'$", open(path, encoding="utf-8").read(), re.M):
        if not lines or lines[-1] != line.strip():
            lines.append(line.strip())
    return lines


def runs(lines):
    return [line for i, line in enumerate(lines) if i == 0 or lines[i - 1] != line]


def main():
    before, after = window_lines(sys.argv[1]), window_lines(sys.argv[2])
    if after[:len(before)] != before:
        sys.exit("orca_lines: the window's earlier lines changed")
    added = [line.strip() for line in after[len(before):]]
    said, braille = spoken(sys.argv[3]), shown(sys.argv[4])
    print("orca_lines: %d lines: %s" % (len(added), " | ".join(added)))
    failures = []
    if said != added:
        failures.append("Orca spoke:\n  " + "\n  ".join(said))
    if braille != runs(added):
        failures.append("Orca's Braille line showed:\n  " + "\n  ".join(braille))
    if failures:
        sys.exit("orca_lines: the window's new lines:\n  %s\n%s" %
                 ("\n  ".join(added), "\n".join(failures)))


if __name__ == "__main__":
    main()

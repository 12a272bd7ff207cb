#!/usr/bin/python3
"""orca_lines.py BEFORE AFTER SPEECH BRAILLE: the lines a key added to the text window (AFTER less
BEFORE) are what Orca's logs say it spoke (the key's echo aside) and brailled (a run of refreshes
a line), in order, each once; else exit status 1, saying what differs."""
import re
import sys


def log(path):
    return open(path, encoding="utf-8").read()


def runs(lines):  # each line once, however often in a row
    return [line for i, line in enumerate(lines) if i == 0 or lines[i - 1] != line]


def main():
    before, after = (log(path).replace("\r", "").split("\n") for path in sys.argv[1:3])
    if after[:len(before)] != before:
        sys.exit("orca_lines: the window's earlier lines changed")
    added = [line.strip() for line in after[len(before):]]
    # A message may hold line breaks; the echo of a key names the voice it was said in.
    said = [match.group(1).strip() for match in
            re.finditer(r"^SPEECH OUTPUT: '(.*?)'( \{.*\})?$", log(sys.argv[3]), re.S | re.M)
            if match.group(2) is None and match.group(1).strip()]
    shown = runs([line.strip() for line in
                  re.findall(r"^BRAILLE LINE:  '(.*)'$", log(sys.argv[4]), re.M)])
    print("orca_lines: %d lines: %s" % (len(added), " | ".join(added)))
    if said != added or shown != runs(added):
        sys.exit("orca_lines: the window's new lines:\n  %s\nOrca spoke:\n  %s\nOrca's Braille "
                 "line showed:\n  %s" % tuple("\n  ".join(x) for x in (added, said, shown)))


if __name__ == "__main__":
    main()

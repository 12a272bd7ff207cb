#!/usr/bin/env python3
"""Checks the transcripts of a table of several people, given as NAME=TRANSCRIPT (the host's
first): everyone hears their own face-down cards and nobody another's before the hand's result;
everyone hears the table's lines in the same order; H and G answer from each person's seat; the
chips add up to one total at every Shift-M of the host. Exits 1, saying what failed, if not."""
import re
import sys

PUBLIC = [re.compile(p) for p in [
    r"^Press F", r"^Now shuffling\.$", r"^The deal goes to (?!you\.)", r" declares the game to be ",
    r"^Everyone puts in the ", r" cannot cover ", r"^(?!You ).* is dealt a ", r" is dealt\.$",
    r"  has the best hand showing with ", r" bets first\.$", r" checks\.?$", r" calls, ",
    r" sees the \d+ chips and raises ", r" bets \d+$", r" is going all in for ", r" folds\.$",
    r" pays  the (small|big) blind", r" pays for the queen wildcard ", r" claims the pot\. of ",
    r" wins this hand with ", r" collects the pot\.$", r"^The following has been calculated",
    r" which pays ", r"^Other players in order of hand ranking$", r" had ", r" draws \d+ cards\.$",
    r"^The ante is now ", r"^(The first|The next|The last|The 5|Next face)"]]
DEALT = re.compile(r"^You are dealt a (.+) face down\.$")
RESULT = re.compile(r"wins this hand with|^The following has been calculated|claims the pot\. of")
STATISTICS = re.compile(r"^This table: (\d+) hands played, (\d+) won\.$")
failures = []


def rejoined(lines):
    """A transcript of a program that was killed and joined again ("=== again"): what it heard
    before, up to the hand it was killed in, the hand so far as the table told it again, and on."""
    if "=== again" not in lines:
        return lines
    at = lines.index("=== again")
    before, after = lines[:at], lines[at + 1:]
    start = next(i for i, line in enumerate(after) if line.startswith("The hand so far, hand"))
    end = after.index("That was the hand so far. You play on from your next turn.")
    shuffled = len(before) - before[::-1].index("Now shuffling.")
    return before[:shuffled] + after[start + 1:end] + after[end + 1:]


def hands(lines):
    """The lines of each hand, from one "Now shuffling." to the next."""
    result = []
    for line in lines:
        if line == "Now shuffling.":
            result.append([])
        if result:
            result[-1].append(line)
    return result


def check_secrecy(name, mine, other_name, theirs):
    for number, (my_hand, their_hand) in enumerate(zip(hands(mine), hands(theirs)), 1):
        hidden = {m.group(1) for m in map(DEALT.match, their_hand) if m}
        for line in my_hand:
            if RESULT.search(line):
                break
            for card in hidden:
                if card in line:
                    failures.append(f"{name} hears {other_name}'s face-down {card} in hand "
                                    f"{number}: {line}")


def check_own_reports(name, lines):
    described = None
    played = won = 0
    started = won_this_hand = False
    for line in lines:
        if line == "Now shuffling.":
            played += started
            won += won_this_hand
            started, won_this_hand = True, False
        if line.startswith("You have "):
            described = line[len("You have "):]
        if line in (f"{name} collects the pot.",) or line.startswith(f"{name} claims the pot.") \
                or (line.startswith(f"{name} has ") and " which pays " in line):
            won_this_hand = True
        m = re.match(r"^(.*[^ ]) has (?!the best hand showing|-?\d+$)(.+)$", line)
        if (m and m.group(1) != "The pot" and not line.endswith(".") and " which pays " not in line
                and described is not None):
            if m.group(1) != name or m.group(2) != described:
                failures.append(f"{name}'s H answered {line!r} after 'You have {described}'")
        m = STATISTICS.match(line)
        if m and (int(m.group(1)), int(m.group(2))) != (played, won):
            failures.append(f"{name}'s G says {line!r}; they heard {played} hands, {won} won")
    return played


def check_chips(lines):
    totals = []
    chips = None
    for line in lines:
        m = re.match(r"^.+ (-?\d+) chips\.$", line)
        if m and chips is not None:
            chips += int(m.group(1))
        m = re.match(r"^The pot has (\d+) chips$", line)
        if m and chips is not None:
            totals.append(chips + int(m.group(1)))
        chips = 0 if line == "Play another hand of this game?" else chips
    if len(set(totals)) > 1:
        failures.append(f"the chips do not balance: {totals}")
    return len(totals)


def main():
    people = []
    for argument in sys.argv[1:]:
        name, path = argument.split("=", 1)
        with open(path, encoding="utf-8") as transcript:
            people.append((name, rejoined(transcript.read().splitlines())))
    public = []
    # A person hears their own draw by its cards, the others by its count.
    drawn = re.compile("^(%s) draws \\d+ cards\\.$" % "|".join(re.escape(n) for n, _ in people))
    for name, lines in people:
        if not any(DEALT.match(line) for line in lines):
            failures.append(f"{name} hears no face-down card of their own")
        public.append([line for line in lines
                       if any(p.search(line) for p in PUBLIC) and not drawn.match(line)])
        for other_name, other in people:
            if other_name != name:
                check_secrecy(name, lines, other_name, other)
    shortest = min(len(lines) for lines in public)
    for (name, _), lines in zip(people, public):
        if lines[:shortest] != public[0][:shortest]:
            at = next(i for i, (a, b) in enumerate(zip(lines, public[0])) if a != b)
            failures.append(f"{name} hears {lines[at]!r} where the host hears {public[0][at]!r}")
    counted = [check_own_reports(name, lines) for name, lines in people]
    balances = check_chips(people[0][1])
    for failure in failures[:20]:
        print(failure)
    if failures:
        return 1
    print(f"{len(people)} people, hands {counted}, {shortest} public lines alike, "
          f"{balances} chip counts balanced")
    return 0


if __name__ == "__main__":
    sys.exit(main())

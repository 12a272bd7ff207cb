#!/usr/bin/python3
"""What the accessibility tree shows of a running program, as a screen reader sees it.

    atspi_probe.py APP text        the text window's whole text
    atspi_probe.py APP caret-line  the line at the text window's caret (what a Braille display
                                   following the caret shows)
    atspi_probe.py APP font-size   the size of the text window's letters, in points
    atspi_probe.py APP shows-newest "yes" when the newest line is in view whole, none cut at the top
    atspi_probe.py APP tree        one line per accessible: depth, role, "name", id=, the states
                                   focused, active and showing, and for text the caret line

Exit status 1 when the program (or its text window) is not (yet) in the tree. Needs Debian's own
python3 with pyatspi.
"""
import sys

import pyatspi

TEXT_ROLES = (pyatspi.ROLE_TEXT, pyatspi.ROLE_TERMINAL)
REPORTED_STATES = [(pyatspi.STATE_FOCUSED, "focused"), (pyatspi.STATE_ACTIVE, "active"),
                   (pyatspi.STATE_SHOWING, "showing")]


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == name:
            return app
    return None


def caret_line(node):
    text = node.queryText()
    line, _, _ = text.getTextAtOffset(text.caretOffset, pyatspi.TEXT_BOUNDARY_LINE_START)
    return line.rstrip("\r\n")


def shows_newest(view):
    text, (left, top, _, height) = view.queryText(), view.queryComponent().getExtents(0)
    _, start, end = text.getTextAtOffset(text.characterCount, pyatspi.TEXT_BOUNDARY_LINE_START)
    newest = text.getRangeExtents(start, end, 0)
    first = text.getCharacterExtents(text.getOffsetAtPoint(left + 40, top + 1, 0), 0)
    whole = top <= newest[1] and newest[1] + newest[3] <= top + height and first[1] >= top
    return "yes" if whole else "the newest line at %s, the top line at %s, the window at %d..%d" % (
        newest[1:4:2], first[1], top, top + height)


def describe(node, depth, out):
    states = node.getState()
    flags = [label for state, label in REPORTED_STATES if states.contains(state)]
    line = '%d %s "%s" id=%s states=%s' % (depth, node.getRoleName(), node.name,
                                           node.accessibleId or "-", ",".join(flags) or "-")
    if node.getRole() in TEXT_ROLES:
        line += ' caret-line="%s"' % caret_line(node)
    out.append(line)
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            describe(child, depth + 1, out)


def main():
    app = application(sys.argv[1])
    if app is None:
        return 1
    query = sys.argv[2]
    if query == "tree":
        out = []
        describe(app, 0, out)
        print("\n".join(out))
        return 0
    view = pyatspi.findDescendant(app, lambda node: node is not None and
                                  node.getRole() in TEXT_ROLES)
    if view is None:
        return 1
    if query == "caret-line":
        print(caret_line(view))
    elif query == "font-size":
        print(view.queryText().getDefaultAttributeSet().get("size", ""))
    elif query == "shows-newest":
        print(shows_newest(view))
    else:
        text = view.queryText()
        sys.stdout.write(text.getText(0, text.characterCount))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Exception as error:  # the program went away while we looked
        print("atspi_probe: %s" % error, file=sys.stderr)
        sys.exit(1)

#!/usr/bin/python3
"""Prints the text of the Corvane text window as the accessibility tree shows it to a screen
reader. Exit status 1 when the program or its text window is not (yet) in the tree."""
import sys

import pyatspi


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is None or app.name != sys.argv[1]:
            continue
        view = pyatspi.findDescendant(app, lambda node: node is not None and
                                      node.getRole() == pyatspi.ROLE_TEXT)
        if view is None:
            continue
        text = view.queryText()
        sys.stdout.write(text.getText(0, text.characterCount))
        return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())

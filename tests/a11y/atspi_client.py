#!/usr/bin/python3
"""What a screen reader finds of a running program, through AT-SPI.

    atspi_client.py <application name>            one line per showing object:
                                                  role, name, value and description, tab-separated
    atspi_client.py <application name> <name>     gives the object of that name the keyboard focus

Waits up to a minute for the application to join the accessibility bus; exits 1 when it does not,
or when no object has the name.
"""
import sys
import time

import pyatspi


def application(name):
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.25)
    return None


def showing(node):
    """The objects on screen below node, depth first."""
    for child in node:
        if child is None or not child.getState().contains(pyatspi.STATE_SHOWING):
            continue
        yield child
        yield from showing(child)


def value(node):
    try:
        return str(node.queryValue().currentValue)
    except NotImplementedError:
        return ""


def main():
    app = application(sys.argv[1])
    if app is None:
        print("no application named " + sys.argv[1], file=sys.stderr)
        return 1
    if len(sys.argv) > 2:
        for node in showing(app):
            if node.name == sys.argv[2]:
                return 0 if node.queryComponent().grabFocus() else 1
        print("nothing named " + sys.argv[2], file=sys.stderr)
        return 1
    for node in showing(app):
        print("\t".join([node.getRoleName(), node.name, value(node), node.description]))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""What a screen reader finds of a running application, through AT-SPI.

atspi_client.py APP         prints each object on screen: role, name, value, description (tabs)
atspi_client.py APP NAME    gives the object named NAME the keyboard focus
Waits up to a minute for APP; exits 1 when it does not come or nothing has the name.
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
    for child in node:
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            yield child
            yield from showing(child)


def value(node):
    try:
        return str(node.queryValue().currentValue)
    except NotImplementedError:
        return ""


app = application(sys.argv[1])
if app is None:
    sys.exit("no application named " + sys.argv[1])
if len(sys.argv) > 2:
    target = next((n for n in showing(app) if n.name == sys.argv[2]), None)
    sys.exit(0 if target is not None and target.queryComponent().grabFocus() else 1)
for node in showing(app):
    print("\t".join([node.getRoleName(), node.name, value(node), node.description]))

#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# A reader that stays connected, as a screen reader does: it reads the
# hands once, then knows of them only what the events the program sends
# tell it (items added and removed, names changed) until told to stop, and
# compares what it then knows with what a reader connecting afresh reads.
#   keep_view.py READY STOP     (writes READY once it listens; stops at STOP)
#   keep_view.py --fresh        (prints the hands as a new reader reads them)
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

from bus import program


def hands(node, out):
    if node.getRoleName() == "list":
        out.append([node.getChildAtIndex(i).name for i in range(node.childCount)])
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            hands(child, out)
    return out


def key(node):
    return getattr(node, "path", None) or str(hash(node))


def main():
    if sys.argv[1] == "--fresh":
        print(repr(sorted(sorted(h) for h in hands(program(), []))))
        return
    ready, stop = sys.argv[1], sys.argv[2]
    app = program()
    # What it knows: each list's items by their object, with the name last
    # heard, changed only by the events the program sends.
    lists = {}

    def collect(node):
        if node.getRoleName() == "list":
            lists[key(node)] = {key(c): c.name for c in
                                (node.getChildAtIndex(i) for i in range(node.childCount))}
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                collect(child)

    def heard(event):
        if event.type.startswith("object:children-changed"):
            items = lists.get(key(event.source))
            child = event.any_data
            if items is None or child is None:
                return
            if event.type.endswith(":add"):
                items[key(child)] = child.name
            elif event.type.endswith(":remove"):
                items.pop(key(child), None)
        elif event.type.startswith("object:property-change:accessible-name"):
            for items in lists.values():
                if key(event.source) in items:
                    items[key(event.source)] = event.source.name

    collect(app)
    # Qt's bridge tells of items going only to readers that also hear
    # changes of state, as a screen reader does.
    pyatspi.Registry.registerEventListener(
        heard, "object:children-changed", "object:property-change:accessible-name",
        "object:state-changed")
    open(ready, "w").close()
    context = GLib.MainContext.default()
    deadline = time.time() + 30
    while not os.path.exists(stop) and time.time() < deadline:
        while context.iteration(False):
            pass
        time.sleep(0.05)
    time.sleep(0.5)
    while context.iteration(False):
        pass
    kept = repr(sorted(sorted(items.values()) for items in lists.values()))
    fresh = subprocess.run([sys.executable, __file__, "--fresh"], capture_output=True,
                           text=True, check=True).stdout.strip()
    if kept != fresh:
        sys.exit(f"a reader that stayed connected knows {kept}, a fresh one reads {fresh}")
    print(f"a reader that stayed connected knows the hands as a fresh one reads them: {fresh}")


main()

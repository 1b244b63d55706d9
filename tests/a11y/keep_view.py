#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# A reader that stays connected, as a screen reader does: it reads the
# window once, then knows of its hands, their items and its pictures only
# what the events the program sends tell it (items added and removed, names
# changed). Each time it is asked (a file CHECK.N appears) it compares what
# it knows with what a reader connecting afresh reads, and answers in
# RESULT.N; it stops at STOP.
#   keep_view.py DIR      (writes DIR/ready once it listens)
#   keep_view.py --fresh  (prints the view as a new reader reads it)
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

from bus import program

KEPT = ("list", "list item", "image")


def key(node):
    return getattr(node, "path", None) or str(hash(node))


def view(nodes):
    """What a reader knows, without the objects' identities: each list's name
    with its items' names, and the pictures' names."""
    lists = sorted((name, sorted(items)) for name, items in nodes["lists"].values())
    return repr((lists, sorted(nodes["images"].values())))


def read(node, out=None):
    out = {"lists": {}, "images": {}} if out is None else out
    role = node.getRoleName()
    if role == "list":
        out["lists"][key(node)] = (node.name, [c.name for c in
                                               (node.getChildAtIndex(i)
                                                for i in range(node.childCount))])
    elif role == "image":
        out["images"][key(node)] = node.name
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and role != "list":
            read(child, out)
    return out


def main():
    if sys.argv[1] == "--fresh":
        print(view(read(program())))
        return
    folder = sys.argv[1]
    app = program()
    # Each list by its object: its name and its items by their objects, with
    # the names last heard.
    lists, images = {}, {}
    announced = []

    def collect(node):
        role = node.getRoleName()
        if role == "list":
            lists[key(node)] = [node.name, {key(c): c.name for c in
                                            (node.getChildAtIndex(i)
                                             for i in range(node.childCount))}]
        elif role == "image":
            images[key(node)] = node.name
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None and role != "list":
                collect(child)

    def heard(event):
        if event.type.startswith("object:children-changed"):
            kept = lists.get(key(event.source))
            child = event.any_data
            if kept is None or child is None:
                return
            if event.type.endswith(":add"):
                kept[1][key(child)] = child.name
            elif event.type.endswith(":remove"):
                kept[1].pop(key(child), None)
        elif event.type.startswith("object:announcement"):
            announced.append(event.any_data)
        elif event.type.startswith("object:property-change:accessible-name"):
            source = key(event.source)
            if source in lists:
                lists[source][0] = event.source.name
            elif source in images:
                images[source] = event.source.name
            for _, items in lists.values():
                if source in items:
                    items[source] = event.source.name

    def known():
        return view({"lists": {k: (n, list(items.values())) for k, (n, items) in lists.items()},
                     "images": images})

    collect(app)
    # Qt's bridge tells of items going only to readers that also hear
    # changes of state, as a screen reader does.
    pyatspi.Registry.registerEventListener(
        heard, "object:children-changed", "object:property-change:accessible-name",
        "object:state-changed")
    try:
        pyatspi.Registry.registerEventListener(heard, "object:announcement")
    except Exception as e:  # an AT-SPI older than announcements
        print(f"announcements cannot be heard here: {e}")
    open(os.path.join(folder, "ready"), "w").close()
    context = GLib.MainContext.default()
    asked, differences = 0, 0
    deadline = time.time() + 600
    while not os.path.exists(os.path.join(folder, "stop")) and time.time() < deadline:
        while context.iteration(False):
            pass
        check = os.path.join(folder, f"check.{asked + 1}")
        if not os.path.exists(check):
            time.sleep(0.05)
            continue
        asked += 1
        time.sleep(0.3)
        while context.iteration(False):
            pass
        fresh = subprocess.run([sys.executable, __file__, "--fresh"], capture_output=True,
                               text=True, check=True).stdout.strip()
        kept = known()
        answer = "same" if kept == fresh else f"kept {kept}\nfresh {fresh}"
        differences += kept != fresh
        with open(os.path.join(folder, f"result.{asked}.tmp"), "w", encoding="utf-8") as f:
            f.write(answer)
        os.rename(os.path.join(folder, f"result.{asked}.tmp"),
                  os.path.join(folder, f"result.{asked}"))
    if not asked or differences:
        sys.exit(f"a reader that stayed connected differed from a fresh one {differences} times"
                 f" in {asked}")
    print(f"a reader that stayed connected knew what a fresh one reads after each of {asked}"
          " actions")
    # Qt 6.8's bridge announces each new hint; older ones cannot.
    print(f"announcements heard: {len(announced)}, the last {announced[-1:]!r}")
    if os.environ.get("ZORV_EXPECT_ANNOUNCEMENTS") == "1" and not announced:
        sys.exit("the bridge can announce, but no new hint was announced")


main()

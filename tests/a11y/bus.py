# SPDX-License-Identifier: MIT
# What the readers of tests/a11y/ share: the running program on the
# accessibility bus, its tree, and what the table's places must say.
import re
import sys
import time

import pyatspi


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(80):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "zorv" and app.childCount:
                return app
        time.sleep(0.25)
    sys.exit("the program did not appear on the accessibility bus")


RANKS = ["шестёрка", "семёрка", "восьмёрка", "девятка", "десятка", "валет", "дама", "король", "туз"]
SUITS = ["треф", "бубён", "червей", "пик"]
CARDS = {f"{r} {s}" for r in RANKS for s in SUITS}


# The table's places as they lie, bout by bout: the attack, then its cover.
PLACE = re.compile(r"ход (\d): (пусто|(.+), (не покрыта|покрыта))$")
COVER = re.compile(r"(?:покрытие хода (\d): пусто|ход (\d) покрыт: (.+))$")


def table_problems(names):
    """What is wrong with the places' names, in the order a reader meets them
    (hidden places too: an empty cover steps aside while its attack waits)."""
    places = [n for n in names if PLACE.match(n) or COVER.match(n)]
    if len(places) != 12:
        return [f"twelve table places, not {len(places)}"]
    problems = []
    for k in range(6):
        attack, cover = PLACE.match(places[2 * k]), COVER.match(places[2 * k + 1])
        if not attack or not cover or {attack[1], cover[1] or cover[2]} != {str(k + 1)}:
            problems.append(f"bout {k + 1} is read as {places[2 * k]!r}, {places[2 * k + 1]!r}")
            continue
        if attack[3] and attack[3] not in CARDS or cover[3] and cover[3] not in CARDS:
            problems.append(f"bout {k + 1} names no card")
        if (attack[4] == "покрыта") != bool(cover[3]):
            problems.append(f"bout {k + 1} says it is covered when it is not, or not when it is")
    return problems


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    out.append((depth, node))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, out)
    return out

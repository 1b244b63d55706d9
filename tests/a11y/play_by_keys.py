#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Plays the game on to its end by keys, as a keyboard player does: "Бито"
# as soon as it can be pressed, else the first card of the hand that moves
# the game on, else "Взять". It decides from what a fresh reader reads, which
# must name the table's places bout by bout and "бито" once; after every
# move it asks the reader that stayed connected (keep_view.py) to compare.
#   play_by_keys.py WINDOW DIR    (WINDOW: the X window the keys go to)
#   play_by_keys.py --state       (prints what a fresh reader reads, as JSON)
import json
import os
import subprocess
import sys
import time

import pyatspi

from bus import program, showing, table_problems, walk


def read_state():
    app = program()
    nodes = [n for _, n in walk(app)]
    hand = next((n for n in nodes if n.getRoleName() == "list" and n.name == "ваши карты"), None)
    buttons = {n.name: n.getState().contains(pyatspi.STATE_ENABLED) for n in nodes
               if n.getRoleName() in ("push button", "button") and showing(n)}
    shown = [n.name for n in nodes if showing(n)]
    problems = table_problems([n.name for n in nodes])
    if sum("бито" in n for n in shown) != 1:
        problems.append('"бито" is not read once')
    print(json.dumps({
        "hand": [hand.getChildAtIndex(i).name for i in range(hand.childCount)] if hand else [],
        "buttons": buttons,
        "focused": [n.name for n in nodes if n.getState().contains(pyatspi.STATE_FOCUSED)],
        "windows": app.childCount,
        "problems": problems,
    }, ensure_ascii=False))


def state():
    out = subprocess.run([sys.executable, __file__, "--state"], capture_output=True, text=True,
                         check=True).stdout
    return json.loads(out)


def main():
    window, folder = sys.argv[1], sys.argv[2]

    def key(*names):
        for name in names:
            subprocess.run(["xdotool", "key", "--window", window, name], check=True)
            time.sleep(0.15)
        time.sleep(0.2)

    def focus(name):
        for _ in range(6):
            if name in state()["focused"]:
                return
            key("Tab")
        sys.exit(f"Tab never reached {name}")

    checks = 0

    def compare():
        nonlocal checks
        checks += 1
        open(os.path.join(folder, f"check.{checks}"), "w").close()
        answer = os.path.join(folder, f"result.{checks}")
        for _ in range(200):
            if os.path.exists(answer):
                break
            time.sleep(0.1)
        result = open(answer, encoding="utf-8").read() if os.path.exists(answer) else "no answer"
        if result != "same":
            sys.exit(f"after move {checks} the connected reader differs:\n{result}")

    compare()  # the card played before this script began
    for _ in range(300):
        now = state()
        if now["problems"]:
            sys.exit("; ".join(now["problems"]))
        if now["windows"] > 1:  # the end of the game is told in a box
            print(f"a whole game by keys: {checks} moves, each compared with a fresh read")
            return
        if now["buttons"].get("Бито"):
            focus("Бито")
            key("space")
        else:
            moved = False
            for i in range(len(now["hand"])):
                focus("ваши карты")
                key("Home", *["Right"] * i, "space")
                after = state()
                if after["hand"] != now["hand"] or after["windows"] > 1:
                    moved = True
                    break
            if not moved:
                if not now["buttons"].get("Взять"):
                    sys.exit(f"no card moves the game on and Взять is off: {now}")
                focus("Взять")
                key("space")
        compare()
    sys.exit("the game did not end in 300 moves")


if sys.argv[1] == "--state":
    read_state()
else:
    main()

#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Reads the running program's accessibility tree over AT-SPI, as a screen
# reader does, and checks what it says: read_tree.py deal | played.
import sys
import time

import pyatspi

from bus import CARDS, program, showing, table_problems, walk

def lists(nodes):
    return [n for _, n in nodes if n.getRoleName() == "list" and showing(n)]


def main():
    # After keys the program may still be answering: look again a while.
    for attempt in range(12):
        problems, text = read(program())
        if not problems or sys.argv[1] == "deal":
            break
        time.sleep(0.25)
    print(text)
    if problems:
        sys.exit("accessibility tree: " + "; ".join(problems))


def read(app):
    nodes = walk(app)
    text = "\n".join("  " * d + f"[{n.getRoleName()}] {n.name}" for d, n in nodes if showing(n))
    problems = []

    def check(ok, what):
        if not ok:
            problems.append(what)

    window = [n for _, n in nodes if n.getRoleName() == "dialog"]
    check(window and window[0].name == 'Игра "Зорв" v.0.4', "the window is named by its caption")
    hands = lists(nodes)
    check(len(hands) == 2, "two hands are lists")
    items = [[c.name for c in h] for h in hands]
    player = next((i for i in items if i and all(n in CARDS for n in i)), [])
    computer = next((i for i in items if i and all(n == "рубашка" for n in i)), [])
    images = [n.name for _, n in nodes if n.getRoleName() == "image" and showing(n)]
    # AT-SPI 2.5x names the push-button role "button".
    buttons = {n.name: n for _, n in nodes
               if n.getRoleName() in ("push button", "button") and showing(n)}
    labels = [n.name for _, n in nodes if n.getRoleName() == "label" and showing(n)]
    status = [n.name for _, n in nodes if n.getRoleName() == "status bar" and showing(n)]
    check(len(status) == 1, "the hint is the window's one status text")
    counters = [n for n in images if n.startswith("в колоде ")]
    named = [n.name for _, n in nodes if showing(n)]
    check(sum("бито" in n for n in named) == 1, '"бито" is read once')
    beaten = named.index("бито:") if "бито:" in named else -1
    check(0 <= beaten < len(named) - 1 and named[beaten + 1].isdigit(),
          'the discard count follows its label "бито:"')
    problems += table_problems([n.name for _, n in nodes])
    lists_named = [h.name for h in hands]
    check("ваши карты" in lists_named, "the player's hand is named")
    for name in ("Бито", "Взять"):
        check(name in buttons, f"the button {name} is there")
    if sys.argv[1] == "deal":
        check(len(player) == 6 and len(set(player)) == 6, "the player's hand is six named cards")
        check(len(computer) == 6, "the computer's hand is six card backs")
        check(sum(n.startswith("козырь: ") and n[8:] in CARDS for n in images) == 1,
              "the trump card is named as the trump")
        check(sum(n.endswith(": пусто") for n in named) == 12, "the twelve table places are empty")
        check("в колоде 24 карты" in counters, "the stock counter says 24 cards")
        check(beaten >= 0 and named[beaten + 1] == "0", "nothing is beaten yet")
        check("карты компьютера: 6" in lists_named, "the computer's hand says its six cards")
        for name in ("Бито", "Взять"):
            if name in buttons:
                check(not buttons[name].getState().contains(pyatspi.STATE_ENABLED),
                      f"{name} is off at the deal")
        check(status == ["Ваш ход..."], "the hint invites the first move")
        if player:
            open(sys.argv[2], "w", encoding="utf-8").write(player[0])
    else:
        # The card led left the hand: it lies on the table, or the computer
        # took it and the hand was made up from the stock again.
        led = open(sys.argv[2], encoding="utf-8").read()
        check(player and all(n in CARDS for n in player), "the player's hand names its cards")
        check(led not in player, "the card led left the player's hand")
        backs = [h for h in hands if h.childCount and all(c.name == "рубашка" for c in h)]
        check(backs and backs[0].name == f"карты компьютера: {backs[0].childCount}",
              "the computer's hand says its count")
        check(status and status != ["Ваш ход..."], "the hint changed")
    return problems, text


main()

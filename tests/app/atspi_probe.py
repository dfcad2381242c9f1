#!/usr/bin/env python3
"""Reads the game's accessibility tree over AT-SPI, as a screen reader would.

Run inside a session bus of its own (dbus-run-session) on an X display, with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 in the environment. Starts the program
(argv[1]) with its trace going to argv[2], then checks:
  - every name is free of line breaks, and the buttons are named;
  - the die, the board and the pieces by their squares;
  - the prompt is an alert that carries its message;
  - after a throw the die tells the thrown value.
Waits on the trace and polls the tree, never for a fixed time.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi

prog, trace_path = sys.argv[1], sys.argv[2]
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def poll(fn, limit=10.0):
    """fn's first true answer within `limit` seconds, or its last answer."""
    end = time.monotonic() + limit
    while True:
        value = fn()
        if value or time.monotonic() > end:
            return value
        time.sleep(0.05)


def trace():
    with open(trace_path) as f:
        return f.read()


def wait_trace(pattern, limit=15.0):
    found = poll(lambda: re.search(pattern, trace(), re.M) or game.poll() is not None, limit)
    if game.poll() is not None or not found:
        print(trace())
        sys.exit(f"FAIL no trace line {pattern!r}")
    return re.search(pattern, trace(), re.M)


def key(*names):
    subprocess.run(["xdotool", "key", *names], check=True)


def focus_game():
    """No window manager runs here: give the game's main window (its largest)
    the keyboard focus, as one would when it opens or a dialog closes."""
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(game.pid),
                          "--name", "^Vandrel$"], capture_output=True, text=True).stdout.split()
    def area(w):
        geo = subprocess.run(["xdotool", "getwindowgeometry", "--shell", w],
                             capture_output=True, text=True).stdout
        v = dict(line.split("=", 1) for line in geo.split())
        return int(v.get("WIDTH", 0)) * int(v.get("HEIGHT", 0))
    if ids:
        subprocess.run(["xdotool", "windowfocus", "--sync", max(ids, key=area)], check=True)


def app_of(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for a in desktop:
        try:
            if a is not None and a.get_process_id() == pid:
                return a
        except Exception:
            pass
    return None


def walk(node, out):
    """(role name, name, description, showing) of every object below node,
    read afresh."""
    try:
        node.clear_cache()
    except Exception:
        pass
    showing = node.getState().contains(pyatspi.STATE_SHOWING)
    out.append((node.getRoleName(), node.name or "", node.description or "", showing))
    for child in node:
        if child is not None:
            walk(child, out)
    return out


def tree():
    return walk(app, [])


def named(name):
    return [t for t in tree() if t[1] == name and t[3]]


def alerts():
    return [t for t in tree() if t[0] == "alert" and t[3]]


with open(trace_path, "w") as out:
    game = subprocess.Popen([prog], stdout=out, stderr=subprocess.STDOUT,
                            env=dict(os.environ, VANDREL_TRACE="1"))
try:
    wait_trace(r"^ready$")
    app = poll(lambda: app_of(game.pid))
    if app is None:
        sys.exit("FAIL the game is not on the accessibility bus")
    # The dialogs come right after the first paint; the tree holds them then.
    poll(lambda: len(tree()) > 40)
    objects = tree()
    names = [n for _, n, _, _ in objects]
    check(all("\n" not in n and "\r" not in n for n in names), "no name has a line break")
    buttons = {n for r, n, _, _ in objects if r == "push button"}
    for want in ["Throw Dice", "Play Game", "New Match", "Rules", "About Vandrel", "SFX On",
                 "Save", "Load", "Bye!"]:
        check(want in buttons, f"button {want!r}")
    check(all(n for r, n, _, _ in objects if r in ("push button", "check box")),
          "every button and check box has a name")
    check("Die: not thrown" in names, "the die before a throw")
    check("Board" in names, "the board")
    for want in ["Your piece, column 1, row 7", "Your piece, column 6, row 7",
                 "The computer's piece, column 5, row 2"]:
        check(want in names, f"piece {want!r}")
    for want in ["Throw Dice (Space or D)", "New Match (N)", "Bye! (Ctrl+Q)"]:
        check(any(d == want for _, _, d, _ in objects), f"description {want!r}")

    # A match, a game; Return on piece 1 before the throw brings the prompt.
    focus_game()
    key("n")
    check(bool(poll(lambda: named("One game more"))), "the options dialog's arrows are named")
    key("Return")
    poll(lambda: not named("One game more"))
    focus_game()
    key("p")
    wait_trace(r"^turn 1$")
    board = poll(lambda: [t for t in tree() if t[1] == "Board"
                          and t[2] == "Cursor: Your piece, column 1, row 7"])
    check(bool(board), f"the board tells the cursor's square: {named('Board')}")
    key("Return")
    alert = poll(alerts)
    check(bool(alert) and alert[0][1] == "Click the Dice!",
          f"the prompt is an alert with its message: {alert}")
    key("Return")
    check(bool(poll(lambda: not alerts())), "Return answers it")

    focus_game()
    key("space")
    dice = wait_trace(r"^throw ([1-6])$").group(1)
    check(bool(poll(lambda: named(f"Die: {dice}"))), f"the die tells the throw: Die: {dice}")
    focus_game()
    key("ctrl+q")
    check(poll(lambda: game.poll() is not None) and game.returncode == 0, "Ctrl+Q leaves")
finally:
    if game.poll() is None:
        game.kill()

if failures:
    print(trace())
    sys.exit(1)

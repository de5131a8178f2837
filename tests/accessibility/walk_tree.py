#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the real game window through its accessibility tree over AT-SPI, as a screen reader
sees it. Run inside a session bus with an X server (see run.sh):

    walk_tree.py KVIZOMAT KVIZOMAT_DB opening|verdict
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

TIMEOUT = 60.0  # seconds; machines are shared, so waits are long and end as soon as they can


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it returns something true; fails naming `what` after the timeout."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            found = probe()
        except Exception:  # the tree changes under the walk: look again
            found = None
        if found:
            return found
        time.sleep(0.2)
    fail("gave up waiting for " + what)


def fixture():
    """Fifteen levels of one question each; A is right everywhere."""
    questions = [{"Pitanje": "Pitawe %d" % level, "A": "prvi", "B": "drugi", "V": "tre}i",
                  "G": "~etvrti", "RB": level, "Tac": 1, "Odred": None}
                 for level in range(1, 16)]
    stat = {"Slova": True, "Start": 0, "Tac": 0, "Netac": 0, "PTac": 0, "PNetac": 0,
            "Reklama": 0, "Ime": None, "Datum": "10.06.2003", "Firma": None, "Mjesto": None,
            "Mail": None, "Adresa": None, "TelFax": None, "Moto": None}
    results = [{"Ime": "", "RB": 0, "Skor": 0, "Datum": "2003-06-10"} for _ in range(10)]
    return {"tbStat": stat, "tbKviz": questions, "tbRezultati": results}


def game_window(app):
    for window in app:
        if window is not None and window.getRoleName() in ("frame", "window", "filler"):
            return window
    return None


def walk(node):
    """Every node below `node`, in the tree's order."""
    for child in node:
        if child is None:
            continue
        yield child
        yield from walk(child)


def named(root, role, name):
    for node in walk(root):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == "press":
            action.doAction(i)
            return
    fail("%r has no press action" % node.name)


def question_and_answers(window):
    """The focused question, then the four answers that follow it in reading order."""
    nodes = list(walk(window))
    for i, node in enumerate(nodes):
        if node.getState().contains(pyatspi.STATE_FOCUSED) and node.getRoleName() == "label":
            answers = [n.name for n in nodes[i + 1:] if n.getRoleName() == "push button"
                       and n.name in ("први", "други", "трећи", "четврти")]
            if len(answers) == 4:
                return node.name, answers
    return None


def main():
    program, dbtool, mode = sys.argv[1:4]
    folder = tempfile.mkdtemp(prefix="kvizomat-atspi-")
    try:
        with open(os.path.join(folder, "bank.json"), "w", encoding="utf-8") as f:
            json.dump(fixture(), f)
        subprocess.run([dbtool, "create", os.path.join(folder, "Baza.mdb"),
                        os.path.join(folder, "bank.json")], check=True)
        env = dict(os.environ, HOME=folder, XDG_CONFIG_HOME=folder,
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        game = subprocess.Popen([program, "--mute", "--dir", folder], env=env)
        try:
            play(game, mode)
        finally:
            game.send_signal(signal.SIGTERM)
            try:
                game.wait(timeout=30)
            except subprocess.TimeoutExpired:
                game.kill()
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    print("PASS: " + mode)


def play(game, mode):
    desktop = pyatspi.Registry.getDesktop(0)

    def the_app():
        if game.poll() is not None:
            fail("the game ended with status %d" % game.returncode)
        for app in desktop:
            if app is not None and app.name.lower() == "kvizomat" and game_window(app):
                return app
        return None

    window = game_window(wait_for("the game on the accessibility bus", the_app))
    start = wait_for("the opening screen's Start button",
                     lambda: named(window, "push button", "Старт"))
    wait_for("the opening screen's help label",
             lambda: named(window, "push button", "Информације о игри"))
    wait_for("the exit picture named by its tooltip",
             lambda: named(window, "push button", "Крај (Esc)"))
    box = wait_for("the name box", lambda: next(
        (n for n in walk(window) if n.getRoleName() in ("text", "entry")), None))
    box.queryEditableText().setTextContents("marko")
    wait_for("the name typed into the box", lambda: box.queryText().getText(0, -1) == "марко")
    press(start)

    question, answers = wait_for("the first question and its answers",
                                 lambda: question_and_answers(window))
    if question != "Питање 1" or answers != ["први", "други", "трећи", "четврти"]:
        fail("read %r %r" % (question, answers))
    for joker in ("Фифти/фифти (F)", "Зови пријатеља (T)", "Питај публику (P)"):
        wait_for("the joker " + joker, lambda j=joker: named(window, "push button", j))
    ladder = wait_for("the prize ladder", lambda: next(
        (n for n in walk(window) if n.getRoleName() == "list" and n.childCount == 15), None))
    if not any(rung.getState().contains(pyatspi.STATE_SELECTED) for rung in ladder):
        fail("no rung of the ladder is selected")
    if mode == "opening":
        return

    # The answer B marked and confirmed by keys, as a player without a mouse does. Without a
    # window manager the keys go to the window under the pointer.
    x, y, width, height = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(x + width // 2, y + height - 5, "abs")
    time.sleep(0.3)
    # Answer keys count only once the announcement is over: B is pressed until it marks.
    def mark_b():
        pyatspi.Registry.generateKeyboardEvent(ord("b"), None, pyatspi.KEY_SYM)
        time.sleep(0.3)
        return next((n for n in walk(window) if n.name == "други" and
                     n.getState().contains(pyatspi.STATE_SELECTED) and
                     n.getState().contains(pyatspi.STATE_FOCUSED)), None)

    wait_for("the marked answer selected and focused", mark_b)
    pyatspi.Registry.generateKeyboardEvent(ord("d"), None, pyatspi.KEY_SYM)
    wait_for("the verdict", lambda: next(
        (n for n in walk(window) if n.name == "Жао нам је! Погрешан одговор!"), None))


if __name__ == "__main__":
    main()

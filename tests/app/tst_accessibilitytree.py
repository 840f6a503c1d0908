#!/usr/bin/env python3
"""Reads the running editor's accessibility tree over AT-SPI, as a screen reader does.

    dbus-run-session -- xvfb-run -a python3 tst_accessibilitytree.py <editor executable>

Starts the editor on a style file with the accessibility bus on, finds the parameter grid,
its rows' sections, captions and values, presses a value button through the cell's action,
and finds the popup that opens, titled by the parameter, and its controls by name. Every step waits for what it
needs, up to a generous limit.
"""
import os
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

LIMIT = 90  # seconds for any one step, on a busy machine
RESULTS = {"passed": 0, "failed": 0}


def wait_for(what, condition):
    deadline = time.monotonic() + LIMIT
    while True:
        try:
            found = condition()
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            raise AssertionError("gave up waiting for " + what)
        time.sleep(0.05)


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def find(node, predicate):
    return pyatspi.findDescendant(node, lambda n: n is not None and predicate(n))


def actions(node):
    action = node.queryAction()
    return {action.getName(i): i for i in range(action.nActions)}


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def main():
    editor = os.path.abspath(sys.argv[1])
    work = tempfile.mkdtemp(prefix="trevix-atspi-")
    style = os.path.join(work, "look.stl")
    with open(style, "w") as f:
        f.write("&bgColor=0x112233\r\n&titleText=Quarterly\r\n&titleStyle=3\r\n")
    env = dict(os.environ,
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_QPA_PLATFORM="xcb",
               QTWEBENGINE_DISABLE_SANDBOX="1",
               # Its own settings and recovery records: none left over by another run
               # may ask a question before the file shows.
               XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_DATA_HOME=os.path.join(work, "data"))
    # The accessibility bus is up before the editor looks for it.
    desktop = pyatspi.Registry.getDesktop(0)
    process = subprocess.Popen([editor, style], env=env)
    try:
        app = wait_for("the editor on the accessibility bus", lambda: next(
            (a for a in children(desktop) if a is not None and a.name == "TrevixStyleEditor"),
            None))

        grid = wait_for("the parameter grid", lambda: find(
            app, lambda n: n.name == "Parameters"
            and n.getRole() in (pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE)))

        # The grid's children are its cells, row by row: caption, value, section.
        def row(caption):
            cells = children(grid)
            for i, cell in enumerate(cells[:-1]):
                if cell is not None and cell.name == caption \
                        and cells[i + 1].description.startswith("Value of " + caption):
                    return cell, cells[i + 1]
            return None

        # A row tells its caption, value and section; the value cell offers the button.
        caption, value = wait_for("the row of Background color with the file's value",
                                  lambda: (lambda r: r if r and r[1].name == "0x112233"
                                           else None)(row("Background color")))
        check("section Chart" in caption.description and "0x112233" in caption.description,
              "caption's description: " + caption.description)
        check("Background color" in value.description, "value's description: "
              + value.description)
        RESULTS["passed"] += 1
        styled = wait_for("the title style in words", lambda: row("Title style"))
        check(styled[1].name == "3 (Bold, Italic)", "title style: " + styled[1].name)
        section = wait_for("the section row Chart", lambda: find(
            grid, lambda n: n.name == "Chart" and n.description.startswith("Section of")))
        check(section.getState().contains(pyatspi.STATE_EXPANDED), "Chart is not expanded")
        RESULTS["passed"] += 1

        # Pressing the value button through AT-SPI opens the colour popup, titled by the parameter.
        names = actions(value)
        check("Press" in names, "value cell's actions: %s" % list(names))
        check("editor" in value.queryAction().getDescription(names["Press"]),
              "the press action's description")
        value.queryAction().doAction(names["Press"])
        popup = wait_for("the colour popup", lambda: next(
            (w for w in children(app) if w is not None and w.name == "Background color"
             and w.getState().contains(pyatspi.STATE_SHOWING)), None))
        # On Linux a combo box is named by what it shows: here the colour.
        wait_for("the popup's colour control", lambda: find(
            popup, lambda n: n.name == "#112233" and n.getRole() == pyatspi.ROLE_COMBO_BOX))
        ok = wait_for("the popup's OK button", lambda: find(
            popup, lambda n: n.name == "OK" and n.getRole() == pyatspi.ROLE_PUSH_BUTTON))
        RESULTS["passed"] += 1
        ok.queryAction().doAction(actions(ok)["Press"])
        wait_for("the popup to close", lambda: not popup.getState().contains(
            pyatspi.STATE_SHOWING))
        RESULTS["passed"] += 1
    finally:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=LIMIT)
        except subprocess.TimeoutExpired:
            process.kill()


if __name__ == "__main__":
    try:
        main()
    except AssertionError as error:
        print("FAIL:", error)
        RESULTS["failed"] += 1
    print("%(passed)d passed, %(failed)d failed" % RESULTS)
    sys.exit(1 if RESULTS["failed"] else 0)

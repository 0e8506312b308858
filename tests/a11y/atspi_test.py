#!/usr/bin/python3
"""Drives Quillmar as a screen reader would: over the AT-SPI bus only.

Finds every input by its role and accessible name, fills the scale length and
the number of frets through the EditableText interface, selects the options
through their actions, presses Calculate, and reads the whole results table
back through the Table interface, spaces included. Ends the program with its
own Exit button.

Usage: atspi_test.py <path to quillmar>   (inside a D-Bus session and an X server)
"""

import os
import signal
import subprocess
import sys
import time

import pyatspi

# 25.5 inches, 12 frets, 12th root of 2, decimal inches at three places.
EXPECTED_ROWS = [
    ("1  ", "1.431", "1.431"),
    ("2  ", "2.782", "1.351"),
    ("3  ", "4.057", "1.275"),
    ("4  ", "5.261", "1.203"),
    ("5  ", "6.397", "1.136"),
    ("6  ", "7.469", "1.072"),
    ("7  ", "8.481", "1.012"),
    ("8  ", "9.436", "0.955"),
    ("9  ", "10.338", "0.902"),
    ("10  ", "11.189", "0.851"),
    ("11  ", "11.992", "0.803"),
    ("12  ", "12.750", "0.758"),
]
HEADERS = ("Fret No.", "Nut to Fret", "Fret to Fret")
GRID_ROWS = 25  # header row included

# Every input the user fills or chooses: (frame, role, accessible name).
INPUTS = [
    ("Scale Length", pyatspi.ROLE_TEXT, "Scale Length"),
    ("Scale Length", pyatspi.ROLE_TEXT, "Scale Length, whole inches"),
    ("Scale Length", pyatspi.ROLE_TEXT, "Scale Length, numerator"),
    ("Scale Length", pyatspi.ROLE_RADIO_BUTTON, "Inches - decimal"),
    ("Scale Length", pyatspi.ROLE_RADIO_BUTTON, "Inches - fraction"),
    ("Scale Length", pyatspi.ROLE_RADIO_BUTTON, "Millimeters"),
    ("Scale Length", pyatspi.ROLE_RADIO_BUTTON, "Common"),
    ("Frets", pyatspi.ROLE_TEXT, "Number of Frets"),
    ("Frets", pyatspi.ROLE_RADIO_BUTTON, "Inches - decimal"),
    ("Frets", pyatspi.ROLE_RADIO_BUTTON, "Inches - nearest 1/64\""),
    ("Frets", pyatspi.ROLE_RADIO_BUTTON, "Millimeters"),
    ("Calc Method", pyatspi.ROLE_RADIO_BUTTON, "12th Root of 2"),
    ("Calc Method", pyatspi.ROLE_RADIO_BUTTON, "17.817"),
    ("Calc Method", pyatspi.ROLE_RADIO_BUTTON, "17.835"),
    ("Calc Method", pyatspi.ROLE_RADIO_BUTTON, "Non 12-tone"),
    ("Calc Method", pyatspi.ROLE_TEXT, "Frets per octave"),
] + [("Half Frets", pyatspi.ROLE_CHECK_BOX, name)
     for name in ("0+", "1+", "3+", "4+", "6+", "7+", "8+", "10+", "11+", "13+", "14+", "15+")] + [
    (None, pyatspi.ROLE_PUSH_BUTTON, "Calculate"),
    (None, pyatspi.ROLE_PUSH_BUTTON, "Print"),
    (None, pyatspi.ROLE_PUSH_BUTTON, "Exit"),
    (None, pyatspi.ROLE_TABLE, "Fret table"),
]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)
    return condition


def wait_for(what, timeout, probe):
    """Polls probe() until it gives something true, or fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except Exception:  # the bus may not be ready yet
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError("timed out waiting for " + what)
        time.sleep(0.1)


def find_application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and (app.name or "").lower() == "quillmar":
            return app
    return None


def descendants(node, frame=None, depth=0):
    """Every accessible below node with the caption of the frame it sits in.
    Table cells and list items are left to their own interfaces."""
    if depth > 10:
        return
    for child in node:
        if child is None:
            continue
        yield child, frame
        role = child.getRole()
        if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_COMBO_BOX):
            continue
        inner = child.name if role == pyatspi.ROLE_PANEL else frame
        yield from descendants(child, inner, depth + 1)


def do_action(node, *names):
    action = node.queryAction()
    offered = [action.getName(i) for i in range(action.nActions)]
    for i, offered_name in enumerate(offered):
        if offered_name in names:
            return action.doAction(i)
    raise AssertionError("%s '%s' offers no %s action, only %s"
                         % (node.getRoleName(), node.name, "/".join(names), offered))


def states(node):
    return node.getState()


def main(binary):
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    env["QT_ACCESSIBILITY"] = "1"
    program = subprocess.Popen([binary], env=env)
    try:
        run(program)
    finally:
        if program.poll() is None:
            program.kill()
            program.wait(timeout=10)


def run(program):
    app = wait_for("Quillmar on the accessibility bus", 30, find_application)
    window = wait_for("the main window", 10, lambda: app[0] if app.childCount else None)
    check(window.name == "Quillmar 3.10", "window named %r" % window.name)

    # The start-up work must have run: ".001" checked, the summary captions set.
    def started():
        return any(node.getRole() == pyatspi.ROLE_LABEL and node.name == "Mode: Standard"
                   for node, _ in descendants(window))
    wait_for("the start-up captions", 10, started)

    found = {}
    combos = []
    for node, frame in descendants(window):
        role = node.getRole()
        if role == pyatspi.ROLE_COMBO_BOX:
            combos.append(node)
        key = (frame, role, node.name)
        if role == pyatspi.ROLE_TABLE or role == pyatspi.ROLE_PUSH_BUTTON:
            key = (None, role, node.name)
        found.setdefault(key, node)
    for key in INPUTS:
        check(key in found, "no %s named %r in %r" % (key[1], key[2], key[0]))
    # The two lists: on this platform Qt names a drop-down list after its
    # current item; the items themselves are what a reader announces.
    check(len(combos) == 2, "%d drop-down lists, expected 2" % len(combos))
    for combo in combos:
        items = [item.name for item in combo[0]] if combo.childCount else []
        check(items in (["2", "4", "8", "16", "32", "64"],
                        ['Mandolin 13 7/8"', 'Gibson - 24 3/4"', 'Martin - 24.9"', 'PRS - 25"',
                         'Martin - 25.4"', 'Fender - 25 1/2"', 'Bass (Short Scale) - 30"',
                         'Bass - 34"']),
              "a drop-down list holds %r" % items)
    if failures:
        return

    # Fill in the inputs as a reader's user would.
    scale = found[("Scale Length", pyatspi.ROLE_TEXT, "Scale Length")]
    frets = found[("Frets", pyatspi.ROLE_TEXT, "Number of Frets")]
    do_action(found[("Scale Length", pyatspi.ROLE_RADIO_BUTTON, "Inches - decimal")],
              "Press", "Toggle")
    do_action(found[("Frets", pyatspi.ROLE_RADIO_BUTTON, "Inches - decimal")], "Press", "Toggle")
    do_action(found[("Calc Method", pyatspi.ROLE_RADIO_BUTTON, "12th Root of 2")],
              "Press", "Toggle")
    scale.queryEditableText().setTextContents("25.5")
    frets.queryEditableText().setTextContents("12")
    check(scale.queryText().getText(0, -1) == "25.5", "the scale box reads back %r"
          % scale.queryText().getText(0, -1))
    check(frets.queryText().getText(0, -1) == "12", "the fret box reads back %r"
          % frets.queryText().getText(0, -1))
    for key in [("Scale Length", pyatspi.ROLE_RADIO_BUTTON, "Inches - decimal"),
                ("Frets", pyatspi.ROLE_RADIO_BUTTON, "Inches - decimal"),
                ("Calc Method", pyatspi.ROLE_RADIO_BUTTON, "12th Root of 2")]:
        check(states(found[key]).contains(pyatspi.STATE_CHECKED), "%r is not selected" % (key,))
    custom = found[("Calc Method", pyatspi.ROLE_TEXT, "Frets per octave")]
    check(not states(custom).contains(pyatspi.STATE_ENABLED),
          "frets per octave enabled with the 12th root of 2")
    # Half frets belong to Dulcimer mode: greyed in Standard.
    half = found[("Half Frets", pyatspi.ROLE_CHECK_BOX, "6+")]
    check(not states(half).contains(pyatspi.STATE_ENABLED), "half fret 6+ enabled in Standard")
    check(states(half).contains(pyatspi.STATE_CHECKED), "half fret 6+ not preset")

    do_action(found[(None, pyatspi.ROLE_PUSH_BUTTON, "Calculate")], "Press")

    table_node = found[(None, pyatspi.ROLE_TABLE, "Fret table")]
    table = table_node.queryTable()

    def first_label():
        header = table.getRowHeader(0)
        return header is not None and header.name == "1  "
    wait_for("the first row of the table", 10, first_label)

    # Data cells through the table; the header row and the label column are
    # the table's column and row headers. The corner cell ("Fret No.") is the
    # table's first child, but Qt gives that child no text: an empty name is
    # reported, a wrong one fails.
    check(table.nRows == GRID_ROWS - 1 and table.nColumns == 2,
          "the table has %d x %d data cells, expected %d x 2"
          % (table.nRows, table.nColumns, GRID_ROWS - 1))
    corner = table_node[0].name if table_node.childCount else ""
    if corner == "":
        print("note: the corner cell has no accessible text on this Qt")
    else:
        check(corner == HEADERS[0], "corner cell %r, expected %r" % (corner, HEADERS[0]))
    seen_headers = (table.getColumnHeader(0).name, table.getColumnHeader(1).name)
    check(seen_headers == HEADERS[1:], "headers %r, expected %r" % (seen_headers, HEADERS[1:]))
    for row in range(table.nRows):
        label = table.getRowHeader(row).name
        nut = table.getAccessibleAt(row, 0).name
        step = table.getAccessibleAt(row, 1).name
        expected = EXPECTED_ROWS[row] if row < len(EXPECTED_ROWS) else ("", "", "")
        check((label, nut, step) == expected,
              "row %d reads %r, expected %r" % (row + 1, (label, nut, step), expected))

    summary = [node.name for node, frame in descendants(window)
               if frame == "Settings" and node.getRole() == pyatspi.ROLE_LABEL]
    expected_summary = ["Mode: Standard", "Scale Length:  25.5 inches", "Number of Frets:  12",
                        "Display: inches", "Calc Method: 12th Root of 2"]
    check(summary == expected_summary, "summary %r, expected %r" % (summary, expected_summary))

    # Exit through its button ends the program.
    do_action(found[(None, pyatspi.ROLE_PUSH_BUTTON, "Exit")], "Press")
    try:
        program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        check(False, "the program did not end after Exit")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: atspi_test.py <quillmar binary>")
    # Never hang: the whole conversation has a deadline.
    signal.signal(signal.SIGALRM, lambda *_: (_ for _ in ()).throw(TimeoutError("deadline")))
    signal.alarm(90)
    try:
        main(sys.argv[1])
    except (TimeoutError, AssertionError) as error:
        failures.append(str(error))
        print("FAIL: %s" % error, flush=True)
    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)
    print("every input found, the table read back as expected")

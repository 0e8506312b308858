#!/usr/bin/python3
"""Quillmar as a screen reader sees it over AT-SPI, through the accessible interfaces only."""
import atexit, contextlib, os, subprocess, sys, time
try:
    import pyatspi as at
except ImportError:
    sys.exit(print("skipped: python3-pyatspi is not installed") or 77)

TEXT, RADIO, BUTTON = at.ROLE_TEXT, at.ROLE_RADIO_BUTTON, at.ROLE_PUSH_BUTTON
INPUTS = [(frame, role, name) for frame, role, names in [  # one caption may sit in two frames
    ("Scale Length", TEXT, "Scale Length|Scale Length, whole inches|Scale Length, numerator"),
    ("Frets", TEXT, "Number of Frets"), ("Calc Method", TEXT, "Frets per octave"),
    ("Scale Length", RADIO, "Inches - decimal|Inches - fraction|Millimeters|Common"),
    ("Frets", RADIO, 'Inches - decimal|Inches - nearest 1/64"|Millimeters'),
    ("Calc Method", RADIO, "12th Root of 2|17.817|17.835|Non 12-tone"),
    ("Half Frets", at.ROLE_CHECK_BOX, "0+|1+|3+|4+|6+|7+|8+|10+|11+|13+|14+|15+"),
    ("Scale Length", at.ROLE_COMBO_BOX, '2|Mandolin 13 7/8"'),  # named after the current item
    (None, BUTTON, "Calculate|Print|Exit"), (None, at.ROLE_TABLE, "Fret table")]
    for name in names.split("|")]
SCALE, WHOLE, NUMERATOR, FRETS, PER_OCTAVE = INPUTS[:5]
DIVISOR = ("Scale Length", TEXT, "divided by")
# 25.5 inches, 3 frets, 12th root of 2, three places; Qt gives the corner cell no text.
ROWS = ["|Nut to Fret|Fret to Fret", "1  |1.431|1.431", "2  |2.782|1.351", "3  |4.057|1.275"]

def wait_for(what, probe):
    for _ in range(300):
        with contextlib.suppress(Exception):  # the bus may not be ready yet
            if value := probe():
                return value
        time.sleep(0.1)
    raise TimeoutError("timed out waiting for " + what)

def run():
    app = wait_for("Quillmar on the bus", lambda: next(
        a for a in at.Registry.getDesktop(0) if a and (a.name or "").lower() == "quillmar"))
    found = wait_for("the start-up", lambda: f if ("Settings", at.ROLE_LABEL, "Mode: Standard")
                     in (f := {(n.parent.name if n.parent.getRole() == at.ROLE_PANEL else None,
                                n.getRole(), n.name): n for n in at.findAllDescendants(
                                    app[0], lambda n: n.getRole() != at.ROLE_TABLE_CELL)}) else 0)
    assert not (missing := [key for key in INPUTS if key not in found]), "missing %r" % missing
    shows = lambda key, state: found[key].getState().contains(state)
    write = lambda key, value: found[key].queryEditableText().setTextContents(value)
    def press(name):  # through the action, as a screen reader does
        action = found[next(key for key in INPUTS if key[2] == name)].queryAction()
        action.doAction(next(i for i in range(action.nActions)
                             if action.getName(i) in ("Press", "Toggle")))
    # Options not selected yet: selecting one runs its handler.
    for option, key, state, after in [("Inches - fraction", SCALE, at.STATE_SHOWING, False),
                                      ("Non 12-tone", PER_OCTAVE, at.STATE_ENABLED, True),
                                      ("12th Root of 2", PER_OCTAVE, at.STATE_ENABLED, False)]:
        press(option)
        wait_for(option + " selected", lambda: shows(key, state) == after)
    # Texts: what typing would refuse is refused whole; read-only and disabled boxes take none.
    found[NUMERATOR].queryEditableText().insertText(0, "1", 1)
    for key, value in [(WHOLE, "25"), (FRETS, "3"), (FRETS, "-5"), (FRETS, "1e50"),
                       (FRETS, "12345"), (NUMERATOR, "x"), (DIVISOR, "7"), (PER_OCTAVE, "7")]:
        write(key, value)
    texts = [found[key].queryText().getText(0, -1)
             for key in (WHOLE, NUMERATOR, FRETS, DIVISOR, PER_OCTAVE)]
    assert texts == ["25", "1", "3", " /", ""], "the boxes hold %r" % texts
    press("Calculate")
    # The header row and the label column are the table's column and row headers.
    table = found[INPUTS[-1]].queryTable()
    wait_for("the first row", lambda: table.getRowHeader(0).name == "1  ")
    cells = ["|".join([table.getRowHeader(r).name if r >= 0 else ""] + [(table.getColumnHeader(c)
             if r < 0 else table.getAccessibleAt(r, c)).name for c in range(table.nColumns)])
             for r in range(-1, table.nRows)]
    assert cells == ROWS + ["||"] * 21, "the table reads %r" % cells
    # A message box stops the window: Calculate pressed again behind it does nothing.
    boxes = lambda: [w for w in app if w and w.getRole() in (at.ROLE_ALERT, at.ROLE_DIALOG)]
    write(FRETS, "")
    press("Calculate")
    wait_for("the message box", boxes)
    press("Calculate")
    time.sleep(1)
    assert len(boxes()) == 1, "%d boxes open" % len(boxes())

if __name__ == "__main__":
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    env.pop("QT_QPA_PLATFORM", None)  # a real X client, not the offscreen one
    atexit.register(subprocess.Popen(sys.argv[1:], env=env).kill)
    run()  # a failed check or a timeout ends in a traceback with its message

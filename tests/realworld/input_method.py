#!/usr/bin/env python3
"""Drives the running calculator through a real Japanese input method (Mozc in kana mode) with
XTest key presses and mouse clicks, and reads the boxes back through the screen reader's
interface (AT-SPI). Started by input-method.sh inside the session it sets up; prints one line
per check and ends with 'N passed, N failed'."""
import os
import subprocess
import sys
import time

import pyatspi

from clipboard import hold as hold_clipboard

SHOTS = sys.argv[1] if len(sys.argv) > 1 else "."
passed = failed = 0


def app():
    for _ in range(50):
        for a in pyatspi.Registry.getDesktop(0):
            if a and a.name.lower() == "kalpeno":
                return a
        time.sleep(0.2)
    names = [a.name for a in pyatspi.Registry.getDesktop(0) if a]
    sys.exit(f"input_method.py: the program is not on the accessibility bus, only {names}")


def find(root, name):
    found = pyatspi.findDescendant(root, lambda acc: acc.name == name)
    if found is None:
        sys.exit(f"input_method.py: no control named {name}")
    return found


def text(name):
    return find(app(), name).queryText().getText(0, -1)


def lines(name):
    tape = find(app(), name)
    return [tape.getChildAtIndex(i).name for i in range(tape.childCount)]


def click(name):
    x, y, w, h = find(app(), name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"],
                   check=True)
    time.sleep(0.8)


def type_keys(keys):
    subprocess.run(["xdotool", "type", "--delay", "120", keys], check=True)
    time.sleep(0.8)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)
    time.sleep(0.8)


def shot(name):
    subprocess.run(["import", "-window", "root", f"{SHOTS}/{name}.png"], check=True)


def expect(what, got, wanted):
    global passed, failed
    if got == wanted:
        passed += 1
    else:
        failed += 1
        print(f"{what}: expected {wanted!r}, got {got!r}")


# Kana mode sends "−" for "-", "・" for "/", "。" for "." and full-width digits and operators;
# the Enter that commits the composition reaches no handler, the second completes A.
click("電卓Aの入力")
type_keys("7*6-1.5/2+987654")
shot("1-composing")
expect("A's entry while composing", text("電卓Aの入力"), "")
key("Return")
expect("A's entry after the commit", text("電卓Aの入力"), "7*6-1.5/2+987654")
key("Return")
shot("2-completed")
expect("A's total", text("電卓Aの合計"), "987,674.25")
expect("A's tape", lines("電卓Aの入力リスト"),
       ["7.", "6.", "1.5", "2.", "987,654.", "-------------", "987,674.25"])

# A composition cut short by a click into another entry box lands once, in its own box.
click("電卓Aを選ぶ")
type_keys("12+98")
click("電卓Bの入力")
shot("3-interrupted")
expect("A's entry after the focus change", text("電卓Aの入力"), "12+98")
expect("B's entry after the focus change", text("電卓Bの入力"), "")
expect("the right operand", text("計算中の右の数"), "98")

# A keypad click finishes the composition first; the calculation then goes on as typed.
click("電卓Aの入力")
type_keys("7")
click("足し算")
shot("4-keypad")
expect("A's entry after the keypad click", text("電卓Aの入力"), "12+987+")
expect("A's total after the keypad click", text("電卓Aの合計"), "999.")



def wait_for_length(name, length, seconds):
    box = find(app(), name).queryText()
    end = time.monotonic() + seconds
    while box.characterCount != length and time.monotonic() < end:
        time.sleep(0.05)
    return box.characterCount


# A calculation of 300,000 characters pasted into C: the box shows a part of it around the caret,
# and Home, Shift+End and the total are the whole calculation's.
LONG = "1234+" * 59_999 + "1234"
hold_clipboard(LONG)
click("電卓Cを選ぶ")
click("電卓Cの入力")
started = time.monotonic()
key("ctrl+v")
expect("C's entry after the long paste", wait_for_length("電卓Cの入力", len(LONG), 10), len(LONG))
print(f"the long paste was shown after {time.monotonic() - started:.1f} s (with 0.8 s of waiting)")
shot("5-long-paste")
key("Home")
entry = find(app(), "電卓Cの入力").queryText()
expect("C's caret after Home", entry.caretOffset, 0)
expect("C's text from the start", entry.getText(0, 10), LONG[:10])
key("shift+End")
shot("6-long-selected")
expect("C's selection after Shift+End", entry.getSelection(0)[:2], (0, len(LONG)))
key("End")
key("Return")
shot("7-long-completed")
expect("C's total", text("電卓Cの合計"), "74,040,000.")

print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)

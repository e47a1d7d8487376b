#!/usr/bin/env python3
"""Drives the Windows program under Wine with real X input (XTest through xdotool, and a real
clipboard owner) and reads its windows back from outside through kalpeno-window-texts.exe.
Started by windows-program.sh inside the session it sets up; prints one line per failed check
and ends with 'N passed, N failed'."""
import os
import subprocess
import sys
import time

import wine_windows
from clipboard import hold as hold_clipboard
from wine_windows import expect, wait_for, wine

BUILD, SHOTS = sys.argv[1], sys.argv[2]


def text(name, caption="Orlanvi"):
    return wine_windows.text(BUILD, name, caption)


def focus(caption="Orlanvi"):
    return (wine_windows.windows(BUILD, caption) or {}).get("focus")


def windows(caption):
    return wine_windows.windows(BUILD, caption) or {}


def shown(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                           capture_output=True, text=True).stdout.split()
    return found


def click(name, caption="Orlanvi"):
    _, (left, top, right, bottom), _ = windows(caption)[name]
    subprocess.run(["xdotool", "mousemove", str((left + right) // 2), str((top + bottom) // 2),
                    "click", "1"], check=True)
    time.sleep(0.5)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "150", *names], check=True)
    time.sleep(0.6)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "120", text], check=True)
    time.sleep(0.6)


def shot(name):
    subprocess.run(["import", "-window", "root", f"{SHOTS}/{name}.png"], check=True)


program = wine(f"{BUILD}/bin/kalpeno.exe", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
if not wait_for(lambda: shown("Orlanvi")):
    sys.exit("windows_program.py: the calculator window did not appear")
time.sleep(1.5)
shot("1-started")
expect("the focus at the start", focus(), "Text1")

# Typed into A, Enter completes it and hands the keyboard on to B.
type_text("12+3")
keys("Return")
expect("A's entry", text("Text1"), "12+3=")
expect("A's total", text("Text2"), "15.")
expect("A's tape", text("List1"), "12. | 3. | ------------- | 15.")
expect("the focus after Enter in A", focus(), "Text3")

# Clicked on B's keypad.
for button in ["Command2(6)", "Command3(2)", "Command2(5)", "cmdKotae1"]:
    click(button)
expect("B's entry", text("Text3"), "7*6=")
expect("B's total", text("Text4"), "42.")
shot("2-typed-and-clicked")

# Ctrl+3 selects C; AA recalls A's total; typed on, Enter hands on to All clear.
keys("ctrl+3")
click("Command6")
expect("C's entry after AA", text("Text5"), " 15")
click("Text5")
keys("End")
type_text("/4")
keys("Return")
expect("C's total", text("Text6"), "3.75")
expect("the focus after Enter in C", focus(), "Command9")
shot("3-recalled")

# CC while C is active: the message box, closed with Enter (its OK button).
keys("ctrl+3")
click("Command8")
expect("the message box", wait_for(lambda: shown("Kalpeno")), True)
shot("4-message-box")
keys("Return")
expect("the message box closed", wait_for(lambda: not shown("Kalpeno")), True)

# The colour menu from the keyboard: F10, to 背景色, its first item 白.
keys("F10", "Right", "Right", "Right", "Return", "Return")
shot("5-white")

# F10 to Help and back with its own menu; F10 to Version and back with 戻る.
keys("F10", "Right", "Right", "Return")
expect("the Help window", wait_for(lambda: shown("Help")), True)
time.sleep(1)
shot("6-help")
expect("the Help text", (text("Text1", "Help") or "").startswith("Kalpeno 電卓の使い方"), True)
keys("F10", "Return")
expect("the Help window closed", wait_for(lambda: not shown("Help")), True)
keys("F10", "Right", "Return")
expect("the Version window", wait_for(lambda: shown("Version 情報")), True)
time.sleep(1)
shot("7-version")
click("Command1", "Version 情報")
expect("the Version window closed", wait_for(lambda: not shown("Version 情報")), True)

# A paste from a real clipboard owner into A, through the key rules.
hold_clipboard("1+2+3")
keys("ctrl+1")
keys("ctrl+v")
keys("Return")
expect("A's entry after the paste", text("Text1"), "1+2+3=")
expect("A's total after the paste", text("Text2"), "6.")
shot("8-pasted")

# The mouse resting on A's letter: its tooltip names it and its key.
_, (left, top, right, bottom), _ = windows("Orlanvi")["Image1"]
subprocess.run(["xdotool", "mousemove", str((left + right) // 2), str((top + bottom) // 2)],
               check=True)
time.sleep(0.3)
subprocess.run(["xdotool", "mousemove_relative", "2", "2"], check=True)
time.sleep(2)
shot("9-tooltip")

# 電卓の終了 ends the program.
keys("F10", "Return")
expect("the program ended", wait_for(lambda: program.poll() is not None), True)

sys.exit(wine_windows.summary())

#!/usr/bin/env python3
"""Drives the Windows installer, the program it installs and the uninstaller under Wine with
real X input (XTest through xdotool) on a Wine desktop with its taskbar; reads the program's
windows back from outside. Started by windows-installer.sh inside the session it sets up;
prints one line per failed check and ends with 'N passed, N failed'."""
import glob
import os
import subprocess
import sys
import time

import wine_windows
from wine_windows import expect, wait_for, wine

PACKAGE, BUILD, SHOTS = os.environ["PACKAGE"], os.environ["BUILD"], os.environ["SHOTS"]
FOLDER = f"{os.environ['WINEPREFIX']}/drive_c/Program Files/Kalpeno"


def shot(name):
    subprocess.run(["import", "-window", "root", f"{SHOTS}/{name}.png"], check=True)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "200", *names], check=True)
    time.sleep(1.5)


def click(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
    time.sleep(1.5)


def calculators():
    return wine_windows.windows(BUILD, "Orlanvi") is not None


setup = glob.glob(f"{PACKAGE}/Kalpeno-*-setup.exe")[0]
installer = wine(setup, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(6)
shot("1-install-mode")       # per machine or per user
keys("Return")
shot("2-folder")             # Program Files\Kalpeno
keys("Return")
time.sleep(3)
shot("3-finished")           # with "Kalpeno を実行" ticked
keys("Return")
expect("the installer ended", wait_for(lambda: installer.poll() is not None), True)
expect("the program started by the installer", wait_for(calculators, 30), True)
time.sleep(1.5)
shot("4-program")
expect("the installed files", sorted(os.listdir(FOLDER)),
       ["Help.txt", "kalpeno.exe", "uninstall.exe"])

# The Start menu, while the program's window keeps the desktop's taskbar.
click(35, 758)
shot("5-start-menu")
subprocess.run(["xdotool", "mousemove", "60", "693"], check=True)
time.sleep(1.5)
shot("6-start-menu-programs")  # Programs, and Kalpeno in it
click(178, 693)
time.sleep(2)
shot("7-from-start-menu")      # a second calculator window, in front

# Both calculators end with their menu's 電卓の終了; then the uninstaller's pages.
keys("F10", "Return")
click(300, 11)  # the other one's title bar
keys("F10", "Return")
expect("both programs ended", wait_for(lambda: not calculators(), 20), True)
uninstaller = wine(f"{FOLDER}/uninstall.exe", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(5)
shot("8-uninstall")
keys("Return")
time.sleep(3)
shot("9-uninstalled")
keys("Return")
expect("the folder removed", wait_for(lambda: not os.path.exists(FOLDER), 30), True)

sys.exit(wine_windows.summary())

#!/usr/bin/env python3
"""The installer and the zip under Wine as a user meets them, in check-windows-package.sh's
session. Prints each failed check and 'N passed, N failed'."""
import glob
import os
import pwd
import shlex
import subprocess
import sys
import time
import zipfile

from Xlib import XK, X, display
from Xlib.ext import xtest

import wine_windows
from wine_windows import ENV, expect, wait_for, wine

PACKAGE, BUILD, ROOT, WORK = (os.environ[n] for n in ("PACKAGE", "BUILD", "ROOT", "WORK"))
DRIVE_C = os.environ["WINEPREFIX"] + "/drive_c"
SETUP = glob.glob(f"{PACKAGE}/Kalpeno-*-setup.exe")[0]
VERSION = os.path.basename(SETUP)[len("Kalpeno-"):-len("-setup.exe")]
KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalpeno"
TARGET = r"C:\Program Files\Kalpeno\kalpeno.exe"
FOLDER = f"{DRIVE_C}/Program Files/Kalpeno"
LINK = f"{DRIVE_C}/ProgramData/Microsoft/Windows/Start Menu/Programs/Kalpeno.lnk"
USER_PROGRAMS = f"users/{pwd.getpwuid(os.getuid()).pw_name}/AppData/Local/Programs"
HELP_TEXT = open(f"{ROOT}/data/Help.utf8.txt", encoding="utf-8").read().replace("\r\n", "\n")
x = display.Display()


def run(*args):
    return subprocess.run(["wine", *args], env=ENV, capture_output=True, timeout=120).returncode


def registry(root, name):
    """A value of the uninstall entry (reg.exe writes the ANSI code page), or None."""
    out = subprocess.run(["wine", "reg", "query", f"{root}\\{KEY}", "/v", name], env=ENV,
                         capture_output=True, encoding="cp932", errors="replace").stdout
    for parts in (line.split(None, 2) for line in out.splitlines()):
        if len(parts) == 3 and parts[0] == name:
            return int(parts[2], 16) if parts[1] == "REG_DWORD" else parts[2]
    return None


def same(path, built):
    return open(path, "rb").read() == open(f"{PACKAGE}/bin/{built}", "rb").read()


def press(*names):
    for name in names:
        code = x.keysym_to_keycode(XK.string_to_keysym(name))
        xtest.fake_input(x, X.KeyPress, code)
        xtest.fake_input(x, X.KeyRelease, code)
        x.sync()
        time.sleep(0.3)


def files():
    """Drive C's files and folders, the temporary ones left out."""
    return {os.path.relpath(os.path.join(d, n), DRIVE_C) for d, ds, fs in os.walk(DRIVE_C)
            if "/temp" not in d.lower() for n in ds + fs}


def shown(caption):
    return wine_windows.windows(BUILD, caption) is not None


def help_through_the_menu(program, what):
    started = wine(program, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if wait_for(lambda: shown("Orlanvi"), 30):
        time.sleep(1.5)
        press("F10", "Right", "Right", "Return")  # 電卓の終了, 情報, ヘルプ
        wait_for(lambda: shown("Help"))
        time.sleep(0.5)
        text = (wine_windows.text(BUILD, "Text1", "Help") or "").replace("\r\n", "\n")
        expect(f"{what}: the Help text", text, HELP_TEXT)
        press("F10", "Return")  # the Help window's own menu closes it
        wait_for(lambda: not shown("Help"))
        press("F10", "Return")  # 電卓の終了
    expect(f"{what}: the program ended", wait_for(lambda: started.poll() is not None), True)
    started.kill()


def uninstall(root, folder, what):
    """As the list of programs runs it; the uninstaller copies itself away and returns at once."""
    command = shlex.split(registry(root, "QuietUninstallString") or "x", posix=False)
    run(command[0].strip('"'), *command[1:])
    expect(f"{what}: the folder removed", wait_for(lambda: not os.path.exists(folder), 60), True)
    expect(f"{what}: the entry removed", registry(root, "DisplayName"), None)
    expect(f"{what}: what is left", sorted(files() - before - {USER_PROGRAMS}), [])


before = files()
expect("the silent install", run(SETUP, "/S"), 0)
expect("the files", sorted(os.listdir(FOLDER)), ["Help.txt", "kalpeno.exe", "uninstall.exe"])
expect("the program and Help.txt as built",
       same(f"{FOLDER}/kalpeno.exe", "kalpeno.exe") and same(f"{FOLDER}/Help.txt", "Help.txt"), True)
for name, wanted in [("DisplayName", "Kalpeno"), ("DisplayVersion", VERSION),
                     ("Publisher", "Kalpeno 開発チーム"), ("DisplayIcon", TARGET + ",0"),
                     ("EstimatedSize", sum(os.path.getsize(f"{FOLDER}/{n}")
                                           for n in os.listdir(FOLDER)) // 1024)]:
    expect(f"the entry's {name}", registry("HKLM", name), wanted)
link = open(LINK, "rb").read() if os.path.exists(LINK) else b""
expect("the shortcut's target", TARGET.encode("cp932") + b"\0" in link, True)
expect("its description", "三つの電卓を並べて、計算の順番と結果を記録します".encode("utf-16-le") in link, True)
help_through_the_menu(TARGET, "installed")

# Over an earlier version: its entry and a changed file are replaced.
run("reg", "add", f"HKLM\\{KEY}", "/v", "DisplayVersion", "/d", "0.9", "/f")
open(f"{FOLDER}/Help.txt", "wb").write(b"old")
expect("the install over it", run(SETUP, "/S"), 0)
expect("then the version", registry("HKLM", "DisplayVersion"), VERSION)
expect("then Help.txt", same(f"{FOLDER}/Help.txt", "Help.txt"), True)
uninstall("HKLM", FOLDER, "per machine")
expect("the shortcut removed", os.path.exists(LINK), False)

# Per user: the user's own programs folder (the system's, which stays) and entry.
expect("the per-user install", run(SETUP, "/S", "/CurrentUser"), 0)
location = registry("HKCU", "InstallLocation") or "?"
expect("its folder", location.lower().endswith(r"\appdata\local\programs\kalpeno"), True)
uninstall("HKCU", f"{DRIVE_C}/{USER_PROGRAMS}/Kalpeno", "per user")

# The zip, unpacked into a folder with a Japanese name, runs from there and finds its Help.
with zipfile.ZipFile(glob.glob(f"{PACKAGE}/Kalpeno-*-win64.zip")[0]) as unpacked:
    unpacked.extractall(f"{WORK}/電卓 テスト")
inside = f"{WORK}/電卓 テスト/Kalpeno-{VERSION}-win64"
expect("the zip's files", sorted(os.listdir(inside)), ["Help.txt", "kalpeno.exe", "readme.txt"])
help_through_the_menu(f"{inside}/kalpeno.exe", "from the zip")
sys.exit(wine_windows.summary())

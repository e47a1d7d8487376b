#!/usr/bin/env python3
"""The installer and the zip under Wine, as a user meets them: a silent install per machine, its
files, uninstall entry and Start-menu shortcut; the program started from the shortcut's target,
its Help opened through the menu with real keys (XTest) and compared with the source; an install
over an earlier one; the silent uninstall as the system's list of programs would run it, leaving
the prefix as it was; a per-user install; the zip unpacked into a folder with a Japanese name and
run from there. Run by check-windows-package.sh in the session it sets up; prints one line per
failed check and ends with 'N passed, N failed'."""
import glob
import os
import pwd
import shlex
import shutil
import struct
import subprocess
import sys
import time
import zipfile

from Xlib import XK, X, display
from Xlib.ext import xtest

import wine_windows
from wine_windows import ENV, expect, wait_for, wine

PACKAGE, BUILD, ROOT, WORK = (os.environ[n] for n in ("PACKAGE", "BUILD", "ROOT", "WORK"))
PREFIX = os.environ["WINEPREFIX"]
DRIVE_C = f"{PREFIX}/drive_c"
SETUP = glob.glob(f"{PACKAGE}/Kalpeno-*-setup.exe")[0]
VERSION = os.path.basename(SETUP)[len("Kalpeno-"):-len("-setup.exe")]
KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalpeno"
PUBLISHER = "Kalpeno 開発チーム"
USER = pwd.getpwuid(os.getuid()).pw_name  # Wine's user folder
with open(f"{ROOT}/data/Help.utf8.txt", encoding="utf-8") as source:
    HELP_TEXT = source.read().replace("\r\n", "\n").rstrip("\n")
x = display.Display()


def run(*args):
    return subprocess.run(["wine", *args], env=ENV, capture_output=True, timeout=120).returncode


def unix(path):
    """A Windows path of the prefix as a path of this machine."""
    out = subprocess.run(["winepath", "-u", path], env=ENV, capture_output=True, text=True)
    return out.stdout.strip()


def registry(root, name):
    """A value of the uninstall entry, or None; REG_DWORD as an int."""
    # reg.exe writes to a pipe in the ANSI code page
    out = subprocess.run(["wine", "reg", "query", f"{root}\\{KEY}", "/v", name], env=ENV,
                         capture_output=True, text=True, encoding="cp932", errors="replace").stdout
    for line in out.replace("\r", "").splitlines():
        parts = line.split(None, 2)
        if len(parts) >= 2 and parts[0] == name and parts[1].startswith("REG_"):
            value = parts[2] if len(parts) == 3 else ""
            return int(value, 16) if parts[1] == "REG_DWORD" else value
    return None


def shortcut(path):
    """The target and the description of a shell link (.lnk)."""
    data = open(path, "rb").read()
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at, target, description = 0x4C, None, None
    if flags & 0x1:  # an ID list
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & 0x2:  # link information: the local path
        size, header, _, _, local = struct.unpack_from("<IIIII", data, at)
        if header >= 0x24:
            start = at + struct.unpack_from("<I", data, at + 0x1C)[0]
            target = data[start:data.index(b"\0\0", start) + 1].decode("utf-16-le").rstrip("\0")
        else:
            target = data[at + local:data.index(b"\0", at + local)].decode("cp932")
        at += size
    if flags & 0x4:  # the description, in UTF-16 where the link is Unicode
        count = struct.unpack_from("<H", data, at)[0]
        description = data[at + 2:at + 2 + 2 * count].decode("utf-16-le").rstrip("\0")
    return target, description


def press(*names):
    for name in names:
        code = x.keysym_to_keycode(XK.string_to_keysym(name))
        xtest.fake_input(x, X.KeyPress, code)
        xtest.fake_input(x, X.KeyRelease, code)
        x.sync()
        time.sleep(0.3)


def files():
    """Every file and folder of the prefix's drive C, but the temporary ones."""
    found = set()
    for folder, names, others in os.walk(DRIVE_C):
        relative = os.path.relpath(folder, DRIVE_C)
        if "/temp" in relative.lower() or relative.lower().startswith("windows/temp"):
            continue
        found.update(os.path.join(relative, n) for n in names + others)
    return found


def help_through_the_menu(program, what):
    """Starts the program, opens Help with F10 and the menu, compares its text, and ends it."""
    started = wine(program, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shown = wait_for(lambda: wine_windows.windows(BUILD, "Orlanvi") is not None, 30)
    expect(f"{what}: the calculator window", shown, True)
    if not shown:
        started.kill()
        return
    time.sleep(1.5)
    press("F10", "Right", "Right", "Return")  # 電卓の終了, 情報, ヘルプ
    expect(f"{what}: the Help window",
           wait_for(lambda: wine_windows.windows(BUILD, "Help") is not None), True)
    time.sleep(0.5)
    shown_text = (wine_windows.text(BUILD, "Text1", "Help") or "").replace("\r\n", "\n")
    expect(f"{what}: the Help text", shown_text.rstrip("\n"), HELP_TEXT)
    press("F10", "Return")  # the Help window's own menu closes it
    wait_for(lambda: wine_windows.windows(BUILD, "Help") is None)
    press("F10", "Return")  # 電卓の終了
    expect(f"{what}: the program ended", wait_for(lambda: started.poll() is not None), True)
    if started.poll() is None:
        started.kill()


def uninstall(root, folder, what):
    """The entry's silent uninstall, as the list of programs runs it; the uninstaller copies
    itself away and returns at once, so the folder's going is waited for."""
    command = shlex.split(registry(root, "QuietUninstallString") or "", posix=False)
    expect(f"{what}: the silent uninstall command", len(command) >= 2, True)
    if command:
        run(command[0].strip('"'), *command[1:])
    expect(f"{what}: the folder removed", wait_for(lambda: not os.path.exists(folder), 60), True)
    expect(f"{what}: the uninstall entry removed", registry(root, "DisplayName"), None)


before = files()
program_files = unix(r"C:\Program Files\Kalpeno")

# Per machine, silently: the files, the entry, the shortcut.
expect("the silent install", run(SETUP, "/S"), 0)
expect("the installed files", sorted(os.listdir(program_files)) if os.path.isdir(program_files)
       else None, ["Help.txt", "kalpeno.exe", "uninstall.exe"])
for name in ("kalpeno.exe", "Help.txt"):
    with open(f"{program_files}/{name}", "rb") as a, open(f"{PACKAGE}/bin/{name}", "rb") as b:
        expect(f"the installed {name}", a.read() == b.read(), True)
for name, wanted in [("DisplayName", "Kalpeno"), ("DisplayVersion", VERSION),
                     ("Publisher", PUBLISHER), ("DisplayIcon", r"C:\Program Files\Kalpeno\kalpeno.exe,0"),
                     ("InstallLocation", r"C:\Program Files\Kalpeno")]:
    expect(f"the entry's {name}", registry("HKLM", name), wanted)
size = registry("HKLM", "EstimatedSize") or 0
expect("the entry's EstimatedSize in KiB",
       abs(size - os.path.getsize(f"{program_files}/kalpeno.exe") // 1024) < 200, True)
link = unix(r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Kalpeno.lnk")
target, description = shortcut(link) if os.path.exists(link) else (None, None)
expect("the shortcut's target", target, r"C:\Program Files\Kalpeno\kalpeno.exe")
expect("the shortcut's description", description, "三つの電卓を並べて、計算の順番と結果を記録します")

# The program from the shortcut's target, its Help through the menu.
help_through_the_menu(target or r"C:\Program Files\Kalpeno\kalpeno.exe", "installed")

# Over an earlier version: an older entry and a changed file are replaced, one entry stays.
subprocess.run(["wine", "reg", "add", f"HKLM\\{KEY}", "/v", "DisplayVersion", "/d", "0.9", "/f"],
               env=ENV, capture_output=True)
with open(f"{program_files}/Help.txt", "wb") as stale:
    stale.write(b"old")
expect("the install over it", run(SETUP, "/S"), 0)
expect("the version after it", registry("HKLM", "DisplayVersion"), VERSION)
with open(f"{program_files}/Help.txt", "rb") as a, open(f"{PACKAGE}/bin/Help.txt", "rb") as b:
    expect("Help.txt after it", a.read() == b.read(), True)

uninstall("HKLM", program_files, "per machine")
expect("the shortcut removed", os.path.exists(link), False)
expect("what is left of the install", sorted(files() - before), [])

# Per user, without administrator rights: the user's own programs folder and entry.
expect("the per-user install", run(SETUP, "/S", "/CurrentUser"), 0)
location = registry("HKCU", "InstallLocation") or ""
expect("the per-user folder", location.lower().endswith(r"\appdata\local\programs\kalpeno"), True)
expect("no per-machine entry for it", registry("HKLM", "DisplayName"), None)
uninstall("HKCU", unix(location) if location else "/nonexistent", "per user")
# The user's programs folder is the system's (FOLDERID_UserProgramFiles): a fresh prefix has
# none until an installer makes it, and it stays.
expect("what is left of the per-user install",
       sorted(files() - before - {f"users/{USER}/AppData/Local/Programs"}), [])

# The zip, unpacked into a folder with a Japanese name, runs from there and finds its Help.
folder = f"{WORK}/電卓 テスト"
os.makedirs(folder)
archive = glob.glob(f"{PACKAGE}/Kalpeno-*-win64.zip")[0]
with zipfile.ZipFile(archive) as unpacked:
    unpacked.extractall(folder)
inside = f"{folder}/Kalpeno-{VERSION}-win64"
expect("the zip's files", sorted(os.listdir(inside)), ["Help.txt", "kalpeno.exe", "readme.txt"])
help_through_the_menu(f"{inside}/kalpeno.exe", "from the zip")
shutil.rmtree(folder)

sys.exit(wine_windows.summary())

"""The Windows program's windows under Wine, read from outside as any program may, through
kalpeno-window-texts.exe of the Windows build; and the checks' tally. Shared by the real-input
check (windows_program.py) and the installer's check (tests/windows-package)."""
import os
import subprocess
import time

ENV = dict(os.environ, LOCPATH=os.environ["WINEPREFIX"] + "-locale", LANG="ja_JP.UTF-8",
           LC_ALL="ja_JP.UTF-8")
tally = {"passed": 0, "failed": 0}


def wine(*args, **kwargs):
    return subprocess.Popen(["wine", *args], env=ENV, **kwargs)


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def windows(build, caption):
    """What each control of the window shows: name -> (visible, (l, t, r, b), text); None when
    no window has the caption."""
    run = subprocess.run(["wine", f"{build}/bin/kalpeno-window-texts.exe", caption], env=ENV,
                         capture_output=True, text=True, encoding="utf-8")
    if run.returncode != 0:
        return None
    controls = {}
    for line in run.stdout.replace("\r", "").splitlines():
        parts = line.split("\t")
        if parts[0] == "focus" and len(parts) == 2:
            controls["focus"] = parts[1]
        elif len(parts) == 4:
            place = tuple(int(n) for n in parts[2].split(","))
            controls[parts[0]] = (parts[1] == "1", place, unescape(parts[3]))
    return controls


def text(build, name, caption):
    return (windows(build, caption) or {}).get(name, (False, (0, 0, 0, 0), None))[2]


def wait_for(what, seconds=15):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if what():
            return True
        time.sleep(0.2)
    return False


def expect(what, got, wanted):
    if got == wanted:
        tally["passed"] += 1
    else:
        tally["failed"] += 1
        print(f"{what}: expected {wanted!r}, got {got!r}", flush=True)


def summary():
    print(f"{tally['passed']} passed, {tally['failed']} failed")
    return 1 if tally["failed"] else 0

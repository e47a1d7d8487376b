"""The X server the program runs on: an Xvfb of its own (a free display number, chosen by the
server itself) with openbox as the window manager, so that windows get frames, close boxes and
title bars as on a desktop. Openbox gets a configuration of its own: the frame's buttons and
title bar, Alt+F4, and nothing that could start another program (no root menu). Its double-click
time is shorter than the time between two events, so that only a double click is one."""

import os
import subprocess
import tempfile
import time

OPENBOX_CONFIG = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy></placement>
  <theme><titleLayout>NLMC</titleLayout></theme>
  <desktops><number>1</number></desktops>
  <keyboard>
    <keybind key="A-F4"><action name="Close"/></keybind>
  </keyboard>
  <mouse>
    <dragThreshold>8</dragThreshold>
    <doubleClickTime>30</doubleClickTime>
    <context name="Frame">
      <mousebind button="A-Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Titlebar">
      <mousebind button="Left" action="Drag"><action name="Move"/></mousebind>
      <mousebind button="Left" action="DoubleClick"><action name="ToggleMaximize"/></mousebind>
    </context>
    <context name="Titlebar Top Right Bottom Left TLCorner TRCorner BRCorner BLCorner">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Right" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Client">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Middle" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Right" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Close">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Left" action="Click"><action name="Close"/></mousebind>
    </context>
    <context name="Maximize">
      <mousebind button="Left" action="Click"><action name="ToggleMaximize"/></mousebind>
    </context>
  </mouse>
</openbox_config>
"""

WIDTH, HEIGHT = 1280, 1024


class Screen:
    """Starts Xvfb and openbox; `display` is the DISPLAY value for the clients."""

    def __init__(self):
        self.folder = tempfile.TemporaryDirectory(prefix="kalpeno-monkey-")
        self.display = None
        self._server = None
        self._manager = None

    def start(self):
        read_end, write_end = os.pipe()
        self.server_log = os.path.join(self.folder.name, "Xvfb.log")
        with open(self.server_log, "wb") as log:
            self._server = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{WIDTH}x{HEIGHT}x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=log, stderr=subprocess.STDOUT)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        config = os.path.join(self.folder.name, "rc.xml")
        with open(config, "w", encoding="utf-8") as out:
            out.write(OPENBOX_CONFIG)
        env = dict(os.environ, DISPLAY=self.display)
        self._manager = subprocess.Popen(
            ["openbox", "--config-file", config, "--sm-disable"], env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_for_manager(self, display, timeout=10.0):
        """Waits until openbox has taken the screen (it names itself on the root window)."""
        atom = display.intern_atom("_NET_SUPPORTING_WM_CHECK")
        root = display.screen().root
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if root.get_full_property(atom, 0) is not None:
                return
            if self._manager.poll() is not None:
                break
            time.sleep(0.02)
        raise RuntimeError("openbox did not start")

    def server_state(self):
        """Whether the server runs, and the end of what it wrote."""
        with open(self.server_log, "rb") as log:
            tail = log.read().decode("utf-8", "replace").strip().splitlines()[-10:]
        state = "running" if self._server.poll() is None else f"ended ({self._server.poll()})"
        return "\n".join([f"Xvfb {state}"] + tail)

    def stop(self):
        for process in (self._manager, self._server):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.folder.cleanup()

"""The program under test: one process at a time, started in the monkey's session with its
output in a log file, its CPU time read from /proc (nanoseconds, summed over its threads), its
windows found through the window manager's client list and the override-redirect windows
(menus, context menus) that carry its process id."""

import os
import re
import signal
import subprocess

from Xlib import X
from Xlib.error import XError

# What a sanitizer or a fatal Qt message writes; any of it in the log is a failure.
REPORT = re.compile(r"ERROR: (Address|Leak|Undefined)Sanitizer|runtime error:|"
                    r"SUMMARY: \w+Sanitizer|QFATAL|Fatal:|X server connection", re.IGNORECASE)
XCB_ERROR = re.compile(r"XCB error", re.IGNORECASE)


def describe_status(status):
    if status is None:
        return "running"
    if status < 0:
        try:
            return f"killed by {signal.Signals(-status).name}"
        except ValueError:
            return f"killed by signal {-status}"
    return f"exit status {status}"


class Window:
    """A shown window of the program: its frame's rectangle on the screen (the whole window for
    a menu), the client window inside, and what it is."""

    def __init__(self, client, frame, title, managed, has_menu_bar):
        self.client = client
        self.x, self.y, self.width, self.height = frame
        self.title = title
        self.managed = managed
        self.has_menu_bar = has_menu_bar
        self.client_x = self.client_y = 0  # the client's offset inside the frame

    def name(self):
        return self.title if self.managed else "menu"


class Program:
    def __init__(self, path, env, log_folder):
        self.path = path
        self.env = dict(env, QT_QPA_PLATFORM="xcb")
        self.log_folder = log_folder
        self.process = None
        self.log_path = None
        self.starts = 0
        self._log = None

    def start(self):
        self.starts += 1
        self.log_path = os.path.join(self.log_folder, f"program-{self.starts}.log")
        self._log = open(self.log_path, "wb")
        self.process = subprocess.Popen([self.path], env=self.env, stdin=subprocess.DEVNULL,
                                        stdout=self._log, stderr=subprocess.STDOUT,
                                        cwd=os.path.dirname(self.path))
        return self.process.pid

    @property
    def pid(self):
        return self.process.pid if self.process else None

    def status(self):
        return self.process.poll() if self.process else None

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()

    def finish_log(self):
        if self._log:
            self._log.close()
            self._log = None

    def log_text(self):
        if not self.log_path:
            return ""
        with open(self.log_path, "rb") as log:
            return log.read().decode("utf-8", "replace")

    def report_in_log(self):
        """The first lines of a sanitizer's or a fatal report in the log, if any."""
        lines = self.log_text().splitlines()
        for index, line in enumerate(lines):
            if REPORT.search(line):
                return "\n".join(lines[index:index + 30])
        return None

    def xcb_errors(self):
        return sum(1 for line in self.log_text().splitlines() if XCB_ERROR.search(line))

    def cpu_ns(self):
        """CPU time of all threads so far, in nanoseconds (0 once the process is gone)."""
        total = 0
        try:
            tasks = os.listdir(f"/proc/{self.pid}/task")
        except OSError:
            return 0
        for task in tasks:
            try:
                with open(f"/proc/{self.pid}/task/{task}/schedstat", "rb") as stat:
                    total += int(stat.read().split()[0])
            except (OSError, ValueError, IndexError):
                pass
        return total


class WindowFinder:
    """The program's shown windows, in an order that does not depend on timing: the managed ones
    by title, then the menus by place (the stacking order changes with each activation, which
    may come a little earlier or later)."""

    def __init__(self, display):
        self.display = display
        self.root = display.screen().root
        atom = display.intern_atom
        self.pid_atom = atom("_NET_WM_PID")
        self.client_list = atom("_NET_CLIENT_LIST")
        self.extents = atom("_NET_FRAME_EXTENTS")
        self.name_atom = atom("_NET_WM_NAME")
        self.utf8 = atom("UTF8_STRING")

    def windows(self, pid):
        for _ in range(5):
            try:
                return self._windows(pid)
            except XError:
                pass  # a window went while it was being looked at: look again
        return []

    def _windows(self, pid):
        found = []
        clients = self.root.get_full_property(self.client_list, X.AnyPropertyType)
        for client_id in (clients.value if clients else []):
            window = self._managed(self.display.create_resource_object("window", client_id), pid)
            if window:
                found.append(window)
        for child in self.root.query_tree().children:
            window = self._override_redirect(child, pid)
            if window:
                found.append(window)
        found.sort(key=lambda w: (not w.managed, w.title, w.x, w.y, w.width, w.height))
        return found

    def _pid_of(self, window):
        prop = window.get_full_property(self.pid_atom, X.AnyPropertyType)
        return prop.value[0] if prop and len(prop.value) else None

    def _managed(self, client, pid):
        if self._pid_of(client) != pid:
            return None
        attributes = client.get_attributes()
        if attributes.map_state != X.IsViewable:
            return None
        geometry = client.get_geometry()
        origin = self.root.translate_coords(client, 0, 0)
        extents = client.get_full_property(self.extents, X.AnyPropertyType)
        left, right, top, bottom = extents.value if extents else (0, 0, 0, 0)
        name = client.get_full_property(self.name_atom, self.utf8)
        title = name.value.decode("utf-8", "replace") if name else ""
        frame = (origin.x - left, origin.y - top, geometry.width + left + right,
                 geometry.height + top + bottom)
        window = Window(client, frame, title, True, has_menu_bar=title in MENU_WINDOWS)
        window.client_x, window.client_y = left, top
        return window

    def _override_redirect(self, child, pid):
        attributes = child.get_attributes()
        if not attributes.override_redirect or attributes.map_state != X.IsViewable:
            return None
        if self._pid_of(child) != pid:
            return None
        geometry = child.get_geometry()
        return Window(child, (geometry.x, geometry.y, geometry.width, geometry.height), "menu",
                      False, False)


# Window titles of the forms that have a menu bar: the calculator and the Help window.
MENU_WINDOWS = {"Orlanvi", "Help"}

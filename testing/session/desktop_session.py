"""A desktop session of its own for a program under test, as a user's login gives one: an X
server on a display the server picks itself (Xvfb -displayfd: the machine is shared, so no
number is fixed or guessed), a D-Bus session bus, a home folder and a runtime folder, and on
request a window manager (openbox). Nothing of the caller's session leaks in: its DISPLAY, bus,
runtime folder and home are dropped from the environment the session hands on. Every process
the session started is ended when it stops, and its folder is removed.

As a library (the monkey): DesktopSession().start(), .env(), .stop().
As a command (the shell tests, the benchmarks, the input-method check):

    desktop-session [--window-manager] [--screen WxHxD] [--home DIR] [--no-display] -- CMD...

runs CMD in the session and exits with its status; whatever CMD left running in its process
group is ended with it."""

import argparse
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# What a caller's own desktop session puts into the environment; none of it may reach the
# program under test.
CALLER_SESSION = ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS",
                  "AT_SPI_BUS_ADDRESS", "SESSION_MANAGER", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME",
                  "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_SESSION_TYPE",
                  "XDG_CURRENT_DESKTOP", "XDG_SESSION_ID", "XDG_SEAT", "XDG_VTNR",
                  "GTK_IM_MODULE", "QT_IM_MODULE", "XMODIFIERS", "HOME")


def _read_line(fd, process, what, timeout=20.0):
    """The first line written to fd by process, which prints it once it is ready."""
    deadline = time.monotonic() + timeout
    data = b""
    while b"\n" not in data:
        remaining = deadline - time.monotonic()
        if remaining <= 0 or process.poll() is not None:
            raise RuntimeError(f"{what} did not start")
        ready, _, _ = select.select([fd], [], [], min(remaining, 0.1))
        if ready:
            chunk = os.read(fd, 4096)
            if not chunk:
                raise RuntimeError(f"{what} did not start")
            data += chunk
    return data.split(b"\n", 1)[0].decode().strip()


class DesktopSession:
    def __init__(self, screen="1280x1024x24", window_manager=False, openbox_config=None,
                 home=None, display=True):
        self.screen = screen
        self.window_manager = window_manager or openbox_config is not None
        self.openbox_config = openbox_config
        self.display_wanted = display
        self.folder = tempfile.mkdtemp(prefix="kalpeno-session-")
        os.chmod(self.folder, 0o755)  # readable by another user the caller runs as (nobody)
        self.home = home or os.path.join(self.folder, "home")
        self.runtime = os.path.join(self.folder, "runtime")
        os.makedirs(self.home, exist_ok=True)
        os.makedirs(self.runtime, mode=0o700)
        self.display = None
        self.bus = None
        self.server_log = os.path.join(self.folder, "Xvfb.log")
        self._processes = []  # started here, ended in reverse order
        self._server = self._manager = None

    def start(self):
        try:
            if self.display_wanted:
                self._start_server()
            self._start_bus()
            if self.window_manager and self.display_wanted:
                self._start_manager()
        except BaseException:
            self.stop()
            raise
        return self

    def _spawn(self, args, log=None, **kwargs):
        out = open(log, "wb") if log else subprocess.DEVNULL
        try:
            process = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=subprocess.STDOUT, **kwargs)
        finally:
            if log:
                out.close()
        self._processes.append(process)
        return process

    def _start_server(self):
        read_end, write_end = os.pipe()
        try:
            self._server = self._spawn(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen,
                 "-nolisten", "tcp", "-noreset"], log=self.server_log, pass_fds=(write_end,))
            os.close(write_end)
            write_end = None
            self.display = ":" + _read_line(read_end, self._server, "Xvfb")
        finally:
            if write_end is not None:
                os.close(write_end)
            os.close(read_end)

    def _start_bus(self):
        read_end, write_end = os.pipe()
        try:
            bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--nosyslog",
                               f"--print-address={write_end}"],
                              log=os.path.join(self.folder, "dbus.log"), pass_fds=(write_end,),
                              env=self._base_env())
            os.close(write_end)
            write_end = None
            self.bus = _read_line(read_end, bus, "the session bus")
        finally:
            if write_end is not None:
                os.close(write_end)
            os.close(read_end)

    def _start_manager(self):
        args = ["openbox", "--sm-disable"]
        if self.openbox_config is not None:
            config = os.path.join(self.folder, "rc.xml")
            with open(config, "w", encoding="utf-8") as out:
                out.write(self.openbox_config)
            args += ["--config-file", config]
        self._manager = self._spawn(args, log=os.path.join(self.folder, "openbox.log"),
                                    env=self.env())
        self._wait_for_manager()

    def _wait_for_manager(self, timeout=10.0):
        """Until openbox has taken the screen: it names itself on the root window."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self._manager.poll() is not None:
                break
            probe = subprocess.run(["xprop", "-display", self.display, "-root",
                                    "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True)
            if "window id" in probe.stdout:
                return
            time.sleep(0.05)
        raise RuntimeError("openbox did not start")

    def _base_env(self, base=None):
        env = {k: v for k, v in (os.environ if base is None else base).items()
               if k not in CALLER_SESSION}
        env.update(HOME=self.home, XDG_RUNTIME_DIR=self.runtime)
        return env

    def env(self, base=None):
        """The environment for a program of this session, from base (the caller's) without the
        caller's own session."""
        env = self._base_env(base)
        if self.display:
            env["DISPLAY"] = self.display
        if self.bus:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus
        return env

    def server_state(self):
        """Whether the X server runs, and the end of what it wrote."""
        with open(self.server_log, "rb") as log:
            tail = log.read().decode("utf-8", "replace").strip().splitlines()[-10:]
        status = self._server.poll()
        state = "running" if status is None else f"ended ({status})"
        return "\n".join([f"Xvfb {state}"] + tail)

    def stop(self):
        for process in reversed(self._processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self._processes.clear()
        shutil.rmtree(self.folder, ignore_errors=True)


def end_group(process):
    """Ends what the command left running in its process group."""
    for sig, wait in ((signal.SIGTERM, 3.0), (signal.SIGKILL, 0)):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            return
        deadline = time.monotonic() + wait
        while time.monotonic() < deadline:
            try:
                os.killpg(process.pid, 0)
            except ProcessLookupError:
                return
            time.sleep(0.05)


def main(argv):
    parser = argparse.ArgumentParser(prog="desktop-session", description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--window-manager", action="store_true", help="start openbox")
    parser.add_argument("--screen", default="1280x1024x24", help="Xvfb's screen (1280x1024x24)")
    parser.add_argument("--home", help="the session's home folder (default: a new empty one)")
    parser.add_argument("--no-display", action="store_true",
                        help="no X server (for a command that starts its own)")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    opts = parser.parse_args(argv)
    command = opts.command[1:] if opts.command[:1] == ["--"] else opts.command
    if not command:
        parser.error("no command")
    session = DesktopSession(screen=opts.screen, window_manager=opts.window_manager,
                             home=opts.home, display=not opts.no_display)
    # A test runner's timeout ends the session with SIGTERM: end the command and the session too.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    session.start()
    process = None
    try:
        process = subprocess.Popen(command, env=session.env(), start_new_session=True)
        status = process.wait()
    except KeyboardInterrupt:
        status = 130
    finally:
        if process is not None:
            end_group(process)
        session.stop()
    return status if status >= 0 else 128 - status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

"""One monkey run: the screen, the program (restarted whenever it ends), and for each event its
choice, its sending, and the measuring of its answer and busy times against the goals."""

import collections
import os
import select
import subprocess

from Xlib import X, display as xdisplay
from Xlib.error import ConnectionClosedError
from Xlib.protocol import event as xevent

from .clipboard import Clipboard
from .events import CALCULATOR_TITLE, LARGE_PASTE, EventMaker
from .measure import Quiet, Result, now
from .program import Program, WindowFinder, describe_status
from .screen import Screen
from .sender import Sender

ANSWER_GOAL_MS = 100
BUSY_GOAL_MS = 1000
LARGE_PASTE_GOAL_MS = 2000
SAMPLE_SECONDS = 0.005
MESSAGE_TITLE = "Kalpeno"  # the message boxes' title
PING_BASE = 0x70000000  # our pings' numbers, apart from the server times others use


class Failure(Exception):
    pass


def goals(kind, factor):
    """The busy and answer goals of an event, in milliseconds. A paste is one operation of the
    program, answered when it is done: its answer has the time its work has."""
    busy = LARGE_PASTE_GOAL_MS if kind in ("paste-100k", "paste-copied") else BUSY_GOAL_MS
    answer = busy if kind.startswith("paste") else ANSWER_GOAL_MS
    return busy * factor, answer * factor


class Run:
    def __init__(self, options, rng, stats):
        self.options = options
        self.stats = stats
        self.maker = EventMaker(rng, options.max_paste)
        self.history = collections.deque(maxlen=20)
        self.quiet = Quiet(options.quiet_window, options.quiet_cpu / 1000)
        self.context_menus = set()  # the popups a right-click opened: each has a paste item
        self.screen = Screen()
        self.pings = 0
        self.replies = {}
        self.server_time = None
        self.trace = open(options.trace, "w", encoding="utf-8") if options.trace else None

    # Set-up -------------------------------------------------------------------------------

    def open(self):
        self.screen.start()
        self.display = xdisplay.Display(self.screen.display)
        self.display.set_error_handler(lambda error, request: None)  # windows may vanish
        self.root = self.display.screen().root
        # Qt sends its answers to pings to the root window for StructureNotify.
        self.root.change_attributes(event_mask=X.StructureNotifyMask)
        self.own = self.root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent,
                                           event_mask=X.PropertyChangeMask)
        atom = self.display.intern_atom
        self.protocols = atom("WM_PROTOCOLS")
        self.ping_atom = atom("_NET_WM_PING")
        self.time_atom = atom("_KALPENO_MONKEY_TIME")
        self.clipboard = Clipboard(self.display, self.own)
        self.sender = Sender(self.display)
        self.finder = WindowFinder(self.display)
        self.program = Program(os.path.abspath(self.options.program), self.screen.env(),
                               self.screen.folder)
        self.start_program()

    def close(self):
        if self.program.running():
            self.program.kill()
        self.program.finish_log()
        try:
            self.display.close()
        except ConnectionClosedError:
            pass
        self.screen.stop()

    # X events -----------------------------------------------------------------------------

    def pump(self, timeout):
        """Handles the X events that are there or come within the timeout."""
        if not self.display.pending_events():
            select.select([self.display.fileno()], [], [], timeout)
        while self.display.pending_events():
            ev = self.display.next_event()
            if self.clipboard.handle(ev):
                continue
            if ev.type == X.ClientMessage and ev.client_type == self.protocols:
                data = ev.data[1]
                if data[0] == self.ping_atom:
                    self.replies[data[1]] = now()
            elif ev.type == X.PropertyNotify and ev.window.id == self.own.id \
                    and ev.atom == self.time_atom:
                self.server_time = ev.time

    def current_time(self):
        """A server timestamp, as a selection owner needs one."""
        self.server_time = None
        self.own.change_property(self.time_atom, self.time_atom, 8, b"")
        self.display.flush()
        deadline = now() + 5
        while self.server_time is None and now() < deadline:
            self.pump(0.01)
        return self.server_time or X.CurrentTime

    def ping(self, window):
        self.pings += 1
        stamp = PING_BASE + self.pings
        message = xevent.ClientMessage(window=window, client_type=self.protocols,
                                       data=(32, [self.ping_atom, stamp, window.id, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        self.display.flush()
        return stamp

    # The program --------------------------------------------------------------------------

    def windows(self):
        return self.finder.windows(self.program.pid)

    def start_program(self):
        self.program.start()
        deadline = now() + self.options.give_up
        while not any(w.managed for w in self.windows()):
            if not self.program.running():
                raise Failure(f"the program ended as it started: "
                              f"{describe_status(self.program.status())}")
            if now() > deadline:
                raise Failure("the program showed no window")
            self.pump(0.02)
        self.wait_quiet(now())

    def wait_quiet(self, t0):
        self.quiet.reset(t0, self.program.cpu_ns())
        while self.program.running() and now() - t0 < self.options.give_up:
            self.pump(SAMPLE_SECONDS)
            if self.quiet.add(now(), self.program.cpu_ns()) is not None:
                return

    def ping_target(self, windows):
        managed = [w for w in windows if w.managed]
        managed.sort(key=lambda w: w.title != CALCULATOR_TITLE)
        return managed[0].client if managed else None

    # One event ----------------------------------------------------------------------------

    def step(self, number):
        windows = self.windows()
        popups = {w.client.id for w in windows if not w.managed}
        self.context_menus &= popups
        event = self.maker.next(windows)
        self.history.append(f"{number}: {event.text}")
        if self.trace:
            self.trace.write(f"{number}: {event.text} (at {now():.3f})\n")
            self.trace.flush()
        if event.paste_text is not None:
            self.clipboard.own(event.paste_text, self.current_time())
        else:
            event.kind = self.pasting_kind(event, windows)
        target = self.ping_target(windows)
        result = self.measure(event, target)
        if event.kind == "right-click":
            self.context_menus |= {w.client.id for w in self.windows() if not w.managed} - popups
        self.stats.add(event.kind, result)
        self.shoot(number)
        self.judge(event, result)
        self.after(event)

    def shoot(self, number):
        if not self.options.shots:
            return
        first, folder = self.options.shots.split(":", 1)
        if number >= int(first):
            os.makedirs(folder, exist_ok=True)
            subprocess.run(["import", "-display", self.screen.display, "-window", "root",
                            os.path.join(folder, f"event-{number}.png")], check=False)

    def pasting_kind(self, event, windows):
        """An event that may paste (Ctrl+V, Shift+Insert, the middle button, a left click into a
        box's context menu, whose items include the paste) is a paste of what the clipboard
        holds, with a paste's goals: of the monkey's last paste text ("paste" or "paste-100k" by
        its length), or of what the program copied itself ("paste-copied": its length unknown to
        the monkey, it has the goals of a long paste)."""
        steps = event.steps
        click = steps[0] if steps and steps[0][0] == "click" else None
        if steps and steps[0] in (("chord", "Control_L", "v"), ("chord", "Shift_L", "Insert")):
            held = self.clipboard.held(0)
        elif event.kind == "click" and click and click[3] == 2:
            held = self.clipboard.held(1)
        elif click and click[3] == 1 and any(
                w.client.id in self.context_menus and w.x <= click[1] < w.x + w.width and
                w.y <= click[2] < w.y + w.height for w in windows):
            held = self.clipboard.held(0)
        else:
            return event.kind
        if held is None:
            return "paste-copied"
        return "paste-100k" if held >= LARGE_PASTE else "paste"

    def measure(self, event, target):
        """Sends the event and takes its times. The ping goes right after the event; after a
        paste, once the program has read the clipboard (Qt answers pings while it waits for the
        clipboard's text, and the paste's work comes after), or is idle without having asked."""
        result = Result()
        t0 = now()
        cpu0 = self.program.cpu_ns()
        self.quiet.reset(t0, cpu0)
        served = self.clipboard.served
        self.sender.perform(event.steps, 0)
        stamp = sent = None
        quiet_from = None
        while True:
            if target and stamp is None and (event.paste_text is None or quiet_from or
                                             self.clipboard.served > served or now() - t0 > 1):
                stamp = self.ping(target)
                sent = now()
            elif stamp is not None and stamp not in self.replies and now() - sent > 0.5:
                # The event may have closed the window pinged: ask another one.
                if target.id not in [w.client.id for w in self.windows() if w.managed]:
                    target = self.ping_target(self.windows())
                    stamp = self.ping(target) if target else None
                    sent = now()
            self.pump(SAMPLE_SECONDS)
            t = now()
            if not self.program.running():
                break
            cpu = self.program.cpu_ns()
            if result.answer_cpu_ms is None and stamp in self.replies:
                result.answer_cpu_ms = (cpu - cpu0) / 1e6
            if quiet_from is None:
                quiet_from = self.quiet.add(t, cpu)
                if quiet_from is not None:
                    result.busy_ms = (quiet_from - t0) * 1000
                    result.cpu_ms = (cpu - cpu0) / 1e6
            answered = not target or stamp in self.replies
            if quiet_from is not None and answered:
                break
            if t - t0 > self.options.give_up:
                result.gave_up = True
                break
        if stamp is not None:
            reply = self.replies.pop(stamp, None)
            if reply is not None:
                result.answer_ms = (reply - sent) * 1000
            elif self.program.running():
                result.unanswered = True
        if result.busy_ms is None and result.gave_up:
            result.busy_ms = (now() - t0) * 1000
        return result

    def judge(self, event, result):
        """Fails the event if it missed a goal. A time over its goal during which the program
        itself used less than half the goal in CPU is the machine's doing (other processes had
        the cores), not the program's: it is counted apart, as excused."""
        busy_goal, answer_goal = goals(event.kind, self.options.time_factor)
        if result.unanswered:
            raise Failure(f"no answer to a ping within {self.options.give_up:.0f} s")
        if result.gave_up:
            raise Failure(f"still busy after {self.options.give_up:.0f} s")
        late = []
        if result.answer_ms is not None and result.answer_ms > answer_goal:
            late.append((result.answer_cpu_ms, answer_goal,
                         f"answered after {result.answer_ms:.0f} ms, "
                         f"{result.answer_cpu_ms or 0:.0f} ms of CPU (goal {answer_goal:.0f} ms)"))
        if result.busy_ms is not None and result.busy_ms > busy_goal:
            late.append((result.cpu_ms, busy_goal,
                         f"busy for {result.busy_ms:.0f} ms, {result.cpu_ms or 0:.0f} ms of CPU "
                         f"(goal {busy_goal:.0f} ms)"))
        for cpu_ms, goal, text in late:
            if cpu_ms is None or cpu_ms >= goal / 2:
                raise Failure(text)
        if late:
            self.stats.excused.append(f"{event.text}: {late[0][2]}")

    def after(self, event):
        """The program may have ended: cleanly (a restart), or not (a failure). Running on with
        no window shown for 2 s is a failure too."""
        deadline = now() + 2
        while self.program.running() and not any(w.managed for w in self.windows()):
            if now() > deadline:
                raise Failure("the program runs on with no window shown")
            self.pump(0.02)
        if not self.program.running():
            self.check_end()
            self.stats.restarts += 1
            self.start_program()

    def check_end(self):
        status = self.program.status()
        self.program.finish_log()
        report = self.program.report_in_log()
        if status != 0 or report:
            raise Failure(f"the program ended: {describe_status(status)}" +
                          (f"\n{report}" if report else ""))

    def recover(self):
        """After a failure: a fresh program, so that the run can go on."""
        self.program.kill()
        self.program.finish_log()
        self.start_program()

    def end_program(self):
        """Closes every window, as a user ending the day; the program must then end by itself
        (and, in the sanitizer build, find no leak on its way out)."""
        deadline = now() + 20
        message_boxes = 0
        while self.program.running() and now() < deadline:
            self.sender.perform([("key", "Escape")], 0)
            shown = [w for w in self.windows() if w.managed]
            message_boxes += sum(1 for w in shown if w.title == MESSAGE_TITLE)
            for window in reversed(shown):
                self.sender.perform([("close", window.client)], 0)
            self.display.flush()
            for _ in range(40):
                self.pump(0.01)
                if not self.program.running():
                    break
        if self.program.running():
            shown = ", ".join(w.name() for w in self.windows()) or "none"
            self.program.kill()
            raise Failure("the program did not end when all its windows were closed "
                          f"(windows still shown: {shown}; message boxes closed meanwhile: "
                          f"{message_boxes})")
        self.check_end()

"""The two times taken after every event.

Answer time: from the ping sent right after the event until the program's reply. Qt answers
_NET_WM_PING from its event loop, so the reply waits for whatever the event loop is doing.

Busy time: from the event until the program's work on it is done. Work is CPU time (from /proc);
the work is done where a quiet window starts: a stretch of `window` seconds in which the program
used less than `threshold` seconds of CPU (the busy time ends with the last sample of the work
that runs on into that window). Both are needed: work that is cut into pieces between
other events keeps pings answered while the program computes on and on."""

import time


class Quiet:
    # CPU in one sample's time that still counts as the event's work, where the quiet window
    # begins with the last of it: 0.1 ms per 5 ms sample, 2 % of a core.
    TAIL_NS = 0.1e6

    def __init__(self, window, threshold):
        self.window = window
        self.threshold_ns = threshold * 1e9
        self.samples = []
        self.start = 0

    def reset(self, t0, cpu0):
        self.samples = [(t0, cpu0)]
        self.start = 0

    def add(self, t, cpu):
        """Adds a sample; answers when the work ended, once a quiet window has followed it, or
        None while there is none yet."""
        if cpu < self.samples[-1][1]:
            # A thread ended and took its CPU time with it: count from here on.
            shift = self.samples[-1][1] - cpu
            self.samples = [(st, sc - shift) for st, sc in self.samples]
        self.samples.append((t, cpu))
        while t - self.samples[self.start][0] >= self.window:
            begin_t, begin_cpu = self.samples[self.start]
            if cpu - begin_cpu < self.threshold_ns:
                return self._end_of_work()
            self.start += 1
        return None

    def _end_of_work(self):
        """The quiet window may begin with the last of the work: it ends at the first sample
        that used next to nothing."""
        index = self.start
        while index + 1 < len(self.samples) and \
                self.samples[index + 1][1] - self.samples[index][1] >= self.TAIL_NS:
            index += 1
        return self.samples[index][0]


class Result:
    """What one event cost: times in milliseconds (None where there was nothing to measure)."""

    def __init__(self):
        self.answer_ms = None
        self.busy_ms = None
        self.cpu_ms = None  # the program's CPU until its work was done
        self.answer_cpu_ms = None  # and until it answered
        self.gave_up = False
        self.unanswered = False


def now():
    return time.monotonic()

"""The figures of a run: for each kind of event its count and the median, 99th percentile and
maximum of its answer and busy times; restarts and failures."""

import collections


def percentile(values, share):
    """Nearest rank: the smallest value with at least `share` of the values at or below it."""
    if not values:
        return None
    ordered = sorted(values)
    rank = max(1, -(-len(ordered) * share // 1))
    return ordered[int(rank) - 1]


def shown(value):
    return "–" if value is None else f"{value:,.1f}"


class Stats:
    def __init__(self):
        self.answers = collections.defaultdict(list)
        self.busy = collections.defaultdict(list)
        self.counts = collections.Counter()
        self.events = 0
        self.restarts = 0
        self.failures = []
        self.excused = []

    def add(self, kind, result):
        self.events += 1
        self.counts[kind] += 1
        if result.answer_ms is not None:
            self.answers[kind].append(result.answer_ms)
        if result.busy_ms is not None:
            self.busy[kind].append(result.busy_ms)

    def to_json(self):
        return {"answers": self.answers, "busy": self.busy, "counts": self.counts,
                "events": self.events, "restarts": self.restarts, "failures": self.failures,
                "excused": self.excused}

    def merge(self, figures, label):
        """Adds the figures of another run (from to_json), its failures and excused events
        marked with the label."""
        for kind, values in figures["answers"].items():
            self.answers[kind] += values
        for kind, values in figures["busy"].items():
            self.busy[kind] += values
        self.counts.update(figures["counts"])
        self.events += figures["events"]
        self.restarts += figures["restarts"]
        self.failures += [f"{label}, {f}" for f in figures["failures"]]
        self.excused += [f"{label}, {e}" for e in figures["excused"]]

    def rows(self):
        kinds = sorted(self.counts, key=lambda k: (k.startswith("paste"), k))
        every_answer = [a for k in kinds if not k.startswith("paste") for a in self.answers[k]]
        every_busy = [b for k in kinds if not k.startswith("paste") for b in self.busy[k]]
        rows = [(k, self.counts[k], self.answers[k], self.busy[k]) for k in kinds]
        others = sum(self.counts[k] for k in kinds if not k.startswith("paste"))
        rows.append(("all but pastes", others, every_answer, every_busy))
        return rows

    def table(self):
        lines = ["| event | count | answer median | answer 99th | answer max "
                 "| busy median | busy 99th | busy max |",
                 "|---|--:|--:|--:|--:|--:|--:|--:|"]
        for kind, count, answers, busy in self.rows():
            figures = [percentile(answers, 0.5), percentile(answers, 0.99),
                       max(answers, default=None), percentile(busy, 0.5),
                       percentile(busy, 0.99), max(busy, default=None)]
            lines.append(f"| {kind} | {count:,} | " + " | ".join(shown(f) for f in figures) +
                         " |")
        return "\n".join(lines)

    def text(self, heading):
        failures = "\n".join(f"- {f}" for f in self.failures[:20])
        excused = "\n".join(f"- {e}" for e in self.excused[:20])
        return (f"{heading}\n\nTimes in milliseconds.\n\n{self.table()}\n\n"
                f"Events: {self.events:,}. Restarts after a clean end: {self.restarts:,}. "
                f"Failures: {len(self.failures)}.\n" + (f"\n{failures}\n" if failures else "") +
                f"Late while the machine was busy (excused): {len(self.excused)}.\n" +
                (f"\n{excused}\n" if excused else ""))

"""Several monkeys at once (--jobs N): N runs of this tool side by side, each with its own Xvfb,
openbox, program and clipboard owner, each with a seed of its own derived from the run's seed and
a share of the events. Their output comes through here, each line marked with its job; every
failure a job reports carries the command that replays it alone (one job, its own seed). The
summary is over all of them."""

import json
import os
import random
import signal
import subprocess
import sys
import tempfile
import threading

from .summary import Stats

PASSED_ON = ("max_paste", "quiet_window", "quiet_cpu", "time_factor", "give_up", "progress")


def job_seed(seed, job):
    """The seed of job `job` (1 to N) of a run with that seed."""
    return random.Random(f"kalpeno-monkey {seed} job {job}").randrange(1 << 32)


def job_events(events, jobs, job):
    return events // jobs + (1 if job <= events % jobs else 0)


class Jobs:
    def __init__(self, opts):
        self.opts = opts
        self.folder = tempfile.TemporaryDirectory(prefix="kalpeno-monkey-jobs-")
        self.lock = threading.Lock()
        self.processes = []
        self.stopping = False

    def figures_file(self, job):
        return os.path.join(self.folder.name, f"job-{job}.json")

    def command(self, job, seed, events):
        opts = self.opts
        args = [sys.executable, "-m", "kalpeno_monkey", "--program", opts.program,
                "--seed", str(seed), "--events", str(events), "--figures", self.figures_file(job)]
        for name in PASSED_ON:
            args += [f"--{name.replace('_', '-')}", str(getattr(opts, name))]
        if opts.stop_on_failure:
            args.append("--stop-on-failure")
        if opts.trace:
            args += ["--trace", f"{opts.trace}.{job}"]
        return args

    def run(self, started, write_summary):
        opts = self.opts
        print(f"kalpeno-monkey: seed {opts.seed}, {opts.events:,} events in {opts.jobs} jobs",
              flush=True)
        env = dict(os.environ,
                   PYTHONPATH=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
        readers = []
        self.seeds = {}
        for job in range(1, opts.jobs + 1):
            seed = job_seed(opts.seed, job)
            events = job_events(opts.events, opts.jobs, job)
            self.seeds[job] = seed
            print(f"kalpeno-monkey: job {job}: seed {seed}, {events:,} events", flush=True)
            process = subprocess.Popen(self.command(job, seed, events), env=env,
                                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                       stdin=subprocess.DEVNULL, text=True, errors="replace")
            self.processes.append(process)
            reader = threading.Thread(target=self.relay, args=(job, process, started,
                                                                write_summary))
            reader.start()
            readers.append(reader)
        for reader in readers:
            reader.join()
        statuses = [process.wait() for process in self.processes]
        stats = self.stats()
        for job, status in enumerate(statuses, 1):
            if status not in (0, 1) and not self.stopping:
                stats.failures.append(f"job {job} (seed {self.seeds[job]}): the monkey ended "
                                      f"with status {status}")
        self.folder.cleanup()
        return stats

    def relay(self, job, process, started, write_summary):
        for line in process.stdout:
            with self.lock:
                print(f"[job {job}] {line.rstrip()}", flush=True)
                if "events," in line and line.startswith("kalpeno-monkey:"):
                    write_summary(self.opts, self.stats(), started)

    def stats(self):
        """The figures of every job so far."""
        stats = Stats()
        for job in range(1, self.opts.jobs + 1):
            try:
                with open(self.figures_file(job), encoding="utf-8") as figures:
                    stats.merge(json.load(figures), f"job {job} (seed {self.seeds[job]})")
            except (OSError, ValueError):
                pass  # not written yet
        return stats

    def stop(self):
        """Each job ends after the event under way, with its figures."""
        self.stopping = True
        for process in self.processes:
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)


def write_figures(path, stats):
    """A job's figures for the run that started it, replaced whole."""
    partial = path + ".part"
    with open(partial, "w", encoding="utf-8") as out:
        json.dump(stats.to_json(), out)
    os.replace(partial, path)

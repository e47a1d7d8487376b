"""kalpeno-monkey: random user input on the real program, on an X server of its own with a window
manager; every event must be answered quickly and its work done soon. See docs/reliability.md."""

import argparse
import random
import signal

from Xlib.error import ConnectionClosedError
import sys
import time

from .jobs import Jobs, write_figures
from .run import Failure, Run
from .summary import Stats


def options(argv):
    parser = argparse.ArgumentParser(prog="kalpeno-monkey", description=__doc__)
    parser.add_argument("--program", required=True, help="the kalpeno executable")
    parser.add_argument("--events", type=int, default=1000, help="how many events (1000)")
    parser.add_argument("--seed", type=int, help="the random seed (a new one if not given)")
    parser.add_argument("--max-paste", type=int, default=1 << 20,
                        help="the longest paste in characters (1 MiB)")
    parser.add_argument("--quiet-window", type=float, default=0.150,
                        help="seconds of near-idle CPU that end an event's work (0.150)")
    parser.add_argument("--quiet-cpu", type=float, default=3.0,
                        help="milliseconds of CPU allowed in the quiet window (3)")
    parser.add_argument("--time-factor", type=float, default=1.0,
                        help="scales the time goals, for slow builds (1)")
    parser.add_argument("--give-up", type=float, default=60.0,
                        help="seconds to wait for an answer or for the work to end (60)")
    parser.add_argument("--stop-on-failure", action="store_true",
                        help="end the run at the first failure")
    parser.add_argument("--fresh-after", type=int, action="append", default=[],
                        help="start the program afresh after this event, as a run does after "
                             "a failure (for replays; may be repeated)")
    parser.add_argument("--summary", help="write the summary to this file")
    parser.add_argument("--trace", help="write every event to this file, one a line")
    parser.add_argument("--shots", metavar="N:DIR",
                        help="from event N on, save the screen after each event in DIR, as "
                        "event-N.png (to see what a replayed failure did)")
    parser.add_argument("--progress", type=int, default=0,
                        help="print a line every this many events")
    parser.add_argument("--jobs", type=int, default=1,
                        help="monkeys at once, each on its own X server with a seed derived "
                             "from the run's and a share of the events (1)")
    parser.add_argument("--figures", help=argparse.SUPPRESS)  # a job's figures, for --jobs
    opts = parser.parse_args(argv)
    if opts.jobs < 1 or (opts.jobs > 1 and opts.fresh_after):
        parser.error("--jobs takes 1 or more; --fresh-after replays one job")
    return opts


def replay_command(opts, number, fresh):
    parts = [f"kalpeno-monkey --program {opts.program} --seed {opts.seed} --events {number}"]
    for name in ("max_paste", "quiet_window", "quiet_cpu", "time_factor", "give_up"):
        parts.append(f"--{name.replace('_', '-')} {getattr(opts, name)}")
    parts += [f"--fresh-after {n}" for n in sorted(fresh) if n < number]
    return " ".join(parts)


def report(opts, run, number, failure, fresh):
    lines = [f"kalpeno-monkey: FAILURE at event {number} of seed {opts.seed}: {failure}",
             f"  replay: {replay_command(opts, number, fresh)}",
             "  the last events:"]
    lines += [f"    {event}" for event in run.history]
    output = run.program.log_text().strip().splitlines()
    if output:
        lines.append("  the program's last output:")
        lines += [f"    {line}" for line in output[-30:]]
    print("\n".join(lines), flush=True)


def main(argv=None):
    opts = options(sys.argv[1:] if argv is None else argv)
    if opts.seed is None:
        opts.seed = random.SystemRandom().randrange(1 << 32)
    if opts.jobs > 1:
        return run_jobs(opts)
    print(f"kalpeno-monkey: seed {opts.seed}, {opts.events:,} events", flush=True)
    stats = Stats()
    signal.signal(signal.SIGINT, stop)
    signal.signal(signal.SIGTERM, stop)
    run = Run(opts, random.Random(opts.seed), stats)
    started = time.monotonic()
    number = 0
    try:
        run.open()
        number = 0
        fresh = set(opts.fresh_after)
        for number in range(1, opts.events + 1):
            try:
                if number - 1 in opts.fresh_after:
                    run.recover()
                run.step(number)
            except Failure as failure:
                stats.failures.append(f"event {number}: {str(failure).splitlines()[0]}")
                report(opts, run, number, failure, fresh)
                if opts.stop_on_failure:
                    break
                fresh.add(number)
                run.recover()
            if opts.progress and number % opts.progress == 0:
                print(f"kalpeno-monkey: {number:,} events, {time.monotonic() - started:.0f} s, "
                      f"{len(stats.failures)} failures", flush=True)
                write_summary(opts, stats, started)
            if interrupted:
                print(f"kalpeno-monkey: stopped after {number:,} events", flush=True)
                break
        if not stats.failures or not opts.stop_on_failure:
            try:
                run.end_program()
            except Failure as failure:
                stats.failures.append(f"at the end: {failure}")
                report(opts, run, number, failure, fresh)
    except Failure as failure:
        stats.failures.append(f"start: {failure}")
        print(f"kalpeno-monkey: FAILURE: {failure}", flush=True)
    except ConnectionClosedError:
        failure = f"the X server closed the monkey's connection\n{run.screen.server_state()}"
        stats.failures.append(f"event {number}: {failure.splitlines()[0]}")
        report(opts, run, number, failure, set(opts.fresh_after))
    finally:
        run.close()
    summary = write_summary(opts, stats, started)
    if not opts.figures:
        print(summary, flush=True)
    return 1 if stats.failures else 0


def run_jobs(opts):
    jobs = Jobs(opts)
    signal.signal(signal.SIGINT, lambda signum, frame: jobs.stop())
    signal.signal(signal.SIGTERM, lambda signum, frame: jobs.stop())
    started = time.monotonic()
    stats = jobs.run(started, write_summary)
    print(write_summary(opts, stats, started), flush=True)
    return 1 if stats.failures else 0


def write_summary(opts, stats, started):
    elapsed = time.monotonic() - started
    jobs = f", {opts.jobs} jobs" if opts.jobs > 1 else ""
    heading = (f"kalpeno-monkey, seed {opts.seed}{jobs}: {stats.events:,} events in "
               f"{elapsed:,.0f} s (quiet: under {opts.quiet_cpu:g} ms of CPU in "
               f"{opts.quiet_window * 1000:g} ms)")
    summary = stats.text(heading)
    if opts.figures:
        write_figures(opts.figures, stats)
    if opts.summary:
        with open(opts.summary, "w", encoding="utf-8") as out:
            out.write(summary)
    return summary


interrupted = False


def stop(signum, frame):
    """SIGINT or SIGTERM: the run ends after the event under way, with its summary."""
    global interrupted
    interrupted = True


if __name__ == "__main__":
    sys.exit(main())

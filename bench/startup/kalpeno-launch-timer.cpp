// Start-up time and memory of X11 programs, measured alike.
//
//   kalpeno-launch-timer [--runs N] [--start-runs N] [--timeout S] [--floor NAME] [--goal NAME]
//                        [--start-up-goal-only] [--output FILE] NAME=COMMAND...
//
// For each run and each program in turn (interleaved, so that a slow phase of the machine hits
// all programs alike, and in an order that turns by one program each run) it selects
// SubstructureNotify on the root window of $DISPLAY, starts the program, takes the moment of the
// successful exec (a close-on-exec pipe closes then), waits for the first MapNotify of a
// top-level window (event-driven, with a timeout), and records the time between the two. In the
// first --runs runs (7) it then waits one second and reads the program's peak resident size
// (VmHWM) and its private memory (Private_Clean + Private_Dirty of smaps_rollup); in the others,
// up to --start-runs (21), it ends the program's process group at once. One untimed run of each
// program comes first to warm the file cache.
//
// Prints Markdown: a table of the programs (median, spread, ratio to the floor) and a table of
// the goals for the program named by --goal (start-up within 1.1x the floor and below xcalc, peak
// RSS within 1.2x the floor, private dirty memory below 6 MB); with --start-up-goal-only, the
// start-up's alone (the Windows program, whose memory is shown beside the floor's, no more).
#include "bench/CommandWords.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> startMs;
    std::vector<double> rssMb;
    std::vector<double> privateMb;
    std::vector<double> dirtyMb;
    int failures = 0;
    std::string lastFailure;
};

struct Options {
    int runs = 7;       // runs that also read the memory, one second after the map
    int startRuns = 21; // runs in all; the others end the program as soon as it has mapped
    double timeoutSeconds = 10;
    std::string floor = "floor";
    std::string goal = "kalpeno";
    bool startUpGoalOnly = false;
    std::string output; // the tables go here; stdout when empty
    std::vector<Program> programs;
};

struct Sample {
    double startMs = 0;
    bool hasMemory = false;
    double rssMb = 0;
    double privateMb = 0;
    double dirtyMb = 0;
};

using kalpeno::bench::splitWords;

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: kalpeno-launch-timer [--runs N] [--start-runs N] [--timeout S] "
                         "[--floor NAME] [--goal NAME] [--start-up-goal-only] [--output FILE] "
                         "NAME=COMMAND...\n");
    std::exit(2);
}

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--runs" && hasValue) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--start-runs" && hasValue) {
            options.startRuns = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--timeout" && hasValue) {
            options.timeoutSeconds = std::atof(argv[++i]);
        } else if (arg == "--floor" && hasValue) {
            options.floor = argv[++i];
        } else if (arg == "--output" && hasValue) {
            options.output = argv[++i];
        } else if (arg == "--goal" && hasValue) {
            options.goal = argv[++i];
        } else if (arg == "--start-up-goal-only") {
            options.startUpGoalOnly = true;
        } else if (const auto eq = arg.find('='); eq != std::string::npos && eq > 0) {
            Program program{.name = arg.substr(0, eq), .argv = splitWords(arg.substr(eq + 1))};
            if (program.argv.empty()) {
                usage();
            }
            options.programs.push_back(std::move(program));
        } else {
            usage();
        }
    }
    if (options.programs.empty()) {
        usage();
    }
    return options;
}

// A value in kB from a "Key:   123 kB" line of a /proc file; 0 when it is missing.
long procKilobytes(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key + ":", 0) == 0) {
            return std::atol(line.c_str() + key.size() + 1);
        }
    }
    return 0;
}

double kilobytesToMb(long kilobytes) {
    return static_cast<double>(kilobytes) * 1024.0 / 1e6;
}

// Ends the program's process group and reaps the program.
void endProgram(pid_t pid) {
    ::kill(-pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (Clock::now() < deadline) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) {
            ::kill(-pid, SIGKILL); // helpers it may have left in its group
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::kill(-pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// Starts the program; answers its pid and the moment its exec succeeded, or nothing.
std::optional<std::pair<pid_t, Clock::time_point>> launch(const Program& program,
                                                          std::string& failure) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        failure = "pipe failed";
        return std::nullopt;
    }
    std::vector<char*> args;
    for (const std::string& word : program.argv) {
        args.push_back(const_cast<char*>(word.c_str()));
    }
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        ::close(pipeEnds[0]);
        ::execvp(args[0], args.data());
        const int error = errno;
        [[maybe_unused]] auto written = ::write(pipeEnds[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    if (pid < 0) {
        ::close(pipeEnds[0]);
        failure = "fork failed";
        return std::nullopt;
    }
    ::setpgid(pid, pid);
    int error = 0;
    ssize_t got;
    do {
        got = ::read(pipeEnds[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    const Clock::time_point exec = Clock::now();
    ::close(pipeEnds[0]);
    if (got > 0) {
        ::waitpid(pid, nullptr, 0);
        failure = "cannot run " + program.argv[0] + ": " + std::strerror(error);
        return std::nullopt;
    }
    return std::make_pair(pid, exec);
}

// Waits for the first MapNotify of a top-level window that is not override-redirect.
std::optional<Clock::time_point> waitForMap(Display* display, Clock::time_point deadline) {
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                return Clock::now();
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        pollfd wait{.fd = fd, .events = POLLIN, .revents = 0};
        ::poll(&wait, 1, static_cast<int>(left.count()));
    }
}

// With readMemory, the program runs on for one second after its map and its memory is read then;
// otherwise it is ended as soon as it has mapped.
std::optional<Sample> measure(Display* display, const Program& program, double timeoutSeconds,
                              bool readMemory, std::string& failure) {
    // The X server and the kernel finish with the program before first, so that its teardown
    // does not fall into this start.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    XSync(display, True); // forget the windows of earlier runs
    const auto launched = launch(program, failure);
    if (!launched) {
        return std::nullopt;
    }
    const auto [pid, exec] = *launched;
    const auto deadline = exec + std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double>(timeoutSeconds));
    const std::optional<Clock::time_point> mapped = waitForMap(display, deadline);
    if (!mapped) {
        endProgram(pid);
        failure = "no window within the timeout";
        return std::nullopt;
    }
    Sample sample;
    sample.startMs = std::chrono::duration<double, std::milli>(*mapped - exec).count();
    if (!readMemory) {
        endProgram(pid);
        return sample;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const std::string proc = "/proc/" + std::to_string(pid);
    sample.hasMemory = true;
    sample.rssMb = kilobytesToMb(procKilobytes(proc + "/status", "VmHWM"));
    const long dirty = procKilobytes(proc + "/smaps_rollup", "Private_Dirty");
    sample.privateMb =
        kilobytesToMb(procKilobytes(proc + "/smaps_rollup", "Private_Clean") + dirty);
    sample.dirtyMb = kilobytesToMb(dirty);
    const bool alive = ::waitpid(pid, nullptr, WNOHANG) == 0;
    endProgram(pid);
    if (!alive) {
        failure = "ended before its memory was read";
        return std::nullopt;
    }
    return sample;
}

// 0 for no values.
double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    if (n == 0) {
        return 0;
    }
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

const Program* findProgram(const Options& options, const std::string& name) {
    for (const Program& program : options.programs) {
        if (program.name == name && !program.startMs.empty()) {
            return &program;
        }
    }
    return nullptr;
}

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void printPrograms(const Options& options) {
    const Program* floor = findProgram(options, options.floor);
    std::printf("| program | start-up median | spread (min-max) | × floor | peak RSS median | "
                "× floor | private median | of it dirty | runs (with memory) |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    for (const Program& p : options.programs) {
        if (p.startMs.empty()) {
            std::printf("| %s | not measured: %s | | | | | | | 0 |\n", p.name.c_str(),
                        p.lastFailure.c_str());
            continue;
        }
        const double start = median(p.startMs);
        const double rss = median(p.rssMb);
        const auto [low, high] = std::minmax_element(p.startMs.begin(), p.startMs.end());
        std::printf("| %s | %.1f ms | %.1f-%.1f ms | %s | %.1f MB | %s | %.1f MB | %.1f MB | %zu "
                    "(%zu)%s |\n",
                    p.name.c_str(), start, *low, *high,
                    floor ? format("%.2f", start / median(floor->startMs)).c_str() : "", rss,
                    floor ? format("%.2f", rss / median(floor->rssMb)).c_str() : "",
                    median(p.privateMb), median(p.dirtyMb), p.startMs.size(), p.rssMb.size(),
                    p.failures ? (" (" + std::to_string(p.failures) + " failed)").c_str() : "");
    }
}

void printGoal(const std::string& figure, const std::string& measured, const std::string& goal,
               bool met) {
    std::printf("| %s | %s | %s | %s |\n", figure.c_str(), measured.c_str(), goal.c_str(),
                met ? "yes" : "**no**");
}

void printGoals(const Options& options) {
    const Program* subject = findProgram(options, options.goal);
    const Program* floor = findProgram(options, options.floor);
    const Program* xcalc = findProgram(options, "xcalc");
    std::printf("\n| figure | measured | goal | met |\n|---|---|---|---|\n");
    if (!subject || !floor) {
        std::printf("| start-up and memory | %s or %s not measured | | **no** |\n",
                    options.goal.c_str(), options.floor.c_str());
        return;
    }
    const double start = median(subject->startMs);
    const double startRatio = start / median(floor->startMs);
    printGoal("start-up, " + options.goal + " / floor", format("%.3f×", startRatio), "≤ 1.10×",
              startRatio <= 1.10);
    if (options.startUpGoalOnly) {
        return;
    }
    if (xcalc) {
        const double xcalcStart = median(xcalc->startMs);
        printGoal("start-up, " + options.goal + " vs xcalc (same run)",
                  format("%.1f ms", start) + format(" vs %.1f ms", xcalcStart), "below xcalc",
                  start < xcalcStart);
    } else {
        std::printf("| start-up, %s vs xcalc | xcalc not installed (make bench-peers) | "
                    "below xcalc | not measured |\n",
                    options.goal.c_str());
    }
    const double rssRatio = median(subject->rssMb) / median(floor->rssMb);
    printGoal("peak RSS, " + options.goal + " / floor", format("%.2f×", rssRatio), "≤ 1.20×",
              rssRatio <= 1.20);
    // The goal is on the memory only this program costs, whatever else runs: its private dirty
    // pages (heap, stacks, written data). Clean private pages are library code and data that no
    // other process happens to map; they become shared as soon as another Qt program runs, and
    // a bare Qt window has more than 6 MB of them on its own, so they are shown for information.
    const double dirtyMb = median(subject->dirtyMb);
    printGoal("private memory (Private_Dirty), " + options.goal,
              format("%.1f MB", dirtyMb) + format(" (floor %.1f MB)", median(floor->dirtyMb)),
              "< 6 MB", dirtyMb < 6.0);
    const double privateMb = median(subject->privateMb);
    std::printf("| private memory with clean library pages (Private_Clean + Private_Dirty), %s | "
                "%.1f MB (floor %.1f MB) | (for information: shared once another Qt program "
                "runs) | |\n",
                options.goal.c_str(), privateMb, median(floor->privateMb));
}

} // namespace

int main(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "kalpeno-launch-timer: cannot open display %s\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "(unset)");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    // Run -1 warms the file cache, untimed. The order turns by one program each run, so that no
    // program always starts right after the same other one (a heavy one may leave helpers busy).
    const int runs = std::max(options.runs, options.startRuns);
    const std::size_t count = options.programs.size();
    for (int run = -1; run < runs; ++run) {
        for (std::size_t i = 0; i < count; ++i) {
            Program& program =
                options.programs[(i + static_cast<std::size_t>(std::max(run, 0))) % count];
            std::string failure;
            const std::optional<Sample> sample = measure(display, program, options.timeoutSeconds,
                                                         run >= 0 && run < options.runs, failure);
            if (run < 0) {
                continue;
            }
            if (!sample) {
                ++program.failures;
                program.lastFailure = failure;
                std::fprintf(stderr, "kalpeno-launch-timer: %s: %s\n", program.name.c_str(),
                             failure.c_str());
                continue;
            }
            program.startMs.push_back(sample->startMs);
            if (sample->hasMemory) {
                program.rssMb.push_back(sample->rssMb);
                program.privateMb.push_back(sample->privateMb);
                program.dirtyMb.push_back(sample->dirtyMb);
            }
        }
    }
    XCloseDisplay(display);
    // Helpers that the programs start through the session bus inherit its standard output, so
    // the tables may go to a file of their own.
    if (!options.output.empty() && !std::freopen(options.output.c_str(), "w", stdout)) {
        std::fprintf(stderr, "kalpeno-launch-timer: cannot write %s\n", options.output.c_str());
        return 2;
    }
    printPrograms(options);
    printGoals(options);
    return 0;
}

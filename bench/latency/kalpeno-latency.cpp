// Key-to-screen and click-to-screen latency of X11 programs, measured alike on one X server.
//
//   kalpeno-latency [--presses N] [--output FILE] NAME[@X,Y][+enter]=COMMAND...
//
// Each program is started in turn; once its first top-level window is mapped it gets the input
// focus and, after a second to settle, these answers are timed, each from the XTest event to the
// first Damage event on the window and to the last one of its answer (the window quiet for 20 ms
// after it):
// - keys: N presses alternating "5" and Backspace into the focused box, so its text keeps changing;
// - clicks (with @X,Y, a place in the window): N left clicks there, normally the keypad's "5";
// - enter (with +enter): N times "1+2" typed (not timed) and then Enter, completing a calculation;
//   before each, a click at the place given (the letter that selects the first calculator
//   afresh). A program may be named more than once, measured differently: its rows are joined.
// Prints Markdown: per program and kind of answer the median, 90th percentile and maximum of both
// times, and the ratio of the medians to xcalc's where xcalc was measured.
#include "bench/CommandWords.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
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
constexpr auto quiet = std::chrono::milliseconds(20);
constexpr auto patience = std::chrono::seconds(2);

struct Point {
    int x = 0;
    int y = 0;
};

struct Subject {
    std::string name;
    std::vector<std::string> argv;
    std::optional<Point> click;
    bool enter = false;
};

struct Answer {
    double firstMs;
    double lastMs;
};

using Answers = std::map<std::string, std::vector<Answer>>; // by kind: keys, clicks, enter

using kalpeno::bench::splitWords;

// NAME[@X,Y][+enter]=COMMAND
std::optional<Subject> parseSubject(const std::string& arg) {
    const auto eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) {
        return std::nullopt;
    }
    Subject subject{.argv = splitWords(arg.substr(eq + 1))};
    std::string head = arg.substr(0, eq);
    if (const auto plus = head.find("+enter"); plus != std::string::npos) {
        subject.enter = true;
        head.erase(plus, std::strlen("+enter"));
    }
    if (const auto at = head.find('@'); at != std::string::npos) {
        Point p;
        if (std::sscanf(head.c_str() + at + 1, "%d,%d", &p.x, &p.y) != 2) {
            return std::nullopt;
        }
        subject.click = p;
        head.erase(at);
    }
    subject.name = head;
    if (subject.name.empty() || subject.argv.empty()) {
        return std::nullopt;
    }
    return subject;
}

double msSince(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

class Session {
public:
    explicit Session(Display* display) : display_(display) {
        int error = 0;
        int major = 1;
        int minor = 1;
        if (!XDamageQueryExtension(display_, &damageEvent_, &error) ||
            !XDamageQueryVersion(display_, &major, &minor)) {
            std::fprintf(stderr, "kalpeno-latency: the X server has no DAMAGE extension\n");
            std::exit(2);
        }
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    }

    // Starts the program and waits for its first top-level window to be mapped.
    std::optional<Window> start(const Subject& subject) {
        drain();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setpgid(0, 0);
            std::vector<char*> argv;
            for (const std::string& word : subject.argv) {
                argv.push_back(const_cast<char*>(word.c_str()));
            }
            argv.push_back(nullptr);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (Clock::now() < deadline) {
            XEvent event;
            if (!next(event, deadline)) {
                break;
            }
            if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display_) &&
                !event.xmap.override_redirect) {
                window_ = event.xmap.window;
                return window_;
            }
        }
        return std::nullopt;
    }

    void stop() {
        if (damage_) {
            XDamageDestroy(display_, damage_);
            damage_ = 0;
        }
        ::kill(-pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        XSync(display_, False);
        drain();
    }

    // Focus on the window, a second to settle, then damage is watched.
    void prepare() {
        XRaiseWindow(display_, window_);
        XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
        XSync(display_, False);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        damage_ = XDamageCreate(display_, window_, XDamageReportRawRectangles);
        settle();
    }

    void key(KeySym keysym, unsigned modifiersKeysym = 0) {
        const KeyCode code = XKeysymToKeycode(display_, keysym);
        const KeyCode modifier = modifiersKeysym ? XKeysymToKeycode(display_, modifiersKeysym) : 0;
        if (modifier) {
            XTestFakeKeyEvent(display_, modifier, True, 0);
        }
        XTestFakeKeyEvent(display_, code, True, 0);
        XTestFakeKeyEvent(display_, code, False, 0);
        if (modifier) {
            XTestFakeKeyEvent(display_, modifier, False, 0);
        }
        XFlush(display_);
    }

    void click(Point place) {
        int x = 0;
        int y = 0;
        Window child = 0;
        XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), place.x, place.y, &x,
                              &y, &child);
        XTestFakeMotionEvent(display_, -1, x, y, 0);
        XTestFakeButtonEvent(display_, 1, True, 0);
        XTestFakeButtonEvent(display_, 1, False, 0);
        XFlush(display_);
    }

    // The answer to what was just sent: the first and the last damage, or nothing in time.
    std::optional<Answer> answer(Clock::time_point sent) {
        std::optional<Clock::time_point> first;
        Clock::time_point last;
        auto deadline = sent + patience;
        for (;;) {
            XEvent event;
            if (!next(event, deadline)) {
                break;
            }
            if (event.type == damageEvent_ + XDamageNotify) {
                last = Clock::now();
                first = first.value_or(last);
                deadline = last + quiet;
            }
        }
        XDamageSubtract(display_, damage_, None, None);
        if (!first) {
            return std::nullopt;
        }
        return Answer{msSince(sent, *first), msSince(sent, last)};
    }

    // Waits until the window has been quiet for a while.
    void settle() { answer(Clock::now()); }

private:
    // The next event before the deadline.
    bool next(XEvent& event, Clock::time_point deadline) {
        while (!XPending(display_)) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                return false;
            }
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(std::min<long long>(left.count() + 1, 1000)));
        }
        XNextEvent(display_, &event);
        return true;
    }

    void drain() {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
        }
    }

    Display* display_;
    int damageEvent_ = 0;
    pid_t pid_ = 0;
    Window window_ = 0;
    Damage damage_ = 0;
};

void timed(Session& session, std::vector<Answer>& into, const auto& send) {
    const Clock::time_point sent = Clock::now();
    send();
    if (const std::optional<Answer> a = session.answer(sent)) {
        into.push_back(*a);
    }
}

Answers measure(Session& session, const Subject& subject, int presses) {
    Answers answers;
    for (int i = 0; i < presses && !subject.enter; ++i) {
        timed(session, answers["keys"], [&] { session.key(i % 2 == 0 ? XK_5 : XK_BackSpace); });
    }
    if (subject.click && !subject.enter) {
        for (int i = 0; i < presses; ++i) {
            timed(session, answers["clicks"], [&] { session.click(*subject.click); });
        }
    }
    if (subject.enter && subject.click) {
        for (int i = 0; i < presses; ++i) {
            session.click(*subject.click); // selects the first calculator afresh
            session.settle();
            for (const KeySym k : {XK_1, XK_plus, XK_2}) {
                k == XK_plus ? session.key(XK_equal, XK_Shift_L) : session.key(k);
                session.settle();
            }
            timed(session, answers["enter"], [&] { session.key(XK_Return); });
        }
    }
    return answers;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

std::string figures(const std::vector<double>& values) {
    char text[96];
    std::snprintf(text, sizeof text, "%.2f / %.2f / %.2f", percentile(values, 0.5),
                  percentile(values, 0.9), percentile(values, 1.0));
    return text;
}

} // namespace

int main(int argc, char** argv) {
    int presses = 80;
    std::string output;
    std::vector<Subject> subjects;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--presses" && i + 1 < argc) {
            presses = std::max(2, std::atoi(argv[++i]));
        } else if (arg == "--output" && i + 1 < argc) {
            output = argv[++i];
        } else if (std::optional<Subject> s = parseSubject(arg)) {
            subjects.push_back(*s);
        } else {
            std::fprintf(stderr, "usage: kalpeno-latency [--presses N] [--output FILE] "
                                 "NAME[@X,Y][+enter]=COMMAND...\n");
            return 2;
        }
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "kalpeno-latency: cannot open the display\n");
        return 2;
    }
    // Every request waits for the server: unsynchronised, XDamageSubtract now and then fails
    // with BadDamage on Xvfb. The round trips come after each event is sent, alike for every
    // program.
    XSynchronize(display, True);
    Session session(display);
    std::map<std::string, Answers> results; // by program
    std::vector<std::string> order;
    for (const Subject& subject : subjects) {
        std::fprintf(stderr, "latency: %s\n", subject.name.c_str());
        if (!session.start(subject)) {
            std::fprintf(stderr, "kalpeno-latency: %s showed no window\n", subject.name.c_str());
            session.stop();
            continue;
        }
        session.prepare();
        Answers& answers = results[subject.name];
        for (auto& [kind, list] : measure(session, subject, presses)) {
            auto& all = answers[kind];
            all.insert(all.end(), list.begin(), list.end());
        }
        session.stop();
        if (std::find(order.begin(), order.end(), subject.name) == order.end()) {
            order.push_back(subject.name);
        }
    }
    XCloseDisplay(display);

    std::string table = "| program | answer | answers | to first damage, ms (median / p90 / max) | "
                        "to last damage, ms (median / p90 / max) | first, ratio to xcalc |\n"
                        "|---|---|---|---|---|---|\n";
    for (const std::string& name : order) {
        for (const auto& [kind, list] : results[name]) {
            std::vector<double> first;
            std::vector<double> last;
            for (const Answer& a : list) {
                first.push_back(a.firstMs);
                last.push_back(a.lastMs);
            }
            if (first.empty()) {
                table += "| " + name + " | " + kind + " | 0 | no answer | | |\n";
                continue;
            }
            std::string ratio;
            const auto xcalc = results.find("xcalc");
            if (xcalc != results.end() && xcalc->second.count(kind) &&
                !xcalc->second.at(kind).empty()) {
                std::vector<double> reference;
                for (const Answer& a : xcalc->second.at(kind)) {
                    reference.push_back(a.firstMs);
                }
                char text[32];
                std::snprintf(text, sizeof text, "%.2f×",
                              percentile(first, 0.5) / percentile(reference, 0.5));
                ratio = text;
            }
            table += "| " + name + " | " + kind + " | " + std::to_string(list.size()) + " | " +
                     figures(first) + " | " + figures(last) + " | " + ratio + " |\n";
        }
    }
    std::fputs(table.c_str(), stdout);
    if (!output.empty()) {
        if (FILE* file = std::fopen(output.c_str(), "w")) {
            std::fputs(table.c_str(), file);
            std::fclose(file);
        }
    }
    return 0;
}

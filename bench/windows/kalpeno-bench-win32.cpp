// kalpeno-bench-win32.exe: what an event costs on the native controls of the Windows program,
// beside the headless model's cost of the same event, and how long inputs are answered: a paste
// of a megabyte into an entry box, a tape of 100,000 lines, and a key after each. An event on
// the native controls is timed from its key or mouse messages posted to the control until the
// message loop has handled them, the mirroring and painting included. Prints one Markdown
// table; bench/run.sh runs it under Wine.
#include "scenario/HeadlessSession.h"
#include "scenario/ScratchFolder.h"
#include "win32/Win32Session.h"

#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using kalpeno::scenario::ControlPath;
using kalpeno::scenario::Session;
using Clock = std::chrono::steady_clock;

double millisecondsOf(const std::function<void()>& action) {
    const Clock::time_point start = Clock::now();
    action();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

const ControlPath text1{.name = u"Text1"};

// One event a round, prepared outside the timed part.
double eventCost(const std::function<void()>& prepare, const std::function<void()>& event,
                 int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        prepare();
        times.push_back(millisecondsOf(event));
    }
    return median(times);
}

struct Row {
    const char* what;
    double headless;
    double native;
};

std::vector<Row> eventRows(Session& headless, Session& native) {
    std::vector<Row> rows;
    const auto measure = [&](const char* what, auto prepare, auto event) {
        const double quick = eventCost([&] { prepare(headless); }, [&] { event(headless); }, 200);
        const double real = eventCost([&] { prepare(native); }, [&] { event(native); }, 200);
        rows.push_back({what, quick, real});
    };
    int turn = 0;
    measure(
        "key press in an entry box (\"5\" and Backspace in turn)",
        [](Session& s) {
            if (s.read(text1, kalpeno::scenario::Aspect::Text).text.value_or(u"").size() > 40) {
                s.click({.name = u"Image1"});
            }
        },
        [&](Session& s) { s.key(text1, (turn++ % 2) ? U'\b' : U'5'); });
    measure(
        "keypad digit click", [](Session& s) { s.click({.name = u"Image2"}); },
        [](Session& s) { s.click({.name = u"Command2", .index = 4}); });
    measure(
        "= click (computes, three tape lines)",
        [](Session& s) {
            s.click({.name = u"Image2"});
            for (const ControlPath& button : {ControlPath{.name = u"Command2", .index = 0},
                                              ControlPath{.name = u"Command3", .index = 0},
                                              ControlPath{.name = u"Command2", .index = 1}}) {
                s.click(button);
            }
        },
        [](Session& s) { s.click({.name = u"cmdKotae1"}); });
    return rows;
}

std::u16string repeated(std::u16string_view piece, std::size_t units) {
    std::u16string text;
    text.reserve(units + piece.size());
    while (text.size() < units) {
        text += piece;
    }
    text.resize(units);
    return text;
}

} // namespace

int main() {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const kalpeno::scenario::ScratchFolder folder("kalpeno-bench");
    kalpeno::scenario::HeadlessSession headless(folder.path().u16string());
    kalpeno::win32::Win32Session native(folder.path().u16string());

    std::printf("| event | headless model | native controls | native / headless |\n");
    std::printf("|---|---|---|---|\n");
    for (const Row& row : eventRows(headless, native)) {
        std::printf("| %s | %.1f µs | %.0f µs | %.0f× |\n", row.what, row.headless * 1000,
                    row.native * 1000, row.native / std::max(row.headless, 1e-6));
    }

    // Long inputs on the native controls: each answered within 2 s, a key after it within
    // 100 ms.
    std::printf("\n| long input, native controls | answered in | goal | met |\n");
    std::printf("|---|---|---|---|\n");
    const auto line = [](const char* what, double milliseconds, double goal) {
        std::printf("| %s | %.0f ms | ≤ %.0f ms | %s |\n", what, milliseconds, goal,
                    milliseconds <= goal ? "yes" : "no");
    };
    native.click({.name = u"Image1"});
    const std::u16string megabyte = repeated(u"1234567+", 1 << 20);
    headless.click({.name = u"Image1"});
    line("(headless) a paste of 1,048,576 characters into an entry box",
         millisecondsOf([&] { headless.paste(text1, megabyte); }), 2000);
    line("a paste of 1,048,576 characters into an entry box",
         millisecondsOf([&] { native.paste(text1, megabyte); }), 2000);
    line("a key after it", millisecondsOf([&] { native.key(text1, U'5'); }), 100);
    native.click({.name = u"Image2"});
    const ControlPath text3{.name = u"Text3"};
    line("a paste that writes a tape of 100,000 lines",
         millisecondsOf([&] { native.paste(text3, repeated(u"1+", 200000)); }), 2000);
    line("a key after it", millisecondsOf([&] { native.key(text3, U'5'); }), 100);
    line("= after it (three lines more)",
         millisecondsOf([&] { native.click({.name = u"cmdKotae1"}); }), 100);
    return 0;
}

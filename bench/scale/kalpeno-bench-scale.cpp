// Scale: long generated sessions, a long tape and a large Help.txt, on the headless model and on
// the widgets. Every figure is a median of a few runs on a fresh program. Prints Markdown rows
// (figure, measured, goal, met) on stdout; progress on stderr.
//
//   kalpeno-bench-scale [--quick] [--only PART]
//     --quick: a tenth of the sizes, for a smoke run
//     --only PART: one part alone (headless, widget-sessions, widget-tape, widget-paste,
//                  widget-help)
#include "bench/scale/HelpFile.h"
#include "bench/scale/PasteText.h"
#include "bench/scale/ScaleReport.h"
#include "bench/scale/SessionComparison.h"
#include "bench/scale/SessionScript.h"
#include "bench/startup/FloorWidgets.h"
#include "calculator/Kalpeno.h"
#include "forms/Application.h"
#include "program/Program.h"
#include "scenario/RecordingMessageBox.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#ifdef KALPENO_BENCH_QT
#include "bench/scale/WidgetScale.h"
#endif

namespace {

using namespace kalpeno;
using kalpeno::bench::ScaleReport;
using Clock = std::chrono::steady_clock;

using kalpeno::bench::secondsSince;

// One generated session on a fresh headless program: the time of its events, and how many
// message boxes appeared (none are expected).
bench::SessionRun runHeadlessSession(const bench::SessionScript& script) {
    scenario::RecordingMessageBox messages;
    forms::Application app(u"/nonexistent", messages);
    startProgram(app);
    auto& window = *app.loaded(u"Kalpeno");
    struct Resolved {
        forms::Control* control;
        forms::TextBox* box;
        char32_t key;
    };
    std::vector<Resolved> events;
    events.reserve(script.events().size());
    for (const bench::ScriptEvent& e : script.events()) {
        forms::Control& control = window.control(e.control, e.index);
        events.push_back({&control, dynamic_cast<forms::TextBox*>(&control), e.key});
    }
    const auto start = Clock::now();
    for (const Resolved& e : events) {
        if (e.key != 0) {
            app.pressKey(*e.box, e.key);
        } else {
            app.click(*e.control);
        }
    }
    return {secondsSince(start), messages.texts.size()};
}

// One paste into A's entry box of a fresh headless program.
double headlessPaste(std::size_t length) {
    scenario::RecordingMessageBox messages;
    forms::Application app(u"/nonexistent", messages);
    startProgram(app);
    auto& box = app.loaded(u"Kalpeno")->textBox(u"Text1");
    const std::u16string text = bench::pasteText(length);
    const auto start = Clock::now();
    app.paste(box, text);
    const double seconds = secondsSince(start);
    if (box.text().size() != length || !messages.texts.empty()) {
        std::fprintf(stderr, "kalpeno-bench-scale: the headless paste was not whole\n");
    }
    return seconds;
}

void headlessSessions(ScaleReport& report, std::size_t small) {
    bench::compareSessions(report, "headless", small, 2e-6, runHeadlessSession);
}

// A tape of `lines` lines on the headless model: the time of the last append.
void headlessTape(ScaleReport& report, std::size_t lines) {
    scenario::RecordingMessageBox messages;
    forms::Application app(u"/nonexistent", messages);
    startProgram(app);
    auto& tape = app.loaded(u"Kalpeno")->listBox(u"List1");
    for (std::size_t i = 1; i < lines; ++i) {
        tape.addItem(u"1,234.");
    }
    const auto start = Clock::now();
    tape.addItem(u"1,234.");
    const double last = secondsSince(start);
    report.row("headless tape of " + ScaleReport::count(lines) + " lines, last append",
               ScaleReport::duration(last), "no visible pause (< 50 ms)", last < 0.05);
}

// The load of frmHelp with a Help.txt of the given size, on the headless model.
double headlessHelpLoad(const std::filesystem::path& folder) {
    scenario::RecordingMessageBox messages;
    forms::Application app(folder.u16string(), messages);
    startProgram(app);
    const auto start = Clock::now();
    app.show(u"frmHelp");
    const double seconds = secondsSince(start);
    if (!messages.texts.empty() || app.loaded(u"frmHelp")->textBox(u"Text1").text().empty()) {
        std::fprintf(stderr, "kalpeno-bench-scale: Help.txt was not loaded\n");
    }
    return seconds;
}

std::string surfaceName(bench::Surface surface) {
    switch (surface) {
    case bench::Surface::Widgets:
        return "widgets";
    case bench::Surface::QtAlone:
        return "qt-alone";
    case bench::Surface::Headless:
        break;
    }
    return "headless";
}

// Each load runs in a fresh process (this program, started again with --help-load), as a user
// opens Help in a fresh program: in a process that loaded a small file before, the allocator
// hands back memory that is already mapped, while the large file always gets new pages, and the
// comparison of sizes would measure that instead. Answers a negative time when it failed.
double helpLoadInFreshProcess(const std::filesystem::path& folder, bench::Surface surface) {
    const std::string command = "/proc/" + std::to_string(::getpid()) + "/exe --help-load " +
                                surfaceName(surface) + " '" + folder.string() + "'";
    std::fflush(nullptr);
    FILE* child = ::popen(command.c_str(), "r");
    if (!child) {
        return -1;
    }
    double seconds = -1;
    if (std::fscanf(child, "%lf", &seconds) != 1) {
        seconds = -1;
    }
    return ::pclose(child) == 0 ? seconds : -1;
}

void helpLoads(ScaleReport& report, const std::filesystem::path& folder, bench::Surface surface) {
    constexpr std::size_t mebibyte = 1024 * 1024;
    double times[2];
    const std::size_t sizes[2] = {mebibyte, 16 * mebibyte};
    for (int s = 0; s < 2; ++s) {
        bench::writeHelpFile((folder / "Help.txt").string(), sizes[s]);
        std::vector<double> runs;
        for (int run = 0; run < 5; ++run) {
            runs.push_back(helpLoadInFreshProcess(folder, surface));
        }
        times[s] = ScaleReport::median(runs);
    }
    if (surface == bench::Surface::QtAlone) {
        const std::string name = "Qt alone: a bare QPlainTextEdit given the same text, a paragraph "
                                 "per line";
        if (times[0] <= 0 || times[1] <= 0) {
            report.row(name + " (for comparison)", "failed", "", true);
            return;
        }
        report.comparedPair(name, "1 MiB", times[0], "16 MiB", times[1]);
        return;
    }
    const std::string name = surfaceName(surface) + ": Help.txt load";
    if (times[0] <= 0 || times[1] <= 0) {
        report.row(name, "failed", "linear in the size", false);
        return;
    }
    report.sizePair(name, "1 MiB", times[0], "16 MiB", times[1], 16);
}

void checkFloorWidgets(ScaleReport& report) {
    int counted = 0;
    for (const forms::ControlDesign& c : calculator::Kalpeno::design().controls) {
        counted += c.kind == forms::ControlKind::Timer ? 0 : 1;
    }
    const int floor = bench::floorWidgets.total();
    report.row("floor program's widgets vs the calculator window's",
               std::to_string(floor) + " vs " + std::to_string(counted), "equal", floor == counted);
}

} // namespace

// --help-load headless|widgets|qt-alone DIR: one load of DIR/Help.txt; prints its time in
// seconds.
int helpLoadMode([[maybe_unused]] int argc, char** argv) {
    const std::filesystem::path folder = argv[3];
    const std::string surface = argv[2];
    if (surface == "headless") {
        std::printf("%.9f\n", headlessHelpLoad(folder));
        return 0;
    }
#ifdef KALPENO_BENCH_QT
    bench::WidgetScale widgets(argc, argv);
    std::printf("%.9f\n", surface == "qt-alone" ? bench::qtAloneHelpLoad(folder)
                                                : bench::widgetHelpLoad(folder));
    return 0;
#else
    return 1;
#endif
}

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--help-load") == 0) {
        return helpLoadMode(argc, argv);
    }
    bool quick = false;
    const char* only = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            quick = true;
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = argv[++i];
        }
    }
    const auto runs = [only](const char* part) { return !only || std::strcmp(only, part) == 0; };
    const std::size_t scale = quick ? 10 : 1;
#ifdef KALPENO_BENCH_QT
    bench::WidgetScale widgets(argc, argv);
#endif
    ScaleReport report;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kalpeno-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    if (runs("headless")) {
        checkFloorWidgets(report);
        std::fprintf(stderr, "Help.txt loads...\n");
        helpLoads(report, folder, bench::Surface::Headless);
        std::fprintf(stderr, "headless sessions...\n");
        headlessSessions(report, 100'000 / scale);
        headlessTape(report, 100'000 / scale);
        bench::pastes(report, "headless", headlessPaste, scale);
    }
#ifdef KALPENO_BENCH_QT
    if (runs("widget-sessions")) {
        std::fprintf(stderr, "widget sessions...\n");
        widgets.sessions(report, 10'000 / scale);
    }
    if (runs("widget-tape")) {
        widgets.tape(report, 100'000 / scale);
    }
    if (runs("widget-paste")) {
        std::fprintf(stderr, "widget pastes...\n");
        bench::pastes(report, "widgets", bench::widgetPaste, scale);
        bench::pastes(report, "widgets", bench::widgetHelpPaste, scale,
                      "the Help window's text box (one line)");
        widgets.longEntryKeys(report);
        widgets.longHelpLineKeys(report);
    }
    if (runs("widget-help")) {
        helpLoads(report, folder, bench::Surface::Widgets);
        helpLoads(report, folder, bench::Surface::QtAlone);
    }
#else
    report.row("widgets: sessions, tape, Help.txt", "not built (no Qt window layer)", "", false);
#endif
    std::filesystem::remove_all(folder);
    return 0;
}

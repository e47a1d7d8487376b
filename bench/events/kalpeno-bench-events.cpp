// The cost of one user event and of one number conversion, with Google Benchmark.
//
// Each event benchmark brings the calculator into a realistic state outside the timed region
// (a short entry, a pending calculation, a total to recall) and times exactly one event with
// the manual timer, so a tape or an entry that grows with the iterations never enters the figure.
// Headless: the model alone (forms::Application, the program's forms, a recording message box).
// Widgets: the real Qt widgets on the offscreen platform, from the click or key delivered to the
// widget until the widget shows the new text.
//
// Progress goes to stderr; stdout gets one Markdown table of medians with their goals.
#include "calculator/Kalpeno.h"
#include "calculator/NumberRules.h"
#include "forms/Application.h"
#include "program/Program.h"
#include "scenario/RecordingMessageBox.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#ifdef KALPENO_BENCH_QT
#include "bench/events/WidgetEvents.h"

#include <QApplication>
#endif

namespace {

using kalpeno::calculator::Kalpeno;
using kalpeno::forms::Application;
using kalpeno::forms::Control;
using kalpeno::forms::TextBox;
using Clock = std::chrono::steady_clock;

// A fresh program on the headless model.
class HeadlessProgram {
public:
    HeadlessProgram() : app_(u"/nonexistent", messages_) {
        kalpeno::startProgram(app_);
        window_ = static_cast<Kalpeno*>(app_.loaded(u"Kalpeno"));
    }
    Application& app() { return app_; }
    Kalpeno& window() { return *window_; }
    Control& control(std::u16string_view name, int index = -1) {
        return window_->control(name, index);
    }
    void click(std::u16string_view name, int index = -1) { app_.click(control(name, index)); }
    std::size_t messages() const { return messages_.texts.size(); }

private:
    kalpeno::scenario::RecordingMessageBox messages_;
    Application app_;
    Kalpeno* window_ = nullptr;
};

template <class Prepare, class Event>
void timeEvents(benchmark::State& state, Prepare prepare, Event event) {
    for (auto _ : state) {
        prepare();
        const auto start = Clock::now();
        event();
        const auto end = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void checkNoMessages(benchmark::State& state, const HeadlessProgram& program) {
    if (program.messages() != 0) {
        state.SkipWithError("a message box appeared: the benchmark's state is wrong");
    }
}

// A digit on the keypad, into an entry of at most ten digits.
void headlessDigitClick(benchmark::State& state) {
    HeadlessProgram program;
    Control& digit = program.control(u"Command2", 4);
    Control& clear = program.control(u"Command1");
    const TextBox& entry = program.window().textBox(u"Text1");
    timeEvents(
        state,
        [&] {
            if (entry.text().size() >= 10) {
                program.app().click(clear);
            }
        },
        [&] { program.app().click(digit); });
    checkNoMessages(state, program);
}

// A digit typed into A's entry box.
void headlessKeyPress(benchmark::State& state) {
    HeadlessProgram program;
    TextBox& entry = program.window().textBox(u"Text1");
    Control& clear = program.control(u"Command1");
    timeEvents(
        state,
        [&] {
            if (entry.text().size() >= 10) {
                program.app().click(clear);
            }
        },
        [&] { program.app().pressKey(entry, U'7'); });
    checkNoMessages(state, program);
}

// "12+3" entered; then "+" (the second operator computes through Keisan) or "=".
void prepareCalculation(HeadlessProgram& program) {
    program.click(u"Command1");
    program.click(u"Command2", 0);
    program.click(u"Command2", 1);
    program.click(u"Command3", 0);
    program.click(u"Command2", 2);
}

void headlessOperator(benchmark::State& state) {
    HeadlessProgram program;
    Control& plus = program.control(u"Command3", 0);
    timeEvents(
        state, [&] { prepareCalculation(program); }, [&] { program.app().click(plus); });
    checkNoMessages(state, program);
}

void headlessEquals(benchmark::State& state) {
    HeadlessProgram program;
    Control& equals = program.control(u"cmdKotae1");
    timeEvents(
        state, [&] { prepareCalculation(program); }, [&] { program.app().click(equals); });
    checkNoMessages(state, program);
}

// A's total carried into B with "AA".
void headlessRecall(benchmark::State& state) {
    HeadlessProgram program;
    prepareCalculation(program);
    program.click(u"cmdKotae1");
    program.click(u"Image2");
    Control& recall = program.control(u"Command6");
    timeEvents(
        state, [&] { program.click(u"Command1"); }, [&] { program.app().click(recall); });
    checkNoMessages(state, program);
}

constexpr std::array<std::u16string_view, 4> displayTexts{u" 12", u" 1234567.89", u"-3.5",
                                                          u" 1E+15"};
constexpr std::array<double, 4> numbers{15, 1234567.891, -0.333333333333333, 1e15};

void textToNumber(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kalpeno::calculator::TextToNumber(displayTexts[i++ % 4]));
    }
}

void numberToText(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kalpeno::calculator::NumberToText(numbers[i++ % 4]));
    }
}

void formatPicture(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kalpeno::calculator::FormatPicture(
            numbers[i++ % 4], kalpeno::calculator::PictureTotal));
    }
}

// Collects the medians of the repetitions and prints them as one table with their goals.
class TableReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_.emplace_back(run.run_name.function_name,
                                      run.GetAdjustedRealTime() / multiplier(run.time_unit));
            }
        }
    }
    // The widget events also as a multiple of the bare Qt click of the same run, which moves
    // with the machine's speed as they do.
    void print(const std::map<std::string, double>& goalsMicroseconds) const {
        double floorSeconds = 0;
        for (const auto& [name, seconds] : medians_) {
            if (name.starts_with("Qt floor:")) {
                floorSeconds = seconds;
            }
        }
        std::printf(
            "| event | median | goal | met | × the bare Qt click |\n|---|---|---|---|---|\n");
        for (const auto& [name, seconds] : medians_) {
            const auto goal = goalsMicroseconds.find(name.substr(0, name.find('/')));
            const double us = seconds * 1e6;
            char ratio[32] = "";
            if (name.starts_with("widgets:") && floorSeconds > 0) {
                std::snprintf(ratio, sizeof ratio, "%.2f×", seconds / floorSeconds);
            }
            if (goal == goalsMicroseconds.end()) {
                std::printf("| %s | %.3f µs | (for comparison) | | %s |\n", name.c_str(), us,
                            ratio);
            } else {
                std::printf("| %s | %.3f µs | < %.0f µs | %s | %s |\n", name.c_str(), us,
                            goal->second, us < goal->second ? "yes" : "**no**", ratio);
            }
        }
    }

private:
    static double multiplier(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e9;
        case benchmark::kMicrosecond:
            return 1e6;
        case benchmark::kMillisecond:
            return 1e3;
        case benchmark::kSecond:
            break;
        }
        return 1;
    }
    std::vector<std::pair<std::string, double>> medians_; // in the order they ran
};

// Shows both the console's progress (on stderr) and collects the table.
class TeeReporter : public benchmark::BenchmarkReporter {
public:
    TeeReporter(benchmark::BenchmarkReporter& console, TableReporter& table)
        : console_(console), table_(table) {}
    bool ReportContext(const Context& context) override {
        return console_.ReportContext(context) && table_.ReportContext(context);
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        console_.ReportRuns(runs);
        table_.ReportRuns(runs);
    }
    void Finalize() override { console_.Finalize(); }

private:
    benchmark::BenchmarkReporter& console_;
    TableReporter& table_;
};

void registerHeadless() {
    struct Entry {
        const char* name;
        void (*function)(benchmark::State&);
    };
    constexpr std::array<Entry, 5> events{{
        {"headless: keypad digit click", headlessDigitClick},
        {"headless: key press in an entry box", headlessKeyPress},
        {"headless: operator click (computes)", headlessOperator},
        {"headless: = click", headlessEquals},
        {"headless: recall click (AA)", headlessRecall},
    }};
    for (const Entry& e : events) {
        benchmark::RegisterBenchmark(e.name, e.function)->UseManualTime();
    }
    constexpr std::array<Entry, 3> conversions{{
        {"conversion: TextToNumber", textToNumber},
        {"conversion: NumberToText", numberToText},
        {"conversion: FormatPicture", formatPicture},
    }};
    for (const Entry& e : conversions) {
        benchmark::RegisterBenchmark(e.name, e.function);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::map<std::string, double> goals;
    registerHeadless();
    for (const char* name : {"headless: keypad digit click", "headless: key press in an entry box",
                             "headless: operator click (computes)", "headless: = click",
                             "headless: recall click (AA)"}) {
        goals[name] = 2;
    }
#ifdef KALPENO_BENCH_QT
    const auto application = kalpeno::bench::registerWidgetEvents(argc, argv, goals);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::ConsoleReporter console;
    console.SetOutputStream(&std::cerr);
    console.SetErrorStream(&std::cerr);
    TableReporter table;
    TeeReporter tee(console, table);
    benchmark::RunSpecifiedBenchmarks(&tee);
    benchmark::Shutdown();
    table.print(goals);
    std::fflush(stdout);
    return 0;
}

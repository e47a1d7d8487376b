#include "bench/events/WidgetEvents.h"

#include "bench/qt/WidgetProgram.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <array>
#include <chrono>
#include <memory>

namespace kalpeno::bench {

namespace {

using Clock = std::chrono::steady_clock;

// The timed event, kept out of line so that a profiler can collect it alone
// (valgrind --tool=callgrind --toggle-collect='*timedEvent*').
template <class Event> [[gnu::noinline]] void timedEvent(Event& event) {
    event();
}

// One event sent to a widget, timed until the entry box it changes shows the new text (the
// mirroring is synchronous; the repaint it schedules runs inside the timed region too).
template <class Prepare, class Event>
void timeEvents(benchmark::State& state, WidgetProgram& program, QLineEdit& shows, Prepare prepare,
                Event event) {
    for (auto _ : state) {
        prepare();
        const QString before = shows.text();
        const auto start = Clock::now();
        timedEvent(event);
        const auto end = Clock::now();
        if (shows.text() == before) {
            state.SkipWithError("the widget did not change");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    if (program.messages() != 0) {
        state.SkipWithError("a message box appeared: the benchmark's state is wrong");
    }
}

QLineEdit& lineEdit(WidgetProgram& program, std::u16string_view name) {
    return dynamic_cast<QLineEdit&>(program.widget(name));
}

void clearIfLong(WidgetProgram& program, const QLineEdit& entry) {
    if (entry.text().size() >= 10) {
        program.click(program.widget(u"Command1"));
    }
}

void digitClick(benchmark::State& state) {
    WidgetProgram program;
    QLineEdit& entry = lineEdit(program, u"Text1");
    QWidget& digit = program.widget(u"Command2", 4);
    timeEvents(
        state, program, entry, [&] { clearIfLong(program, entry); }, [&] { program.click(digit); });
}

void keyPress(benchmark::State& state) {
    WidgetProgram program;
    QLineEdit& entry = lineEdit(program, u"Text1");
    timeEvents(
        state, program, entry, [&] { clearIfLong(program, entry); },
        [&] { program.key(entry, U'7'); });
}

// "12+3" entered on A; the event under test then completes or continues it.
void prepareCalculation(WidgetProgram& program) {
    program.click(program.widget(u"Command1"));
    for (auto [name, index] : std::array<std::pair<std::u16string_view, int>, 4>{
             {{u"Command2", 0}, {u"Command2", 1}, {u"Command3", 0}, {u"Command2", 2}}}) {
        program.click(program.widget(name, index));
    }
}

void equalsClick(benchmark::State& state) {
    WidgetProgram program;
    QLineEdit& total = lineEdit(program, u"Text2");
    QWidget& equals = program.widget(u"cmdKotae1");
    timeEvents(
        state, program, total, [&] { prepareCalculation(program); },
        [&] { program.click(equals); });
}

void recallClick(benchmark::State& state) {
    WidgetProgram program;
    prepareCalculation(program);
    program.click(program.widget(u"cmdKotae1"));
    program.click(program.widget(u"Image2"));
    QLineEdit& entry = lineEdit(program, u"Text3");
    QWidget& recall = program.widget(u"Command6");
    QWidget& clear = program.widget(u"Command1");
    timeEvents(
        state, program, entry, [&] { program.click(clear); }, [&] { program.click(recall); });
}

// The toolkit's own floor for a click: a bare QPushButton whose clicked signal appends a digit to
// two QLineEdits (the entry box and the display), sent and painted alike. What the window layer
// and the model add to a click is the difference to this.
void floorClick(benchmark::State& state) {
    QWidget window;
    window.resize(600, 500);
    auto* entry = new QLineEdit(&window);
    entry->setGeometry(56, 24, 345, 33);
    auto* display = new QLineEdit(&window);
    display->setGeometry(464, 376, 113, 19);
    auto* digit = new QPushButton(QStringLiteral("5"), &window);
    digit->setGeometry(480, 208, 25, 25);
    QObject::connect(digit, &QPushButton::clicked, &window, [&] {
        entry->setText(entry->text() + u'5');
        display->setText(display->text() + u'5');
    });
    window.show();
    WidgetProgram::settle();
    for (auto _ : state) {
        if (entry->text().size() >= 10) {
            entry->clear();
            display->clear();
            WidgetProgram::settle();
        }
        const auto start = Clock::now();
        QTest::mouseClick(digit, Qt::LeftButton);
        WidgetProgram::settle();
        const auto end = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

} // namespace

std::unique_ptr<QApplication> registerWidgetEvents(int& argc, char** argv,
                                                   std::map<std::string, double>& goals) {
    auto application = std::make_unique<QApplication>(argc, argv);
    struct Entry {
        const char* name;
        void (*function)(benchmark::State&);
    };
    constexpr std::array<Entry, 4> events{{
        {"widgets: keypad digit click", digitClick},
        {"widgets: key press in an entry box", keyPress},
        {"widgets: = click", equalsClick},
        {"widgets: recall click (AA)", recallClick},
    }};
    for (const Entry& e : events) {
        benchmark::RegisterBenchmark(e.name, e.function)->UseManualTime();
        goals[e.name] = 100;
    }
    benchmark::RegisterBenchmark("Qt floor: bare button click appending to two line edits",
                                 floorClick)
        ->UseManualTime();
    return application;
}

} // namespace kalpeno::bench

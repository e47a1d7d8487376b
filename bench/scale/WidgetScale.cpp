#include "bench/scale/WidgetScale.h"

#include "bench/qt/WidgetProgram.h"
#include "bench/scale/PasteText.h"
#include "bench/scale/SessionComparison.h"
#include "bench/scale/SessionScript.h"
#include "forms/TextFileInput.h"
#include "qt/Conversions.h"
#include "qt/boxes/MultiLineMapping.h"
#include "qt/boxes/SingleLineBox.h"
#include "qt/tape/TapeView.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <limits>
#include <vector>

namespace kalpeno::bench {

namespace {

using Clock = std::chrono::steady_clock;

SessionRun runSession(const SessionScript& script) {
    WidgetProgram program;
    struct Resolved {
        QWidget* widget;
        char32_t key;
    };
    std::vector<Resolved> events;
    events.reserve(script.events().size());
    for (const ScriptEvent& e : script.events()) {
        events.push_back({&program.widget(e.control, e.index), e.key});
    }
    const auto start = Clock::now();
    for (const Resolved& e : events) {
        if (e.key != 0) {
            program.key(*e.widget, e.key);
        } else {
            program.click(*e.widget);
        }
    }
    return {secondsSince(start), program.messages()};
}

} // namespace

WidgetScale::WidgetScale(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv)) {}

WidgetScale::~WidgetScale() = default;

void WidgetScale::sessions(ScaleReport& report, std::size_t small) {
    compareSessions(report, "widgets", small, 100e-6, runSession);
}

void WidgetScale::tape(ScaleReport& report, std::size_t lines) {
    WidgetProgram program;
    auto& tape = program.app().loaded(u"Kalpeno")->listBox(u"List1");
    auto& list = dynamic_cast<qt::TapeView&>(program.widget(u"List1"));
    // All lines but the last straight into the model, as the handlers add them; the widget
    // mirrors each one.
    const auto fill = Clock::now();
    for (std::size_t i = 1; i < lines; ++i) {
        tape.addItem(u"1,234.");
    }
    WidgetProgram::settle();
    const double fillSeconds = secondsSince(fill);
    // The last line through a user event: "1" then "+" writes "1." to the tape.
    program.click(program.widget(u"Command2", 0));
    const auto append = Clock::now();
    program.click(program.widget(u"Command3", 0));
    list.viewport()->repaint();
    const double appendSeconds = secondsSince(append);
    const bool complete = static_cast<std::size_t>(list.count()) == lines;
    list.verticalScrollBar()->setValue(0);
    list.viewport()->repaint();
    const auto scroll = Clock::now();
    list.scrollToBottom();
    WidgetProgram::settle();
    list.viewport()->repaint();
    const double scrollSeconds = secondsSince(scroll);
    const bool atEnd = list.verticalScrollBar()->value() == list.verticalScrollBar()->maximum();
    const std::string name = "widgets tape of " + ScaleReport::count(lines) + " lines";
    report.row(name + ", filling the other lines (for information)",
               ScaleReport::duration(fillSeconds) + " (" +
                   ScaleReport::duration(fillSeconds / static_cast<double>(lines)) + " per line)",
               "", true);
    report.row(name + ", last append (a \"+\" click, until painted)",
               ScaleReport::duration(appendSeconds) + (complete ? "" : " (lines missing)"),
               "no visible pause (< 50 ms)", complete && appendSeconds < 0.05);
    report.row(name + ", scroll from the top to the end, until painted",
               ScaleReport::duration(scrollSeconds) + (atEnd ? "" : " (not at the end)"),
               "no visible pause (< 50 ms)", atEnd && scrollSeconds < 0.05);
}

double widgetPaste(std::size_t length) {
    WidgetProgram program;
    auto& entry = dynamic_cast<qt::SingleLineBox&>(program.widget(u"Text1"));
    QGuiApplication::clipboard()->setText(qt::toQString(pasteText(length)));
    const auto start = Clock::now();
    QTest::keyClick(&entry, Qt::Key_V, Qt::ControlModifier);
    WidgetProgram::settle();
    entry.repaint();
    const double seconds = secondsSince(start);
    if (entry.shownText().size() != length || program.messages() != 0) {
        std::fprintf(stderr, "kalpeno-bench-scale: the widget paste was not whole\n");
    }
    return seconds;
}

double widgetHelpPaste(std::size_t length) {
    WidgetProgram program;
    program.app().show(u"frmHelp");
    WidgetProgram::settle();
    auto& help = dynamic_cast<QPlainTextEdit&>(program.widget(u"frmHelp", u"Text1"));
    const forms::TextBox& box = program.app().loaded(u"frmHelp")->textBox(u"Text1");
    const std::size_t before = box.text().size();
    QGuiApplication::clipboard()->setText(qt::toQString(pasteText(length)));
    const auto start = Clock::now();
    QTest::keyClick(&help, Qt::Key_V, Qt::ControlModifier);
    WidgetProgram::settle();
    help.viewport()->repaint();
    const double seconds = secondsSince(start);
    if (box.text().size() != before + length) {
        std::fprintf(stderr, "kalpeno-bench-scale: the Help paste was not whole\n");
    }
    return seconds;
}

namespace {

// The median time of 40 key presses into the box, a digit and Backspace in turn, each until
// painted.
double keyPresses(QLineEdit& box) {
    std::vector<double> runs;
    for (int i = 0; i < 40; ++i) {
        const auto start = Clock::now();
        if (i % 2 == 0) {
            QTest::keyClick(&box, Qt::Key_5);
        } else {
            QTest::keyClick(&box, Qt::Key_Backspace);
        }
        WidgetProgram::settle();
        box.repaint();
        runs.push_back(secondsSince(start));
    }
    return ScaleReport::median(runs);
}

} // namespace

void WidgetScale::longEntryKeys(ScaleReport& report) {
    for (const std::size_t length : {10, 1'000, 10'000, 1'000'000}) {
        WidgetProgram program;
        auto& entry = dynamic_cast<QLineEdit&>(program.widget(u"Text1"));
        program.app().paste(program.app().loaded(u"Kalpeno")->textBox(u"Text1"),
                            std::u16string(length, u'7'));
        WidgetProgram::settle();
        const double kalpeno = keyPresses(entry);
        const std::string name = "widgets: key press into an entry box of " +
                                 ScaleReport::count(length) + " characters, until painted";
        if (length > 10'000) { // a bare QLineEdit takes half a second a key
            report.row(name, ScaleReport::duration(kalpeno), "answered (< 100 ms)", kalpeno < 0.1);
            continue;
        }
        QLineEdit bare;
        bare.setMaxLength(std::numeric_limits<int>::max());
        bare.setFont(entry.font());
        bare.resize(entry.size());
        bare.setText(QString(static_cast<qsizetype>(length), u'7'));
        bare.show();
        WidgetProgram::settle();
        const double qt = keyPresses(bare);
        const bool goal = length == 10'000;
        report.row(name,
                   ScaleReport::duration(kalpeno) + " vs " + ScaleReport::duration(qt) +
                       " for a bare QLineEdit (" + ScaleReport::format("%.2f×", kalpeno / qt) + ")",
                   goal ? "≤ 2× the bare QLineEdit" : "", !goal || kalpeno <= 2 * qt);
    }
}

// A key into the Help window's text box holding a line of a million characters at its end, and
// into one holding four million characters of short lines at their middle.
void WidgetScale::longHelpLineKeys(ScaleReport& report) {
    std::u16string lines;
    while (lines.size() < 4'000'000) {
        lines += u"1234+5678\t90,12\r\n";
    }
    struct Case {
        std::string name;
        std::u16string text;
        bool middle;
    };
    for (const Case& c :
         {Case{"at the end of a line of 1,000,000 characters", pasteText(1'000'000), false},
          Case{"in the middle of 4,000,000 characters of short lines", std::move(lines), true}}) {
        WidgetProgram program;
        program.app().show(u"frmHelp");
        WidgetProgram::settle();
        auto& help = dynamic_cast<QPlainTextEdit&>(program.widget(u"frmHelp", u"Text1"));
        forms::TextBox& box = program.app().loaded(u"frmHelp")->textBox(u"Text1");
        program.app().paste(box, c.text);
        program.app().moveCaret(box, c.middle ? box.text().size() / 2 : box.text().size());
        WidgetProgram::settle();
        std::vector<double> runs;
        for (int i = 0; i < 20; ++i) {
            const auto start = Clock::now();
            QTest::keyClick(&help, i % 2 == 0 ? Qt::Key_5 : Qt::Key_Backspace);
            WidgetProgram::settle();
            help.viewport()->repaint();
            runs.push_back(secondsSince(start));
        }
        const double seconds = ScaleReport::median(runs);
        report.row("widgets: key press " + c.name + " in the Help window's text box, until painted",
                   ScaleReport::duration(seconds), "answered (< 100 ms)", seconds < 0.1);
    }
}

double widgetHelpLoad(const std::filesystem::path& folder) {
    WidgetProgram program(folder.u16string());
    const auto start = Clock::now();
    program.app().show(u"frmHelp");
    WidgetProgram::settle();
    auto* text = dynamic_cast<QPlainTextEdit*>(&program.widget(u"frmHelp", u"Text1"));
    if (text) {
        text->viewport()->repaint();
    }
    const double seconds = secondsSince(start);
    if (!text || text->document()->isEmpty() || program.messages() != 0) {
        std::fprintf(stderr, "kalpeno-bench-scale: Help.txt was not shown\n");
    }
    return seconds;
}

double qtAloneHelpLoad(const std::filesystem::path& folder) {
    std::optional<forms::TextFileInput> file =
        forms::TextFileInput::open((folder / "Help.txt").u16string());
    if (!file) {
        std::fprintf(stderr, "kalpeno-bench-scale: Help.txt was not read\n");
        return -1;
    }
    const QString text = qt::editorText(file->remainingLines());
    QPlainTextEdit edit;
    edit.setUndoRedoEnabled(false);
    edit.resize(633, 425); // the Help window's text box at 96 dpi
    edit.show();
    WidgetProgram::settle();
    const auto start = Clock::now();
    edit.setPlainText(text);
    WidgetProgram::settle();
    edit.viewport()->repaint();
    return secondsSince(start);
}

} // namespace kalpeno::bench

#pragma once
// The scale figures on the real widgets (offscreen): generated sessions, a long tape, and the
// load of a large Help.txt.

#include "bench/scale/ScaleReport.h"

#include <cstddef>
#include <filesystem>
#include <memory>

class QApplication;

namespace kalpeno::bench {

class WidgetScale {
public:
    // Creates the QApplication for the widget figures.
    WidgetScale(int& argc, char** argv);
    ~WidgetScale();

    // Sessions of n and 10n generated events sent to the widgets.
    void sessions(ScaleReport& report, std::size_t small);
    // A tape of `lines` lines: the time of the last append (one "+" click) and of the scroll to
    // its end, both until painted.
    void tape(ScaleReport& report, std::size_t lines);
    // A key press (a digit, then Backspace, in turn) into an entry box holding 10, 1,000 and
    // 10,000 characters, until painted, beside a bare QLineEdit given the same text.
    void longEntryKeys(ScaleReport& report);
    // A key press (a digit, then Backspace, in turn) at the end of a line of 1,000,000
    // characters in the Help window's text box, until painted.
    void longHelpLineKeys(ScaleReport& report);

private:
    std::unique_ptr<QApplication> application_;
};

// Shows frmHelp with the Help.txt in `folder` on the widgets and answers the seconds until its
// window is painted. Needs the QApplication.
double widgetHelpLoad(const std::filesystem::path& folder);
// Reads the Help.txt in `folder` as the program does, then answers the seconds from giving its
// text to a bare QPlainTextEdit of the Help window's size until it is painted. Needs the
// QApplication.
double qtAloneHelpLoad(const std::filesystem::path& folder);
// Ctrl+V of a text of that length into A's entry box on a fresh program, until painted. Needs
// the QApplication.
double widgetPaste(std::size_t length);

// Ctrl+V of a calculation of that length (one line) into the Help window's text box on a fresh
// program, until painted. Needs the QApplication.
double widgetHelpPaste(std::size_t length);

} // namespace kalpeno::bench

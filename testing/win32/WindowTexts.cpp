// kalpeno-window-texts CAPTION
// What the native controls of a running program's window show, read from outside the program
// as any other program may (WM_GETTEXT, LB_GETTEXT, the window's styles): one line a control,
// "NAME<TAB>VISIBLE<TAB>LEFT,TOP,RIGHT,BOTTOM<TAB>TEXT" (the place on the screen), a list's lines
// joined by " | ", with "\\", "\n", "\r" and "\t" for a backslash and the control characters of a
// multi-line box; and a line "focus<TAB>NAME" for the control with the keyboard focus. The names
// are the design's: the Win32 layer numbers a window's controls from 1000 in the order of the
// form's design, which a headless program of the same build gives. For the real-input check
// (tests/realworld).
#include "forms/Application.h"
#include "forms/Form.h"
#include "program/Program.h"
#include "scenario/CommandLine.h"
#include "scenario/RecordingMessageBox.h"
#include "scenario/Utf.h"

#include <windows.h>

#include <iostream>
#include <map>
#include <string>

namespace {

// WM_GETTEXT itself: GetWindowText gives another program's control only its window title.
std::u16string textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return std::u16string(text.begin(), text.end());
}

std::u16string linesOf(HWND list) {
    std::u16string lines;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        std::wstring line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)) + 1,
                          L'\0');
        line.resize(static_cast<std::size_t>(
            SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(line.data()))));
        lines += (row ? u" | " : u"") + std::u16string(line.begin(), line.end());
    }
    return lines;
}

// One line of the output whatever the text holds.
std::u16string escaped(std::u16string_view text) {
    std::u16string out;
    for (char16_t c : text) {
        switch (c) {
        case u'\\':
            out += u"\\\\";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\t':
            out += u"\\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = kalpeno::scenario::commandLine(argc, argv);
    if (args.size() != 2) {
        std::cerr << "usage: kalpeno-window-texts CAPTION\n";
        return 2;
    }
    const std::u16string caption = kalpeno::scenario::fromUtf8(args[1]).value_or(u"");
    HWND window = FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(caption.c_str()));
    if (!window) {
        std::cerr << "kalpeno-window-texts: no window " << args[1] << '\n';
        return 1;
    }
    // The design's names, in the order the layer numbers the controls.
    kalpeno::scenario::RecordingMessageBox messages;
    kalpeno::forms::Application app(u"", messages);
    kalpeno::startProgram(app);
    std::map<int, std::u16string> names;
    for (kalpeno::forms::Form* form :
         {app.loaded(u"Kalpeno"), &app.form(u"frmHelp"), &app.form(u"frmVersion4")}) {
        if (form->caption() != caption) {
            continue;
        }
        int id = 1000;
        for (const auto& control : form->controls()) {
            if (control->kind() != kalpeno::forms::ControlKind::Timer) {
                names[id++] = control->qualifiedName();
            }
        }
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto found = names.find(GetDlgCtrlID(child));
        if (found == names.end()) {
            continue;
        }
        wchar_t type[32] = {};
        GetClassNameW(child, type, 32);
        const std::u16string shown =
            std::wstring_view(type) == L"ListBox" ? linesOf(child) : textOf(child);
        RECT place{};
        GetWindowRect(child, &place);
        std::cout << kalpeno::scenario::toUtf8(found->second) << '\t'
                  << ((GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) ? 1 : 0) << '\t'
                  << place.left << ',' << place.top << ',' << place.right << ',' << place.bottom
                  << '\t' << kalpeno::scenario::toUtf8(escaped(shown)) << '\n';
    }
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus) {
        const auto found = names.find(GetDlgCtrlID(thread.hwndFocus));
        if (found != names.end() && GetParent(thread.hwndFocus) == window) {
            std::cout << "focus\t" << kalpeno::scenario::toUtf8(found->second) << '\n';
        }
    }
    return 0;
}

// Kalpeno on Windows: three calculators side by side. The model (forms::Application with the
// program's forms) runs every handler; the Win32 window layer shows its windows with the
// system's own controls and turns the user's actions into its events. The event loop ends when
// the model reports that the program has ended (the menu command "電卓の終了", or the last
// shown window closed).
#include "forms/Application.h"
#include "program/Program.h"
#include "win32/MessageLoop.h"
#include "win32/Win32Layer.h"
#include "win32/Win32MessageBox.h"

#include <windows.h>

#include <string>

namespace {

// The folder of the program's file, in UTF-16 as the system gives it, without a trailing
// separator except at a root ("C:\").
std::u16string programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash);
    if (path.size() == 2 && path[1] == L':') {
        path += L'\\';
    }
    return std::u16string(path.begin(), path.end());
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    kalpeno::win32::Win32MessageBox messageBox;
    kalpeno::forms::Application app(programFolder(), messageBox);
    kalpeno::win32::Win32Layer windows(app);
    kalpeno::startProgram(app);
    return app.ended() ? 0 : kalpeno::win32::runMessageLoop(windows);
}

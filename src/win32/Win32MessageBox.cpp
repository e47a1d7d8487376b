#include "win32/Win32MessageBox.h"

#include <windows.h>

#include <string>
#include <vector>

namespace kalpeno::win32 {

namespace {

// The other top-level windows of the program, enabled now: disabled while the box is open, as
// an application-modal box does.
BOOL CALLBACK collect(HWND window, LPARAM windows) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    }
    return TRUE;
}

} // namespace

void Win32MessageBox::showMessage(std::u16string_view text, std::u16string_view title) {
    HWND owner = GetActiveWindow();
    std::vector<HWND> others;
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&others));
    for (HWND window : others) {
        if (window != owner) {
            EnableWindow(window, FALSE);
        }
    }
    const std::wstring message(text.begin(), text.end());
    const std::wstring caption(title.begin(), title.end());
    MessageBoxW(owner, message.c_str(), caption.c_str(), MB_OK | MB_APPLMODAL | MB_SETFOREGROUND);
    for (HWND window : others) {
        if (window != owner && IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
    if (owner && IsWindow(owner) && IsWindowVisible(owner)) {
        SetActiveWindow(owner);
    }
}

} // namespace kalpeno::win32

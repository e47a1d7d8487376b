#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kalpeno::win32 {

// The clipboard's Unicode text, or nothing when it holds none.
std::optional<std::u16string> clipboardText(HWND owner);
// Puts the text on the clipboard; false when the clipboard cannot be opened.
bool setClipboardText(HWND owner, const std::u16string& text);

} // namespace kalpeno::win32
